#pragma once
// The pages of a report a hydrologist hands on: A4 laid out in tenths of a millimetre and
// fitted into the device's page, a footer with the object and the page number on every page,
// and the pieces a page is made of (lines, wrapped text, headings, frames, tables, charts).
// The catchment's report, its analyses and a basin's report are all drawn on it.

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QPagedPaintDevice;

namespace nutrient {

class ReportCanvas {
public:
    static constexpr qreal kPageWidth = 2100;
    static constexpr qreal kPageHeight = 2970;
    static constexpr qreal kLeft = 150;
    static constexpr qreal kRight = kPageWidth - 150;
    static constexpr qreal kWidth = kRight - kLeft;
    static constexpr qreal kTop = 130;
    static constexpr qreal kFooterTop = kPageHeight - 110;
    // Two charts side by side.
    static constexpr qreal kChartGap = 40;
    static constexpr qreal kChartWidth = (kWidth - kChartGap) / 2;
    // The charts are painted at these sizes in the windows' pixels and scaled onto the page:
    // somewhat smaller than in their windows (497 × 537 and 537 × 521, the same shapes), so that
    // their titles and marks are read at print size.
    static constexpr QSizeF kPieSize{420, 454};
    static constexpr QSizeF kBarSize{440, 427};

    static const QColor kGrey;
    static const QColor kRule;
    static const QColor kStripe;

    // The footer names the object on every page and counts the pages ("Страница 2 из 3").
    ReportCanvas(QPagedPaintDevice& device, QString footerName, int pageCount);
    ReportCanvas(const ReportCanvas&) = delete;
    ReportCanvas& operator=(const ReportCanvas&) = delete;

    // Begins the first page; throws Failure when the device cannot be painted on (a printer
    // that refuses the job).
    void begin();
    void newPage();
    void end();

    QPainter& painter() { return painter_; }
    int pageNumber() const { return page_; }

    // Arial, as on the charts, at a size in points.
    static QFont font(qreal points, bool bold = false, bool italic = false);
    QFontMetricsF metrics(const QFont& font) const;

    void rule(qreal y, const QColor& colour, qreal thickness = 2);
    // A thin grey frame, like the windows' panels.
    void frame(const QRectF& box);
    // Text on one line in the box, cut short with "…" when it is too wide.
    void paintLine(const QRectF& box, const QString& line, const QFont& font, Qt::Alignment alignment);
    // Text wrapped into the box's width from its top, at word boundaries where it can be;
    // returns the height it took.  With `paint` false it only measures.
    qreal paintText(const QRectF& box, const QString& text, const QFont& font, Qt::Alignment alignment = Qt::AlignLeft,
                    bool paint = true);
    // A section's heading over the page's width with a rule under it; returns the y below.
    qreal paintSectionHeading(qreal y, const QString& heading);
    // In place of something that could not be drawn: why, in a framed box; returns the y below.
    qreal paintNotice(qreal y, const QString& why);
    // Paints a chart of the given size in the windows' pixels scaled into the target.
    void paintChart(const QRectF& target, const QSizeF& size,
                    const std::function<void(QPainter&, const QRectF&)>& paintAt);

    // A table over the page's width: the column headings in bold, then the rows, striped by
    // turns.  The first column takes the width the others leave and wraps its text; the others
    // stand on one line at the row's foot, cut short with "…" when too wide.
    struct Column {
        QString heading;
        qreal width = 0;  // of the columns after the first
        Qt::Alignment alignment = Qt::AlignRight;
    };
    struct TableLook {
        QFont text = font(9.5);
        QFont values = font(9.5, true);
        qreal pad = 14;
    };
    qreal paintTable(qreal y, const std::vector<Column>& columns, const std::vector<QStringList>& rows,
                     const TableLook& look);

private:
    void beginPage();

    QPagedPaintDevice& device_;
    QString footerName_;
    int pageCount_;
    int page_ = 0;
    QPainter painter_;
};

}  // namespace nutrient
