#pragma once
// The start-up of the program: the regional number separators, the three model objects that
// live for the whole run, and the windows, created once in their fixed order and only hidden
// between showings, so everything typed or computed persists until exit.

#include "model/load_calculation.h"
#include "model/parameter_set.h"
#include "ui/budget_charts.h"
#include "ui/file_dialogs.h"
#include "ui/help_windows.h"
#include "ui/main_window.h"
#include "ui/message_boxes.h"
#include "ui/parameters_window.h"
#include "ui/results_window.h"
#include "ui/source_share_charts.h"

#include <QApplication>

#include <functional>

namespace nutrient {

class Program {
public:
    // The real message boxes and file dialogs.
    Program();
    // Boxes, questions and file dialogs answered by the given seams instead (tests).
    Program(Messages& messages, FileDialogs& fileDialogs, Questions& questions);

    MainWindow& mainWindow() { return mainWindow_; }
    ParametersWindow& parametersWindow() { return parametersWindow_; }
    ResultsWindow& resultsWindow() { return resultsWindow_; }
    HelpWindow& helpWindow() { return helpWindow_; }
    SourceShareCharts& sourceShareWindow() { return sourceShareCharts_; }
    BudgetCharts& budgetWindow() { return budgetCharts_; }
    MethodWindow& methodWindow() { return methodWindow_; }
    ParameterSet& parameters() { return parameters_; }

private:
    MessageBoxes boxes_;
    QtFileDialogs qtFileDialogs_;
    ParameterSet parameters_;
    LoadResults results_;
    RetentionShared retention_;
    // Created in this order, the main window first.
    MainWindow mainWindow_;
    ParametersWindow parametersWindow_;
    ResultsWindow resultsWindow_;
    HelpWindow helpWindow_;
    SourceShareCharts sourceShareCharts_;
    BudgetCharts budgetCharts_;
    MethodWindow methodWindow_;
};

// The application of the windows.  Each handler of the windows runs guarded; whatever still
// escapes one (the memory running out while a window builds its controls) is reported here, in
// a failure box, before it reaches the event loop, and the program carries on with the user's
// parameters instead of ending.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv, Messages& messages);
    bool notify(QObject* receiver, QEvent* event) override;

private:
    Messages& messages_;
};

// The number texts take the decimal and group separators of the desktop's regional settings;
// the C library's numeric locale is put back to "C" so that nothing else follows them.
void takeRegionalSeparators();

// The application as the program sets it up (no command-line options: Qt sees only the
// program name; the number texts take the regional separators), with `run` called inside it;
// returns what `run` returns.  The start-up benchmark starts its bare dialog the same way.
int runInApplication(const char* programName, const std::function<int()>& run);

// Everything main() does: the application, the windows, the main window shown, the event loop
// until the main window is closed.  onShown, when given, is called once the main window has
// been shown.
int runProgram(const char* programName, const std::function<void(QWidget& mainWindow)>& onShown = {});

}  // namespace nutrient
