#include "ui/message_boxes.h"

#include <QApplication>
#include <QMessageBox>

namespace nutrient {

namespace {

void showBox(QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

}  // namespace

QString failureBoxText(const std::string& message) {
    QString text = QString::fromStdString(message);
    if (!text.isEmpty() && text.back() > QLatin1Char('.')) text += QLatin1Char('.');
    return text;
}

void MessageBoxes::warning(const std::string& text) {
    showBox(QMessageBox::Warning, QStringLiteral("Warning"), QString::fromStdString(text));
}

void MessageBoxes::error(const std::string& text) {
    showBox(QMessageBox::Critical, QStringLiteral("Error"), QString::fromStdString(text));
}

void MessageBoxes::failure(const std::string& text) {
    showBox(QMessageBox::Critical, QString::fromUtf8(kProgramTitle), failureBoxText(text));
}

}  // namespace nutrient
