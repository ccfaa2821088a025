#pragma once
// Many catchments computed one after another without a window, as the command line does: each
// file as a user computes it in the windows, its results in the chosen format on one stream and
// the texts of its boxes on another.

#include "file_calculation.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nutrient {

// A table to read, RFC 4180 CSV, the CSV of a spreadsheet on a Russian desktop, or JSON.
enum class OutputFormat { Table, Csv, RussianCsv, Json };
// "table", "csv", "csv-ru" or "json"; nothing for any other name.
std::optional<OutputFormat> outputFormatNamed(std::string_view name);
// The names, for a usage text: "table, csv, csv-ru or json".
std::string outputFormatNames();

inline constexpr int kExitAllComputed = 0;
inline constexpr int kExitSomeFailed = 1;

// Computes the files in order ("-" is standard input).  The results go to `results`: each
// file's table with a blank line between them, or the CSV header once and one record per file,
// or a JSON array with one object per line.  Every box goes to `messages` as a line
// "FILE: text" in the order the windows would show them, then each note on the file's stored
// derived values as "FILE: note: text"; a file that fails never stops the others.  Each file's calculation is then
// handed to `computed`, when given.  Returns kExitAllComputed when every calculation ran to its end, else
// kExitSomeFailed (a file refused, unreadable, or a calculation stopped).
int calculateFiles(const std::vector<std::string>& fileNames, OutputFormat format, std::ostream& results,
                   std::ostream& messages, const std::function<void(const FileCalculation&)>& computed = {});

}  // namespace nutrient
