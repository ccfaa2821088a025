#include "ui/uncertainty_report.h"

#include "model/number_text.h"
#include "model/results_export.h"
#include "model/uncertainty_export.h"
#include "ui/report_canvas.h"

#include <cmath>

namespace nutrient {

namespace {

using Canvas = ReportCanvas;

// The histograms are painted at this size in the windows' pixels and scaled onto the page.
constexpr QSizeF kHistogramSize(440, 300);

const QColor kBinColour(0x9D, 0xB9, 0xD3);
const QColor kBaselineColour(0xC0, 0x10, 0x10);
const QColor kPercentileColour(0x1F, 0x3C, 0x88);

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }
QString text(const char* utf8) { return QString::fromUtf8(utf8); }

// A value marked on a histogram, when there is one to mark.
void addMarker(std::vector<HistogramFigure>& figures, const std::string& shown, const QString& caption,
               const QColor& colour, bool dashed) {
    if (shown.empty()) return;
    const double value = static_cast<double>(parseNumber(shown));
    if (std::isfinite(value)) figures.push_back(HistogramMarker{value, caption + u' ' + text(shown), colour, dashed});
}

// Paragraphs one under the other; returns the y below them.
qreal paintParagraphs(Canvas& canvas, qreal y, const QStringList& paragraphs, const QFont& font) {
    for (const QString& paragraph : paragraphs)
        y += canvas.paintText(QRectF(Canvas::kLeft, y, Canvas::kWidth, 0), paragraph, font) + 10;
    return y;
}

// A table whose first column names the row and whose others hold figures of the given width.
qreal paintFigureTable(Canvas& canvas, qreal y, const QStringList& headings, const std::vector<QStringList>& rows,
                       const std::vector<qreal>& widths) {
    std::vector<Canvas::Column> columns{{headings.value(0)}};
    for (qsizetype c = 1; c < headings.size(); ++c) columns.push_back({headings[c], widths[c - 1]});
    return canvas.paintTable(y, columns, rows, Canvas::TableLook());
}

QString rangesParagraph(const UncertaintyRun& run, const UncertaintySummary& summary) {
    QString paragraph =
        QStringLiteral("Реализаций: %1, начальное число: %2. ").arg(summary.draws).arg(QString::number(run.seed));
    if (run.ranges.empty())
        return paragraph + QStringLiteral("Диапазоны не заданы: каждая реализация — базовый расчет.");
    QStringList ranges;
    for (const UncertaintyRange& range : run.ranges)
        ranges << QStringLiteral("%1 от %2 до %3, %4")
                      .arg(text(info(range.parameter).symbol), text(range.low), text(range.high),
                           text(distributionCaption(range.distribution)));
    return paragraph + QStringLiteral("Диапазоны: ") + ranges.join(QStringLiteral("; ")) + u'.';
}

}  // namespace

// --- Uncertainty ---

QString uncertaintyExplanation() {
    return QStringLiteral(
        "Каждая реализация — набор параметров, в котором параметры с диапазоном разыграны случайно (равномерно "
        "или по треугольному распределению с вершиной в значении параметра) и который рассчитан так же, как по "
        "кнопке «Расчет». Среднее — среднее по рассчитанным реализациям; 5 %, 50 % и 95 % — значения, не больше "
        "которых показали 5, 50 и 95 % из них (каждое — результат одной из реализаций), так что между 5 % и 95 % "
        "лежат девять реализаций из десяти. Rt — доля нагрузки на водосбор, доходящая до водного объекта. "
        "Реализации, расчет которых остановился или дал L меньше Lnat, в статистику не входят и подсчитаны по "
        "причине. Доля реализаций с L не больше цели — оценка вероятности выполнить цель при таких диапазонах. "
        "Гистограмма показывает число реализаций по интервалам L; отмечены базовый расчет и процентили.");
}

QStringList uncertaintyHeadings() {
    return {QString(), QStringLiteral("среднее"), QStringLiteral("5 %"), QStringLiteral("50 %"),
            QStringLiteral("95 %")};
}

std::vector<QStringList> uncertaintyRows(const UncertaintySummary& summary) {
    std::vector<QStringList> rows;
    for (const SummarizedFigure& figure : summarizedFigures(summary)) {
        const Statistics& s = figure.statistics;
        rows.push_back({text(figure.key), text(s.mean), text(s.p5), text(s.p50), text(s.p95)});
    }
    return rows;
}

