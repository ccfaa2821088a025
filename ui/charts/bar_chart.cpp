#include "ui/charts/bar_chart.h"

#include "ui/charts/chart_painting.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace nutrient {

namespace {

constexpr int kTitlePixels = 16;
constexpr int kAxisPixels = 11;
constexpr int kMinorTicksPerStep = 3;
constexpr qreal kBarWidthShare = 0.7;
const QColor kGrid(0xA0, 0xA0, 0xA0);
const QColor kWallLine(0x80, 0x80, 0x80);

using chart::axisLabel;
using Scale = chart::AxisScale;

// About ten round steps; zero is always on the axis since the bars stand on it.
Scale roundScale(const std::vector<ChartBar>& bars) {
    double low = 0, high = 0;
    for (const ChartBar& bar : bars) {
        low = std::min(low, bar.value);
        high = std::max(high, bar.value);
    }
    return chart::roundScale(low, high, 10);
}

// The chart's geometry: the front plane of the plot and the offset of its back plane.
struct Plot {
    QRectF front;
    QPointF back;  // offset of the back plane: right and up
    Scale scale;
    qreal y(double value) const {
        return front.bottom() - (value - scale.low) / (scale.high - scale.low) * front.height();
    }
};

QPolygonF quad(QPointF a, QPointF b, QPointF c, QPointF d) { return QPolygonF({a, b, c, d}); }

void paintBorder(QPainter& painter, const QRectF& outer) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(outer.adjusted(0, 0, -1, -1));
    // The sunken bevel inside the border: shadow above and left, light below and right.
    const QRectF inner = outer.adjusted(1, 1, -2, -2);
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 0));
    painter.drawLine(inner.topLeft(), inner.topRight());
    painter.drawLine(inner.topLeft(), inner.bottomLeft());
    painter.setPen(QPen(Qt::white, 0));
    painter.drawLine(inner.bottomLeft(), inner.bottomRight());
    painter.drawLine(inner.topRight(), inner.bottomRight());
    painter.setRenderHint(QPainter::Antialiasing, true);
}

// The white left wall, the outlined floor and back wall, and the grid on the major ticks.
void paintWalls(QPainter& painter, const Plot& plot, bool withGrid) {
    const QRectF& f = plot.front;
    const QPointF b = plot.back;
    painter.setPen(QPen(kWallLine, 1));
    painter.setBrush(Qt::white);
    painter.drawPolygon(quad(f.topLeft(), f.topLeft() + b, f.bottomLeft() + b, f.bottomLeft()));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(quad(f.bottomLeft(), f.bottomRight(), f.bottomRight() + b, f.bottomLeft() + b));
    painter.drawRect(f.translated(b));
    if (!withGrid) return;
    painter.setPen(QPen(kGrid, 1, Qt::DotLine));
    for (int i = 0; i < plot.scale.tickCount(); ++i) {
        const QPointF left(f.left(), plot.y(plot.scale.tick(i)));
        painter.drawLine(left, left + b);
        painter.drawLine(left + b, QPointF(f.right(), left.y()) + b);
    }
}

void paintAxis(QPainter& painter, const Plot& plot, bool minorTicks, bool withLabels) {
    const QRectF& f = plot.front;
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(QPointF(f.left(), f.top()), QPointF(f.left(), f.bottom()));
    if (!withLabels) return;
    const QFont font = chart::arial(kAxisPixels);
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    const Scale& s = plot.scale;
    for (int i = 0; i < s.tickCount(); ++i) {
        const qreal y = plot.y(s.tick(i));
        painter.drawLine(QPointF(f.left() - 5, y), QPointF(f.left(), y));
        const QRectF label(0, y - metrics.height() / 2, f.left() - 8, metrics.height());
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, axisLabel(s.tick(i)));
        if (!minorTicks || i + 1 == s.tickCount()) continue;
        for (int m = 1; m <= kMinorTicksPerStep; ++m) {
            const qreal minorY = plot.y(s.tick(i) + s.step * m / (kMinorTicksPerStep + 1));
            painter.drawLine(QPointF(f.left() - 3, minorY), QPointF(f.left(), minorY));
        }
    }
}

