#pragma once
// "Graphics": the nutrient budget of the catchment, inputs as red bars above zero and outputs
// as blue bars below it, one 3-D bar chart for P and one for N.

#include "model/load_calculation.h"
#include "ui/charts/chart_data.h"
#include "ui/charts/chart_widget.h"
#include "ui/lazy_dialog.h"

#include <vector>

class QPushButton;

namespace nutrient {

class FileDialogs;

class BarChart3D;

// The bar chart of a nutrient as this window draws it, and as the report draws it: title,
// arrows, depth and axis; the nine bars of the results in their colours; the heading over the
// charts, whose legend gives the inputs (1) and the outputs (2) in their bars' colours.
ChartLook budgetLook(Nutrient nutrient);
std::vector<ChartBar> budgetChart(const LoadResults& results, Nutrient nutrient);
QString budgetHeading();
QColor budgetColour(bool input);

class BudgetWindow : public LazyDialog {
    Q_OBJECT
public:
    BudgetWindow(const LoadResults& results, Messages& messages, FileDialogs& dialogs, QWidget* parent = nullptr);

    // Empties both charts; after a calculation that stopped, reports its failure; else draws
    // the budgets when the crop removal is plausible for both nutrients, then warns about each
    // implausible one.
    void refresh() override;

    // The charts exist once the window has been built (shown or ensureBuilt).
    const BarChart3D& chartP() const { return *chartP_; }
    const BarChart3D& chartN() const { return *chartN_; }

protected:
    // The two charts, their legend and the close button, built on first showing, and the
    // context menu that saves the window's picture.
    void build() override;

private:
    const LoadResults& results_;
    Messages& messages_;
    FileDialogs& dialogs_;
    BarChart3D* chartP_ = nullptr;
    BarChart3D* chartN_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

}  // namespace nutrient
