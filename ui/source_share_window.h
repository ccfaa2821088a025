#pragma once
// "Графики": the shares of point sources, anthropogenic diffuse sources and the natural
// background in the load on the water body, one 3-D pie for P and one for N.

#include "ui/chart_window.h"

namespace nutrient {

class PieChart3D;

class SourceShareWindow : public ChartWindow {
    Q_OBJECT
public:
    SourceShareWindow(const LoadResults& results, const TransportCoefficients& coefficients, Messages& messages,
                      FileDialogs& dialogs, QWidget* parent = nullptr);

    // The charts exist once the window has been built (shown or ensureBuilt).
    const PieChart3D& chartP() const { return *chartP_; }
    const PieChart3D& chartN() const { return *chartN_; }

protected:
    // The two pies and the panel under them that explains their labels.
    int buildCharts() override;
    void clearCharts() override;
    // Both pies when L, Lp and Lnat are positive and the crop removal plausible.
    void drawCharts() override;
    // About implausible contributions, then about the crop removal.
    void warn() override;

private:
    const TransportCoefficients& coefficients_;
    PieChart3D* chartP_ = nullptr;
    PieChart3D* chartN_ = nullptr;
};

}  // namespace nutrient
