#include "basin_file.h"

#include "csv.h"
#include "file_system.h"
#include "number_text.h"
#include "results_export.h"
#include "windows1251.h"

#include <filesystem>
#include <unordered_map>

namespace nutrient {

namespace {

enum Column { kFile, kDrainsInto, kObservedP, kObservedN, kColumnCount };
constexpr const char* kColumnNames[kColumnCount] = {"file", "drains_into", "observed_P", "observed_N"};
constexpr std::size_t kRequiredColumns = 2;

// What is wrong with a basin file, each problem a line of the failure's text.
class Problems {
public:
    void add(std::string problem) {
        if (listed_.size() < kListedProblems) listed_.push_back(std::move(problem));
        else ++unlisted_;
    }
    bool any() const { return !listed_.empty(); }
    void throwAny() const {
        if (!any()) return;
        std::string text;
        for (const std::string& problem : listed_) text += (text.empty() ? "" : "\n") + problem;
        if (unlisted_ > 0) text += "\n… and " + std::to_string(unlisted_) + " more";
        throw Failure(text);
    }

private:
    std::vector<std::string> listed_;
    std::size_t unlisted_ = 0;
};

std::string lineProblem(std::size_t line, const std::string& text) {
    return "Line " + std::to_string(line) + ": " + text;
}

std::string rowProblem(const BasinRow& row, const std::string& text) {
    std::string name = rowName(row);
    name[0] = 'L';
    return name + ": " + text;
}

// A name a row may hold: well-formed UTF-8 without control characters, which could only come
// from a damaged file and would end a file name early or garble the messages that quote it.
bool plainText(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        if (!nextCodePoint(text, i, c)) return false;
        if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return false;
    }
    return true;
}

void checkHeader(const CsvRecord& header) {
    bool named = header.fields.size() >= kRequiredColumns && header.fields.size() <= kColumnCount;
    for (std::size_t i = 0; named && i < header.fields.size(); ++i) named = header.fields[i] == kColumnNames[i];
    if (!named)
        throw Failure(lineProblem(header.line, std::string("the header is not '") + kBasinHeader +
                                                   "' (the last two columns may be left out)"));
}

std::string field(const CsvRecord& record, Column column) {
    return static_cast<std::size_t>(column) < record.fields.size() ? record.fields[column] : std::string();
}

std::optional<MeasuredLoad> measuredLoad(const BasinRow& row, const std::string& text, Nutrient nutrient,
                                         Problems& problems) {
    if (text.empty()) return std::nullopt;
    try {
        const long double value = parseNumber(text);
        if (value > 0) return MeasuredLoad{text, value};
    } catch (const Failure&) {
    }
    problems.add(rowProblem(row, std::string("the measured load of ") + nutrientSymbol(nutrient) + " " +
                                     readableQuote(text) + " is not a positive number"));
    return std::nullopt;
}

// The row of a record; nothing when it has no file to compute.
std::optional<BasinRow> rowOf(const CsvRecord& record, std::size_t columns, const std::string& folder,
                              Problems& problems) {
    if (record.fields.size() > columns) {
        problems.add(lineProblem(record.line, std::to_string(record.fields.size()) + " fields, but the header names " +
                                                  std::to_string(columns)));
        return std::nullopt;
    }
    BasinRow row{record.line, field(record, kFile), {}, field(record, kDrainsInto), {}};
    if (!plainText(row.file) || !plainText(row.drainsInto)) {
        problems.add(lineProblem(record.line, "a file name is not plain UTF-8 text"));
        return std::nullopt;
    }
    if (row.file.empty()) {
        problems.add(lineProblem(record.line, "no parameters file"));
        return std::nullopt;
    }
    row.path = pathInFolder(folder, row.file);
    row.measured = {measuredLoad(row, field(record, kObservedP), Nutrient::P, problems),
                    measuredLoad(row, field(record, kObservedN), Nutrient::N, problems)};
    return row;
}

// Two rows are the same file when their paths are, once "." and ".." are resolved.
void findDuplicates(const std::vector<BasinRow>& rows, Problems& problems) {
    std::unordered_map<std::string, std::size_t> first;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string path = std::filesystem::path(rows[i].path).lexically_normal().string();
        const auto [it, added] = first.emplace(path, i);
        if (!added)
            problems.add(rowProblem(rows[i], "the file is listed again, first on " + rowName(rows[it->second])));
    }
}

