#include "ui/program.h"

#include "ui/command_line.h"
#include "ui/window_parts.h"
#include "ui/windowless.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

namespace nutrient {

Program::Program() : Program(boxes_, qtFileDialogs_, boxes_) {}

Program::Program(Messages& messages, FileDialogs& fileDialogs, Questions& questions)
    : parameters_(messages),
      parametersWindow_(parameters_, messages, fileDialogs),
      resultsWindow_(parameters_, results_, coefficients_, messages, fileDialogs),
      sourceShareWindow_(results_, coefficients_, messages, fileDialogs),
      budgetWindow_(results_, messages, fileDialogs),
      analysisWindow_(parameters_, messages, fileDialogs),
      basinWindow_(messages, questions, fileDialogs) {
    mainWindow_.setWindows(parametersWindow_, resultsWindow_, helpWindow_, methodWindow_);
    resultsWindow_.setChartWindows(sourceShareWindow_, budgetWindow_);
    resultsWindow_.setParametersFile([this] { return parametersWindow_.fileOfTexts(); });
    resultsWindow_.setAnalysisWindow(analysisWindow_);
    analysisWindow_.setParametersFile([this] { return parametersWindow_.fileOfTexts(); });
    addWindowAction(mainWindow_, kAnalysisAction, kAnalysisKeys, [this] { showModal(analysisWindow_); });
    addWindowAction(mainWindow_, kBasinAction, kBasinKeys, [this] { showModal(basinWindow_); });
    basinWindow_.setRowFileOpener([this, &questions](const std::string& file) { openBasinRowFile(file, questions); });
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

// A row's file as "&Open" opens it: the parameters not yet saved settled first, the window shown
// (its show rule runs on the texts it had), then the file read into it once it stands.
void Program::openBasinRowFile(const std::string& file, Questions& questions) {
    if (!parametersWindow_.settleUnsavedChanges(questions, &basinWindow_)) return;
    QTimer::singleShot(0, &parametersWindow_, [this, file] { parametersWindow_.loadParametersFile(file); });
    showModal(parametersWindow_);
}

void Program::start(const std::optional<std::string>& fileName) {
    mainWindow_.show();
    if (fileName)
        QTimer::singleShot(0, &mainWindow_, [this, name = *fileName] { parametersWindow_.loadParametersFile(name); });
}

bool translateQtTexts(QTranslator& translator, const QLocale& desktop) {
    return translator.load(desktop, QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
           QCoreApplication::installTranslator(&translator);
}

int runInApplication(int& argc, char** argv, const std::function<int()>& run) {
    MessageBoxes boxes;
    GuardedApplication application(argc, argv, boxes);
    QTranslator qtTexts;
    translateQtTexts(qtTexts);
    takeRegionalSeparators();
    return run();
}

int runProgram(int& argc, char** argv, const std::function<void(QWidget&)>& onShown) {
    CommandLine commandLine;
    switch (commandLine.read(argc, argv)) {
    case CommandLine::Request::UsageError:
        return kExitUsage;
    case CommandLine::Request::Information:
        return commandLine.printInformation();
    case CommandLine::Request::Computation:
        return runWithoutWindows(commandLine);
    case CommandLine::Request::Windows:
        break;
    }
    return runInApplication(argc, argv, [&] {
        const std::vector<std::string> files = commandLine.fileNames();
        Program program;
        program.start(files.empty() ? std::nullopt : std::optional(files.front()));
        if (onShown) onShown(program.mainWindow());
        return QApplication::exec();
    });
}

}  // namespace nutrient
