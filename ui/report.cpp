#include "ui/report.h"

#include "model/chart_figures.h"
#include "model/messages.h"
#include "model/results_export.h"
#include "ui/captions.h"
#include "ui/chart_looks.h"
#include "ui/charts/bar_chart.h"
#include "ui/charts/chart_painting.h"
#include "ui/charts/pie_chart.h"
#include "ui/pdf_document.h"
#include "ui/report_canvas.h"
#include "ui/resource_text.h"

#include <QDate>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextOption>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>

namespace nutrient {

namespace {

using Canvas = ReportCanvas;
constexpr qreal kLeft = Canvas::kLeft;
constexpr qreal kRight = Canvas::kRight;
constexpr qreal kWidth = Canvas::kWidth;
constexpr qreal kTop = Canvas::kTop;
constexpr qreal kPageWidth = Canvas::kPageWidth;
constexpr qreal kChartWidth = Canvas::kChartWidth;

// The charts are painted at these sizes in the windows' pixels and scaled onto the page:
// somewhat smaller than in their windows (497 × 537 and 537 × 521, the same shapes), so that
// their titles and marks are read at print size.
constexpr QSizeF kPieSize(420, 454);
constexpr QSizeF kBarSize(440, 427);
QFont font(qreal points, bool bold = false, bool italic = false) { return Canvas::font(points, bold, italic); }

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

// The method's full title and its literature, taken from the method description so that the
// reference is written in one place.
struct MethodReference {
    QString title;
    QStringList literature;
};

MethodReference methodReference() {
    MethodReference reference;
    QStringList titleLines;
    bool inLiterature = false;
    for (const QString& raw : resourceText(QStringLiteral(":/texts/method.txt")).split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty()) continue;
        // The title and, in brackets, the method's name open the description.
        if (titleLines.size() < 2) {
            titleLines << line;
        } else if (line == QStringLiteral("Литература")) {
            inLiterature = true;
        } else if (inLiterature) {
            reference.literature << line;
        }
    }
    reference.title = titleLines.join(QLatin1Char(' '));
    return reference;
}

// The parameters under the captions of their groups, in file order.  The object name heads the
// report instead.
struct GroupOfParameters {
    QString caption;
    std::vector<const ParameterInfo*> parameters;
};

std::vector<GroupOfParameters> parameterGroups() {
    std::vector<GroupOfParameters> groups;
    for (const ParameterGroupInfo& info : kParameterGroups) {
        GroupOfParameters& group = groups.emplace_back(GroupOfParameters{plainGroupCaption(info.group), {}});
        for (int p = static_cast<int>(info.first); p <= static_cast<int>(info.last); ++p)
            group.parameters.push_back(&kParameters[p]);
    }
    return groups;
}

QString parameterCaption(const ParameterInfo& parameter) {
    return text(plainCaption(std::string_view(parameter.caption))).trimmed();
}

// Why a pair of charts is missing: the window's draw condition failed, or the results it
// reads are not all there.
const char* const kPiesMissing = "Диаграммы долевого вклада источников не построены: ";
const char* const kPiesCondition =
    "для фосфора и для азота нагрузки L, Lp и Lnat должны быть больше нуля, а вынос с урожаем Lc — не больше "
    "суммы Lmf, Le, Lof и La.";
const char* const kBudgetMissing = "Диаграммы баланса биогенных веществ не построены: ";
const char* const kBudgetCondition = "вынос с урожаем Lc больше суммы Lmf, Le, Lof и La.";
const char* const kStopped = "расчет остановлен: ";
const char* const kRowsNotComputed = "Расчет остановлен: %1 Пустые строки не рассчитаны.";

// The catchment's two pages: the parameters and the results, then the charts and the method.
class ReportPainter {
public:
    ReportPainter(Canvas& canvas, const ParameterTexts& parameters, const LoadResults& results,
                  const TransportCoefficients& coefficients, const QDate& date)
        : canvas_(canvas), parameters_(parameters), results_(results), coefficients_(coefficients), date_(date) {}

