#include "ui/basin_report.h"

#include "model/messages.h"
#include "ui/chart_looks.h"
#include "ui/charts/pie_chart.h"
#include "ui/pdf_document.h"
#include "ui/report_canvas.h"

#include <QDate>
#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPdfWriter>

#include <algorithm>
#include <functional>
#include <vector>

namespace nutrient {

namespace {

using Canvas = ReportCanvas;
// What a page holds ends a little above the footer's rule.
constexpr qreal kBottom = Canvas::kFooterTop - 40;
// The pies at the size of the catchment's report.
constexpr qreal kPieHeight = Canvas::kChartWidth * Canvas::kPieSize.height() / Canvas::kPieSize.width();
constexpr qreal kSectionGap = 50;

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }
QFont font(qreal points, bool bold = false, bool italic = false) { return Canvas::font(points, bold, italic); }

// The rows' tables in a smaller type than the catchment's report: twelve columns share the width.
Canvas::TableLook rowsLook() { return {font(7.5), font(7.5, true), 10}; }

// The rows' columns with the report's short headings, in tenths of a millimetre; the first
// takes what the others leave.  The note under the tables gives the units and the full names.
struct ReportColumn {
    RowColumn column;
    const char* heading;
    qreal width;
};
constexpr ReportColumn kReportColumns[] = {
    {RowColumn::Line, "Стр.", 0},
    {RowColumn::File, "Файл", 280},
    {RowColumn::DrainsInto, "Впадает в", 250},
    {RowColumn::Area, "A, км²", 130},
    {RowColumn::L, "L", 130},
    {RowColumn::Lnat, "Lnat", 120},
    {RowColumn::M, "M с прит.", 140},
    {RowColumn::Upstream, "Приток", 130},
    {RowColumn::OwnExport, "Вынос", 130},
    {RowColumn::OwnModulus, "Модуль", 120},
    {RowColumn::Share, "Доля, %", 130},
    {RowColumn::Rank, "Ранг", 80},
};
const char* const kRowsNote[] = {
    "L, Lnat, приток сверху (нагрузка впадающих подбассейнов) и собственный вынос — т/год; модули — кг/(км² год).",
    "M с прит. — модуль выноса по методике, включая приток; модуль — собственного выноса; ранг — по нему, 1 — "
    "наибольший.",
    "Доля — собственного выноса подбассейна в нагрузке бассейна на водный объект, %.",
};
constexpr qreal kOutletWidths[] = {0, 380, 170, 170, 200, 220, 500};
static_assert(std::size(kOutletWidths) == kOutletColumns.size());

const char* nutrientName(Nutrient n) { return n == Nutrient::P ? "фосфор" : "азот"; }
const char* nutrientCaption(Nutrient n) { return n == Nutrient::P ? "Фосфор" : "Азот"; }

Qt::Alignment alignment(bool textColumn) { return textColumn ? Qt::AlignLeft : Qt::AlignRight; }

// The pages laid out before any is painted, so that the footer of the first can count them:
// every piece has a height known in advance (tables by a fixed row height, texts on lines of
// their own), and a piece that does not fit on the rest of a page starts the next.
class BasinReportLayout {
public:
    using Paint = std::function<void(Canvas&, qreal y)>;

    BasinReportLayout(const QPagedPaintDevice& device, const BasinAnalysis& analysis, const std::string& fileName,
                      const QDate& date)
        : device_(device), analysis_(analysis), fileName_(fileName), date_(date) {
        placeHeader();
        for (Nutrient n : kNutrients) placeRows(n);
        placeNote();
        placeTotals();
        placeFits();
        placeNotComputed();
    }

    int pageCount() const { return static_cast<int>(pages_.size()); }

    void paint(Canvas& canvas) const {
        for (std::size_t page = 0; page < pages_.size(); ++page) {
            if (page > 0) canvas.newPage();
            for (const Placed& piece : pages_[page]) piece.paint(canvas, piece.y);
        }
    }

private:
    struct Placed {
        qreal y;
        Paint paint;
    };

    qreal lineHeight(const QFont& f) const { return QFontMetricsF(f, &device_).height(); }
    qreal headingHeight() const { return lineHeight(font(11, true)) + 20; }
    qreal tableHeadHeight() const { return lineHeight(rowsLook().text) + 8; }
    qreal rowHeight() const { return lineHeight(rowsLook().text) + 12; }
    qreal room() const { return kBottom - y_; }

    void newPage() {
        pages_.emplace_back();
        y_ = Canvas::kTop;
    }
    // A piece of the given height, on the next page when the rest of this one is too short.
    void place(qreal height, Paint paint) {
        if (height > room() && !pages_.back().empty()) newPage();
        pages_.back().push_back({y_, std::move(paint)});
        y_ += height;
    }
    void gap(qreal height) { y_ = std::min(y_ + height, kBottom); }

