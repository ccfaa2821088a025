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

// The application of a computation: a report paints text and charts, which takes a
// QApplication, on the offscreen platform so that it needs no display either.
class WindowlessApplication {
public:
    WindowlessApplication(std::vector<std::string>& arguments, bool paints) {
        for (std::string& argument : arguments) argv_.push_back(argument.data());
        argv_.push_back(nullptr);
        argc_ = static_cast<int>(arguments.size());
        if (!paints) {
            application_ = std::make_unique<QCoreApplication>(argc_, argv_.data());
            return;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application_ = std::make_unique<QApplication>(argc_, argv_.data());
    }

private:
    // The application keeps references to these for its whole life.
    int argc_ = 0;
    std::vector<char*> argv_;
    std::unique_ptr<QCoreApplication> application_;
};

}  // namespace

// The results go to standard output; when they could not all be written there (a full disk),
// the run has failed whatever the calculations did.
int runWithoutWindows(CommandLine& commandLine) {
    const std::optional<std::string> report = commandLine.reportFileName();
    const WindowlessApplication application(commandLine.programArguments(), report.has_value());
    takeRegionalSeparators();
    bool reportWritten = true;
    int status = calculateFiles(commandLine.fileNames(), commandLine.format(), std::cout, std::cerr,
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
