#include "batch.h"

#include "results_export.h"

#include <algorithm>
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

namespace {

// The files of one run computed one by one, each one's results written as soon as it is done.
class Batch {
public:
    Batch(OutputFormat format, std::ostream& results, std::ostream& messages,
          const std::function<void(const FileCalculation&)>& computed)
        : format_(format), results_(results), messages_(messages), computed_(computed) {}

    void compute(const std::string& fileName) {
        const FileCalculation calculation = calculateFile(fileName, Waiting::ForTheWriter);
        messages_ << fileMessageLines(fileName, calculation);
        results_ << separatorBefore(format_, first_) + resultsOf(format_, fileName, calculation);
        first_ = false;
        if (!calculation.computed) status_ = kExitSomeFailed;
        if (computed_) computed_(calculation);
    }

    // Each name the list holds, in order.
    void computeListed(const std::string& listName) {
        try {
            LineReader list(listName);
            while (const std::optional<std::string> line = list.next())
                if (!line->empty()) compute(*line == "-" ? "./-" : *line);
        } catch (const Failure& failure) {
            messages_ << messageLine(listName, shownFailureText(failure.what()));
            status_ = kExitSomeFailed;
        }
    }

    // A run without a file (empty lists) still gives a whole CSV file or JSON document.
    int end() {
        if (first_ && format_ != OutputFormat::Json) results_ << separatorBefore(format_, true);
        if (format_ == OutputFormat::Json) results_ << (first_ ? "[]\n" : "\n]\n");
        return status_;
    }

private:
    OutputFormat format_;
    std::ostream& results_;
    std::ostream& messages_;
    const std::function<void(const FileCalculation&)>& computed_;
    bool first_ = true;
    int status_ = kExitAllComputed;
};

}  // namespace

bool FilesToCompute::readStandardInputTwice() const {
    return std::count(files.begin(), files.end(), "-") + std::count(lists.begin(), lists.end(), "-") > 1;
}

int calculateFiles(const FilesToCompute& files, OutputFormat format, std::ostream& results, std::ostream& messages,
                   const std::function<void(const FileCalculation&)>& computed) {
    Batch batch(format, results, messages, computed);
    for (const std::string& fileName : files.files) batch.compute(fileName);
    for (const std::string& listName : files.lists) batch.computeListed(listName);
    return batch.end();
}

}  // namespace nutrient