    // Starts the next page unless the rest of this one holds `height`.
    void keepTogether(qreal height) {
        if (height > room() && !pages_.back().empty()) newPage();
    }

    // A text on one line, cut short with "…" when wider than `width`.
    QString fitted(const QString& line, const QFont& f, qreal width) const {
        return QFontMetricsF(f, &device_).elidedText(line, Qt::ElideRight, width);
    }

    // A table under a section heading (and a line of introduction), as many rows a page as fit,
    // the heading and the column headings again on each page it continues on.  A heading never
    // stands at a page's foot with fewer than three rows under it (or all there are), nor do
    // fewer than three rows stand alone on the next page.  A text column's cells end a little
    // short of the next column.
    void placeTable(const QString& heading, const QString& introduction, const std::vector<Canvas::Column>& columns,
                    std::vector<QStringList> rows) {
        const QFont headingFont = font(11, true);
        const QFont introductionFont = font(9.5, true);
        for (QStringList& cells : rows)
            for (std::size_t c = 1; c + 1 < columns.size(); ++c)
                if (columns[c].alignment & Qt::AlignLeft) {
                    QString& cell = cells[static_cast<qsizetype>(c)];
                    cell = fitted(cell, rowsLook().values, columns[c].width - 25);
                }
        for (std::size_t next = 0; next < rows.size();) {
            const bool first = next == 0;
            const qreal introductionHeight = first && !introduction.isEmpty() ? lineHeight(introductionFont) + 10 : 0;
            const qreal head = headingHeight() + introductionHeight + tableHeadHeight() + 2;
            const auto fitting = static_cast<std::size_t>(std::max(0.0, (room() - head) / rowHeight()));
            const std::size_t left = rows.size() - next;
            if (fitting < std::min<std::size_t>(left, 3) && !pages_.back().empty()) {
                newPage();
                continue;
            }
            std::size_t count = std::max<std::size_t>(1, std::min(fitting, left));
            if (count < left && left - count < 3 && count >= 6) count = left - 3;
            std::vector<QStringList> chunk(
                std::make_move_iterator(rows.begin() + static_cast<std::ptrdiff_t>(next)),
                std::make_move_iterator(rows.begin() + static_cast<std::ptrdiff_t>(next + count)));
            const QString title =
                fitted(first ? heading : heading + QStringLiteral(" (продолжение)"), headingFont, Canvas::kWidth);
            const QString intro = first ? fitted(introduction, introductionFont, Canvas::kWidth) : QString();
            place(head + static_cast<qreal>(count) * rowHeight(), [=](Canvas& canvas, qreal y) {
                y = canvas.paintSectionHeading(y, title);
                if (introductionHeight > 0) {
                    canvas.paintLine(QRectF(Canvas::kLeft, y, Canvas::kWidth, introductionHeight - 10), intro,
                                     introductionFont, Qt::AlignLeft);
                    y += introductionHeight;
                }
                canvas.paintTable(y, columns, chunk, rowsLook());
            });
            next += count;
        }
    }

    // One line of text, cut short with "…" when too wide.
    void placeLine(const QString& line, const QFont& f, qreal spaceAfter = 0) {
        const qreal height = lineHeight(f);
        place(height + spaceAfter, [=](Canvas& canvas, qreal y) {
            canvas.paintLine(QRectF(Canvas::kLeft, y, Canvas::kWidth, height), line, f, Qt::AlignLeft);
        });
    }

    void placeHeading(const QString& heading) {
        place(headingHeight(), [=](Canvas& canvas, qreal y) { canvas.paintSectionHeading(y, heading); });
    }

    // Why something could not be shown, in a framed box of one line.
    void placeNotice(const QString& why) {
        const QFont italic = font(9, false, true);
        const qreal height = lineHeight(italic);
        place(height + 50, [=](Canvas& canvas, qreal y) {
            canvas.frame(QRectF(Canvas::kLeft, y, Canvas::kWidth, height + 50));
            canvas.paintLine(QRectF(Canvas::kLeft + 30, y + 25, Canvas::kWidth - 60, height), why, italic,
                             Qt::AlignLeft);
        });
    }