// A bar as a box standing on zero: front face in its colour, the top lighter, the right
// side darker.
void paintBar(QPainter& painter, const Plot& plot, const ChartBar& bar, qreal left, qreal width) {
    const qreal zero = plot.y(0), end = plot.y(bar.value);
    const QRectF front(left, std::min(zero, end), width, std::fabs(zero - end));
    const QPointF b = plot.back;
    painter.setPen(QPen(QColor(0, 0, 0, 170), 1));
    painter.setBrush(bar.colour.darker(160));
    painter.drawPolygon(quad(front.topRight(), front.topRight() + b, front.bottomRight() + b, front.bottomRight()));
    painter.setBrush(bar.colour.lighter(140));
    painter.drawPolygon(quad(front.topLeft(), front.topRight(), front.topRight() + b, front.topLeft() + b));
    painter.setBrush(bar.colour);
    painter.drawRect(front);
}

// The plot in the area under the title: room on the left for the axis labels, above and
// below for the marks, and the depth running back at 45 degrees, drawn at half its length
// (cabinet projection).
Plot plotOf(const QRectF& area, qreal titleBottom, const ChartLook& look, const std::vector<ChartBar>& bars) {
    Plot plot;
    plot.scale = roundScale(bars);
    const QFontMetricsF axisMetrics(chart::arial(kAxisPixels));
    qreal labelWidth = 0;
    for (int i = 0; !bars.empty() && i < plot.scale.tickCount(); ++i)
        labelWidth = std::max(labelWidth, axisMetrics.horizontalAdvance(axisLabel(plot.scale.tick(i))));
    const qreal markSpace = look.arrowLength + chart::markSize(QStringLiteral("Lret")).height() + 4;
    const qreal left = area.left() + std::ceil(labelWidth) + 12;
    const qreal depth = std::round(look.depthShare * (area.right() - left) * std::sqrt(0.125));
    plot.back = QPointF(depth, -depth);
    plot.front = QRectF(QPointF(left, titleBottom + 8 + depth + markSpace),
                        QPointF(area.right() - depth, area.bottom() - markSpace));
    return plot;
}

// A bar's label on an arrow: above a bar that stands up, below one that hangs down.
void paintBarMark(QPainter& painter, const Plot& plot, const ChartBar& bar, qreal centre, int arrowLength) {
    const QSizeF size = chart::markSize(bar.label);
    const bool up = bar.value >= 0;
    const QPointF from = up ? QPointF(centre, plot.y(bar.value)) + plot.back / 2 : QPointF(centre, plot.y(bar.value));
    const qreal boxTop = up ? from.y() - arrowLength - size.height() : from.y() + arrowLength;
    const QRectF box(from.x() - size.width() / 2, boxTop, size.width(), size.height());
    chart::paintArrow(painter, from, box);
    chart::paintMark(painter, box, bar.label);
}

}  // namespace

// Marks on arrows of 20 pixels, a depth of 15 % of the plot's width.
BarChart3D::BarChart3D(QWidget* parent) : FigureChart({QString(), 20, 0.15}, parent) {}

void BarChart3D::paint(QPainter& painter, const QRectF& bounds, const ChartLook& look,
                       const std::vector<ChartBar>& bars) {
    painter.save();
    // Everything below is laid out from the chart's own top left corner.
    painter.translate(bounds.topLeft());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF outer(QPointF(0, 0), bounds.size());
    paintBorder(painter, outer);
    const QRectF area = outer.adjusted(10, 8, -10, -10);
    const qreal titleBottom = chart::paintTitle(painter, area, look.title, chart::arial(kTitlePixels, true));
    const Plot plot = plotOf(area, titleBottom, look, bars);
    paintWalls(painter, plot, !bars.empty());
    const qreal slot = plot.front.width() / std::max<std::size_t>(bars.size(), 1);
    for (std::size_t i = 0; i < bars.size(); ++i)
        paintBar(painter, plot, bars[i], plot.front.left() + slot * (i + (1 - kBarWidthShare) / 2),
                 slot * kBarWidthShare);
    paintAxis(painter, plot, look.minorTicks, !bars.empty());
    for (std::size_t i = 0; i < bars.size(); ++i)
        paintBarMark(painter, plot, bars[i], plot.front.left() + slot * (i + 0.5), look.arrowLength);
    painter.restore();
}

}  // namespace nutrient
