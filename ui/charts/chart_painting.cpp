#include "ui/charts/chart_painting.h"

#include "model/number_text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPointF>

#include <algorithm>
#include <cmath>

namespace nutrient::chart {

namespace {
constexpr int kMarkFontPixels = 11;
constexpr qreal kMarkPaddingX = 4;
constexpr qreal kMarkPaddingY = 2;
const QColor kMarkFill(0xFF, 0xFF, 0xE1);
}  // namespace

QFont arial(int pixelSize, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

qreal paintTitle(QPainter& painter, const QRectF& area, const QString& title, const QFont& font) {
    const QFontMetricsF metrics(font);
    const QRectF line(area.left(), area.top(), area.width(), metrics.height());
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(line, Qt::AlignHCenter | Qt::AlignVCenter, title);
    return line.bottom();
}

QSizeF markSize(const QString& text) {
    const QFontMetricsF metrics(arial(kMarkFontPixels));
    return {std::ceil(metrics.horizontalAdvance(text)) + 2 * kMarkPaddingX,
            std::ceil(metrics.height()) + 2 * kMarkPaddingY};
}

void paintMark(QPainter& painter, const QRectF& box, const QString& text) {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(kMarkFill);
    painter.drawRect(crisp(box));
    painter.setFont(arial(kMarkFontPixels));
    painter.drawText(box, Qt::AlignCenter, text);
}

void paintArrow(QPainter& painter, const QPointF& from, const QRectF& box) {
    const QPointF to(std::clamp(from.x(), box.left(), box.right()), std::clamp(from.y(), box.top(), box.bottom()));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(from, to);
}

QRectF crisp(const QRectF& rect) {
    return QRectF(std::round(rect.left()) + 0.5, std::round(rect.top()) + 0.5, std::round(rect.width()) - 1,
                  std::round(rect.height()) - 1);
}

int AxisScale::tickCount() const { return static_cast<int>(std::lround((high - low) / step)) + 1; }

AxisScale roundScale(double low, double high, int steps) {
    const double span = high - low;
    if (!(span > 0) || !std::isfinite(span)) return {};
    const double rough = span / steps;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * power;
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough) {
            step = factor * power;
            break;
        }
    }
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

QString axisLabel(double value) { return QString::fromStdString(formatGrouped(value, 3)); }

}  // namespace nutrient::chart