    // The program and the date, the basin's name in large letters, its file and its rows.
    void placeHeader() {
        pages_.emplace_back();
        y_ = Canvas::kTop;
        const QFont small = font(9);
        const QFont title = font(16, true);
        const QString name = basinReportName(fileName_);
        const QString date = QStringLiteral("Дата: ") + date_.toString(QStringLiteral("dd.MM.yyyy"));
        place(80, [=](Canvas& canvas, qreal y) {
            canvas.painter().setPen(Canvas::kGrey);
            canvas.paintLine(QRectF(Canvas::kLeft, y, Canvas::kWidth * 0.7, 45), QString::fromUtf8(kProgramTitle),
                             small, Qt::AlignLeft);
            canvas.paintLine(QRectF(Canvas::kLeft, y, Canvas::kWidth, 45), date, small, Qt::AlignRight);
            canvas.painter().setPen(Qt::black);
            canvas.rule(y + 55, Qt::black, 4);
        });
        placeLine(QStringLiteral("Бассейн: ") + name, title, 10);
        placeLine(QStringLiteral("Файл бассейна: ") + text(fileName_), small, 4);
        placeLine(rowsSummary(), small);
        gap(kSectionGap);
    }

    QString rowsSummary() const {
        const auto& rows = analysis_.computed.rows;
        const auto notComputed = std::count_if(
            rows.begin(), rows.end(), [](const BasinRowResult& row) { return row.status != RowStatus::Computed; });
        const auto direct =
            std::count(analysis_.basin.downstream.begin(), analysis_.basin.downstream.end(), kWaterBody);
        QString summary =
            QStringLiteral("Подбассейнов: %1, из них впадают прямо в водный объект: %2; ").arg(rows.size()).arg(direct);
        return summary + (notComputed == 0 ? QStringLiteral("рассчитаны все.")
                                           : QStringLiteral("не рассчитаны: %1.").arg(notComputed));
    }

    void placeRows(Nutrient n) {
        std::vector<Canvas::Column> columns;
        for (const ReportColumn& column : kReportColumns)
            columns.push_back({QString::fromUtf8(column.heading), column.width,
                               alignment(kRowColumns[static_cast<int>(column.column)].text)});
        std::vector<QStringList> rows;
        for (std::size_t i = 0; i < analysis_.basin.rows.size(); ++i) {
            QStringList cells;
            for (const ReportColumn& column : kReportColumns) cells << text(rowCell(analysis_, i, n, column.column));
            rows.push_back(cells);
        }
        placeTable(QStringLiteral("Подбассейны: ") + QString::fromUtf8(nutrientName(n)), {}, columns, std::move(rows));
        gap(kSectionGap / 2);
    }

    void placeNote() {
        const QFont italic = font(8, false, true);
        for (const char* line : kRowsNote) placeLine(QString::fromUtf8(line), italic);
        gap(kSectionGap);
    }

    // The totals, P beside N, under their heading on one page, then the basin's pies; or why
    // there are none.
    void placeTotals() {
        const BasinComputation& computed = analysis_.computed;
        if (!computed.complete()) {
            const QString why = text(shownFailureText(computed.totalsMissing));
            keepTogether(headingHeight() + lineHeight(font(9, false, true)) + 50);
            placeHeading(QStringLiteral("Итоги по бассейну"));
            placeNotice(why);
            gap(kSectionGap);
            return;
        }
        const BasinTotals& totals = computed.totals;
        const std::pair<const char*, const std::array<std::string, 2>*> lines[] = {
            {"Нагрузка на водный объект, т/год", &totals.load},
            {"Природная составляющая нагрузки, т/год", &totals.natural},
            {"Модуль выноса, кг/(км² год)", &totals.modulus},
        };
        std::vector<QStringList> rows;
        for (const auto& [caption, texts] : lines)
            rows.push_back({QString::fromUtf8(caption), text((*texts)[0]), text((*texts)[1])});
        const std::vector<Canvas::Column> columns = {{},
                                                     {QString::fromUtf8(nutrientCaption(Nutrient::P)), 220},
                                                     {QString::fromUtf8(nutrientCaption(Nutrient::N)), 220}};
        const Canvas::TableLook look;
        const qreal line = lineHeight(look.text);
        const qreal tableHeight = line + 8 + static_cast<qreal>(rows.size()) * (line + 12) + 2;
        const QFont areaFont = font(9.5);
        keepTogether(headingHeight() + lineHeight(areaFont) + 10 + tableHeight);
        placeHeading(QStringLiteral("Итоги по бассейну"));
        placeLine(QStringLiteral("Площадь бассейна: %1 км²").arg(text(totals.area)), areaFont, 10);
        place(tableHeight, [=](Canvas& canvas, qreal y) { canvas.paintTable(y, columns, rows, look); });
        gap(40);
        placePies();
        gap(kSectionGap);
    }

