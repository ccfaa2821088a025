#include "ui/file_dialogs.h"

#include <QFileInfo>

namespace nutrient {

std::unique_ptr<QFileDialog> makeParametersFileDialog(QWidget* parent, QFileDialog::AcceptMode mode,
                                                      const QString& lastName) {
    auto dialog = std::make_unique<QFileDialog>(parent);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(QStringLiteral("*.txt"));
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    if (!lastName.isEmpty()) {
        const QFileInfo last(lastName);
        dialog->setDirectory(last.absolutePath());
        dialog->selectFile(last.fileName());
    }
    return dialog;
}

namespace {

// Runs the dialog; the chosen name, or empty on cancel.
QString askFileName(QWidget* parent, QFileDialog::AcceptMode mode, const QString& lastName) {
    const auto dialog = makeParametersFileDialog(parent, mode, lastName);
    if (dialog->exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog->selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

}  // namespace

QString QtFileDialogs::openFileName(QWidget* parent) {
    const QString name = askFileName(parent, QFileDialog::AcceptOpen, lastOpenName_);
    if (!name.isEmpty()) lastOpenName_ = name;
    return name;
}

QString QtFileDialogs::saveFileName(QWidget* parent) {
    const QString name = askFileName(parent, QFileDialog::AcceptSave, lastSaveName_);
    if (!name.isEmpty()) lastSaveName_ = name;
    return name;
}

void QtFileDialogs::rememberSaveName(const QString& name) { lastSaveName_ = name; }

}  // namespace nutrient
