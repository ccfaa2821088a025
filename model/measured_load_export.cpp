#include "measured_load_export.h"

#include "csv.h"
#include "results_export.h"

namespace nutrient {

namespace {

const std::string& baselineLoad(const MeasuredLoadCheck& check, const NutrientCheck& nutrient) {
    return check.baseline.results.text(Quantity::L, nutrient.nutrient);
}

std::string variantRejection(const MeasuredLoadCheck& check) {
    return check.variant ? check.variant->rejection().value_or("") : "";
}

std::string nutrientLines(const MeasuredLoadCheck& check, const NutrientCheck& nutrient) {
    std::string lines = std::string(nutrientHeading(nutrient.nutrient)) + ": измерено " +
                        printableText(nutrient.measured) + ", рассчитано " + baselineLoad(check, nutrient) +
                        " т/год, отклонение " + nutrient.deviationPercent + " %\n  ";
    if (!nutrient.rtObserved.empty()) lines += "Rt по измерениям " + nutrient.rtObserved + "; ";
    if (nutrient.fitted)
        lines += std::string(info(nutrient.fitted->parameter).symbol) + " = " + nutrient.fitted->text + "\n";
    else lines += "не подобрано: " + nutrient.refusal + "\n";
    return lines;
}

}  // namespace

std::string measuredLoadTable(const std::string& fileName, const MeasuredLoadCheck& check) {
    std::string table = tableHeading(fileName, check.baseline) + "\nСверка с измеренной нагрузкой, подбирается " +
                        fittedCoefficientName(check.coefficient) + "\n";
    for (const NutrientCheck& nutrient : check.nutrients) table += nutrientLines(check, nutrient);
    if (!check.variant) return table;
    table += "\nРезультаты с подобранными коэффициентами:\n" + textTable(fileName, *check.variant);
    const std::string rejection = variantRejection(check);
    if (!rejection.empty()) table += "Результаты не могут быть приняты: " + rejection + "\n";
    return table;
}

std::string measuredLoadCsv(const std::string& fileName, const MeasuredLoadCheck& check) {
    std::string csv = "file,object,nutrient,measured,L,deviation_percent,rt_observed,fitted,fitted_text,refusal," +
                      csvResultKeys() + "\r\n";
    const std::string variant = check.variant ? csvResultTexts(check.variant->results) : csvResultTexts({});
    for (const NutrientCheck& nutrient : check.nutrients) {
        const std::string fitted =
            nutrient.fitted ? csvField(info(nutrient.fitted->parameter).symbol) + "," + csvField(nutrient.fitted->text)
                            : ",";
        csv += csvFileFields(fileName, check.baseline) + "," + nutrientSymbol(nutrient.nutrient) + "," +
               csvField(nutrient.measured) + "," + baselineLoad(check, nutrient) + "," + nutrient.deviationPercent +
               "," + nutrient.rtObserved + "," + fitted + "," + csvField(nutrient.refusal) + "," + variant + "\r\n";
    }
    return csv;
}

std::string measuredLoadJson(const std::string& fileName, const MeasuredLoadCheck& check) {
    std::string json = "{" + jsonFileMembers(fileName, check.baseline) +
                       ", \"fit\": " + jsonString(fittedCoefficientName(check.coefficient)) + ", \"observed\": {";
    for (const NutrientCheck& nutrient : check.nutrients) {
        if (&nutrient != &check.nutrients.front()) json += ", ";
        const std::string fitted = nutrient.fitted
                                       ? "{\"parameter\": " + jsonString(info(nutrient.fitted->parameter).symbol) +
                                             ", \"text\": " + jsonString(nutrient.fitted->text) + "}"
                                       : "null";
        json += jsonString(nutrientSymbol(nutrient.nutrient)) + ": {\"measured\": " + jsonString(nutrient.measured) +
                ", \"L\": " + jsonString(baselineLoad(check, nutrient)) +
                ", \"deviation_percent\": " + jsonString(nutrient.deviationPercent) +
                ", \"rt_observed\": " + jsonStringOrNull(nutrient.rtObserved) + ", \"fitted\": " + fitted +
                ", \"refusal\": " + jsonStringOrNull(nutrient.refusal) + "}";
    }
    json += "}, \"variant\": " + (check.variant ? jsonResultTexts(check.variant->results) : std::string("null"));
    return json + ", \"variant_rejection\": " + jsonStringOrNull(variantRejection(check)) + "}";
}

std::string measuredLoadOutput(OutputFormat format, const std::string& fileName, const MeasuredLoadCheck& check) {
    switch (format) {
    case OutputFormat::Table:
        return measuredLoadTable(fileName, check);
    case OutputFormat::Csv:
        return measuredLoadCsv(fileName, check);
    case OutputFormat::RussianCsv:
        return csvInDialect(measuredLoadCsv(fileName, check), kRussianSpreadsheetCsv);
    case OutputFormat::Json:
        return measuredLoadJson(fileName, check) + "\n";
    }
    return "";
}

}  // namespace nutrient