    void placePies() {
        std::array<std::vector<PieSlice>, 2> slices;
        for (Nutrient n : kNutrients)
            slices[static_cast<int>(n)] = sourceSharePie(analysis_.computed.totals.slices[static_cast<int>(n)]);
        const QFont legendFont = font(9, true);
        const QStringList legend = sourceShareLegend();
        const qreal legendLine = lineHeight(legendFont);
        const qreal legendHeight = static_cast<qreal>(legend.size()) * legendLine + 40;
        place(kPieHeight + 20 + legendHeight, [=](Canvas& canvas, qreal y) {
            for (Nutrient n : kNutrients) {
                const qreal x = n == Nutrient::P ? Canvas::kLeft : Canvas::kRight - Canvas::kChartWidth;
                canvas.paintChart(QRectF(x, y, Canvas::kChartWidth, kPieHeight), Canvas::kPieSize,
                                  [&](QPainter& painter, const QRectF& bounds) {
                                      PieChart3D::paint(painter, bounds, sourceShareLook(n),
                                                        slices[static_cast<int>(n)]);
                                  });
            }
            const qreal top = y + kPieHeight + 20;
            canvas.frame(QRectF(Canvas::kLeft, top, Canvas::kWidth, legendHeight));
            for (qsizetype i = 0; i < legend.size(); ++i)
                canvas.paintLine(QRectF(Canvas::kLeft + 40, top + 20 + static_cast<qreal>(i) * legendLine,
                                        Canvas::kWidth - 80, legendLine),
                                 legend[i], legendFont, Qt::AlignLeft);
        });
    }

    // Per nutrient with measured loads: a, b and R² (or why there is no fit) over the outlets.
    void placeFits() {
        std::vector<Canvas::Column> columns;
        for (std::size_t c = 0; c < kOutletColumns.size(); ++c)
            columns.push_back({QString::fromUtf8(kOutletColumns[c].heading), kOutletWidths[c],
                               kOutletColumns[c].column == OutletColumn::Residual ? Qt::AlignHCenter
                                                                                  : alignment(kOutletColumns[c].text)});
        for (Nutrient n : kNutrients) {
            const std::optional<RetentionFit>& fit = analysis_.fits[static_cast<int>(n)];
            if (!fit) continue;
            const QString figures =
                fit->fitted()
                    ? QStringLiteral("a = %1, b = %2, R² = %3").arg(text(fit->a), text(fit->b), text(fit->rSquared))
                    : text(shownFailureText(fit->refusal));
            std::vector<QStringList> rows;
            for (const FittedOutlet& outlet : fit->outlets) {
                QStringList cells;
                for (const OutletColumnInfo& column : kOutletColumns)
                    cells << text(outletCell(analysis_, outlet, n, column.column));
                rows.push_back(cells);
            }
            placeTable(QStringLiteral("Общая аппроксимация удержания: ") + QString::fromUtf8(nutrientName(n)),
                       QStringLiteral("ln(1/Rt − 1) = ln a + b·ln HL; ") + figures, columns, std::move(rows));
            gap(kSectionGap);
        }
    }

    void placeNotComputed() {
        std::vector<QStringList> rows;
        for (std::size_t i = 0; i < analysis_.basin.rows.size(); ++i) {
            const BasinRowResult& result = analysis_.computed.rows[i];
            if (result.status != RowStatus::Computed)
                rows.push_back({QString::number(analysis_.basin.rows[i].line), text(analysis_.basin.rows[i].file),
                                text(shownFailureText(result.reason))});
        }
        if (rows.empty()) return;
        placeTable(QStringLiteral("Не рассчитаны"), {},
                   {{QStringLiteral("Стр.")},
                    {QStringLiteral("Файл"), 450, Qt::AlignLeft},
                    {QStringLiteral("Причина"), 1190, Qt::AlignLeft}},
                   std::move(rows));
    }

    const QPagedPaintDevice& device_;
    const BasinAnalysis& analysis_;
    const std::string& fileName_;
    const QDate& date_;
    std::vector<std::vector<Placed>> pages_;
    qreal y_ = Canvas::kTop;
};

}  // namespace

QString basinReportName(const std::string& basinFileName) { return QFileInfo(text(basinFileName)).fileName(); }

void paintBasinReport(QPagedPaintDevice& device, const BasinAnalysis& analysis, const std::string& basinFileName,
                      const QDate& date) {
    const BasinReportLayout layout(device, analysis, basinFileName, date);
    Canvas canvas(device, basinReportName(basinFileName), layout.pageCount());
    canvas.begin();
    layout.paint(canvas);
    canvas.end();
}

QByteArray basinReportPdf(const BasinAnalysis& analysis, const std::string& basinFileName, const QDate& date) {
    const PdfLayout layout{QPageSize(QPageSize::A4), 0, basinReportName(basinFileName),
                           QString::fromUtf8(kProgramTitle)};
    return pdfDocument(layout, [&](QPdfWriter& writer) { paintBasinReport(writer, analysis, basinFileName, date); });
}

}  // namespace nutrient
