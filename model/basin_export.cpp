#include "basin_export.h"

#include "csv.h"
#include "results_export.h"

#include <algorithm>
#include <functional>
#include <ostream>

namespace nutrient {

namespace {

constexpr const char* kNutrientCaptions[] = {"Фосфор", "Азот"};
constexpr const char* kWaterBodyCaption = "водный объект";

const char* statusKey(RowStatus status) {
    switch (status) {
    case RowStatus::Computed:
        return "computed";
    case RowStatus::Failed:
        return "failed";
    case RowStatus::NotComputed:
        return "not-computed";
    }
    return "";
}

std::string figureText(const OwnFigures& own, RowFigure figure) {
    switch (figure) {
    case RowFigure::Upstream:
        return own.upstream;
    case RowFigure::OwnExport:
        return own.ownExport;
    case RowFigure::OwnModulus:
        return own.ownModulus;
    case RowFigure::Share:
        return own.share;
    case RowFigure::Rank:
        return own.rank > 0 ? std::to_string(own.rank) : std::string();
    }
    return "";
}

const std::string& areaText(const BasinRowResult& row) {
    return row.calculation.parameters[static_cast<int>(Parameter::TotalArea)];
}

// The fit's figures of a row's outlet; nothing for a row without a measured load or a fit.
const FittedOutlet* outletOf(const RetentionFits& fits, std::size_t row, Nutrient n) {
    const std::optional<RetentionFit>& fit = fits[static_cast<int>(n)];
    if (!fit) return nullptr;
    const auto it = std::find_if(fit->outlets.begin(), fit->outlets.end(),
                                 [&](const FittedOutlet& outlet) { return outlet.row == row; });
    return it == fit->outlets.end() ? nullptr : &*it;
}

std::string measuredText(const BasinRow& row, Nutrient n) {
    const std::optional<MeasuredLoad>& measured = row.measuredLoad(n);
    return measured ? measured->text : std::string();
}

// --- The table a person reads ---

// Columns as wide as their widest cell, two blanks apart; text columns aligned left, numbers
// right; no trailing blanks.
class AlignedColumns {
public:
    explicit AlignedColumns(std::vector<bool> leftAligned) : leftAligned_(std::move(leftAligned)) {}
    void add(std::vector<std::string> cells) { rows_.push_back(std::move(cells)); }
    std::string text() const {
        std::vector<std::size_t> widths(leftAligned_.size(), 0);
        for (const auto& row : rows_)
            for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], characterCount(row[i]));
        std::string text;
        for (const auto& row : rows_) {
            std::string line;
            for (std::size_t i = 0; i < row.size(); ++i) {
                const std::string padding(widths[i] - characterCount(row[i]), ' ');
                line += (i == 0 ? "" : "  ") + (leftAligned_[i] ? row[i] + padding : padding + row[i]);
            }
            line.erase(line.find_last_not_of(' ') + 1);
            text += line + "\n";
        }
        return text;
    }

private:
    std::vector<bool> leftAligned_;
    std::vector<std::vector<std::string>> rows_;
};

std::string rowsTable(const BasinAnalysis& analysis, Nutrient n) {
    AlignedColumns columns({false, true, true, false, false, false, false, false, false, false, false, false});
    std::vector<std::string> headings = {"Строка", "Файл", "Впадает в", "A, км²", "L", "Lnat", "M с притоком"};
    for (const RowFigureInfo& figure : kRowFigures) headings.push_back(figure.heading);
    columns.add(headings);
    for (std::size_t i = 0; i < analysis.basin.rows.size(); ++i) {
        const BasinRow& row = analysis.basin.rows[i];
        const BasinRowResult& result = analysis.computed.rows[i];
        const bool computed = result.status == RowStatus::Computed;
        const LoadResults& results = result.calculation.results;
        std::vector<std::string> cells = {std::to_string(row.line),
                                          printableText(row.file),
                                          row.drainsInto.empty() ? kWaterBodyCaption : printableText(row.drainsInto),
                                          computed ? areaText(result) : "",
                                          computed ? results.text(Quantity::L, n) : "",
                                          computed ? results.text(Quantity::Lnat, n) : "",
                                          computed ? results.text(Quantity::M, n) : ""};
        for (const RowFigureInfo& figure : kRowFigures) cells.push_back(figureText(result.own(n), figure.figure));
        columns.add(cells);
    }
    return columns.text();
}

