#pragma once
// A tornado chart of a sensitivity analysis drawn with QPainter: one horizontal bar per
// parameter, largest first, running from the baseline load to the load with the parameter
// moved down (in blue) and up (in red), the parameters' symbols on the left, the load on an
// axis below and the baseline as a vertical line.  It paints what it is handed and computes
// nothing.

#include "ui/charts/chart_widget.h"

#include <QString>

#include <vector>

class QPainter;
class QRectF;

namespace nutrient {

// One parameter's bar: the loads, t/yr, with the parameter moved down and up, beside the
// baseline load (the same for every bar of a chart).
struct TornadoBar {
    QString label;
    double low = 0.0;
    double high = 0.0;
    double baseline = 0.0;
    bool operator==(const TornadoBar&) const = default;
};

class TornadoChart : public FigureChart<TornadoBar, TornadoChart> {
    Q_OBJECT
public:
    explicit TornadoChart(QWidget* parent = nullptr);

    // Paints the chart into `bounds` as the widget paints itself: the same drawing in a window
    // and a report.  The bars are drawn from the top in the order given.  The painter's state is
    // left as it was.
    static void paint(QPainter& painter, const QRectF& bounds, const ChartLook& look,
                      const std::vector<TornadoBar>& bars);
};

}  // namespace nutrient
