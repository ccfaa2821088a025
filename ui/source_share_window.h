#pragma once
// "Графики": the shares of point sources, anthropogenic diffuse sources and the natural
// background in the load on the water body, one 3-D pie for P and one for N.

#include "ui/chart_window.h"
#include "ui/charts/pie_chart.h"

namespace nutrient {

class SourceShareWindow : public NutrientChartsWindow<PieChart3D> {
    Q_OBJECT
public:
    SourceShareWindow(const LoadResults& results, const TransportCoefficients& coefficients, Messages& messages,
                      FileDialogs& dialogs, QWidget* parent = nullptr);

protected:
    // The two pies and the panel under them that explains their labels.
    int buildCharts() override;
    // Both pies when L, Lp and Lnat are positive and the crop removal plausible.
    void drawCharts() override;
    // About implausible contributions, then about the crop removal.
    void warn() override;

private:
    const TransportCoefficients& coefficients_;
};

}  // namespace nutrient