std::string totalsText(const BasinComputation& computed, Nutrient n) {
    if (!computed.complete()) return computed.totalsMissing + "\n";
    const int k = static_cast<int>(n);
    const BasinTotals& totals = computed.totals;
    std::string text = "Бассейн: площадь " + totals.area + " км², нагрузка на водный объект " + totals.load[k] +
                       " т/год, природная составляющая " + totals.natural[k] + " т/год, модуль выноса " +
                       totals.modulus[k] + " кг/(км² год)\n";
    std::string pie;
    for (const ShareSlice& slice : totals.slices[k])
        pie += (pie.empty() ? "" : "; ") + std::string(sourceInfo(slice.source).caption) + " " + slice.mark;
    return text + "Доли источников: " + pie + "\n";
}

std::string fitText(const BasinAnalysis& analysis, Nutrient n) {
    const std::optional<RetentionFit>& fit = analysis.fits[static_cast<int>(n)];
    if (!fit) return "";
    const std::string title = "Общая аппроксимация удержания: ";
    if (!fit->fitted()) return title + fit->refusal + "\n";
    AlignedColumns columns({false, true, false, false, false, false, true});
    columns.add({"Строка", "Файл", "Lobs", "Rt_obs", "L при a и b", "Отклонение, %", "Примечание"});
    for (const FittedOutlet& outlet : fit->outlets) {
        const BasinRow& row = analysis.basin.rows[outlet.row];
        columns.add({std::to_string(row.line), printableText(row.file), measuredText(row, n), outlet.transportShare,
                     outlet.fittedLoad, outlet.residual,
                     outlet.leftOut.empty() ? outlet.refitFailure : outlet.leftOut});
    }
    return title + "a = " + fit->a + ", b = " + fit->b + ", R² = " + fit->rSquared + "\n" + columns.text();
}

std::string notComputedText(const BasinAnalysis& analysis) {
    std::string text;
    for (std::size_t i = 0; i < analysis.basin.rows.size(); ++i)
        if (analysis.computed.rows[i].status != RowStatus::Computed)
            text += "  " + printableText(rowName(analysis.basin.rows[i])) + ": " +
                    printableText(analysis.computed.rows[i].reason) + "\n";
    return text.empty() ? "" : "Не рассчитаны:\n" + text;
}

// --- CSV ---

std::vector<std::string> makeCsvColumns() {
    std::vector<std::string> columns = {"line", "file", "drains_into", "status", "reason", "object"};
    for (const ResultRow& row : kResultRows)
        for (Nutrient n : kNutrients) columns.push_back(resultKey(row.quantity, n));
    columns.push_back("A");
    std::vector<std::string> perNutrient;
    for (const RowFigureInfo& figure : kRowFigures) perNutrient.push_back(figure.key);
    for (const char* key : {"observed", "rt_observed", "fitted_L", "residual_percent", "fit_a", "fit_b", "fit_R2"})
        perNutrient.push_back(key);
    for (const std::string& key : perNutrient)
        for (Nutrient n : kNutrients) columns.push_back(keyedByNutrient(key, n));
    return columns;
}

const std::vector<std::string>& csvColumns() {
    static const std::vector<std::string> columns = makeCsvColumns();
    return columns;
}

std::string csvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) line += (i == 0 ? "" : ",") + csvField(fields[i]);
    return line + "\r\n";
}

std::vector<std::string> csvRow(const BasinAnalysis& analysis, std::size_t i) {
    const BasinRow& row = analysis.basin.rows[i];
    const BasinRowResult& result = analysis.computed.rows[i];
    std::vector<std::string> fields = {std::to_string(row.line), row.file,      row.drainsInto,
                                       statusKey(result.status), result.reason, result.calculation.objectName()};
    for (const ResultRow& resultRow : kResultRows)
        for (Nutrient n : kNutrients) fields.push_back(result.calculation.results.text(resultRow.quantity, n));
    fields.push_back(areaText(result));
    for (const RowFigureInfo& figure : kRowFigures)
        for (Nutrient n : kNutrients) fields.push_back(figureText(result.own(n), figure.figure));
    for (Nutrient n : kNutrients) fields.push_back(measuredText(row, n));
    const auto outletField = [&](std::string FittedOutlet::*member) {
        for (Nutrient n : kNutrients) {
            const FittedOutlet* outlet = outletOf(analysis.fits, i, n);
            fields.push_back(outlet ? outlet->*member : std::string());
        }
    };
    outletField(&FittedOutlet::transportShare);
    outletField(&FittedOutlet::fittedLoad);
    outletField(&FittedOutlet::residual);
    fields.resize(csvColumns().size());  // the fit's columns are the total's
    return fields;
}

