#include "analysis_export.h"

#include "csv.h"
#include "results_export.h"

#include <algorithm>
#include <array>

namespace nutrient {

namespace {

// A figure in JSON: its text, or null when it does not exist.
std::string jsonFigure(const std::string& text) { return text.empty() ? "null" : jsonString(text); }
std::string jsonFigure(const std::optional<std::string>& text) { return text ? jsonString(*text) : "null"; }

std::string csvFileAndObject(const std::string& fileName, const Computation& baseline) {
    return csvField(wellFormedText(fileName)) + "," + csvField(baseline.objectName());
}

std::string leverNames(const std::vector<LeverChoice>& levers) {
    std::string names;
    for (const LeverChoice& lever : levers) names += (names.empty() ? "" : ",") + choiceName(lever);
    return names;
}

// --- Scenario ---

// One column of the scenario's comparison: its heading and its text for a result.
struct Column {
    const char* heading;
    const char* csvCase;
    std::string (*text)(const Scenario&, Quantity, Nutrient);
};

const std::array<Column, 4> kColumns = {{
    {"Базовый", "baseline",
     [](const Scenario& s, Quantity q, Nutrient n) -> std::string { return s.baseline.results.text(q, n); }},
    {"Сценарий", "variant",
     [](const Scenario& s, Quantity q, Nutrient n) -> std::string { return s.variant.results.text(q, n); }},
    {"Изменение", "change", resultChange},
    {"Изменение, %", "change %", resultChangePercent},
}};

void addRejections(std::string& table, const Scenario& scenario) {
    if (const std::optional<std::string> rejection = scenario.baseline.rejection())
        addTableLine(table, "Результаты базового варианта не могут быть приняты: " + printableText(*rejection));
    if (const std::optional<std::string> rejection = scenario.variant.rejection())
        addTableLine(table, "Результаты сценария не могут быть приняты: " + printableText(*rejection));
}

void addChangedParameters(std::string& table, const Scenario& scenario) {
    if (scenario.changed.empty()) {
        addTableLine(table, "Измененные параметры: нет");
        return;
    }
    addTableLine(table, "Измененные параметры:");
    for (const ParameterChange& change : scenario.changed)
        addTableLine(table, std::string("  ") + info(change.parameter).symbol + ": " +
                                printableText(scenario.baseline.parameters[static_cast<int>(change.parameter)]) +
                                " → " + change.text);
}

// The 13 results of each nutrient, baseline | scenario | change | change %.
void addComparison(std::string& table, const Scenario& scenario) {
    const std::size_t captionWidth = resultCaptionWidth();
    // A column is as wide as its widest text with a blank before it, its heading with two, and at
    // least ten.
    std::array<std::size_t, kColumns.size()> width{};
    for (std::size_t c = 0; c < kColumns.size(); ++c) {
        width[c] = std::max<std::size_t>(10, characterCount(kColumns[c].heading) + 2);
        for (const ResultRow& row : kResultRows)
            for (Nutrient nutrient : kNutrients)
                width[c] = std::max(width[c], characterCount(kColumns[c].text(scenario, row.quantity, nutrient)) + 1);
    }
    for (Nutrient nutrient : kNutrients) {
        table += "\n";
        std::string heading = nutrientHeading(nutrient);
        heading += std::string(captionWidth - characterCount(heading), ' ');
        for (std::size_t c = 0; c < kColumns.size(); ++c) heading += rightAligned(kColumns[c].heading, width[c]);
        addTableLine(table, heading);
        for (const ResultRow& row : kResultRows) {
            std::string line = dottedCaption(row, captionWidth);
            for (std::size_t c = 0; c < kColumns.size(); ++c)
                line += rightAligned(kColumns[c].text(scenario, row.quantity, nutrient), width[c]);
            addTableLine(table, line);
        }
    }
}

void addScenarioBody(std::string& table, const Scenario& scenario) {
    addRejections(table, scenario);
    addChangedParameters(table, scenario);
    addComparison(table, scenario);
}

std::string resultColumns() {
    std::string columns;
    for (const ResultRow& row : kResultRows)
        for (Nutrient nutrient : kNutrients) columns += "," + resultKey(row.quantity, nutrient);
    return columns;
}

// The four records of a scenario, each after `leading` (the fields before the case).
std::string scenarioRecords(const std::string& leading, const Scenario& scenario) {
    std::string records;
    for (const Column& column : kColumns) {
        records += leading + "," + csvField(column.csvCase);
        for (const ResultRow& row : kResultRows)
            for (Nutrient nutrient : kNutrients)
                records += "," + csvField(column.text(scenario, row.quantity, nutrient));
        records += "\r\n";
    }
    return records;
}

// The scenario's members of a JSON object, without its braces.
std::string scenarioMembers(const Scenario& scenario) {
    std::string changed;
    for (const ParameterChange& change : scenario.changed)
        changed += std::string(changed.empty() ? "" : ", ") +
                   "{\"parameter\": " + jsonString(info(change.parameter).symbol) +
                   ", \"text\": " + jsonString(change.text) + "}";
    return "\"baseline\": " + jsonResultTexts(scenario.baseline.results) +
           ", \"variant\": " + jsonResultTexts(scenario.variant.results) + ", \"changed\": [" + changed +
           "], \"rejected\": {\"baseline\": " + jsonFigure(scenario.baseline.rejection()) +
           ", \"variant\": " + jsonFigure(scenario.variant.rejection()) + "}";
}

std::string fileMembers(const std::string& fileName, const Computation& baseline) {
    return "\"file\": " + jsonString(fileName) + ", \"object\": " + jsonString(baseline.objectName());
}

// A JSON array with one element on each line.
std::string jsonArray(const std::vector<std::string>& elements) {
    std::string array = "[";
    for (std::size_t i = 0; i < elements.size(); ++i) array += (i == 0 ? "\n" : ",\n") + elements[i];
    return array + "\n]\n";
}

// --- Target ---

std::string targetHeading(const TargetSearch& search) {
    return "Цель: " + resultKey(Quantity::L, search.target.nutrient) + " не более " +
           printableText(search.target.text) + " т/год; рычаги: " + leverNames(search.levers);
}

std::string targetTable(const std::string& fileName, const std::vector<TargetSearch>& searches) {
    std::string table;
    for (const TargetSearch& search : searches) {
        if (table.empty()) addTableLine(table, tableHeading(fileName, search.scenario.baseline));
        else table += "\n";
        addTableLine(table, targetHeading(search));
        addTableLine(table, printableText(verdictText(search)));
        addScenarioBody(table, search.scenario);
    }
    return table;
}

std::string targetCsv(const std::string& fileName, const std::vector<TargetSearch>& searches) {
    std::string csv = "file,object,nutrient,target,levers,verdict,cut,removed,reason,case" + resultColumns() + "\r\n";
    for (const TargetSearch& search : searches) {
        const std::string leading = csvFileAndObject(fileName, search.scenario.baseline) + "," +
                                    nutrientSymbol(search.target.nutrient) + "," + csvField(search.target.text) + "," +
                                    csvField(leverNames(search.levers)) + "," + verdictName(search.verdict) + "," +
                                    (search.cut ? cutText(*search.cut) : "") + "," + search.removedLoad() + "," +
                                    csvField(search.reason().value_or(""));
        csv += scenarioRecords(leading, search.scenario);
    }
    return csv;
}

std::string targetJson(const std::string& fileName, const std::vector<TargetSearch>& searches) {
    std::vector<std::string> objects;
    for (const TargetSearch& search : searches) {
        std::string levers;
        for (const LeverChoice& lever : search.levers)
            levers += (levers.empty() ? "" : ", ") + jsonString(choiceName(lever));
        objects.push_back("{" + fileMembers(fileName, search.scenario.baseline) +
                          ", \"nutrient\": " + jsonString(nutrientSymbol(search.target.nutrient)) +
                          ", \"target\": " + jsonString(search.target.text) + ", \"levers\": [" + levers +
                          "], \"verdict\": " + jsonString(verdictName(search.verdict)) +
                          ", \"cut\": " + (search.cut ? jsonString(cutText(*search.cut)) : "null") + ", \"removed\": " +
                          jsonFigure(search.removedLoad()) + ", \"reason\": " + jsonFigure(search.reason()) + ", " +
                          scenarioMembers(search.scenario) + "}");
    }
    return jsonArray(objects);
}

// --- Sensitivity ---

// The rows as the CSV and JSON list them: per nutrient the ranked rows, then the skipped
// parameters as rows without figures.
struct ListedRow {
    const SensitivityRow* row;  // none for a skipped parameter
    Parameter parameter;
    Nutrient nutrient;
};

std::vector<ListedRow> listedRows(const SensitivityTable& table) {
    std::vector<ListedRow> listed;
    for (Nutrient nutrient : kNutrients) {
        for (const SensitivityRow& row : table.rowsOf(nutrient)) listed.push_back({&row, row.parameter, nutrient});
        for (Parameter parameter : table.skipped) listed.push_back({nullptr, parameter, nutrient});
    }
    return listed;
}

// The figures of a listed row, in the column order low, high, swing, elasticity.
std::array<std::string, 4> figuresOf(const ListedRow& listed) {
    if (!listed.row) return {};
    return {listed.row->low, listed.row->high, listed.row->swing, listed.row->elasticity};
}

std::string sensitivityText(const std::string& fileName, const SensitivityTable& table) {
    const std::string down = "L при -" + table.step + " %";
    const std::string up = "L при +" + table.step + " %";
    const std::array<std::string, 4> headings = {down, up, "Размах", "Эластичность"};
    std::size_t symbolWidth = characterCount("Параметр") + 2;
    for (const ParameterInfo& parameter : kParameters)
        symbolWidth = std::max(symbolWidth, characterCount(parameter.symbol) + 2);
    std::array<std::size_t, 4> width{};
    for (std::size_t c = 0; c < width.size(); ++c) width[c] = characterCount(headings[c]) + 2;
    for (const ListedRow& listed : listedRows(table)) {
        const std::array<std::string, 4> figures = figuresOf(listed);
        for (std::size_t c = 0; c < width.size(); ++c) width[c] = std::max(width[c], characterCount(figures[c]) + 1);
    }
    const auto leftAligned = [&](const std::string& text) {
        return text + std::string(symbolWidth - characterCount(text), ' ');
    };

    std::string text;
    addTableLine(text, tableHeading(fileName, table.baseline));
    addTableLine(text, "Чувствительность нагрузки на водный объект (L), шаг " + table.step + " %");
    for (Nutrient nutrient : kNutrients) {
        text += "\n";
        addTableLine(text, std::string(nutrientHeading(nutrient)) + ": " + resultKey(Quantity::L, nutrient) + " = " +
                               table.baseline.results.text(Quantity::L, nutrient) + " т/год");
        std::string heading = leftAligned("Параметр");
        for (std::size_t c = 0; c < width.size(); ++c) heading += rightAligned(headings[c], width[c]);
        addTableLine(text, heading);
        for (const SensitivityRow& row : table.rowsOf(nutrient)) {
            std::string line = leftAligned(info(row.parameter).symbol);
            if (row.rejection) {
                line += printableText(*row.rejection);
            } else {
                const std::array<std::string, 4> figures = {row.low, row.high, row.swing, row.elasticity};
                for (std::size_t c = 0; c < width.size(); ++c) line += rightAligned(figures[c], width[c]);
            }
            addTableLine(text, line);
        }
    }
    if (!table.skipped.empty()) {
        std::string skipped;
        for (Parameter parameter : table.skipped)
            skipped += (skipped.empty() ? "" : ", ") + std::string(info(parameter).symbol);
        text += "\n";
        addTableLine(text, "Не изменялись (равны нулю): " + skipped);
    }
    return text;
}

std::string sensitivityCsv(const std::string& fileName, const SensitivityTable& table) {
    std::string csv = "file,object,parameter,nutrient,step,low,high,swing,elasticity,rejected,skipped\r\n";
    for (const ListedRow& listed : listedRows(table)) {
        csv += csvFileAndObject(fileName, table.baseline) + "," + csvField(info(listed.parameter).symbol) + "," +
               nutrientSymbol(listed.nutrient) + "," + csvField(table.step);
        for (const std::string& figure : figuresOf(listed)) csv += "," + figure;
        const bool rejected = listed.row && listed.row->rejection;
        csv += "," + csvField(rejected ? *listed.row->rejection : "") + "," + (listed.row ? "false" : "true") + "\r\n";
    }
    return csv;
}

std::string sensitivityJson(const std::string& fileName, const SensitivityTable& table) {
    constexpr const char* kFigureKeys[] = {"low", "high", "swing", "elasticity"};
    std::vector<std::string> objects;
    for (const ListedRow& listed : listedRows(table)) {
        std::string object = "{" + fileMembers(fileName, table.baseline) +
                             ", \"parameter\": " + jsonString(info(listed.parameter).symbol) +
                             ", \"nutrient\": " + jsonString(nutrientSymbol(listed.nutrient)) +
                             ", \"step\": " + jsonString(table.step);
        const std::array<std::string, 4> figures = figuresOf(listed);
        for (std::size_t c = 0; c < figures.size(); ++c)
            object += std::string(", \"") + kFigureKeys[c] + "\": " + jsonFigure(figures[c]);
        object += ", \"rejected\": " + jsonFigure(listed.row ? listed.row->rejection : std::nullopt) +
                  ", \"skipped\": " + (listed.row ? "false" : "true") + "}";
        objects.push_back(object);
    }
    return jsonArray(objects);
}

}  // namespace

std::string scenarioOutput(OutputFormat format, const std::string& fileName, const Scenario& scenario) {
    switch (format) {
    case OutputFormat::Table: {
        std::string table;
        addTableLine(table, tableHeading(fileName, scenario.baseline));
        addScenarioBody(table, scenario);
        return table;
    }
    case OutputFormat::Csv:
        return "file,object,case" + resultColumns() + "\r\n" +
               scenarioRecords(csvFileAndObject(fileName, scenario.baseline), scenario);
    case OutputFormat::RussianCsv:
        return csvInDialect(scenarioOutput(OutputFormat::Csv, fileName, scenario), kRussianSpreadsheetCsv);
    case OutputFormat::Json:
        return "{" + fileMembers(fileName, scenario.baseline) + ", " + scenarioMembers(scenario) + "}\n";
    }
    return "";
}

std::string targetOutput(OutputFormat format, const std::string& fileName, const std::vector<TargetSearch>& searches) {
    switch (format) {
    case OutputFormat::Table:
        return targetTable(fileName, searches);
    case OutputFormat::Csv:
        return targetCsv(fileName, searches);
    case OutputFormat::RussianCsv:
        return csvInDialect(targetCsv(fileName, searches), kRussianSpreadsheetCsv);
    case OutputFormat::Json:
        return targetJson(fileName, searches);
    }
    return "";
}

std::string sensitivityOutput(OutputFormat format, const std::string& fileName, const SensitivityTable& table) {
    switch (format) {
    case OutputFormat::Table:
        return sensitivityText(fileName, table);
    case OutputFormat::Csv:
        return sensitivityCsv(fileName, table);
    case OutputFormat::RussianCsv:
        return csvInDialect(sensitivityCsv(fileName, table), kRussianSpreadsheetCsv);
    case OutputFormat::Json:
        return sensitivityJson(fileName, table);
    }
    return "";
}

}  // namespace nutrient
