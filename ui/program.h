#pragma once
// The start-up of the program: the command line, the regional number separators, the three
// model objects that live for the whole run, and the windows, created once in their fixed order
// and only hidden between showings, so everything typed or computed persists until exit.

#include "model/load_calculation.h"
#include "model/parameter_set.h"
#include "ui/analysis_window.h"
#include "ui/basin_window.h"
#include "ui/budget_window.h"
#include "ui/file_dialogs.h"
#include "ui/help_windows.h"
#include "ui/main_window.h"
#include "ui/message_boxes.h"
#include "ui/parameters_window.h"
#include "ui/results_window.h"
#include "ui/source_share_window.h"

#include <QApplication>
#include <QLocale>
#include <QTranslator>

#include <functional>
#include <optional>
#include <string>

namespace nutrient {

class Program {
public:
    // The real message boxes and file dialogs.
    Program();
    // Boxes, questions and file dialogs answered by the given seams instead (tests).
    Program(Messages& messages, FileDialogs& fileDialogs, Questions& questions);

    // Shows the main window; when a parameters file is given, opens it once the event loop
    // runs, exactly as "&Open" of the parameters window opens the name the user chose.
    void start(const std::optional<std::string>& fileName = std::nullopt);

    MainWindow& mainWindow() { return mainWindow_; }
    ParametersWindow& parametersWindow() { return parametersWindow_; }
    ResultsWindow& resultsWindow() { return resultsWindow_; }
    HelpWindow& helpWindow() { return helpWindow_; }
    SourceShareWindow& sourceShareWindow() { return sourceShareWindow_; }
    BudgetWindow& budgetWindow() { return budgetWindow_; }
    MethodWindow& methodWindow() { return methodWindow_; }
    AnalysisWindow& analysisWindow() { return analysisWindow_; }
    BasinWindow& basinWindow() { return basinWindow_; }
    ParameterSet& parameters() { return parameters_; }

private:
    void openBasinRowFile(const std::string& file, Questions& questions);

    MessageBoxes boxes_;
    QtFileDialogs qtFileDialogs_;
    ParameterSet parameters_;
    LoadResults results_;
    TransportCoefficients coefficients_;
    // Created in this order, the main window first.
    MainWindow mainWindow_;
    ParametersWindow parametersWindow_;
    ResultsWindow resultsWindow_;
    HelpWindow helpWindow_;
    SourceShareWindow sourceShareWindow_;
    BudgetWindow budgetWindow_;
    MethodWindow methodWindow_;
    // Beyond the program's seven: reached from the windows' menus.
    AnalysisWindow analysisWindow_;
    BasinWindow basinWindow_;
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

// Qt's own texts (the file and print dialogs, a field's menu, the question before a file is
// replaced) in the language of the desktop, from Debian's translations of Qt, through the
// translator, which must live as long as they are shown.  False when there are none for it.
// The texts the program gives in English ("OK", "&Close", "Warning" …) are set explicitly and
// stay as they are.
bool translateQtTexts(QTranslator& translator, const QLocale& desktop = QLocale::system());

// The windows' application as the program sets it up: QApplication on the real arguments
// (it takes its own options, such as -platform and -style, out of argc and argv), the number
// texts on the regional separators, Qt's own texts translated, then `run`; returns what `run`
// returns.  The start-up benchmark starts its bare dialog the same way.
int runInApplication(int& argc, char** argv, const std::function<int()>& run);

// Everything main() does.  The command line is read first.  With --calculate the files are
// computed without a window, with no display needed, and the exit status tells whether every
// file computed.  Otherwise the windows: the main window shown (onShown, when given, is called
// then), the FILE argument opened, the event loop until the main window is closed.
int runProgram(int& argc, char** argv, const std::function<void(QWidget& mainWindow)>& onShown = {});

}  // namespace nutrient
