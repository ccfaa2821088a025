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

void MessageBoxes::warning(const std::string& text) {
    showBox(QMessageBox::Warning, QStringLiteral("Warning"), QString::fromStdString(text));
}

void MessageBoxes::error(const std::string& text) {
    showBox(QMessageBox::Critical, QStringLiteral("Error"), QString::fromStdString(text));
}

void MessageBoxes::failure(const std::string& text) {
    showBox(QMessageBox::Critical, QString::fromUtf8(kProgramTitle), QString::fromStdString(shownFailureText(text)));
}

}  // namespace nutrient