std::vector<std::size_t> downstreamRows(const std::vector<BasinRow>& rows, Problems& problems) {
    std::unordered_map<std::string_view, std::size_t> rowOfFile;
    for (std::size_t i = 0; i < rows.size(); ++i) rowOfFile.emplace(rows[i].file, i);
    std::vector<std::size_t> downstream(rows.size(), kWaterBody);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].drainsInto.empty()) continue;
        const auto it = rowOfFile.find(rows[i].drainsInto);
        if (it == rowOfFile.end())
            problems.add(
                rowProblem(rows[i], "drains into " + readableQuote(rows[i].drainsInto) + ", which no row lists"));
        else downstream[i] = it->second;
    }
    return downstream;
}

// Each row after every row that drains into it (Kahn's order, without recursion, so that a
// chain of any length is ordered), the rows that drain into the water body straight away
// first, in file order.  Each row drains into one row at most, so the rows left unordered are
// exactly those on cycles; each cycle is named whole.
std::vector<std::size_t> upstreamFirstOrder(const Basin& basin, Problems& problems) {
    const std::size_t count = basin.rows.size();
    std::vector<std::size_t> waiting(count, 0);  // rows draining into it not yet ordered
    for (std::size_t to : basin.downstream)
        if (to != kWaterBody) ++waiting[to];
    std::vector<std::size_t> order;
    order.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        if (waiting[i] == 0) order.push_back(i);
    for (std::size_t next = 0; next < order.size(); ++next) {
        const std::size_t to = basin.downstream[order[next]];
        if (to != kWaterBody && --waiting[to] == 0) order.push_back(to);
    }
    std::vector<bool> named(count, false);
    for (std::size_t i = 0; i < count; ++i) {
        if (waiting[i] == 0 || named[i]) continue;
        std::string cycle;
        std::size_t length = 0;
        for (std::size_t row = i; !named[row]; row = basin.downstream[row], ++length) {
            named[row] = true;
            if (length < kNamedCycleRows) cycle += (cycle.empty() ? "" : ", ") + rowName(basin.rows[row]);
        }
        if (length > kNamedCycleRows) cycle += " and " + std::to_string(length - kNamedCycleRows) + " more";
        if (basin.downstream[i] == i) problems.add(rowProblem(basin.rows[i], "it drains into itself"));
        else {
            cycle[0] = 'L';
            problems.add(cycle + ": they drain into each other in a cycle");
        }
    }
    return order;
}

std::string folderOf(const std::string& fileName) {
    const std::size_t slash = fileName.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : fileName.substr(0, slash);
}

}  // namespace

std::vector<std::string> shownProblems(std::string_view problems) {
    std::vector<std::string> shown;
    for (std::size_t start = 0; start <= problems.size();) {
        const std::size_t end = std::min(problems.find('\n', start), problems.size());
        shown.push_back(shownFailureText(problems.substr(start, end - start)));
        start = end + 1;
    }
    return shown;
}

std::string rowName(const BasinRow& row) {
    return "line " + std::to_string(row.line) + " (" + readableQuote(row.file) + ")";
}

std::string pathInFolder(const std::string& folder, const std::string& name) {
    if (name.starts_with('/')) return name;
    return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

Basin parseBasinFile(std::string_view text, const std::string& folder) {
    const std::vector<CsvRecord> records = parseCsv(text);
    if (records.empty()) throw Failure("The basin file is empty");
    checkHeader(records.front());
    if (records.size() == 1) throw Failure("The basin file lists no sub-catchment");
    Problems problems;
    Basin basin;
    basin.folder = folder;
    for (std::size_t i = 1; i < records.size(); ++i)
        if (std::optional<BasinRow> row = rowOf(records[i], records.front().fields.size(), folder, problems))
            basin.rows.push_back(std::move(*row));
    findDuplicates(basin.rows, problems);
    basin.downstream = downstreamRows(basin.rows, problems);
    // Cycles are looked for only among rows that are in order otherwise: a duplicate or a
    // missing row would make them ambiguous.
    if (!problems.any()) basin.upstreamFirst = upstreamFirstOrder(basin, problems);
    problems.throwAny();
    return basin;
}

Basin readBasinFile(const std::string& fileName) { return parseBasinFile(readFile(fileName), folderOf(fileName)); }

}  // namespace nutrient
