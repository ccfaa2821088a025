#include "ui/report_canvas.h"

#include "model/messages.h"
#include "ui/charts/chart_painting.h"

#include <QPagedPaintDevice>
#include <QTextOption>

#include <algorithm>

namespace nutrient {

const QColor ReportCanvas::kGrey(0x50, 0x50, 0x50);
const QColor ReportCanvas::kRule(0xA0, 0xA0, 0xA0);
const QColor ReportCanvas::kStripe(0xF0, 0xF0, 0xF0);

ReportCanvas::ReportCanvas(QPagedPaintDevice& device, QString footerName, int pageCount)
    : device_(device), footerName_(std::move(footerName)), pageCount_(pageCount) {}

void ReportCanvas::begin() {
    if (!painter_.begin(&device_)) throw Failure(kReportNotPrinted);
    beginPage();
}

void ReportCanvas::newPage() {
    device_.newPage();
    beginPage();
}

void ReportCanvas::end() { painter_.end(); }

QFont ReportCanvas::font(qreal points, bool bold, bool italic) {
    QFont result = chart::arial(qRound(points * 254 / 72), bold);
    result.setItalic(italic);
    return result;
}

QFontMetricsF ReportCanvas::metrics(const QFont& font) const { return QFontMetricsF(font, &device_); }

// The page fitted into the device's, centred; then the footer.
void ReportCanvas::beginPage() {
    ++page_;
    painter_.resetTransform();
    const qreal scale = std::min(device_.width() / kPageWidth, device_.height() / kPageHeight);
    painter_.translate((device_.width() - kPageWidth * scale) / 2, (device_.height() - kPageHeight * scale) / 2);
    painter_.scale(scale, scale);
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);

    rule(kFooterTop, kRule);
    const QFont small = font(7.5);
    painter_.setPen(kGrey);
    paintLine(QRectF(kLeft, kFooterTop + 12, kWidth * 0.7, 40), footerName_, small, Qt::AlignLeft);
    paintLine(QRectF(kLeft, kFooterTop + 12, kWidth, 40),
              QStringLiteral("Страница %1 из %2").arg(page_).arg(pageCount_), small, Qt::AlignRight);
    painter_.setPen(Qt::black);
}

void ReportCanvas::rule(qreal y, const QColor& colour, qreal thickness) {
    painter_.fillRect(QRectF(kLeft, y, kWidth, thickness), colour);
}

void ReportCanvas::frame(const QRectF& box) {
    painter_.setPen(QPen(kRule, 3));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(box);
    painter_.setPen(Qt::black);
}

void ReportCanvas::paintLine(const QRectF& box, const QString& line, const QFont& font, Qt::Alignment alignment) {
    painter_.setFont(font);
    painter_.drawText(box, alignment | Qt::AlignVCenter, metrics(font).elidedText(line, Qt::ElideRight, box.width()));
}

qreal ReportCanvas::paintText(const QRectF& box, const QString& text, const QFont& font, Qt::Alignment alignment,
                              bool paint) {
    painter_.setFont(font);
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const QRectF room(box.left(), box.top(), box.width(), kPageHeight);
    const qreal height = painter_.boundingRect(room, text, option).height();
    if (paint) painter_.drawText(QRectF(box.left(), box.top(), box.width(), height), text, option);
    return height;
}

qreal ReportCanvas::paintSectionHeading(qreal y, const QString& heading) {
    const QFont bold = font(11, true);
    const qreal height = paintText(QRectF(kLeft, y, kWidth, 0), heading, bold);
    rule(y + height + 6, kRule);
    return y + height + 20;
}

qreal ReportCanvas::paintNotice(qreal y, const QString& why) {
    const QFont italic = font(9, false, true);
    const qreal height = paintText(QRectF(kLeft + 30, y + 25, kWidth - 60, 0), why, italic, Qt::AlignLeft, false);
    frame(QRectF(kLeft, y, kWidth, height + 50));
    paintText(QRectF(kLeft + 30, y + 25, kWidth - 60, 0), why, italic);
    return y + height + 50;
}

void ReportCanvas::paintChart(const QRectF& target, const QSizeF& size,
                              const std::function<void(QPainter&, const QRectF&)>& paintAt) {
    painter_.save();
    painter_.translate(target.topLeft());
    painter_.scale(target.width() / size.width(), target.height() / size.height());
    paintAt(painter_, QRectF(QPointF(0, 0), size));
    painter_.restore();
}

qreal ReportCanvas::paintTable(qreal y, const std::vector<Column>& columns, const std::vector<QStringList>& rows,
                               const TableLook& look) {
    qreal valuesWidth = 0;
    for (std::size_t c = 1; c < columns.size(); ++c) valuesWidth += columns[c].width;
    const qreal firstWidth = kWidth - valuesWidth - 2 * look.pad;
    const qreal lineHeight = metrics(look.text).height();
    // The left edge of a column after the first.
    const auto columnLeft = [&](std::size_t column) {
        qreal x = kLeft + firstWidth + look.pad;
        for (std::size_t c = 1; c < column; ++c) x += columns[c].width;
        return x;
    };

    if (!columns.front().heading.isEmpty())
        paintLine(QRectF(kLeft + look.pad, y, firstWidth - look.pad, lineHeight), columns.front().heading, look.values,
                  Qt::AlignLeft);
    for (std::size_t c = 1; c < columns.size(); ++c)
        paintLine(QRectF(columnLeft(c), y, columns[c].width, lineHeight), columns[c].heading, look.values,
                  columns[c].alignment);
    y += lineHeight + 8;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const QStringList& cells = rows[r];
        const QRectF firstCell(kLeft + look.pad, y + 6, firstWidth - look.pad, 0);
        const qreal height = paintText(firstCell, cells.value(0), look.text, Qt::AlignLeft, false) + 12;
        if (r % 2 == 0) painter_.fillRect(QRectF(kLeft, y, kWidth, height), kStripe);
        paintText(firstCell, cells.value(0), look.text);
        for (std::size_t c = 1; c < columns.size(); ++c)
            paintLine(QRectF(columnLeft(c), y + height - 6 - lineHeight, columns[c].width, lineHeight),
                      cells.value(static_cast<qsizetype>(c)), look.values, columns[c].alignment);
        y += height;
    }
    rule(y, kRule);
    return y;
}

}  // namespace nutrient
