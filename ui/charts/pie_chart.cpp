#include "ui/charts/pie_chart.h"

#include "ui/charts/chart_painting.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace nutrient {

namespace {

constexpr int kTitlePixels = 13;
constexpr int kLegendPixels = 11;
constexpr qreal kMargin = 8;
const QColor kOutline(0, 0, 0, 150);

// Where the pie stands: the centre and radius of its top face and the height of its wall.
struct PieFrame {
    QPointF centre;
    qreal radius = 0;
    qreal depth = 0;
    QRectF top() const { return {centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius}; }
    QRectF bottom() const { return top().translated(0, depth); }
};

// A slice's sweep, in degrees anticlockwise from three o'clock.
struct Sweep {
    qreal start;
    qreal span;
    qreal middle() const { return start + span / 2; }
};

std::vector<Sweep> sweepsOf(const std::vector<PieSlice>& slices) {
    qreal total = 0;
    for (const PieSlice& slice : slices) total += std::fabs(slice.value);
    std::vector<Sweep> result;
    qreal start = 0;
    for (const PieSlice& slice : slices) {
        const qreal span = total > 0 ? 360.0 * std::fabs(slice.value) / total : 0;
        result.push_back({start, span});
        start += span;
    }
    return result;
}

QPointF direction(qreal degrees) {
    const qreal radians = degrees * std::numbers::pi / 180;
    return {std::cos(radians), -std::sin(radians)};
}

bool onFrontHalf(qreal degrees) { return std::sin(degrees * std::numbers::pi / 180) < 0; }

// The point of the pie's outline at an angle: on the rim of the top face at the back, on the
// lower rim of the wall at the front.
QPointF outlinePoint(const PieFrame& pie, qreal degrees) {
    QPointF point = pie.centre + pie.radius * direction(degrees);
    if (onFrontHalf(degrees)) point.ry() += pie.depth;
    return point;
}

// Distance from a box to the pie body (the top face swept down through the wall).
qreal distanceToPie(const PieFrame& pie, const QRectF& box) {
    const qreal dx = std::max({0.0, box.left() - pie.centre.x(), pie.centre.x() - box.right()});
    const qreal dy = std::max({0.0, box.top() - (pie.centre.y() + pie.depth), pie.centre.y() - box.bottom()});
    return std::hypot(dx, dy) - pie.radius;
}

// The first of the other boxes that the box touches, or nullptr.
const QRectF* overlapped(const QRectF& box, const std::vector<QRectF>& others) {
    const QRectF spaced = box.adjusted(-2, -2, 2, 2);
    auto it = std::find_if(others.begin(), others.end(), [&](const QRectF& other) { return spaced.intersects(other); });
    return it == others.end() ? nullptr : &*it;
}

// The box of a mark: leaning outwards from the end of its arrow, pushed further out until it
// keeps the arrow's length from the pie, then slid along the pie's side (up or down beside
// it, sideways above or below it) away from any mark placed before it.
QRectF placeMark(const PieFrame& pie, qreal degrees, const QSizeF& size, qreal arrowLength,
                 const std::vector<QRectF>& placed) {
    const QPointF u = direction(degrees);
    const QPointF end = outlinePoint(pie, degrees) + arrowLength * u;
    const QPointF centre = end + QPointF(u.x() * size.width() / 2, u.y() * size.height() / 2);
    QRectF box(centre.x() - size.width() / 2, centre.y() - size.height() / 2, size.width(), size.height());
    for (int step = 0; step < 400 && distanceToPie(pie, box) < arrowLength - 0.5; ++step) box.translate(u);
    const bool beside = std::fabs(u.x()) >= std::fabs(u.y());
    for (int step = 0; step < 400; ++step) {
        const QRectF* other = overlapped(box, placed);
        if (!other) break;
        const QPointF away = box.center() - other->center();
        box.translate(beside ? QPointF(0, away.y() < 0 ? -1 : 1) : QPointF(away.x() < 0 ? -1 : 1, 0));
    }
    return box;
}

QPainterPath topFace(const PieFrame& pie, const Sweep& sweep) {
    QPainterPath path(pie.centre);
    path.arcTo(pie.top(), sweep.start, sweep.span);
    path.closeSubpath();
    return path;
}

// The part of a slice's outer wall seen from the front, between two angles of the front half.
QPainterPath wall(const PieFrame& pie, qreal from, qreal to) {
    QPainterPath path(pie.centre + pie.radius * direction(from));
    path.arcTo(pie.top(), from, to - from);
    path.lineTo(pie.centre + pie.radius * direction(to) + QPointF(0, pie.depth));
    path.arcTo(pie.bottom(), to, from - to);
    path.closeSubpath();
    return path;
}

// A wall darkens towards the sides of the pie, as a cylinder lit from the upper left.
QBrush wallShade(const PieFrame& pie, const QColor& colour) {
    QLinearGradient gradient(pie.centre.x() - pie.radius, 0, pie.centre.x() + pie.radius, 0);
    gradient.setColorAt(0, colour.darker(200));
    gradient.setColorAt(0.35, colour.darker(125));
    gradient.setColorAt(1, colour.darker(230));
    return gradient;
}

// The front walls, the ones farthest from the viewer (the sides) first.
void paintWalls(QPainter& painter, const PieFrame& pie, const std::vector<PieSlice>& slices,
                const std::vector<Sweep>& sweeps) {
    struct Piece {
        qreal from, to;
        QColor colour;
    };
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i < slices.size(); ++i) {
        const qreal from = std::max<qreal>(sweeps[i].start, 180);
        const qreal to = std::min<qreal>(sweeps[i].start + sweeps[i].span, 360);
        if (to > from) pieces.push_back({from, to, slices[i].colour});
    }
    auto distanceFromFront = [](const Piece& p) { return std::fabs((p.from + p.to) / 2 - 270); };
    std::sort(pieces.begin(), pieces.end(),
              [&](const Piece& a, const Piece& b) { return distanceFromFront(a) > distanceFromFront(b); });
    for (const Piece& piece : pieces) {
        painter.setPen(QPen(kOutline, 1));
        painter.setBrush(wallShade(pie, piece.colour));
        painter.drawPath(wall(pie, piece.from, piece.to));
    }
}