    void paint() {
        qreal y = paintHeader(kTop);
        y = paintParameters(y + 45);
        y = paintNotes(y);
        paintResults(y + 55);
        canvas_.newPage();
        y = paintSourceShares(kTop);
        y = paintBudget(y + 60);
        paintMethod(y + 60);
    }

private:
    QString objectName() const { return reportName(parameters_); }

    // The program, the date, the object in large letters.
    qreal paintHeader(qreal y) {
        const QFont small = font(9);
        canvas_.painter().setPen(Canvas::kGrey);
        canvas_.paintLine(QRectF(kLeft, y, kWidth * 0.7, 45), QString::fromUtf8(kProgramTitle), small, Qt::AlignLeft);
        canvas_.paintLine(QRectF(kLeft, y, kWidth, 45),
                          QStringLiteral("Дата: ") + date_.toString(QStringLiteral("dd.MM.yyyy")), small,
                          Qt::AlignRight);
        canvas_.painter().setPen(Qt::black);
        canvas_.rule(y + 55, Qt::black, 4);
        // A name of any length takes three lines at most.
        const QFont title = font(16, true);
        const QString name = canvas_.metrics(title).elidedText(objectName(), Qt::ElideRight, 3 * kWidth * 0.9);
        return y + 80 + canvas_.paintText(QRectF(kLeft, y + 80, kWidth, 0), name, title);
    }

    // --- The forty parameters, in two columns of the window's groups ---

    struct ParameterColumns {
        qreal symbol = 0, caption = 0, value = 110, unit = 0;
    };
    static constexpr qreal kCellGap = 16;
    static constexpr qreal kColumnGap = 70;
    static constexpr qreal kRowSpacing = 8;
    static constexpr qreal kGroupSpacing = 22;

    // The widths that symbols, values and units of the groups take.
    ParameterColumns naturalColumns(const std::vector<GroupOfParameters>& groups) const {
        const QFontMetricsF m = canvas_.metrics(parameterFont_);
        ParameterColumns columns;
        for (const GroupOfParameters& group : groups) {
            for (const ParameterInfo* parameter : group.parameters) {
                columns.symbol = std::max(columns.symbol, m.horizontalAdvance(QString::fromUtf8(parameter->symbol)));
                columns.value = std::max(columns.value, m.horizontalAdvance(text(parameters_[int(parameter->key)])));
                columns.unit = std::max(columns.unit, m.horizontalAdvance(QString::fromUtf8(parameter->unit)));
            }
        }
        // A value too long for its column (it was typed so) is cut short.
        columns.value = std::min(std::ceil(columns.value), 230.0);
        return columns;
    }

    // The caption of a column of the given width takes what symbol, value and unit leave.
    static ParameterColumns fitted(ParameterColumns columns, qreal width) {
        columns.caption = width - columns.symbol - columns.value - columns.unit - 3 * kCellGap;
        return columns;
    }

    // One group: its caption, then a line for each parameter: symbol, caption (wrapped),
    // value, unit.  Returns the height; with `paint` false it only measures.
    qreal paintGroup(const GroupOfParameters& group, qreal x, qreal y, qreal width, const ParameterColumns& c,
                     bool paint) {
        const qreal top = y;
        y += canvas_.paintText(QRectF(x, y, width, 0), group.caption, groupFont_, Qt::AlignLeft, paint) + kRowSpacing;
        const qreal lineHeight = canvas_.metrics(parameterFont_).height();
        const qreal captionX = x + c.symbol + kCellGap;
        const qreal valueX = captionX + c.caption + kCellGap;
        const qreal unitX = valueX + c.value + kCellGap;
        for (const ParameterInfo* parameter : group.parameters) {
            const qreal height =
                std::max(lineHeight, canvas_.paintText(QRectF(captionX, y, c.caption, 0), parameterCaption(*parameter),
                                                       parameterFont_, Qt::AlignLeft, paint));
            if (paint) {
                canvas_.paintLine(QRectF(x, y, c.symbol, lineHeight), QString::fromUtf8(parameter->symbol),
                                  parameterFont_, Qt::AlignLeft);
                canvas_.paintLine(QRectF(valueX, y, c.value, lineHeight), text(parameters_[int(parameter->key)]),
                                  valueFont_, Qt::AlignRight);
                canvas_.paintLine(QRectF(unitX, y, c.unit, lineHeight), QString::fromUtf8(parameter->unit),
                                  parameterFont_, Qt::AlignLeft);
            }
            y += height + kRowSpacing;
        }
        return y - top + kGroupSpacing;
    }

