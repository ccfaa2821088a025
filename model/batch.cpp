#include "batch.h"

#include "results_export.h"

#include <ostream>

namespace nutrient {

namespace {

// What comes before a file's results: nothing, a blank line between tables, the CSV header
// before the first record, the JSON array's opening or the comma between its objects.
std::string separatorBefore(OutputFormat format, bool first) {
    switch (format) {
    case OutputFormat::Table:
        return first ? "" : "\n";
    case OutputFormat::Csv:
        return first ? csvHeader() : "";
    case OutputFormat::Json:
        return first ? "[\n" : ",\n";
    }
    return "";
}

std::string resultsOf(OutputFormat format, const std::string& fileName, const FileCalculation& calculation) {
    switch (format) {
    case OutputFormat::Table:
        return textTable(fileName, calculation);
    case OutputFormat::Csv:
        return csvRecord(fileName, calculation);
    case OutputFormat::Json:
        return jsonObject(fileName, calculation);
    }
    return "";
}

}  // namespace

std::optional<OutputFormat> outputFormatNamed(std::string_view name) {
    if (name == "table") return OutputFormat::Table;
    if (name == "csv") return OutputFormat::Csv;
    if (name == "json") return OutputFormat::Json;
    return std::nullopt;
}

int calculateFiles(const std::vector<std::string>& fileNames, OutputFormat format, std::ostream& results,
                   std::ostream& messages, const std::function<void(const FileCalculation&)>& computed) {
    int status = kExitAllComputed;
    for (std::size_t i = 0; i < fileNames.size(); ++i) {
        const std::string& fileName = fileNames[i];
        const FileCalculation calculation = calculateFile(fileName);
        for (const Message& message : calculation.messages)
            messages << printableText(fileName) + ": " + printableText(message.shown()) + "\n";
        results << separatorBefore(format, i == 0) + resultsOf(format, fileName, calculation);
        if (!calculation.computed) status = kExitSomeFailed;
        if (computed) computed(calculation);
    }
    if (format == OutputFormat::Json && !fileNames.empty()) results << "\n]\n";
    return status;
}

}  // namespace nutrient
