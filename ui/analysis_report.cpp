#include "ui/analysis_report.h"

#include "model/number_text.h"
#include "model/results_export.h"
#include "ui/report_canvas.h"

#include <algorithm>

namespace nutrient {

namespace {

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }
QString symbolOf(Parameter parameter) { return QString::fromUtf8(info(parameter).symbol); }
QString loadKey(Quantity quantity, Nutrient nutrient) { return text(resultKey(quantity, nutrient)); }
Nutrient other(Nutrient nutrient) { return nutrient == Nutrient::P ? Nutrient::N : Nutrient::P; }

}  // namespace

// --- A scenario and its targets ---

QString scenarioHelp() {
    return QStringLiteral(
        "Рычаги меняют свои параметры на заданный процент (от −100 до +1000, минус — сокращение); сценарий "
        "рассчитывается так же, как «Расчет», и сравнивается с исходным вариантом в т/год (модули выноса — "
        "в кг/(км²·год)) и в процентах. Для цели — допустимой нагрузки L на водный объект — ищется наименьшее "
        "сокращение отмеченных рычагов с шагом 0.01 %, при котором L не больше цели. Введенные параметры не "
        "меняются; «Сохранить вариант…» записывает сценарий в новый файл параметров.");
}

QStringList scenarioHeadings() {
    return {QStringLiteral("Исходный"), QStringLiteral("Сценарий"), QStringLiteral("Изменение"),
            QStringLiteral("Изменение, %")};
}

QStringList scenarioCells(const Scenario& scenario, Quantity quantity, Nutrient nutrient) {
    return {text(scenario.baseline.results.text(quantity, nutrient)),
            text(scenario.variant.results.text(quantity, nutrient)), text(resultChange(scenario, quantity, nutrient)),
            text(resultChangePercent(scenario, quantity, nutrient))};
}

QString leverChangeText(const LeverChange& change) {
    QString lever = QString::fromUtf8(info(change.choice.lever).caption);
    if (change.choice.nutrient)
        lever += QStringLiteral(" (%1)").arg(QString::fromUtf8(nutrientSymbol(*change.choice.nutrient)));
    return QStringLiteral("%1: %2 %").arg(lever, text(change.percent));
}

QString changedParametersText(const Scenario& scenario) {
    QStringList changes;
    for (const ParameterChange& change : scenario.changed)
        changes << QStringLiteral("%1: %2 → %3")
                       .arg(symbolOf(change.parameter),
                            text(scenario.baseline.parameters[static_cast<int>(change.parameter)]), text(change.text));
    return changes.join(QStringLiteral("; "));
}

QString targetText(const TargetSearch& search) {
    QStringList levers;
    for (const LeverChoice& choice : search.levers) levers << QString::fromUtf8(info(choice.lever).caption);
    return QStringLiteral("%1 ≤ %2 т/год, рычаги: %3")
        .arg(loadKey(Quantity::L, search.target.nutrient), text(search.target.text), levers.join(QStringLiteral(", ")));
}

QString verdictLine(const TargetSearch& search) {
    QString line = text(verdictText(search));
    const bool cutTaken = search.verdict == TargetVerdict::Reached || search.verdict == TargetVerdict::Unreachable;
    if (cutTaken) {
        const Nutrient second = other(search.target.nutrient);
        line += QStringLiteral("; %1 = %2 т/год")
                    .arg(loadKey(Quantity::L, second), text(search.scenario.variant.results.text(Quantity::L, second)));
    }
    return line;
}

// --- The sensitivity of the load ---

QString sensitivityHelp() {
    return QStringLiteral(
        "Каждый числовой параметр по очереди уменьшается и увеличивается на шаг s, остальные остаются исходными: "
        "в таблице нагрузка L на водный объект при этих изменениях, т/год, и размах — их разность; параметры "
        "идут по убыванию размаха, на диаграммах — первые двенадцать (полоса от исходной L, вертикальной линии, "
        "до L при уменьшенном и увеличенном параметре). Эластичность E — на сколько процентов меняется L при "
        "изменении параметра на 1 %; при отрицательной E рост параметра снижает нагрузку.");
}

QStringList sensitivityHeadings(const SensitivityTable& table) {
    const QString step = text(table.step);
    return {QStringLiteral("Параметр"), QStringLiteral("L при −%1 %").arg(step),
            QStringLiteral("L при +%1 %").arg(step), QStringLiteral("Размах"), QStringLiteral("E")};
}

QStringList sensitivityCells(const SensitivityRow& row) {
    return {symbolOf(row.parameter), text(row.low), text(row.high), text(row.swing), text(row.elasticity)};
}

