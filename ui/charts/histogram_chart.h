#pragma once
// A histogram drawn with QPainter: the bins of a value as bars side by side along a value axis,
// their counts on a left axis, and values marked across it by vertical lines carrying their
// labels in marks above the plot (the baseline, the percentiles).  It paints what it is handed
// and computes nothing.

#include "ui/charts/chart_widget.h"

#include <QColor>
#include <QString>

#include <cstddef>
#include <variant>
#include <vector>

class QPainter;
class QRectF;

namespace nutrient {

// The values from low up to high, and how many there are.
struct HistogramBin {
    double low = 0.0;
    double high = 0.0;
    std::size_t count = 0;
    QColor colour;
    bool operator==(const HistogramBin&) const = default;
};

// A value marked by a vertical line across the plot, its label in a mark above it.
struct HistogramMarker {
    double value = 0.0;
    QString label;
    QColor colour;
    bool dashed = false;
    bool operator==(const HistogramMarker&) const = default;
};

using HistogramFigure = std::variant<HistogramBin, HistogramMarker>;

class HistogramChart : public FigureChart<HistogramFigure, HistogramChart> {
    Q_OBJECT
public:
    explicit HistogramChart(QWidget* parent = nullptr);

    // Paints a histogram into `bounds` as the widget paints itself: the same drawing in a window
    // and in a report.  Marks that would overlap stand in rows one above the other.  The
    // painter's state is left as it was.
    static void paint(QPainter& painter, const QRectF& bounds, const ChartLook& look,
                      const std::vector<HistogramFigure>& figures);
};

}  // namespace nutrient
