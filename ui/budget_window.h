#pragma once
// "Graphics": the nutrient budget of the catchment, inputs as red bars above zero and outputs
// as blue bars below it, one 3-D bar chart for P and one for N.

#include "ui/chart_window.h"
#include "ui/charts/bar_chart.h"

namespace nutrient {

class BudgetWindow : public NutrientChartsWindow<BarChart3D> {
    Q_OBJECT
public:
    BudgetWindow(const LoadResults& results, Messages& messages, FileDialogs& dialogs, QWidget* parent = nullptr);

protected:
    // The heading with its colour legend and the two charts.
    int buildCharts() override;
    // Both budgets when the crop removal is plausible for both nutrients.
    void drawCharts() override;
    // About each implausible crop removal.
    void warn() override;
};

}  // namespace nutrient
