#include "ui/charts/chart_painting.h"

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

}  // namespace nutrient::chart