std::vector<std::string> csvTotal(const BasinAnalysis& analysis) {
    const std::vector<std::string>& columns = csvColumns();
    std::vector<std::string> fields(columns.size());
    const auto set = [&](const std::string& column, const std::string& text) {
        fields[std::find(columns.begin(), columns.end(), column) - columns.begin()] = text;
    };
    set("status", "total");
    set("reason", analysis.computed.totalsMissing);
    const BasinTotals& totals = analysis.computed.totals;
    set("A", totals.area);
    for (Nutrient n : kNutrients) {
        const int k = static_cast<int>(n);
        set(resultKey(Quantity::L, n), totals.load[k]);
        set(resultKey(Quantity::Lnat, n), totals.natural[k]);
        set(resultKey(Quantity::M, n), totals.modulus[k]);
        if (const std::optional<RetentionFit>& fit = analysis.fits[k]) {
            set(keyedByNutrient("fit_a", n), fit->a);
            set(keyedByNutrient("fit_b", n), fit->b);
            set(keyedByNutrient("fit_R2", n), fit->rSquared);
        }
    }
    return fields;
}

// --- JSON ---

std::string jsonText(const std::string& text) { return text.empty() ? "null" : jsonString(text); }

std::string jsonPies(const std::array<std::array<ShareSlice, kSourceCount>, 2>& slices) {
    std::string json = "{";
    for (Nutrient n : kNutrients) {
        json += std::string(n == Nutrient::P ? "" : ", ") + jsonString(nutrientSymbol(n)) + ": [";
        for (const ShareSlice& slice : slices[static_cast<int>(n)])
            json += std::string(slice.source == Source::PointSources ? "" : ", ") +
                    "{\"source\": " + jsonString(sourceInfo(slice.source).key) +
                    ", \"value\": " + jsonNumber(slice.value) + ", \"mark\": " + jsonString(slice.mark) + "}";
        json += "]";
    }
    return json + "}";
}

std::string jsonPerNutrient(const std::function<std::string(Nutrient)>& value) {
    return "{\"P\": " + value(Nutrient::P) + ", \"N\": " + value(Nutrient::N) + "}";
}

std::string jsonRow(const BasinAnalysis& analysis, std::size_t i) {
    const BasinRow& row = analysis.basin.rows[i];
    const BasinRowResult& result = analysis.computed.rows[i];
    const bool computed = result.status == RowStatus::Computed;
    std::string figures = "{\"A\": " + jsonText(areaText(result));
    for (const RowFigureInfo& figure : kRowFigures)
        for (Nutrient n : kNutrients) {
            const std::string text = figureText(result.own(n), figure.figure);
            const bool number = figure.figure == RowFigure::Rank && !text.empty();
            figures += ", " + jsonString(keyedByNutrient(figure.key, n)) + ": " + (number ? text : jsonText(text));
        }
    return "{\"line\": " + std::to_string(row.line) + ", \"file\": " + jsonString(row.file) +
           ", \"drains_into\": " + jsonText(row.drainsInto) + ", \"status\": " + jsonString(statusKey(result.status)) +
           ", \"reason\": " + jsonText(result.reason) + ", \"object\": " + jsonText(result.calculation.objectName()) +
           ", \"results\": " + jsonResultTexts(result.calculation.results) + ", \"figures\": " + figures +
           "}, \"pie\": " + (computed ? jsonPies(result.slices) : "null") +
           ", \"observed\": " + jsonPerNutrient([&](Nutrient n) { return jsonText(measuredText(row, n)); }) +
           ", \"messages\": " + jsonMessages(result.calculation.messages) + "}";
}

std::string jsonTotals(const BasinComputation& computed) {
    if (!computed.complete()) return "null";
    const BasinTotals& totals = computed.totals;
    std::string json = "{\"A\": " + jsonString(totals.area);
    for (const auto& [key, texts] : {std::pair<const char*, const std::array<std::string, 2>*>{"load", &totals.load},
                                     {"natural", &totals.natural},
                                     {"modulus", &totals.modulus}})
        for (Nutrient n : kNutrients)
            json += ", " + jsonString(keyedByNutrient(key, n)) + ": " + jsonString((*texts)[static_cast<int>(n)]);
    return json + ", \"pie\": " + jsonPies(totals.slices) + "}";
}

