#pragma once
// "Graphics": the nutrient budget of the catchment, inputs as red bars above zero and outputs
// as blue bars below it, one 3-D bar chart for P and one for N.

#include "ui/chart_window.h"

namespace nutrient {

class BarChart3D;

class BudgetWindow : public ChartWindow {
    Q_OBJECT
public:
    BudgetWindow(const LoadResults& results, Messages& messages, FileDialogs& dialogs, QWidget* parent = nullptr);

    // The charts exist once the window has been built (shown or ensureBuilt).
    const BarChart3D& chartP() const { return *chartP_; }
    const BarChart3D& chartN() const { return *chartN_; }

protected:
    // The heading with its colour legend and the two charts.
    int buildCharts() override;
    void clearCharts() override;
    // Both budgets when the crop removal is plausible for both nutrients.
    void drawCharts() override;
    // About each implausible crop removal.
    void warn() override;

private:
    BarChart3D* chartP_ = nullptr;
    BarChart3D* chartN_ = nullptr;
};

}  // namespace nutrient
