#pragma once
// Where a report goes: the print dialog (through the dialog seam) sets up a printer, which
// prints it, or names a PDF file, which is written whole and only then put in place.  The
// printer and its settings are kept from one report to the next; a PDF file is offered under
// the object's name in the folder of the last one.

#include <QString>

#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace nutrient {

class FileDialogs;

class ReportOutput {
public:
    explicit ReportOutput(FileDialogs& dialogs);
    ~ReportOutput();

    // Asks where the report of the named object goes, over `parent`, and paints it there:
    // `paint` paints the pages on the device it is handed (the printer or a PDF writer).  Throws
    // Failure when the printer refuses it or the file cannot be written.
    void make(QWidget* parent, const QString& objectName, const std::function<void(QPagedPaintDevice&)>& paint);

private:
    QPrinter& printerFor(const QString& objectName);

    FileDialogs& dialogs_;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace nutrient
