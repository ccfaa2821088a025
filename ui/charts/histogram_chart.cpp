#include "ui/charts/histogram_chart.h"

#include "model/number_text.h"
#include "ui/charts/chart_painting.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace nutrient {

namespace {

constexpr int kTitlePixels = 14;
constexpr int kAxisPixels = 11;
constexpr qreal kTick = 4;
constexpr qreal kGap = 6;
constexpr int kCountTicks = 5;
const QColor kAxisLine(0x60, 0x60, 0x60);
const QColor kGrid(0xC8, 0xC8, 0xC8);

struct SortedFigures {
    std::vector<HistogramBin> bins;
    std::vector<HistogramMarker> markers;  // from the smallest value
};

SortedFigures sortedFigures(const std::vector<HistogramFigure>& figures) {
    SortedFigures sorted;
    for (const HistogramFigure& figure : figures) {
        if (const auto* bin = std::get_if<HistogramBin>(&figure)) sorted.bins.push_back(*bin);
        else sorted.markers.push_back(std::get<HistogramMarker>(figure));
    }
    std::stable_sort(sorted.markers.begin(), sorted.markers.end(),
                     [](const HistogramMarker& a, const HistogramMarker& b) { return a.value < b.value; });
    return sorted;
}

QString numberLabel(double value) { return QString::fromStdString(formatGeneral(value)); }

// The counts' axis from zero in a round step (1, 2 or 5 times a power of ten) of about
// kCountTicks ticks; whole numbers, since it counts.
struct CountScale {
    double step = 1;
    int ticks = 1;
    double top() const { return step * ticks; }
};

CountScale countScale(const std::vector<HistogramBin>& bins) {
    std::size_t highest = 1;
    for (const HistogramBin& bin : bins) highest = std::max(highest, bin.count);
    const double rough = std::max(1.0, static_cast<double>(highest) / kCountTicks);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * power;
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough) {
            step = factor * power;
            break;
        }
    }
    return {step, static_cast<int>(std::ceil(static_cast<double>(highest) / step))};
}

struct ValueRange {
    double low = 0, high = 1;
};

// The values along the plot: the bins' edges and every marked value, with a bin's width free on
// either side of one or two bins, which would fill the plot, and widened when all are one value.
ValueRange valueRange(const SortedFigures& figures) {
    std::vector<double> values;
    if (!figures.bins.empty() && figures.bins.size() < 3) {
        const double width = figures.bins.front().high - figures.bins.front().low;
        values.insert(values.end(), {figures.bins.front().low - width, figures.bins.back().high + width});
    }
    for (const HistogramBin& bin : figures.bins) values.insert(values.end(), {bin.low, bin.high});
    for (const HistogramMarker& marker : figures.markers) values.push_back(marker.value);
    if (values.empty()) return {};
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    if (*low < *high) return {*low, *high};
    const double margin = std::max(1.0, std::fabs(*low) * 0.01);
    return {*low - margin, *high + margin};
}

struct Plot {
    QRectF box;
    ValueRange values;
    CountScale counts;
    qreal x(double value) const { return box.left() + (value - values.low) / (values.high - values.low) * box.width(); }
    qreal y(double count) const { return box.bottom() - count / counts.top() * box.height(); }
};

// A marker's mark: its box, in the row it stands in (0 nearest the plot).
struct Mark {
    const HistogramMarker* marker;
    QRectF box;
    int row;
};

// The marks centred over their lines within the area, each in the lowest row where it
// overlaps no other mark; their vertical place comes once the plot's top is known.
std::vector<Mark> placeMarks(const Plot& plot, const std::vector<HistogramMarker>& markers, const QRectF& area,
                             int& rows) {
    std::vector<Mark> marks;
    std::vector<qreal> rowEnds;
    for (const HistogramMarker& marker : markers) {
        const QSizeF size = chart::markSize(marker.label);
        const qreal left = std::clamp(plot.x(marker.value) - size.width() / 2, area.left(),
                                      std::max(area.left(), area.right() - size.width()));
        std::size_t row = 0;
        while (row < rowEnds.size() && left < rowEnds[row] + kGap) ++row;
        if (row == rowEnds.size()) rowEnds.push_back(0);
        rowEnds[row] = left + size.width();
        marks.push_back({&marker, QRectF(QPointF(left, 0), size), static_cast<int>(row)});
    }
    rows = static_cast<int>(rowEnds.size());
    return marks;
}

void paintCountAxis(QPainter& painter, const Plot& plot, const QFont& font) {
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    for (int i = 0; i <= plot.counts.ticks; ++i) {
        const qreal y = plot.y(plot.counts.step * i);
        painter.setPen(QPen(kGrid, 1, Qt::DotLine));
        if (i > 0) painter.drawLine(QPointF(plot.box.left(), y), QPointF(plot.box.right(), y));
        painter.setPen(QPen(kAxisLine, 1));
        painter.drawLine(QPointF(plot.box.left() - kTick, y), QPointF(plot.box.left(), y));
        const QRectF label(0, y - metrics.height() / 2, plot.box.left() - kTick - 3, metrics.height());
        painter.setPen(Qt::black);
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, numberLabel(plot.counts.step * i));
    }
}

