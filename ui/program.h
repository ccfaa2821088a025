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

#include <functional>

namespace nutrient {

class Program {
public:
    // The real message boxes and file dialogs.
    Program();
    // Boxes and file dialogs answered by the given seams instead (tests).
    Program(Messages& messages, FileDialogs& fileDialogs);

    TForm1& mainWindow() { return form1_; }
    TForm2& parametersWindow() { return form2_; }
    TForm3& resultsWindow() { return form3_; }
    TForm4& helpWindow() { return form4_; }
    TForm5& sourceShareWindow() { return form5_; }
    TForm6& budgetWindow() { return form6_; }
    TForm7& methodWindow() { return form7_; }
    ParameterSet& parameters() { return parameters_; }
    LoadResults& results() { return results_; }
    RetentionShared& retention() { return retention_; }

private:
    MessageBoxes boxes_;
    QtFileDialogs qtFileDialogs_;
    ParameterSet parameters_;
    LoadResults results_;
    RetentionShared retention_;
    // Created in this order, the main window first.
    TForm1 form1_;
    TForm2 form2_;
    TForm3 form3_;
    TForm4 form4_;
    TForm5 form5_;
    TForm6 form6_;
    TForm7 form7_;
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
