#pragma once
// The results window: showing it runs the load calculation on the current parameters, lists
// the 13 results for P and N, warns when the load on the water body comes out below its
// natural component, and opens the two chart windows.

#include "model/load_calculation.h"
#include "model/messages.h"
#include "model/parameter_set.h"
#include "ui/lazy_dialog.h"
#include "ui/report_output.h"

#include <QString>

#include <functional>
#include <memory>

class QFontMetrics;
class QLabel;
class QLineEdit;
class QPushButton;

namespace nutrient {

class FileDialogs;

class ResultsWindow : public LazyDialog {
    Q_OBJECT
public:
    ResultsWindow(const ParameterSet& parameters, LoadResults& results, TransportCoefficients& coefficients,
                  Messages& messages, FileDialogs& dialogs, QWidget* parent = nullptr);
    ~ResultsWindow() override;

    // The chart windows the two buttons open; they live as long as this one.
    void setChartWindows(QDialog& sourceShares, QDialog& budget);
    // The analysis window the context menu opens.
    void setAnalysisWindow(QDialog& analysis);
    // Names the parameters file the results were computed from, or nothing: the file column
    // of the saved results.
    void setParametersFile(std::function<QString()> fileOfTexts);

    // Shows the object name, calculates and shows the results, then checks the load on the
    // water body against its natural component.
    void refresh() override;
    // The shares of the sources in the load on the water body.
    void showSourceShares();
    // The nutrient budget of the catchment.
    void showBudget();

    // The table as tab-separated lines "caption<TAB>P<TAB>N" joined by LF, without the dot
    // leaders and with the raised exponent written as "²": what Ctrl+C puts on the clipboard.
    QString tableText() const;

    // The context menu and shortcuts: the table on the clipboard (Ctrl+C), the results as a
    // CSV file (Ctrl+S), the report printed or saved as PDF (Ctrl+P), the analyses of the
    // parameters.
    void copyTable();
    void saveResults();
    void makeReport();
    void showAnalysis();

protected:
    // The headings, the 13 rows with their fields and the buttons, built on first showing.
    void build() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildHeadings(QWidget* panel);
    void buildRows(QWidget* panel);
    bool addSquareExponent(QWidget* panel, int labelNumber, const QString& line, const QFontMetrics& metrics,
                           int lineTop);
    void addValueFields(QWidget* panel, const ResultRow& row, int top);
    void buildButtons(QWidget* panel);
    void showResults();
    void addMenuActions();

    const ParameterSet& parameters_;
    LoadResults& results_;
    TransportCoefficients& coefficients_;
    Messages& messages_;
    FileDialogs& dialogs_;
    std::function<QString()> parametersFile_;
    ReportOutput reportOutput_;
    QDialog* sourceShares_ = nullptr;
    QDialog* budget_ = nullptr;
    QDialog* analysis_ = nullptr;

    QLabel* objectNameLabel_ = nullptr;
    QLineEdit* fields_[kResultRowCount][2] = {};  // per quantity: P field, N field
    QPushButton* closeButton_ = nullptr;
    QPushButton* sourceSharesButton_ = nullptr;
    QPushButton* budgetButton_ = nullptr;
};

}  // namespace nutrient