// Every edge of the bins that leaves its label room, from the first.
void paintValueAxis(QPainter& painter, const Plot& plot, const SortedFigures& figures, const QFont& font) {
    std::vector<double> edges;
    for (const HistogramBin& bin : figures.bins) {
        if (edges.empty() || edges.back() != bin.low) edges.push_back(bin.low);
        edges.push_back(bin.high);
    }
    if (edges.empty()) edges = {plot.values.low, plot.values.high};
    const QFontMetricsF metrics(font);
    qreal widest = 0;
    for (double edge : edges) widest = std::max(widest, metrics.horizontalAdvance(numberLabel(edge)));
    const qreal spacing = edges.size() > 1 ? (plot.x(edges.back()) - plot.x(edges.front())) / (edges.size() - 1) : 1;
    const std::size_t stride = std::max<std::size_t>(1, static_cast<std::size_t>(std::ceil((widest + kGap) / spacing)));
    painter.setFont(font);
    for (std::size_t i = 0; i < edges.size(); i += stride) {
        const qreal x = plot.x(edges[i]);
        painter.setPen(QPen(kAxisLine, 1));
        painter.drawLine(QPointF(x, plot.box.bottom()), QPointF(x, plot.box.bottom() + kTick));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x - widest, plot.box.bottom() + kTick + 1, 2 * widest, metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, numberLabel(edges[i]));
    }
}

void paintBins(QPainter& painter, const Plot& plot, const std::vector<HistogramBin>& bins) {
    for (const HistogramBin& bin : bins) {
        if (bin.count == 0) continue;
        const QRectF bar(QPointF(plot.x(bin.low), plot.y(static_cast<double>(bin.count))),
                         QPointF(plot.x(bin.high), plot.box.bottom()));
        painter.setPen(QPen(bin.colour.darker(150), 1));
        painter.setBrush(bin.colour);
        painter.drawRect(bar);
    }
}

// The lines across the plot, then their marks over them, each joined to its line.
void paintMarkers(QPainter& painter, const Plot& plot, const std::vector<Mark>& marks) {
    for (const Mark& mark : marks) {
        const qreal x = plot.x(mark.marker->value);
        QPen pen(mark.marker->colour, 2, mark.marker->dashed ? Qt::DashLine : Qt::SolidLine);
        painter.setPen(pen);
        painter.drawLine(QPointF(x, plot.box.bottom()), QPointF(x, plot.box.top()));
        pen.setWidthF(1);
        painter.setPen(pen);
        const QPointF joint(std::clamp(x, mark.box.left(), mark.box.right()), mark.box.bottom());
        painter.drawLine(QPointF(x, plot.box.top()), joint);
    }
    for (const Mark& mark : marks) chart::paintMark(painter, mark.box, mark.marker->label);
}

}  // namespace

HistogramChart::HistogramChart(QWidget* parent) : FigureChart(ChartLook{}, parent) {}

void HistogramChart::paint(QPainter& painter, const QRectF& bounds, const ChartLook& look,
                           const std::vector<HistogramFigure>& figures) {
    painter.save();
    painter.translate(bounds.topLeft());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF outer(QPointF(0, 0), bounds.size());
    painter.setPen(QPen(kAxisLine, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(chart::crisp(outer));
    const QRectF area = outer.adjusted(10, 8, -10, -8);
    const qreal titleBottom = chart::paintTitle(painter, area, look.title, chart::arial(kTitlePixels, true));
    const SortedFigures split = sortedFigures(figures);
    if (split.bins.empty() && split.markers.empty()) {
        painter.restore();
        return;
    }

    const QFont axisFont = chart::arial(kAxisPixels);
    const QFontMetricsF metrics(axisFont);
    Plot plot{{}, valueRange(split), countScale(split.bins)};
    const qreal countWidth = metrics.horizontalAdvance(numberLabel(plot.counts.top()));
    const qreal valueWidth = std::max(metrics.horizontalAdvance(numberLabel(plot.values.low)),
                                      metrics.horizontalAdvance(numberLabel(plot.values.high)));
    // Room on the left for the counts, on the right for half the last value's label.
    plot.box.setLeft(std::max(area.left() + countWidth + kTick + 4, area.left() + valueWidth / 2));
    plot.box.setRight(area.right() - valueWidth / 2);
    int rows = 0;
    std::vector<Mark> marks = placeMarks(plot, split.markers, area, rows);
    const qreal markHeight = chart::markSize(QStringLiteral("0")).height();
    plot.box.setTop(titleBottom + kGap + rows * (markHeight + kGap) + kGap);
    plot.box.setBottom(area.bottom() - kTick - metrics.height() - 2);
    for (Mark& mark : marks) mark.box.moveBottom(plot.box.top() - kGap - mark.row * (markHeight + kGap));

    paintCountAxis(painter, plot, axisFont);
    paintBins(painter, plot, split.bins);
    painter.setPen(QPen(kAxisLine, 1));
    painter.drawLine(plot.box.bottomLeft(), plot.box.bottomRight());
    painter.drawLine(plot.box.bottomLeft(), plot.box.topLeft());
    paintValueAxis(painter, plot, split, axisFont);
    paintMarkers(painter, plot, marks);
    painter.restore();
}

}  // namespace nutrient