QString skippedText(const SensitivityTable& table) {
    if (table.skipped.empty()) return {};
    QStringList symbols;
    for (Parameter parameter : table.skipped) symbols << symbolOf(parameter);
    return QStringLiteral("Не изменялись (равны нулю): ") + symbols.join(QStringLiteral(", "));
}

ChartLook tornadoLook(const SensitivityTable& table, Nutrient nutrient) {
    ChartLook look;
    look.title = QStringLiteral("%1 = %2 т/год")
                     .arg(loadKey(Quantity::L, nutrient), text(table.baseline.results.text(Quantity::L, nutrient)));
    return look;
}

std::vector<TornadoBar> tornadoBars(const SensitivityTable& table, Nutrient nutrient) {
    const double baseline = static_cast<double>(table.baseline.results.value(Quantity::L, nutrient));
    std::vector<TornadoBar> bars;
    for (const SensitivityRow& row : table.rowsOf(nutrient)) {
        if (row.rejection || bars.size() == kTornadoBars) break;
        bars.push_back({symbolOf(row.parameter), static_cast<double>(parseNumber(row.low)),
                        static_cast<double>(parseNumber(row.high)), baseline});
    }
    return bars;
}

// --- The report's pages ---

namespace {

using Canvas = ReportCanvas;

QFont helpFont() { return Canvas::font(8.5, false, true); }
QFont textFont() { return Canvas::font(9); }
QFont boldFont() { return Canvas::font(9, true); }

qreal paintHelp(Canvas& canvas, qreal y, const QString& help) {
    canvas.painter().setPen(Canvas::kGrey);
    y += canvas.paintText(QRectF(Canvas::kLeft, y, Canvas::kWidth, 0), help, helpFont());
    canvas.painter().setPen(Qt::black);
    return y;
}

// A bold lead-in and its text, wrapped over the page's width; returns the y below.
qreal paintItem(Canvas& canvas, qreal y, const QString& lead, const QString& item) {
    const qreal leadWidth = canvas.metrics(boldFont()).horizontalAdvance(lead) + 15;
    canvas.paintLine(QRectF(Canvas::kLeft, y, leadWidth, canvas.metrics(boldFont()).height()), lead, boldFont(),
                     Qt::AlignLeft);
    return y + canvas.paintText(QRectF(Canvas::kLeft + leadWidth, y, Canvas::kWidth - leadWidth, 0), item, textFont()) +
           10;
}

qreal paintScenarioTable(Canvas& canvas, qreal y, const Scenario& scenario, Nutrient nutrient) {
    constexpr qreal kValueWidth = 230;
    std::vector<Canvas::Column> columns{{QString::fromUtf8(nutrientHeading(nutrient))}};
    for (const QString& heading : scenarioHeadings()) columns.push_back({heading, kValueWidth});
    std::vector<QStringList> rows;
    for (const ResultRow& row : kResultRows)
        rows.push_back(QStringList{text(plainCaption(row))} + scenarioCells(scenario, row.quantity, nutrient));
    Canvas::TableLook look;
    look.text = Canvas::font(8.5);
    look.values = Canvas::font(8.5, true);
    return canvas.paintTable(y, columns, rows, look);
}

void paintScenarioPage(Canvas& canvas, const Scenario& scenario, const std::vector<LeverChange>& changes,
                       const std::vector<TargetSearch>& searches) {
    qreal y = canvas.paintSectionHeading(Canvas::kTop, QStringLiteral("Сценарий сокращения нагрузки"));
    y = paintHelp(canvas, y, scenarioHelp()) + 30;
    QStringList levers;
    for (const LeverChange& change : changes) levers << leverChangeText(change);
    if (!levers.isEmpty()) y = paintItem(canvas, y, QStringLiteral("Рычаги:"), levers.join(QStringLiteral("; ")));
    const QString changed = changedParametersText(scenario);
    y = paintItem(canvas, y, QStringLiteral("Измененные параметры:"),
                  changed.isEmpty() ? QStringLiteral("нет") : changed);
    for (const TargetSearch& search : searches)
        y = paintItem(canvas, y, QStringLiteral("Цель:"),
                      targetText(search) + QStringLiteral(". ") + verdictLine(search));
    for (const auto& [which, computation] : {std::pair{QStringLiteral("исходного варианта"), &scenario.baseline},
                                             std::pair{QStringLiteral("сценария"), &scenario.variant}})
        if (const std::optional<std::string> rejection = computation->rejection())
            y = paintItem(canvas, y, QStringLiteral("Внимание:"),
                          QStringLiteral("результаты %1 не могут быть приняты: %2").arg(which, text(*rejection)));
    y += 20;
    for (Nutrient nutrient : kNutrients) y = paintScenarioTable(canvas, y, scenario, nutrient) + 40;
}

constexpr QSizeF kTornadoSize(500, 380);

void paintTornadoes(Canvas& canvas, qreal y, const SensitivityTable& table) {
    const qreal height = Canvas::kChartWidth * kTornadoSize.height() / kTornadoSize.width();
    for (Nutrient nutrient : kNutrients) {
        const qreal left = nutrient == Nutrient::P ? Canvas::kLeft : Canvas::kRight - Canvas::kChartWidth;
        canvas.paintChart(
            QRectF(left, y, Canvas::kChartWidth, height), kTornadoSize, [&](QPainter& painter, const QRectF& bounds) {
                TornadoChart::paint(painter, bounds, tornadoLook(table, nutrient), tornadoBars(table, nutrient));
            });
    }
}

// Both nutrients' ranked rows side by side, rank by rank, a blank column between them.
qreal paintSensitivityTable(Canvas& canvas, qreal y, const SensitivityTable& table) {
    constexpr qreal kWidths[] = {210, 185, 185, 140, 120};
    constexpr qreal kBetween = 40;
    const QStringList headings = sensitivityHeadings(table);
    std::vector<Canvas::Column> columns{{QStringLiteral("№")}};
    for (Nutrient nutrient : kNutrients) {
        if (nutrient == Nutrient::N) columns.push_back({QString(), kBetween});
        for (int c = 0; c < headings.size(); ++c) {
            const QString heading = c == 0 ? loadKey(Quantity::L, nutrient) : headings[c];
            columns.push_back({heading, kWidths[c], c == 0 ? Qt::AlignLeft : Qt::AlignRight});
        }
    }
    std::vector<QStringList> rows;
    const std::size_t count = std::max(table.rows[0].size(), table.rows[1].size());
    for (std::size_t r = 0; r < count; ++r) {
        QStringList cells{QString::number(r + 1)};
        for (Nutrient nutrient : kNutrients) {
            if (nutrient == Nutrient::N) cells << QString();
            const std::vector<SensitivityRow>& ranked = table.rowsOf(nutrient);
            cells += r < ranked.size() ? sensitivityCells(ranked[r]) : QStringList(headings.size(), QString());
        }
        rows.push_back(cells);
    }
    Canvas::TableLook look;
    look.text = Canvas::font(8);
    look.values = Canvas::font(8, true);
    look.pad = 10;
    return canvas.paintTable(y, columns, rows, look);
}

// The reasons of the rows whose variants cannot be taken, each parameter once.
QString rejectedText(const SensitivityTable& table) {
    QStringList reasons;
    for (const SensitivityRow& row : table.rowsOf(Nutrient::P))
        if (row.rejection) reasons << symbolOf(row.parameter) + QStringLiteral(" — ") + text(*row.rejection);
    if (reasons.isEmpty()) return {};
    return QStringLiteral("Результаты не могут быть приняты: ") + reasons.join(QStringLiteral("; "));
}

void paintSensitivityPage(Canvas& canvas, const SensitivityTable& table) {
    qreal y = canvas.paintSectionHeading(
        Canvas::kTop, QStringLiteral("Чувствительность нагрузки на водный объект, шаг s = %1 %").arg(text(table.step)));
    y = paintHelp(canvas, y, sensitivityHelp()) + 30;
    paintTornadoes(canvas, y, table);
    y += Canvas::kChartWidth * kTornadoSize.height() / kTornadoSize.width() + 40;
    y = paintSensitivityTable(canvas, y, table) + 15;
    for (const QString& line : {rejectedText(table), skippedText(table)})
        if (!line.isEmpty()) y += canvas.paintText(QRectF(Canvas::kLeft, y, Canvas::kWidth, 0), line, textFont()) + 10;
}

}  // namespace

ReportPage scenarioReportPage(const Scenario& scenario, const std::vector<LeverChange>& changes,
                              const std::vector<TargetSearch>& searches) {
    return
        [scenario, changes, searches](ReportCanvas& canvas) { paintScenarioPage(canvas, scenario, changes, searches); };
}

ReportPage sensitivityReportPage(const SensitivityTable& table) {
    return [table](ReportCanvas& canvas) { paintSensitivityPage(canvas, table); };
}

}  // namespace nutrient
