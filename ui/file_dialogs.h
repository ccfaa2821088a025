#pragma once
// The program's file dialogs and its print dialog, behind a seam so that tests can answer them
// with a name, a target or a cancel instead of a real dialog.

#include "model/csv.h"

#include <QFileDialog>
#include <QString>

#include <memory>

class QPrinter;
class QWidget;

namespace nutrient {

struct CsvFileChoice {
    QString fileName;
    CsvDialect dialect = kRfc4180Csv;
};

// Where the report goes: to the printer the print dialog set up, into a PDF file, or nowhere.
struct ReportTarget {
    enum class Kind { None, Printer, PdfFile };
    Kind kind = Kind::None;
    QString fileName;  // of the PDF file
};

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

    // A CSV file for the results and the kind of CSV the user chose: RFC 4180, which programs
    // read, or a spreadsheet's on a Russian desktop; an empty name when the user cancels.
    virtual CsvFileChoice resultsFile(QWidget* parent) = 0;
    // The name of a picture of a chart window, ending in ".png" or ".pdf" as the user chose;
    // empty when the user cancels.
    virtual QString pictureFileName(QWidget* parent) = 0;
    // The print dialog of the report: it sets up the printer, or names a PDF file instead.
    virtual ReportTarget reportTarget(QWidget* parent, QPrinter& printer) = 0;
    // The name of a CSV file of uncertainty ranges to read, or to save under (".csv" added unless
    // it ends so); empty when the user cancels.
    virtual QString openRangesFileName(QWidget* parent) = 0;
    virtual QString saveRangesFileName(QWidget* parent) = 0;
};

// The real dialogs.  Each remembers the last name it returned and offers it again.
class QtFileDialogs : public FileDialogs {
public:
    QString openFileName(QWidget* parent) override;
    QString saveFileName(QWidget* parent) override;
    void rememberSaveName(const QString& name) override;
    CsvFileChoice resultsFile(QWidget* parent) override;
    QString pictureFileName(QWidget* parent) override;
    ReportTarget reportTarget(QWidget* parent, QPrinter& printer) override;
    QString openRangesFileName(QWidget* parent) override;
    QString saveRangesFileName(QWidget* parent) override;

private:
    QString lastOpenName_;
    QString lastSaveName_;
    // The last name each export dialog returned, and the file type chosen with it.
    struct LastExport {
        QString name;
        QString filter;
    };
    LastExport lastResults_;
    LastExport lastPicture_;
    LastExport lastRanges_;  // opened or saved
};

// A dialog set up as both of the window's dialogs are: the single filter "*.txt", no default
// suffix, the toolkit's own title, no question before replacing a file, and any name accepted
// (a missing file is reported by the reader), starting at lastName when there is one.
std::unique_ptr<QFileDialog> makeParametersFileDialog(QWidget* parent, QFileDialog::AcceptMode mode,
                                                      const QString& lastName);

// A save dialog for results and pictures: its filters ("PNG (*.png)"), the last one chosen
// selected, else the one of the last name's suffix, else the first; it asks before replacing a
// file.
std::unique_ptr<QFileDialog> makeExportDialog(QWidget* parent, const QString& title, const QStringList& filters,
                                              const QString& lastName, const QString& lastFilter = {});
// The name with the suffix of the chosen filter added, unless it ends in the suffix of one of
// the filters (in any case): the suffix decides what is written.
QString withFilterSuffix(const QString& name, const QStringList& filters, const QString& chosenFilter);

}  // namespace nutrient
