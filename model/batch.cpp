#include "batch.h"

#include "results_export.h"

#include <ostream>

namespace nutrient {

namespace {

struct NamedFormat {
    const char* name;
    OutputFormat format;
};
constexpr NamedFormat kOutputFormats[] = {{"table", OutputFormat::Table},
                                          {"csv", OutputFormat::Csv},
                                          {"csv-ru", OutputFormat::RussianCsv},
                                          {"json", OutputFormat::Json}};

const CsvDialect& csvDialect(OutputFormat format) {
    return format == OutputFormat::RussianCsv ? kRussianSpreadsheetCsv : kRfc4180Csv;
}

// What comes before a file's results: nothing, a blank line between tables, the CSV header
// before the first record, the JSON array's opening or the comma between its objects.
std::string separatorBefore(OutputFormat format, bool first) {
    switch (format) {
    case OutputFormat::Table:
        return first ? "" : "\n";
    case OutputFormat::Csv:
    case OutputFormat::RussianCsv:
        return first ? csvHeader(csvDialect(format)) : "";
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
    case OutputFormat::RussianCsv:
        return csvRecord(fileName, calculation, csvDialect(format));
    case OutputFormat::Json:
        return jsonObject(fileName, calculation);
    }
    return "";
}

}  // namespace

std::optional<OutputFormat> outputFormatNamed(std::string_view name) {
    for (const NamedFormat& named : kOutputFormats)
        if (name == named.name) return named.format;
    return std::nullopt;
}

std::string outputFormatNames() {
    std::string names;
    for (std::size_t i = 0; i < std::size(kOutputFormats); ++i) {
        if (i > 0) names += i + 1 == std::size(kOutputFormats) ? " or " : ", ";
        names += kOutputFormats[i].name;
    }
    return names;
}

int calculateFiles(const std::vector<std::string>& fileNames, OutputFormat format, std::ostream& results,
                   std::ostream& messages, const std::function<void(const FileCalculation&)>& computed) {
    int status = kExitAllComputed;
    for (std::size_t i = 0; i < fileNames.size(); ++i) {
        const std::string& fileName = fileNames[i];
        const FileCalculation calculation = calculateFile(fileName);
        for (const Message& message : calculation.messages)
            messages << printableText(fileName) + ": " + printableText(message.shown()) + "\n";
        for (const std::string& note : calculation.notes)
            messages << printableText(fileName) + ": note: " + printableText(note) + "\n";
        results << separatorBefore(format, i == 0) + resultsOf(format, fileName, calculation);
        if (!calculation.computed) status = kExitSomeFailed;
        if (computed) computed(calculation);
    }
    if (format == OutputFormat::Json && !fileNames.empty()) results << "\n]\n";
    return status;
}

}  // namespace nutrient
