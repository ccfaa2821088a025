#pragma once
// What the two chart windows share: their charts, built on first showing with a close button
// centred below them and a context menu that saves the window's picture; and what every
// showing does: empty the charts, report the failure of a calculation that stopped, draw what
// the results allow, then warn about implausible figures.

#include "model/load_calculation.h"
#include "ui/charts/chart_widget.h"
#include "ui/lazy_dialog.h"

#include <QRect>

#include <array>

class QPushButton;

namespace nutrient {

class FileDialogs;

class ChartWindow : public LazyDialog {
    Q_OBJECT
public:
    void refresh() final;

protected:
    ChartWindow(const LoadResults& results, Messages& messages, FileDialogs& dialogs, QWidget* parent);

    void build() final;
    // The charts, their headings and legends; returns the top of the close button below them.
    virtual int buildCharts() = 0;
    virtual void clearCharts() = 0;
    // Draws the charts when the results allow it.
    virtual void drawCharts() = 0;
    virtual void warn() = 0;

    const LoadResults& results_;
    Messages& messages_;

private:
    FileDialogs& dialogs_;
};

// A chart window with one chart of a kind for each nutrient, P on the left ("Chart1") and N on
// the right ("Chart2").
template <class Chart>
class NutrientChartsWindow : public ChartWindow {
public:
    // The charts exist once the window has been built (shown or ensureBuilt).
    const Chart& chartP() const { return *charts_[0]; }
    const Chart& chartN() const { return *charts_[1]; }

protected:
    using ChartWindow::ChartWindow;

    // Both charts in the looks the window draws them in, at their places.
    void makeCharts(ChartLook (*look)(Nutrient), const QRect& placeP, const QRect& placeN) {
        for (Nutrient nutrient : kNutrients) {
            auto* chart = new Chart(this);
            chart->setObjectName(nutrient == Nutrient::P ? QStringLiteral("Chart1") : QStringLiteral("Chart2"));
            chart->setLook(look(nutrient));
            chart->setGeometry(nutrient == Nutrient::P ? placeP : placeN);
            charts_[static_cast<int>(nutrient)] = chart;
        }
    }
    void clearCharts() override {
        for (Chart* chart : charts_) chart->clear();
    }
    Chart& chartOf(Nutrient nutrient) { return *charts_[static_cast<int>(nutrient)]; }

private:
    std::array<Chart*, 2> charts_ = {};
};

}  // namespace nutrient
