#include "ui/charts/tornado_chart.h"

#include "ui/charts/chart_painting.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace nutrient {

namespace {

constexpr int kTitlePixels = 13;
constexpr int kTextPixels = 11;
constexpr int kAxisSteps = 6;
constexpr qreal kMostSlot = 30;
constexpr qreal kBarShare = 0.66;
const QColor kDown(0x3A, 0x6E, 0xC8);
const QColor kUp(0xD0, 0x3A, 0x2F);
const QColor kBorder(0xA0, 0xA0, 0xA0);
const QColor kGrid(0xC8, 0xC8, 0xC8);

// The axis over every load the bars reach and the baseline; a chart whose bars have no length
// still gets an axis around its baseline.
chart::AxisScale scaleOf(const std::vector<TornadoBar>& bars) {
    double low = bars.front().baseline, high = low;
    for (const TornadoBar& bar : bars)
        low = std::min({low, bar.low, bar.high}), high = std::max({high, bar.low, bar.high});
    if (!(high > low)) {
        const double margin = std::max(1.0, std::fabs(low) / 100);
        low -= margin;
        high += margin;
    }
    return chart::roundScale(low, high, kAxisSteps);
}

struct Plot {
    QRectF area;  // the bars' rows, between the labels and the right edge
    chart::AxisScale scale;
    qreal slot = 0;
    qreal x(double value) const { return area.left() + (value - scale.low) / (scale.high - scale.low) * area.width(); }
};

// What the colours mean, centred under the title; returns the y below.
qreal paintLegend(QPainter& painter, const QRectF& area, qreal y) {
    const QFont font = chart::arial(kTextPixels);
    const QFontMetricsF metrics(font);
    const QString down = QStringLiteral("параметр уменьшен");
    const QString up = QStringLiteral("параметр увеличен");
    const QSizeF swatch(14, 10);
    constexpr qreal kGap = 6, kBetween = 24;
    const qreal width =
        2 * (swatch.width() + kGap) + metrics.horizontalAdvance(down) + kBetween + metrics.horizontalAdvance(up);
    qreal x = area.center().x() - width / 2;
    painter.setFont(font);
    for (const auto& [colour, text] : {std::pair{kDown, down}, std::pair{kUp, up}}) {
        painter.fillRect(QRectF(QPointF(x, y + (metrics.height() - swatch.height()) / 2), swatch), colour);
        x += swatch.width() + kGap;
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x, y, metrics.horizontalAdvance(text) + 1, metrics.height()), Qt::AlignVCenter, text);
        x += metrics.horizontalAdvance(text) + kBetween;
    }
    return y + metrics.height();
}

void paintAxis(QPainter& painter, const Plot& plot) {
    const QFont font = chart::arial(kTextPixels);
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    const QRectF& a = plot.area;
    for (int i = 0; i < plot.scale.tickCount(); ++i) {
        const qreal x = plot.x(plot.scale.tick(i));
        painter.setPen(QPen(kGrid, 1, Qt::DotLine));
        painter.drawLine(QPointF(x, a.top()), QPointF(x, a.bottom()));
        painter.setPen(QPen(Qt::black, 1));
        painter.drawLine(QPointF(x, a.bottom()), QPointF(x, a.bottom() + 4));
        const QString label = chart::axisLabel(plot.scale.tick(i));
        const qreal width = metrics.horizontalAdvance(label) + 2;
        painter.drawText(QRectF(x - width / 2, a.bottom() + 5, width, metrics.height()), Qt::AlignCenter, label);
    }
    painter.drawLine(a.bottomLeft(), a.bottomRight());
}

// The part of a bar from the baseline to one load.
QRectF segment(const Plot& plot, double baseline, double load, qreal top, qreal height) {
    const qreal from = plot.x(baseline), to = plot.x(load);
    return QRectF(std::min(from, to), top, std::fabs(to - from), height);
}

void paintBar(QPainter& painter, const Plot& plot, const TornadoBar& bar, qreal centre) {
    const qreal height = plot.slot * kBarShare;
    const qreal top = centre - height / 2;
    const QRectF down = segment(plot, bar.baseline, bar.low, top, height);
    const QRectF up = segment(plot, bar.baseline, bar.high, top, height);
    // Both moves may push the load the same way: the longer part first, the shorter over it.
    const bool downFirst = down.width() >= up.width();
    painter.setPen(QPen(QColor(0, 0, 0, 140), 1));
    for (const auto& [box, colour] : downFirst ? std::array{std::pair{down, kDown}, std::pair{up, kUp}}
                                               : std::array{std::pair{up, kUp}, std::pair{down, kDown}}) {
        painter.setBrush(colour);
        painter.drawRect(box);
    }
}

}  // namespace

TornadoChart::TornadoChart(QWidget* parent) : FigureChart({}, parent) {}

void TornadoChart::paint(QPainter& painter, const QRectF& bounds, const ChartLook& look,
                         const std::vector<TornadoBar>& bars) {
    painter.save();
    painter.translate(bounds.topLeft());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF outer(QPointF(0, 0), bounds.size());
    painter.setPen(QPen(kBorder, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(chart::crisp(outer));
    const QRectF area = outer.adjusted(10, 8, -10, -8);
    const qreal titleBottom = chart::paintTitle(painter, area, look.title, chart::arial(kTitlePixels, true));
    const qreal legendBottom = paintLegend(painter, area, titleBottom + 4);
    if (bars.empty()) {
        painter.restore();
        return;
    }

    const QFont font = chart::arial(kTextPixels);
    const QFontMetricsF metrics(font);
    qreal labelWidth = 0;
    for (const TornadoBar& bar : bars) labelWidth = std::max(labelWidth, metrics.horizontalAdvance(bar.label));
    labelWidth = std::min(std::ceil(labelWidth) + 10, area.width() * 0.4);
    Plot plot;
    plot.scale = scaleOf(bars);
    // Room on the right for half of the last axis label.
    const qreal lastLabel = metrics.horizontalAdvance(chart::axisLabel(plot.scale.high));
    plot.area = QRectF(QPointF(area.left() + labelWidth, legendBottom + 10),
                       QPointF(area.right() - lastLabel / 2, area.bottom() - metrics.height() - 6));
    plot.slot = std::min(kMostSlot, plot.area.height() / static_cast<qreal>(bars.size()));
    paintAxis(painter, plot);

    painter.setFont(font);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const qreal centre = plot.area.top() + plot.slot * (static_cast<qreal>(i) + 0.5);
        paintBar(painter, plot, bars[i], centre);
        painter.setPen(Qt::black);
        const QRectF label(area.left(), centre - metrics.height() / 2, labelWidth - 8, metrics.height());
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter,
                         metrics.elidedText(bars[i].label, Qt::ElideRight, label.width()));
    }
    // The baseline over the bars.
    const qreal baseline = plot.x(bars.front().baseline);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.drawLine(QPointF(baseline, plot.area.top() - 4), QPointF(baseline, plot.area.bottom()));
    painter.restore();
}

}  // namespace nutrient