    using Columns = std::array<std::vector<GroupOfParameters>, 2>;

    qreal columnHeight(const std::vector<GroupOfParameters>& groups, qreal width) {
        const ParameterColumns cells = fitted(naturalColumns(groups), width);
        qreal height = 0;
        for (const GroupOfParameters& group : groups) height += paintGroup(group, 0, 0, width, cells, false);
        return height;
    }

    // The groups in two columns, the left one filled up to about half of their height.
    Columns splitIntoColumns(const std::vector<GroupOfParameters>& groups, qreal width) {
        std::vector<qreal> heights;
        qreal total = 0;
        for (const GroupOfParameters& group : groups) {
            heights.push_back(columnHeight({group}, width));
            total += heights.back();
        }
        Columns columns;
        qreal left = 0;
        for (std::size_t i = 0; i < groups.size(); ++i) {
            const bool inLeft = columns[1].empty() && left + heights[i] / 2 <= total / 2;
            if (inLeft) left += heights[i];
            columns[inLeft ? 0 : 1].push_back(groups[i]);
        }
        return columns;
    }

    // The width of the left column that makes the taller column shortest, the most even of those.
    qreal leftColumnWidth(const Columns& columns, qreal room) {
        qreal best = room / 2;
        qreal shortest = std::max(columnHeight(columns[0], best), columnHeight(columns[1], room - best));
        for (qreal offset = 10; offset <= room / 8; offset += 10) {
            for (const qreal width : {room / 2 - offset, room / 2 + offset}) {
                const qreal height = std::max(columnHeight(columns[0], width), columnHeight(columns[1], room - width));
                if (height < shortest - 0.5) {
                    shortest = height;
                    best = width;
                }
            }
        }
        return best;
    }

    qreal paintParameters(qreal y) {
        y = canvas_.paintSectionHeading(y, QStringLiteral("Параметры водосбора"));
        const qreal room = kWidth - kColumnGap;
        const Columns columns = splitIntoColumns(parameterGroups(), room / 2);
        const qreal leftWidth = leftColumnWidth(columns, room);
        const qreal widths[2] = {leftWidth, room - leftWidth};
        qreal bottom = y;
        for (int column = 0; column < 2; ++column) {
            const ParameterColumns cells = fitted(naturalColumns(columns[column]), widths[column]);
            const qreal x = column == 0 ? kLeft : kRight - widths[1];
            qreal top = y;
            for (const GroupOfParameters& group : columns[column])
                top += paintGroup(group, x, top, widths[column], cells, true);
            bottom = std::max(bottom, top);
        }
        return bottom - kGroupSpacing;
    }

    // A stored natural area or runoff modulus that its own inputs contradict: the results were
    // computed with the stored one, as in the windows until the parameters window is shown.
    qreal paintNotes(qreal y) {
        for (const std::string& note : derivedValueNotes(parameters_))
            y += 20 + canvas_.paintText(QRectF(kLeft, y + 20, kWidth, 0), QStringLiteral("Замечание: ") + text(note),
                                        font(9, false, true));
        return y;
    }

    // --- The 26 results as the results window shows them ---