void paintTopFaces(QPainter& painter, const PieFrame& pie, const std::vector<PieSlice>& slices,
                   const std::vector<Sweep>& sweeps) {
    painter.setPen(QPen(kOutline, 1));
    for (std::size_t i = 0; i < slices.size(); ++i) {
        if (sweeps[i].span <= 0) continue;
        painter.setBrush(slices[i].colour);
        painter.drawPath(topFace(pie, sweeps[i]));
    }
}

// The legend: one row of entries, each a colour box as wide as the widest label, then the
// label, in a white framed box.
constexpr qreal kLegendPadding = 8;
constexpr qreal kLegendGap = 4;       // between colour box and label
constexpr qreal kLegendSpacing = 10;  // between entries

qreal widestLabel(const std::vector<PieSlice>& slices, const QFontMetricsF& metrics) {
    qreal widest = 0;
    for (const PieSlice& slice : slices) widest = std::max(widest, metrics.horizontalAdvance(slice.label));
    return std::round(widest);
}

QRectF legendBox(const std::vector<PieSlice>& slices, const QRectF& area) {
    const QFontMetricsF metrics(chart::arial(kLegendPixels));
    qreal width = 2 * kLegendPadding - kLegendSpacing;
    for (const PieSlice& slice : slices)
        width += widestLabel(slices, metrics) + kLegendGap + metrics.horizontalAdvance(slice.label) + kLegendSpacing;
    const QSizeF size(std::ceil(width), std::ceil(metrics.height() + 8));
    return {std::round(area.center().x() - size.width() / 2), area.bottom() - size.height(), size.width(),
            size.height()};
}

