#include "ui/program.h"

#include "model/batch.h"
#include "model/file_system.h"
#include "model/number_text.h"
#include "model/results_export.h"
#include "ui/command_line.h"
#include "ui/report.h"

#include <QApplication>
#include <QDate>
#include <QLocale>
#include <QTimer>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>

namespace nutrient {

Program::Program() : Program(boxes_, qtFileDialogs_, boxes_) {}

Program::Program(Messages& messages, FileDialogs& fileDialogs, Questions& questions)
    : parameters_(messages),
      parametersWindow_(parameters_, messages, fileDialogs),
      resultsWindow_(parameters_, results_, coefficients_, messages, fileDialogs),
      sourceShareWindow_(results_, coefficients_, messages, fileDialogs),
      budgetWindow_(results_, messages, fileDialogs) {
    mainWindow_.setWindows(parametersWindow_, resultsWindow_, helpWindow_, methodWindow_);
    resultsWindow_.setChartWindows(sourceShareWindow_, budgetWindow_);
    resultsWindow_.setParametersFile([this] { return parametersWindow_.fileOfTexts(); });
    // Parameters not yet saved are not lost silently when the program ends.
    mainWindow_.setClosingCheck(
        [this, &questions] { return parametersWindow_.settleUnsavedChanges(questions, &mainWindow_); });
}

GuardedApplication::GuardedApplication(int& argc, char** argv, Messages& messages)
    : QApplication(argc, argv), messages_(messages) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    guarded(messages_, [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

void Program::start(const std::optional<std::string>& fileName) {
    mainWindow_.show();
    if (fileName)
        QTimer::singleShot(0, &mainWindow_, [this, name = *fileName] { parametersWindow_.loadParametersFile(name); });
}

void takeRegionalSeparators() {
    const QLocale regional = QLocale::system();
    setSeparators({regional.decimalPoint().toStdString(), regional.groupSeparator().toStdString()});
    std::setlocale(LC_NUMERIC, "C");
}

int runInApplication(int& argc, char** argv, const std::function<int()>& run) {
    MessageBoxes boxes;
    GuardedApplication application(argc, argv, boxes);
    takeRegionalSeparators();
    return run();
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

// The results go to standard output; when they could not all be written there (a full disk),
// the run has failed whatever the calculations did.
int calculateWithoutWindows(int& argc, char** argv, CommandLine& commandLine) {
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

}  // namespace

int runProgram(int& argc, char** argv, const std::function<void(QWidget&)>& onShown) {
    CommandLine commandLine;
    if (!commandLine.wantsWindows(argc, argv)) return calculateWithoutWindows(argc, argv, commandLine);
    return runInApplication(argc, argv, [&] {
        if (!commandLine.parse(QCoreApplication::arguments())) return kExitUsage;
        const std::vector<std::string> files = commandLine.fileNames(argc, argv);
        Program program;
        program.start(files.empty() ? std::nullopt : std::optional(files.front()));
        if (onShown) onShown(program.mainWindow());
        return QApplication::exec();
    });
}

}  // namespace nutrient
