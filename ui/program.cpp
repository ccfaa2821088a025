#include "ui/program.h"

#include "model/batch.h"
#include "model/number_text.h"
#include "ui/command_line.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace nutrient {

Program::Program() : Program(boxes_, qtFileDialogs_, boxes_) {}

Program::Program(Messages& messages, FileDialogs& fileDialogs, Questions& questions)
    : parameters_(messages),
      parametersWindow_(parameters_, messages, fileDialogs),
      resultsWindow_(parameters_, results_, retention_, messages),
      sourceShareCharts_(results_, retention_, messages),
      budgetCharts_(results_, messages) {
    mainWindow_.setWindows(parametersWindow_, resultsWindow_, helpWindow_, methodWindow_);
    resultsWindow_.setChartWindows(sourceShareCharts_, budgetCharts_);
    // Parameters not yet saved are not lost silently when the program ends.
    mainWindow_.setClosingCheck(
        [this, &questions] { return parametersWindow_.settleUnsavedChanges(questions, &mainWindow_); });
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
    QApplication application(argc, argv);
    takeRegionalSeparators();
    return run();
}

namespace {

// The results go to standard output; when they could not all be written there (a full disk),
// the run has failed whatever the calculations did.
int calculateWithoutWindows(int& argc, char** argv, CommandLine& commandLine) {
    QCoreApplication application(argc, argv);
    takeRegionalSeparators();
    if (!commandLine.parse(QCoreApplication::arguments())) return kExitUsage;
    int status = calculateFiles(commandLine.fileNames(argc, argv), commandLine.format(), std::cout, std::cerr);
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
