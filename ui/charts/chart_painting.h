#pragma once
// Drawing pieces shared by the charts: fonts, mark boxes and arrows, value axes.

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;
class QPointF;

namespace nutrient::chart {

// Arial of the given pixel size; bold for titles.
QFont arial(int pixelSize, bool bold = false);

// The title of a chart, centred at the top; returns the y just below it.
qreal paintTitle(QPainter& painter, const QRectF& area, const QString& title, const QFont& font);

// The size of a mark box around a text in the mark font.
QSizeF markSize(const QString& text);
// A mark: pale yellow box, thin black border, black text.
void paintMark(QPainter& painter, const QRectF& box, const QString& text);
// A thin black line from a point on a figure to the nearest point of its mark box.
void paintArrow(QPainter& painter, const QPointF& from, const QRectF& box);

// The rectangle moved by half a pixel so that a one-pixel outline falls on whole pixels.
QRectF crisp(const QRectF& rect);

// A value axis from `low` to `high` in steps of `step`, all round numbers.
struct AxisScale {
    double low = 0, high = 1, step = 1;
    int tickCount() const;
    double tick(int i) const { return low + i * step; }
};
// A step of 1, 2 or 5 times a power of ten giving about `steps` steps from `low` to `high`,
// the range widened to whole steps; 0 ... 1 for a span that is empty or not finite.
AxisScale roundScale(double low, double high, int steps);
// A tick of a value axis with up to three decimals, grouped: "3,500".
QString axisLabel(double value);

}  // namespace nutrient::chart
