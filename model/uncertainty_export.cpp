#include "uncertainty_export.h"

#include "csv.h"
#include "number_text.h"
#include "results_export.h"

#include <algorithm>

namespace nutrient {

namespace {

// Items joined by ", ".
template <class Items, class Written>
std::string joined(const Items& items, Written&& written) {
    std::string text;
    for (const auto& item : items) text += (text.empty() ? "" : ", ") + written(item);
    return text;
}

std::string statisticsTable(const UncertaintySummary& summary) {
    const std::vector<SummarizedFigure> figures = summarizedFigures(summary);
    const char* headings[] = {"среднее", "5 %", "50 %", "95 %"};
    std::size_t keyWidth = 0;
    std::size_t width = 10;
    for (const SummarizedFigure& figure : figures) {
        keyWidth = std::max(keyWidth, figure.key.size());
        for (const std::string* text :
             {&figure.statistics.mean, &figure.statistics.p5, &figure.statistics.p50, &figure.statistics.p95})
            width = std::max(width, characterCount(*text) + 2);
    }
    std::string table = std::string(keyWidth, ' ');
    for (const char* heading : headings) table += rightAligned(heading, width);
    table += "\n";
    for (const SummarizedFigure& figure : figures) {
        const Statistics& s = figure.statistics;
        std::string line = figure.key + std::string(keyWidth - figure.key.size(), ' ') + rightAligned(s.mean, width) +
                           rightAligned(s.p5, width) + rightAligned(s.p50, width) + rightAligned(s.p95, width);
        line.erase(line.find_last_not_of(' ') + 1);
        table += line + "\n";
    }
    return table;
}

std::string histogramTable(const std::string& key, const Histogram& histogram) {
    std::string table = "Гистограмма " + key + ", т/год:\n";
    std::size_t width = 0;
    for (long double edge : histogram.edges) width = std::max(width, formatGeneral(edge).size());
    for (std::size_t i = 0; i < histogram.counts.size(); ++i)
        table += "  " + rightAligned(formatGeneral(histogram.edges[i]), width) + " – " +
                 rightAligned(formatGeneral(histogram.edges[i + 1]), width) +
                 rightAligned(std::to_string(histogram.counts[i]), 10) + "\n";
    return table;
}

std::string jsonHistogram(const Histogram& histogram) {
    return "{\"edges\": [" + joined(histogram.edges, [](long double edge) { return jsonString(formatGeneral(edge)); }) +
           "], \"counts\": [" + joined(histogram.counts, [](std::size_t count) { return std::to_string(count); }) +
           "]}";
}

}  // namespace

std::vector<SummarizedFigure> summarizedFigures(const UncertaintySummary& summary) {
    std::vector<SummarizedFigure> figures;
    for (Nutrient nutrient : kNutrients) {
        const NutrientSummary& of = summary.of(nutrient);
        for (Quantity quantity : kSummarizedQuantities)
            figures.push_back({resultKey(quantity, nutrient), of.of(quantity)});
        figures.push_back({std::string("Rt(") + nutrientSymbol(nutrient) + ")", of.rt});
    }
    return figures;
}

std::string percentAtMostTarget(const UncertaintySummary& summary, const TargetShare& share) {
    if (summary.computed == 0) return "";
    return formatFixed(100.0L * share.atMost / summary.computed, 2);
}

std::string uncertaintyTable(const std::string& fileName, const UncertaintyRun& run,
                             const UncertaintySummary& summary) {
    std::string table = tableHeading(fileName, run.baseline) + "\n";
    table += "Метод Монте-Карло: реализаций " + std::to_string(summary.draws) + ", начальное число " +
             std::to_string(run.seed) + "\n";
    for (const UncertaintyRange& range : run.ranges)
        table += "  " + std::string(info(range.parameter).symbol) + ": от " + printableText(range.low) + " до " +
                 printableText(range.high) + ", " + distributionCaption(range.distribution) + "\n";
    table += "Рассчитано реализаций: " + std::to_string(summary.computed) + "\n";
    for (const FailureCount& failure : summary.failed)
        table += "Не рассчитано " + std::to_string(failure.draws) + ": " + printableText(failure.reason) + "\n";
    table += statisticsTable(summary);
    for (Nutrient nutrient : kNutrients) {
        const NutrientSummary& of = summary.of(nutrient);
        const std::string key = resultKey(Quantity::L, nutrient);
        if (of.target && summary.computed > 0)
            table += "Доля реализаций с " + key + " не больше " + formatGeneral(of.target->target) + ": " +
                     percentAtMostTarget(summary, *of.target) + " % (" + std::to_string(of.target->atMost) + " из " +
                     std::to_string(summary.computed) + ")\n";
        if (!of.histogram.counts.empty()) table += histogramTable(key, of.histogram);
    }
    return table;
}

std::string uncertaintyCsv(const std::string& fileName, const UncertaintyRun& run, const UncertaintySummary& summary) {
    std::string csv = "file,object,quantity,mean,p5,p50,p95,draws,computed,failed,target,percent_at_most_target\r\n";
    const std::string counts = std::to_string(summary.draws) + "," + std::to_string(summary.computed) + "," +
                               std::to_string(summary.draws - summary.computed);
    for (const SummarizedFigure& figure : summarizedFigures(summary)) {
        const Statistics& s = figure.statistics;
        std::string targetFields = ",";
        for (Nutrient nutrient : kNutrients) {
            const std::optional<TargetShare>& target = summary.of(nutrient).target;
            if (target && figure.key == resultKey(Quantity::L, nutrient))
                targetFields = csvField(formatGeneral(target->target)) + "," + percentAtMostTarget(summary, *target);
        }
        csv += csvFileFields(fileName, run.baseline) + "," + csvField(figure.key) + "," + s.mean + "," + s.p5 + "," +
               s.p50 + "," + s.p95 + "," + counts + "," + targetFields + "\r\n";
    }
    return csv;
}

std::string uncertaintyJson(const std::string& fileName, const UncertaintyRun& run, const UncertaintySummary& summary) {
    std::string json =
        "{" + jsonFileMembers(fileName, run.baseline) + ", \"draws\": " + std::to_string(summary.draws) +
        ", \"seed\": " + std::to_string(run.seed) + ", \"computed\": " + std::to_string(summary.computed) +
        ", \"ranges\": [" +
        joined(run.ranges,
               [](const UncertaintyRange& range) {
                   return "{\"parameter\": " + jsonString(info(range.parameter).symbol) +
                          ", \"low\": " + jsonString(range.low) + ", \"high\": " + jsonString(range.high) +
                          ", \"distribution\": " + jsonString(distributionName(range.distribution)) + "}";
               }) +
        "], \"baseline\": " + jsonResultTexts(run.baseline.results);
    for (const SummarizedFigure& figure : summarizedFigures(summary)) {
        const Statistics& s = figure.statistics;
        json += ", " + jsonString(figure.key) + ": {\"mean\": " + jsonStringOrNull(s.mean) +
                ", \"p5\": " + jsonStringOrNull(s.p5) + ", \"p50\": " + jsonStringOrNull(s.p50) +
                ", \"p95\": " + jsonStringOrNull(s.p95) + "}";
    }
    json +=
        ", \"histograms\": {" + joined(kNutrients, [&](Nutrient nutrient) {
            return jsonString(resultKey(Quantity::L, nutrient)) + ": " + jsonHistogram(summary.of(nutrient).histogram);
        });
    json += "}, \"failed\": {" + joined(summary.failed, [](const FailureCount& failure) {
                return jsonString(failure.reason) + ": " + std::to_string(failure.draws);
            });
    std::vector<Nutrient> targeted;
    for (Nutrient nutrient : kNutrients)
        if (summary.of(nutrient).target) targeted.push_back(nutrient);
    json += "}, \"share_at_most_target\": {" + joined(targeted, [&](Nutrient nutrient) {
                const TargetShare& share = *summary.of(nutrient).target;
                return jsonString(resultKey(Quantity::L, nutrient)) +
                       ": {\"target\": " + jsonString(formatGeneral(share.target)) +
                       ", \"draws\": " + std::to_string(share.atMost) +
                       ", \"percent\": " + jsonStringOrNull(percentAtMostTarget(summary, share)) + "}";
            });
    return json + "}}";
}

std::string uncertaintyOutput(OutputFormat format, const std::string& fileName, const UncertaintyRun& run,
                              const UncertaintySummary& summary) {
    switch (format) {
    case OutputFormat::Table:
        return uncertaintyTable(fileName, run, summary);
    case OutputFormat::Csv:
        return uncertaintyCsv(fileName, run, summary);
    case OutputFormat::RussianCsv:
        return csvInDialect(uncertaintyCsv(fileName, run, summary), kRussianSpreadsheetCsv);
    case OutputFormat::Json:
        return uncertaintyJson(fileName, run, summary) + "\n";
    }
    return "";
}

std::string drawsCsv(const UncertaintyRun& run) {
    std::string csv = "draw";
    for (const UncertaintyRange& range : run.ranges) csv += "," + csvField(info(range.parameter).symbol);
    csv += "," + resultKey(Quantity::L, Nutrient::P) + "," + resultKey(Quantity::L, Nutrient::N) + ",rejection\r\n";
    for (std::size_t draw = 0; draw < run.draws.size(); ++draw) {
        const DrawOutcome& outcome = run.draws[draw];
        csv += std::to_string(draw + 1);
        for (std::size_t range = 0; range < run.ranges.size(); ++range)
            csv += "," + csvField(run.drawnText(draw, range));
        csv += "," + csvField(outcome.text(Quantity::L, Nutrient::P)) + "," +
               csvField(outcome.text(Quantity::L, Nutrient::N)) + "," + csvField(outcome.rejection) + "\r\n";
    }
    return csv;
}

}  // namespace nutrient
