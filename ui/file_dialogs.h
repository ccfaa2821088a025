#pragma once
// The open and save dialogs of the parameters window, behind a seam so that tests can answer
// them with a name or a cancel instead of a real dialog.

#include <QFileDialog>
#include <QString>

#include <memory>

class QWidget;

namespace nutrient {

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The name of a parameters file to read; empty when the user cancels.
    virtual QString openFileName(QWidget* parent) = 0;
    // The name to save under; empty when the user cancels.
    virtual QString saveFileName(QWidget* parent) = 0;
    // Saving may extend the chosen name (".txt" appended); the save dialog offers that
    // extended name next time.
    virtual void rememberSaveName(const QString& name) = 0;
};

// The real dialogs.  Each remembers the last name it returned and offers it again.
class QtFileDialogs : public FileDialogs {
public:
    QString openFileName(QWidget* parent) override;
    QString saveFileName(QWidget* parent) override;
    void rememberSaveName(const QString& name) override;

private:
    QString lastOpenName_;
    QString lastSaveName_;
};

// A dialog set up as both of the window's dialogs are: the single filter "*.txt", no default
// suffix, the toolkit's own title, no question before replacing a file, and any name accepted
// (a missing file is reported by the reader), starting at lastName when there is one.
std::unique_ptr<QFileDialog> makeParametersFileDialog(QWidget* parent, QFileDialog::AcceptMode mode,
                                                      const QString& lastName);

}  // namespace nutrient