    qreal paintResults(qreal y) {
        y = canvas_.paintSectionHeading(y, resultsTitle());
        constexpr qreal kValueWidth = 220;
        std::vector<QStringList> rows;
        for (const ResultRow& row : kResultRows)
            rows.push_back({text(plainCaption(row)), text(results_.text(row.quantity, Nutrient::P)),
                            text(results_.text(row.quantity, Nutrient::N))});
        y = canvas_.paintTable(y,
                               {{},
                                {QString::fromUtf8(nutrientHeading(Nutrient::P)), kValueWidth},
                                {QString::fromUtf8(nutrientHeading(Nutrient::N)), kValueWidth}},
                               rows, Canvas::TableLook());
        if (!results_.failure().empty()) {
            const QString note = QString::fromUtf8(kRowsNotComputed).arg(text(shownFailureText(results_.failure())));
            y += 20 + canvas_.paintText(QRectF(kLeft, y + 20, kWidth, 0), note, font(9, false, true));
        }
        return y;
    }

    // --- The charts, drawn by the windows' painting ---

    // Works out the figures of a pair of charts before anything is painted; returns nothing
    // when they are drawn, else why not, as the window would: the calculation stopped, the
    // draw condition failed (`figures` returns false), or another failure.
    std::optional<QString> whyNotDrawn(const std::function<bool()>& figures, const char* condition) {
        try {
            requireCompletedCalculation(results_);
            if (figures()) return std::nullopt;
            return QString::fromUtf8(condition);
        } catch (const Failure& failure) {
            const QString shown = text(shownFailureText(failure.what()));
            return results_.failure().empty() ? shown : QString::fromUtf8(kStopped) + shown;
        }
    }

    qreal paintSourceShares(qreal y) {
        std::vector<PieSlice> p, n;
        const std::optional<QString> why = whyNotDrawn(
            [&] {
                if (!sourceSharesDrawable(results_)) return false;
                p = sourceSharePie(results_, coefficients_, Nutrient::P);
                n = sourceSharePie(results_, coefficients_, Nutrient::N);
                return true;
            },
            kPiesCondition);
        if (why) return canvas_.paintNotice(y, QString::fromUtf8(kPiesMissing) + *why);

        const qreal height = kChartWidth * kPieSize.height() / kPieSize.width();
        canvas_.paintChart(QRectF(kLeft, y, kChartWidth, height), kPieSize,
                           [&](QPainter& painter, const QRectF& bounds) {
                               PieChart3D::paint(painter, bounds, sourceShareLook(Nutrient::P), p);
                           });
        canvas_.paintChart(QRectF(kRight - kChartWidth, y, kChartWidth, height), kPieSize,
                           [&](QPainter& painter, const QRectF& bounds) {
                               PieChart3D::paint(painter, bounds, sourceShareLook(Nutrient::N), n);
                           });
        y += height + 20;
        // The window's panel that explains the slice labels.
        const QFont legendFont = font(9, true);
        const QStringList legend = sourceShareLegend();
        const qreal lineHeight = canvas_.metrics(legendFont).height();
        canvas_.frame(QRectF(kLeft, y, kWidth, legend.size() * lineHeight + 40));
        for (int i = 0; i < legend.size(); ++i)
            canvas_.paintLine(QRectF(kLeft + 40, y + 20 + i * lineHeight, kWidth - 80, lineHeight), legend[i],
                              legendFont, Qt::AlignLeft);
        return y + legend.size() * lineHeight + 40;
    }

