#include "ui/report_output.h"

#include "model/file_system.h"
#include "model/messages.h"
#include "ui/file_dialogs.h"
#include "ui/pdf_document.h"

#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>

namespace nutrient {

namespace {

// A PDF report is offered under the object's name, kept short and without the one character a
// file name cannot hold, in the folder of the last one (at first the working folder).
QString reportFileName(const QString& objectName, const QString& lastFile) {
    QString name = objectName.left(100).trimmed();
    name.replace(u'/', u'_');
    if (name.isEmpty()) name = QStringLiteral("Отчет");
    const QString folder = lastFile.isEmpty() ? QDir::currentPath() : QFileInfo(lastFile).absolutePath();
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

}  // namespace

ReportOutput::ReportOutput(FileDialogs& dialogs) : dialogs_(dialogs) {}

ReportOutput::~ReportOutput() = default;

QPrinter& ReportOutput::printerFor(const QString& objectName) {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setPageSize(QPageSize(QPageSize::A4));
        // The report keeps its own margins.
        printer_->setFullPage(true);
        printer_->setOutputFileName(reportFileName(objectName, QString()));
    } else if (printer_->outputFormat() == QPrinter::PdfFormat) {
        printer_->setOutputFileName(reportFileName(objectName, printer_->outputFileName()));
    }
    printer_->setDocName(objectName);
    return *printer_;
}

void ReportOutput::make(QWidget* parent, const QString& objectName,
                        const std::function<void(QPagedPaintDevice&)>& paint) {
    QPrinter& printer = printerFor(objectName);
    const ReportTarget target = dialogs_.reportTarget(parent, printer);
    if (target.kind == ReportTarget::Kind::Printer) {
        paint(printer);
    } else if (target.kind == ReportTarget::Kind::PdfFile) {
        const PdfLayout layout{QPageSize(QPageSize::A4), 0, objectName, QString::fromUtf8(kProgramTitle)};
        const QByteArray pdf = pdfDocument(layout, [&](QPdfWriter& writer) { paint(writer); });
        replaceFile(target.fileName.toStdString(), std::string_view(pdf.constData(), pdf.size()));
    }
}

}  // namespace nutrient