QStringList uncertaintyNotes(const UncertaintySummary& summary) {
    QStringList notes{QStringLiteral("Рассчитано реализаций: %1 из %2.").arg(summary.computed).arg(summary.draws)};
    for (const FailureCount& failure : summary.failed)
        notes << QStringLiteral("Не рассчитано %1: %2").arg(failure.draws).arg(text(failure.reason));
    for (Nutrient nutrient : kNutrients) {
        const std::optional<TargetShare>& share = summary.of(nutrient).target;
        if (!share || summary.computed == 0) continue;
        notes << QStringLiteral("Доля реализаций с %1 не больше %2: %3 % (%4 из %5).")
                     .arg(text(resultKey(Quantity::L, nutrient)), text(formatGeneral(share->target)),
                          text(percentAtMostTarget(summary, *share)))
                     .arg(share->atMost)
                     .arg(summary.computed);
    }
    return notes;
}

ChartLook histogramLook(Nutrient nutrient) {
    return {QStringLiteral("%1: нагрузка L, т/год").arg(text(nutrientHeading(nutrient)))};
}

std::vector<HistogramFigure> histogramFigures(const UncertaintySummary& summary, Nutrient nutrient,
                                              const Computation& baseline) {
    const NutrientSummary& of = summary.of(nutrient);
    std::vector<HistogramFigure> figures;
    const Histogram& histogram = of.histogram;
    for (std::size_t i = 0; i < histogram.counts.size(); ++i) {
        const HistogramBin bin{static_cast<double>(histogram.edges[i]), static_cast<double>(histogram.edges[i + 1]),
                               histogram.counts[i], kBinColour};
        figures.emplace_back(bin);
    }
    if (baseline.computed)
        addMarker(figures, baseline.results.text(Quantity::L, nutrient), QStringLiteral("базовый"), kBaselineColour,
                  false);
    const Statistics& load = of.of(Quantity::L);
    addMarker(figures, load.p5, QStringLiteral("5 %"), kPercentileColour, true);
    addMarker(figures, load.p50, QStringLiteral("50 %"), kPercentileColour, false);
    addMarker(figures, load.p95, QStringLiteral("95 %"), kPercentileColour, true);
    return figures;
}

ReportPage uncertaintyReportPage(const UncertaintyRun& run, const UncertaintySummary& summary) {
    const QString settings = rangesParagraph(run, summary);
    const std::vector<QStringList> rows = uncertaintyRows(summary);
    const QStringList notes = uncertaintyNotes(summary);
    const std::array<std::vector<HistogramFigure>, 2> histograms = {
        histogramFigures(summary, Nutrient::P, run.baseline), histogramFigures(summary, Nutrient::N, run.baseline)};
    return [=](Canvas& canvas) {
        qreal y =
            canvas.paintSectionHeading(Canvas::kTop, QStringLiteral("Неопределенность нагрузки: метод Монте-Карло"));
        y = paintParagraphs(canvas, y, {settings}, Canvas::font(9));
        y = paintFigureTable(canvas, y + 10, uncertaintyHeadings(), rows, {260, 260, 260, 260});
        y = paintParagraphs(canvas, y + 20, notes, Canvas::font(9));
        const qreal height = Canvas::kChartWidth * kHistogramSize.height() / kHistogramSize.width();
        for (Nutrient nutrient : kNutrients) {
            const qreal left = nutrient == Nutrient::P ? Canvas::kLeft : Canvas::kRight - Canvas::kChartWidth;
            canvas.paintChart(QRectF(left, y + 20, Canvas::kChartWidth, height), kHistogramSize,
                              [&](QPainter& painter, const QRectF& bounds) {
                                  HistogramChart::paint(painter, bounds, histogramLook(nutrient),
                                                        histograms[static_cast<int>(nutrient)]);
                              });
        }
        paintParagraphs(canvas, y + height + 50, {uncertaintyExplanation()}, Canvas::font(8.5, false, true));
    };
}

// --- A check against a measured load ---

QString measuredLoadExplanation() {
    return QStringLiteral(
        "Отклонение — (L − Lизм)/Lизм в процентах: на сколько рассчитанная нагрузка на водный объект больше (+) "
        "или меньше (−) измеренной. Rt по измерениям = (Lизм − Lex)/Ltot — доля нагрузки на водосбор, которая "
        "по измерению доходит до водного объекта; не меньше 1 она означает, что измерено больше, чем поступает "
        "на водосбор (не учтен источник). С подобранным коэффициентом удержания a (или показателем степени b) "
        "рассчитанная нагрузка равна измеренной; рядом — все результаты с ним. Измеренная нагрузка должна быть "
        "среднемноголетней или приведенной к среднему стоку, как слой стока, а не нагрузкой одного года.");
}