    // The heading over the bar charts with its two colours: inputs 1, outputs 2.
    qreal paintBudgetHeading(qreal y) {
        const QFont bold = font(10, true);
        const qreal lineHeight = canvas_.metrics(bold).height();
        canvas_.paintLine(QRectF(kLeft, y, kWidth, lineHeight), budgetHeading(), bold, Qt::AlignHCenter);
        y += lineHeight + 10;
        const QSizeF swatch(70, 42);
        const qreal left = kPageWidth / 2 - 130;
        for (const bool input : {true, false}) {
            const qreal x = input ? left : left + 150;
            canvas_.painter().fillRect(QRectF(QPointF(x, y), swatch), budgetColour(input));
            canvas_.paintLine(QRectF(x + swatch.width() + 15, y, 60, swatch.height()),
                              input ? QStringLiteral("1") : QStringLiteral("2"), bold, Qt::AlignLeft);
        }
        return y + swatch.height() + 20;
    }

    qreal paintBudget(qreal y) {
        std::vector<ChartBar> p, n;
        const std::optional<QString> why = whyNotDrawn(
            [&] {
                if (!budgetDrawable(results_)) return false;
                p = budgetChart(results_, Nutrient::P);
                n = budgetChart(results_, Nutrient::N);
                return true;
            },
            kBudgetCondition);
        if (why) return canvas_.paintNotice(y, QString::fromUtf8(kBudgetMissing) + *why);

        y = paintBudgetHeading(y);
        const qreal height = kChartWidth * kBarSize.height() / kBarSize.width();
        canvas_.paintChart(QRectF(kLeft, y, kChartWidth, height), kBarSize,
                           [&](QPainter& painter, const QRectF& bounds) {
                               BarChart3D::paint(painter, bounds, budgetLook(Nutrient::P), p);
                           });
        canvas_.paintChart(QRectF(kRight - kChartWidth, y, kChartWidth, height), kBarSize,
                           [&](QPainter& painter, const QRectF& bounds) {
                               BarChart3D::paint(painter, bounds, budgetLook(Nutrient::N), n);
                           });
        return y + height;
    }

    // --- The method and its literature ---

    qreal paintMethod(qreal y) {
        const MethodReference reference = methodReference();
        y = canvas_.paintSectionHeading(y, QStringLiteral("Методика расчета"));
        y += canvas_.paintText(QRectF(kLeft, y, kWidth, 0), reference.title, font(9)) + 20;
        y += canvas_.paintText(QRectF(kLeft, y, kWidth, 0), QStringLiteral("Литература"), font(9, true)) + 8;
        for (const QString& item : reference.literature)
            y += canvas_.paintText(QRectF(kLeft, y, kWidth, 0), item, font(8)) + 6;
        return y;
    }

    Canvas& canvas_;
    const ParameterTexts& parameters_;
    const LoadResults& results_;
    const TransportCoefficients& coefficients_;
    const QDate& date_;
    const QFont parameterFont_ = font(8.5);
    const QFont groupFont_ = font(8.5, true, true);
    const QFont valueFont_ = font(8.5, true);
};

}  // namespace

QString reportName(const ParameterTexts& parameters) {
    return text(shortenedText(parameters[static_cast<int>(Parameter::ObjectName)], kReportNameCharacters));
}

void paintReport(QPagedPaintDevice& device, const ParameterTexts& parameters, const LoadResults& results,
                 const TransportCoefficients& coefficients, const QDate& date,
                 const std::vector<ReportPage>& morePages) {
    ReportCanvas canvas(device, reportName(parameters), 2 + static_cast<int>(morePages.size()));
    canvas.begin();
    ReportPainter(canvas, parameters, results, coefficients, date).paint();
    for (const ReportPage& page : morePages) {
        canvas.newPage();
        page(canvas);
    }
    canvas.end();
}

QByteArray reportPdf(const ParameterTexts& parameters, const LoadResults& results,
                     const TransportCoefficients& coefficients, const QDate& date,
                     const std::vector<ReportPage>& morePages) {
    const PdfLayout layout{QPageSize(QPageSize::A4), 0, reportName(parameters), QString::fromUtf8(kProgramTitle)};
    return pdfDocument(
        layout, [&](QPdfWriter& writer) { paintReport(writer, parameters, results, coefficients, date, morePages); });
}

}  // namespace nutrient
