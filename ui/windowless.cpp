#include "ui/windowless.h"

#include "model/batch.h"
#include "model/file_system.h"
#include "model/number_text.h"
#include "model/results_export.h"
#include "ui/report.h"

#include <QApplication>
#include <QDate>
#include <QLocale>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>

namespace nutrient {

void takeRegionalSeparators() {
    const QLocale regional = QLocale::system();
    setSeparators({regional.decimalPoint().toStdString(), regional.groupSeparator().toStdString()});
    std::setlocale(LC_NUMERIC, "C");
}

namespace {

// The report of the one catchment, written whole or not at all; a file that was not read has
// none.  False when it could not be written.
bool writeReport(const std::string& reportName, const FileCalculation& calculation) {
    if (!calculation.opened) return true;
    try {
        const QByteArray pdf =
            reportPdf(calculation.parameters, calculation.results, calculation.coefficients, QDate::currentDate());
        replaceFile(reportName, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
        return true;
    } catch (const Failure& failure) {
        std::cerr << printableText(reportName) + ": " + printableText(shownFailureText(failure.what())) + "\n";
        return false;
    }
}

// Standard error carries the boxes as "FILE: text" lines; Qt's own notes about its platform
// (such as a missing XDG_RUNTIME_DIR) would come between them.  Its critical and fatal messages
// still come through.
void keepQtNotesOffStandardError(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

// A report paints text and charts, which takes a QApplication: on the offscreen platform, so
// that it needs no display either.
std::unique_ptr<QCoreApplication> windowlessApplication(int& argc, char** argv, bool paints) {
    qInstallMessageHandler(keepQtNotesOffStandardError);
    if (!paints) return std::make_unique<QCoreApplication>(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

// The results go to standard output; when they could not all be written there (a full disk),
// the run has failed whatever the calculations did.
int runWithoutWindows(int& argc, char** argv, CommandLine& commandLine) {
    const auto application = windowlessApplication(argc, argv, commandLine.reportFileName().has_value());
    takeRegionalSeparators();
    if (!commandLine.parse(QCoreApplication::arguments())) return kExitUsage;
    const std::optional<std::string> report = commandLine.reportFileName();
    bool reportWritten = true;
    int status = calculateFiles(commandLine.fileNames(argc, argv), commandLine.format(), std::cout, std::cerr,
                                [&](const FileCalculation& calculation) {
                                    if (report) reportWritten = writeReport(*report, calculation);
                                });
    if (!reportWritten) status = kExitSomeFailed;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "nutrient-load: standard output: %s\n", std::strerror(errno));
        status = kExitSomeFailed;
    }
    return status;
}

}  // namespace nutrient
