#include "ui/file_dialogs.h"

#include <QAbstractPrintDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>

namespace nutrient {

namespace {

void startAt(QFileDialog& dialog, const QString& lastName) {
    if (lastName.isEmpty()) return;
    const QFileInfo last(lastName);
    dialog.setDirectory(last.absolutePath());
    dialog.selectFile(last.fileName());
}

// The suffix of a filter such as "PDF (*.pdf)".
QString suffixOf(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(filter).captured(1);
}

// Runs the dialog; the chosen name, or empty on cancel.
QString chosenName(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

QString askFileName(QWidget* parent, QFileDialog::AcceptMode mode, const QString& lastName) {
    const auto dialog = makeParametersFileDialog(parent, mode, lastName);
    return chosenName(*dialog);
}

// The name chosen, with the suffix of its file type; the dialog's last name and type updated.
template <class LastExport>
QString askExportName(QWidget* parent, const QString& title, const QStringList& filters, LastExport& last) {
    const auto dialog = makeExportDialog(parent, title, filters, last.name, last.filter);
    QString name = chosenName(*dialog);
    if (name.isEmpty()) return {};
    name = withFilterSuffix(name, dialog->nameFilters(), dialog->selectedNameFilter());
    last = {name, dialog->selectedNameFilter()};
    return name;
}

const QString kCsvFilter = QStringLiteral("CSV (*.csv)");
const QString kSpreadsheetCsvFilter =
    QStringLiteral("CSV для электронных таблиц: точка с запятой, десятичная запятая (*.csv)");

}  // namespace

std::unique_ptr<QFileDialog> makeParametersFileDialog(QWidget* parent, QFileDialog::AcceptMode mode,
                                                      const QString& lastName) {
    auto dialog = std::make_unique<QFileDialog>(parent);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(QStringLiteral("*.txt"));
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    startAt(*dialog, lastName);
    return dialog;
}

std::unique_ptr<QFileDialog> makeExportDialog(QWidget* parent, const QString& title, const QStringList& filters,
                                              const QString& lastName, const QString& lastFilter) {
    auto dialog = std::make_unique<QFileDialog>(parent, title);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilters(filters);
    // The filter the name ends in is chosen, so that its suffix is the one added.
    const QFileInfo last(lastName);
    if (filters.contains(lastFilter)) {
        dialog->selectNameFilter(lastFilter);
    } else {
        for (const QString& filter : filters)
            if (last.suffix().compare(suffixOf(filter), Qt::CaseInsensitive) == 0) dialog->selectNameFilter(filter);
    }
    startAt(*dialog, lastName);
    return dialog;
}

QString withFilterSuffix(const QString& name, const QStringList& filters, const QString& chosenFilter) {
    for (const QString& filter : filters)
        if (name.endsWith(u'.' + suffixOf(filter), Qt::CaseInsensitive)) return name;
    return name + u'.' + suffixOf(chosenFilter);
}

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

// A basin file must exist; any name is accepted, since basin files are CSV under any suffix.
QString QtFileDialogs::basinFileName(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Открыть бассейн"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QStringLiteral("CSV (*.csv)"), QStringLiteral("Все файлы (*)")});
    startAt(dialog, lastBasinName_);
    const QString name = chosenName(dialog);
    if (!name.isEmpty()) lastBasinName_ = name;
    return name;
}

CsvFileChoice QtFileDialogs::resultsFile(QWidget* parent) {
    const QString name = askExportName(parent, QStringLiteral("Сохранить результаты"),
                                       {kCsvFilter, kSpreadsheetCsvFilter}, lastResults_);
    return {name, lastResults_.filter == kSpreadsheetCsvFilter ? kRussianSpreadsheetCsv : kRfc4180Csv};
}

namespace {
const QStringList kRangesFilters = {QStringLiteral("CSV (*.csv)"), QStringLiteral("Все файлы (*)")};
}  // namespace

QString QtFileDialogs::openRangesFileName(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Открыть диапазоны"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(kRangesFilters);
    startAt(dialog, lastRanges_.name);
    const QString name = chosenName(dialog);
    if (!name.isEmpty()) lastRanges_ = {name, dialog.selectedNameFilter()};
    return name;
}

QString QtFileDialogs::saveRangesFileName(QWidget* parent) {
    return askExportName(parent, QStringLiteral("Сохранить диапазоны"), {kRangesFilters.front()}, lastRanges_);
}

QString QtFileDialogs::pictureFileName(QWidget* parent) {
    return askExportName(parent, QStringLiteral("Сохранить изображение"),
                         {QStringLiteral("PNG (*.png)"), QStringLiteral("PDF (*.pdf)")}, lastPicture_);
}

// The toolkit's print dialog lists the printers and "Print to File (PDF)"; the report has no
// pages to choose among.
ReportTarget QtFileDialogs::reportTarget(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted) return {};
    if (printer.outputFormat() == QPrinter::PdfFormat) return {ReportTarget::Kind::PdfFile, printer.outputFileName()};
    return {ReportTarget::Kind::Printer, {}};
}

}  // namespace nutrient
