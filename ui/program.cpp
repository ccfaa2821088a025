#include "ui/program.h"

#include "model/number_text.h"

#include <QApplication>
#include <QLocale>

#include <clocale>

namespace nutrient {

Program::Program() : Program(boxes_, qtFileDialogs_, boxes_) {}

Program::Program(Messages& messages, FileDialogs& fileDialogs, Questions& questions)
    : parameters_(messages),
      parametersWindow_(parameters_, messages, fileDialogs),
      resultsWindow_(parameters_, results_, retention_, messages, fileDialogs),
      sourceShareCharts_(results_, retention_, messages, fileDialogs),
      budgetCharts_(results_, messages, fileDialogs) {
    mainWindow_.setWindows(parametersWindow_, resultsWindow_, helpWindow_, methodWindow_);
    resultsWindow_.setChartWindows(sourceShareCharts_, budgetCharts_);
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

void takeRegionalSeparators() {
    const QLocale regional = QLocale::system();
    setSeparators({regional.decimalPoint().toStdString(), regional.groupSeparator().toStdString()});
    std::setlocale(LC_NUMERIC, "C");
}

int runInApplication(const char* programName, const std::function<int()>& run) {
    int argc = 1;
    char* argv[] = {const_cast<char*>(programName), nullptr};
    MessageBoxes boxes;
    GuardedApplication application(argc, argv, boxes);
    takeRegionalSeparators();
    return run();
}

int runProgram(const char* programName, const std::function<void(QWidget&)>& onShown) {
    return runInApplication(programName, [&] {
        Program program;
        program.mainWindow().show();
        if (onShown) onShown(program.mainWindow());
        return QApplication::exec();
    });
}

}  // namespace nutrient