QString fittedCoefficientCaption(FittedCoefficient coefficient) {
    return coefficient == FittedCoefficient::A ? QStringLiteral("коэффициент удержания a")
                                               : QStringLiteral("показатель степени b");
}

QStringList measuredCheckHeadings() {
    return {QString(),
            QStringLiteral("Измерено, т/год"),
            QStringLiteral("L, т/год"),
            QStringLiteral("Отклонение, %"),
            QStringLiteral("Rt по измерениям"),
            QStringLiteral("Подобрано")};
}

std::vector<QStringList> measuredCheckRows(const MeasuredLoadCheck& check) {
    std::vector<QStringList> rows;
    for (const NutrientCheck& nutrient : check.nutrients) {
        const QString fitted = nutrient.fitted
                                   ? QStringLiteral("%1 = %2").arg(text(info(nutrient.fitted->parameter).symbol),
                                                                   text(nutrient.fitted->text))
                                   : QStringLiteral("не подобрано");
        rows.push_back({text(nutrientHeading(nutrient.nutrient)), text(nutrient.measured),
                        text(check.baseline.results.text(Quantity::L, nutrient.nutrient)),
                        text(nutrient.deviationPercent),
                        nutrient.rtObserved.empty() ? QStringLiteral("—") : text(nutrient.rtObserved), fitted});
    }
    return rows;
}

QStringList measuredCheckNotes(const MeasuredLoadCheck& check) {
    QStringList notes;
    for (const NutrientCheck& nutrient : check.nutrients)
        if (!nutrient.fitted)
            notes << QStringLiteral("%1: не подобрано: %2")
                         .arg(text(nutrientHeading(nutrient.nutrient)), text(nutrient.refusal));
    if (check.variant)
        if (const std::optional<std::string> rejection = check.variant->rejection())
            notes << QStringLiteral("Результаты с подобранными коэффициентами не могут быть приняты: ") +
                         text(*rejection);
    return notes;
}

QStringList measuredResultHeadings() {
    QStringList headings{QString()};
    for (Nutrient nutrient : kNutrients)
        headings << QStringLiteral("%1, расчет").arg(text(nutrientHeading(nutrient)))
                 << QStringLiteral("%1, подбор").arg(text(nutrientHeading(nutrient)));
    return headings;
}

std::vector<QStringList> measuredResultRows(const MeasuredLoadCheck& check) {
    std::vector<QStringList> rows;
    if (!check.variant) return rows;
    for (const ResultRow& row : kResultRows) {
        QStringList cells{text(plainCaption(row))};
        for (Nutrient nutrient : kNutrients)
            cells << text(check.baseline.results.text(row.quantity, nutrient))
                  << text(check.variant->results.text(row.quantity, nutrient));
        rows.push_back(cells);
    }
    return rows;
}

ReportPage measuredLoadReportPage(const MeasuredLoadCheck& check) {
    const QString fitted = QStringLiteral("Подбирается %1.").arg(fittedCoefficientCaption(check.coefficient));
    const std::vector<QStringList> checkRows = measuredCheckRows(check);
    const QStringList notes = measuredCheckNotes(check);
    const std::vector<QStringList> resultRows = measuredResultRows(check);
    return [=](Canvas& canvas) {
        qreal y = canvas.paintSectionHeading(Canvas::kTop, QStringLiteral("Сверка с измеренной нагрузкой"));
        y = paintParagraphs(canvas, y, {fitted}, Canvas::font(9));
        y = paintFigureTable(canvas, y + 10, measuredCheckHeadings(), checkRows, {290, 230, 300, 340, 430});
        y = paintParagraphs(canvas, y + 20, notes, Canvas::font(9));
        if (!resultRows.empty()) {
            y = canvas.paintSectionHeading(y + 30, QStringLiteral("Результаты с подобранными коэффициентами, т/год"));
            y = paintFigureTable(canvas, y, measuredResultHeadings(), resultRows, {300, 300, 300, 300});
        }
        paintParagraphs(canvas, y + 40, {measuredLoadExplanation()}, Canvas::font(8.5, false, true));
    };
}

}  // namespace nutrient
