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

// The files a computation takes: the FILEs of the command line, then the names each list
// holds, in order.  A list is a file of names, one a line (LF or CR LF), the way shells pass
// many files; its blank lines are passed over, and its line "-" names the file "-" of the
// current folder, "./-", since only the command line names standard input.  A list is read as
// its names are computed, so that a list of any length takes no more memory than one name.
// The FILEs alone convert.
struct FilesToCompute {
    FilesToCompute(std::vector<std::string> fileNames, std::vector<std::string> listNames = {})
        : files(std::move(fileNames)), lists(std::move(listNames)) {}
    std::vector<std::string> files;  // "-" is standard input
    std::vector<std::string> lists;  // "-" is standard input
    // Standard input can be read only once: "-" given twice among the FILEs and the lists is a
    // usage error.
    bool readStandardInputTwice() const;
};

// Computes the files in order (each waiting for a pipe's writer, as a shell's tools do).  The
// results go to `results`: each file's table with a blank line between them, or the CSV header
// once and one record per file, or a JSON array with one object per line.  Every box goes to
// `messages` as a line "FILE: text" in the order the windows would show them, then each note on
// the file's stored derived values as "FILE: note: text"; a list that cannot be read is
// reported so ("LIST: File not found.").  A file or a list that fails never stops the others.
// Each file's calculation is then handed to `computed`, when given.  Returns kExitAllComputed
// when every calculation ran to its end, else kExitSomeFailed (a file refused, unreadable, a
// calculation stopped, or a list unreadable).
int calculateFiles(const FilesToCompute& files, OutputFormat format, std::ostream& results, std::ostream& messages,
                   const std::function<void(const FileCalculation&)>& computed = {});

}  // namespace nutrient