void paintLegend(QPainter& painter, const std::vector<PieSlice>& slices, const QRectF& box) {
    const QFont font = chart::arial(kLegendPixels);
    const QFontMetricsF metrics(font);
    const qreal colourWidth = widestLabel(slices, metrics);
    const qreal colourHeight = std::round(metrics.ascent() * 0.8);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(chart::crisp(box));
    painter.setFont(font);
    qreal x = box.left() + kLegendPadding;
    for (const PieSlice& slice : slices) {
        painter.setBrush(slice.colour);
        const qreal top = std::round(box.center().y() - colourHeight / 2);
        painter.drawRect(chart::crisp(QRectF(x, top, colourWidth, colourHeight + 1)));
        x += colourWidth + kLegendGap;
        const qreal textWidth = metrics.horizontalAdvance(slice.label);
        painter.drawText(QRectF(x, box.top(), textWidth + 1, box.height()), Qt::AlignVCenter, slice.label);
        x += textWidth + kLegendSpacing;
    }
}

// The mark boxes of all slices, each clear of the pie and of the marks before it.
std::vector<QRectF> placeMarks(const PieFrame& pie, const std::vector<PieSlice>& slices,
                               const std::vector<Sweep>& sweeps, qreal arrowLength) {
    std::vector<QRectF> placed;
    for (std::size_t i = 0; i < slices.size(); ++i)
        placed.push_back(placeMark(pie, sweeps[i].middle(), chart::markSize(slices[i].mark), arrowLength, placed));
    return placed;
}

// The largest pie, centred in the room, whose marks all stay inside the room and off the pie.
PieFrame largestFittingPie(const QRectF& room, qreal depth, const std::vector<PieSlice>& slices,
                           const std::vector<Sweep>& sweeps, qreal arrowLength) {
    PieFrame pie;
    pie.depth = depth;
    pie.centre = QPointF(std::round(room.center().x()), std::round(room.center().y() - depth / 2));
    // A pie of at most about a third of the room keeps the marks near their slices.
    pie.radius = std::floor(0.32 * std::min(room.width(), room.height() - depth));
    for (; pie.radius > 20; pie.radius -= 2) {
        const std::vector<QRectF> marks = placeMarks(pie, slices, sweeps, arrowLength);
        if (std::all_of(marks.begin(), marks.end(),
                        [&](const QRectF& box) { return room.contains(box) && distanceToPie(pie, box) > 0; }))
            break;
    }
    return pie;
}

// The legend at the bottom of the area, the pie in the room the title and legend leave, and
// each slice's mark on its arrow.
void paintPie(QPainter& painter, const QRectF& area, qreal titleBottom, const ChartLook& look,
              const std::vector<PieSlice>& slices, const QSizeF& size) {
    const QRectF legend = legendBox(slices, area);
    paintLegend(painter, slices, legend);

    const QRectF room(area.left(), titleBottom + 6, area.width(), legend.top() - 6 - (titleBottom + 6));
    const std::vector<Sweep> sweeps = sweepsOf(slices);
    const qreal depth = std::round(look.depthShare * std::min(size.width(), size.height()));
    const PieFrame pie = largestFittingPie(room, depth, slices, sweeps, look.arrowLength);
    paintWalls(painter, pie, slices, sweeps);
    paintTopFaces(painter, pie, slices, sweeps);

    const std::vector<QRectF> marks = placeMarks(pie, slices, sweeps, look.arrowLength);
    for (std::size_t i = 0; i < slices.size(); ++i) {
        chart::paintArrow(painter, outlinePoint(pie, sweeps[i].middle()), marks[i]);
        chart::paintMark(painter, marks[i], slices[i].mark);
    }
}

}  // namespace

// Marks on arrows of 8 pixels, a pie 6 % of the chart's smaller side thick.
PieChart3D::PieChart3D(QWidget* parent) : FigureChart({QString(), 8, 0.06}, parent) {}

void PieChart3D::paint(QPainter& painter, const QRectF& bounds, const ChartLook& look,
                       const std::vector<PieSlice>& slices) {
    painter.save();
    // Everything below is laid out from the chart's own top left corner.
    painter.translate(bounds.topLeft());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF area = QRectF(QPointF(0, 0), bounds.size()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const qreal titleBottom = chart::paintTitle(painter, area, look.title, chart::arial(kTitlePixels, true));
    if (!slices.empty()) paintPie(painter, area, titleBottom, look, slices, bounds.size());
    painter.restore();
}

}  // namespace nutrient
