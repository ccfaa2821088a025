#pragma once
// "Графики": the shares of point sources, anthropogenic diffuse sources and the natural
// background in the load on the water body, one 3-D pie for P and one for N.

#include "model/load_calculation.h"
#include "ui/charts/chart_data.h"
#include "ui/charts/chart_widget.h"
#include "ui/lazy_dialog.h"

#include <QStringList>

#include <vector>

class QPushButton;

namespace nutrient {

class FileDialogs;

class PieChart3D;

// The pie of a nutrient as this window draws it, and as the report draws it: title, arrows
// and depth; the three slices of the results with their colours and legend labels; the lines
// of the panel under the pies that explain the labels.
ChartLook sourceShareLook(Nutrient nutrient);
std::vector<PieSlice> sourceSharePie(const LoadResults& results, const TransportCoefficients& coefficients, Nutrient nutrient);
QStringList sourceShareLegend();

class SourceShareWindow : public LazyDialog {
    Q_OBJECT
public:
    SourceShareWindow(const LoadResults& results, const TransportCoefficients& coefficients, Messages& messages,
                      FileDialogs& dialogs, QWidget* parent = nullptr);

    // Empties both pies; after a calculation that stopped, reports its failure; else draws
    // them when the results allow, then warns about implausible contributions.
    void refresh() override;

    // The charts exist once the window has been built (shown or ensureBuilt).
    const PieChart3D& chartP() const { return *chartP_; }
    const PieChart3D& chartN() const { return *chartN_; }

protected:
    // The two charts, their legend and the close button, built on first showing, and the
    // context menu that saves the window's picture.
    void build() override;

private:
    const LoadResults& results_;
    const TransportCoefficients& coefficients_;
    Messages& messages_;
    FileDialogs& dialogs_;
    PieChart3D* chartP_ = nullptr;
    PieChart3D* chartN_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

}  // namespace nutrient