std::string jsonFit(const BasinAnalysis& analysis, Nutrient n) {
    const std::optional<RetentionFit>& fit = analysis.fits[static_cast<int>(n)];
    if (!fit) return "null";
    std::string outlets;
    for (const FittedOutlet& outlet : fit->outlets) {
        const BasinRow& row = analysis.basin.rows[outlet.row];
        outlets +=
            std::string(outlets.empty() ? "" : ", ") + "{\"line\": " + std::to_string(row.line) +
            ", \"file\": " + jsonString(row.file) + ", \"observed\": " + jsonString(measuredText(row, n)) +
            ", \"rt_observed\": " + jsonText(outlet.transportShare) + ", \"fitted_L\": " + jsonText(outlet.fittedLoad) +
            ", \"residual_percent\": " + jsonText(outlet.residual) + ", \"left_out\": " + jsonText(outlet.leftOut) +
            ", \"refit_failure\": " + jsonText(outlet.refitFailure) + "}";
    }
    return "{\"a\": " + jsonText(fit->a) + ", \"b\": " + jsonText(fit->b) + ", \"R2\": " + jsonText(fit->rSquared) +
           ", \"refusal\": " + jsonText(fit->refusal) + ", \"outlets\": [" + outlets + "]}";
}

}  // namespace

BasinAnalysis analyseBasin(Basin basin) {
    BasinAnalysis analysis{std::move(basin), {}, {}};
    analysis.computed = computeBasin(analysis.basin);
    analysis.fits = fitRetention(analysis.basin, analysis.computed);
    return analysis;
}

std::string basinTable(const BasinAnalysis& analysis) {
    std::string text;
    for (Nutrient n : kNutrients) {
        std::string section = kNutrientCaptions[static_cast<int>(n)] + std::string("\n") + rowsTable(analysis, n) +
                              totalsText(analysis.computed, n) + fitText(analysis, n);
        text += (text.empty() ? "" : "\n") + section;
    }
    return text +
           "\nНагрузки (L, Lnat, приток сверху, собственный вынос) в т/год, модули (M, собственный) в кг/(км² год); "
           "доля — собственного выноса в нагрузке бассейна на водный объект.\n" +
           notComputedText(analysis);
}

std::string basinCsv(const BasinAnalysis& analysis) {
    std::string csv = csvLine(csvColumns());
    for (std::size_t i = 0; i < analysis.basin.rows.size(); ++i) csv += csvLine(csvRow(analysis, i));
    return csv + csvLine(csvTotal(analysis));
}

std::string basinJson(const BasinAnalysis& analysis) {
    std::string rows;
    for (std::size_t i = 0; i < analysis.basin.rows.size(); ++i)
        rows += std::string(i == 0 ? "" : ",\n") + jsonRow(analysis, i);
    return "{\"rows\": [\n" + rows + "\n], \"totals\": " + jsonTotals(analysis.computed) +
           ", \"totals_missing\": " + jsonText(analysis.computed.totalsMissing) +
           ", \"fit\": " + jsonPerNutrient([&](Nutrient n) { return jsonFit(analysis, n); }) + "}\n";
}

std::string basinMessages(const BasinAnalysis& analysis) {
    std::string lines;
    for (std::size_t i = 0; i < analysis.basin.rows.size(); ++i) {
        const std::string& file = analysis.basin.rows[i].file;
        const BasinRowResult& result = analysis.computed.rows[i];
        for (const Message& message : result.calculation.messages) lines += messageLine(file, message.shown());
        if (result.status == RowStatus::NotComputed) lines += messageLine(file, result.reason);
    }
    return lines;
}

int basinExitStatus(const BasinComputation& computed) {
    const bool all = std::all_of(computed.rows.begin(), computed.rows.end(),
                                 [](const BasinRowResult& row) { return row.status == RowStatus::Computed; });
    return all ? kExitAllComputed : kExitSomeFailed;
}

int calculateBasin(const std::string& basinFileName, OutputFormat format, std::ostream& results,
                   std::ostream& messages) {
    std::optional<Basin> basin;
    try {
        basin = readBasinFile(basinFileName);
    } catch (const Failure& failure) {
        const std::string problems = failure.what();
        for (std::size_t start = 0; start <= problems.size();) {
            const std::size_t end = std::min(problems.find('\n', start), problems.size());
            messages << messageLine(basinFileName, shownFailureText(problems.substr(start, end - start)));
            start = end + 1;
        }
        return kExitSomeFailed;
    }
    const BasinAnalysis analysis = analyseBasin(std::move(*basin));
    messages << basinMessages(analysis);
    switch (format) {
    case OutputFormat::Table:
        results << basinTable(analysis);
        break;
    case OutputFormat::Csv:
        results << basinCsv(analysis);
        break;
    case OutputFormat::RussianCsv:
        results << csvInDialect(basinCsv(analysis), kRussianSpreadsheetCsv);
        break;
    case OutputFormat::Json:
        results << basinJson(analysis);
        break;
    }
    return basinExitStatus(analysis.computed);
}

}  // namespace nutrient
