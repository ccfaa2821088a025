#pragma once
// Drawing pieces shared by the pie and the bar chart: fonts, mark boxes and arrows.

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

}  // namespace nutrient::chart
