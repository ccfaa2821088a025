#include "ui/message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace nutrient {

namespace {

// "OK" as the program has always shown it, also where Qt's texts are translated.
void showBox(QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
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

Answer MessageBoxes::ask(const std::string& text) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(kProgramTitle), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QApplication::activeWindow());
    box.button(QMessageBox::Yes)->setText(QString::fromUtf8(kAnswerYes));
    box.button(QMessageBox::No)->setText(QString::fromUtf8(kAnswerNo));
    box.button(QMessageBox::Cancel)->setText(QString::fromUtf8(kAnswerCancel));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

}  // namespace nutrient
