#pragma once
// A basin: the sub-catchments of one water body, some draining into others before they reach
// it, kept as a CSV file (UTF-8, header "file,drains_into,observed_P,observed_N", the last two
// columns optional) with one row per sub-catchment: its parameters file, the file of the
// sub-catchment it drains into as written in that one's row (empty: straight into the water
// body), and the loads measured at its outlet (t/yr, optional).

#include "load_calculation.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nutrient {

// A load measured at a sub-catchment's outlet: the text as written and its value.
struct MeasuredLoad {
    std::string text;
    long double value;
    bool operator==(const MeasuredLoad&) const = default;
};

struct BasinRow {
    std::size_t line;        // the basin file's line the row is on
    std::string file;        // as written
    std::string path;        // the file to read: relative names taken from the basin file's folder
    std::string drainsInto;  // as written; empty for a row that drains into the water body
    std::array<std::optional<MeasuredLoad>, 2> measured;  // P, N
    const std::optional<MeasuredLoad>& measuredLoad(Nutrient nutrient) const {
        return measured[static_cast<int>(nutrient)];
    }
};

inline constexpr std::size_t kWaterBody = static_cast<std::size_t>(-1);

struct Basin {
    std::string folder;                      // the basin file's folder
    std::vector<BasinRow> rows;              // in file order
    std::vector<std::size_t> downstream;     // per row: the row it drains into, or kWaterBody
    std::vector<std::size_t> upstreamFirst;  // every row once, each after all rows that drain into it
};

// Reads a basin file within the read limit.  Throws Failure with the file's failure ("File not
// found", ...) or with every problem of its contents, one a line, each naming its rows by line
// and file: a bad header, a row without a file, a field that is no plain UTF-8 text, a file
// listed twice, a drains_into that names no row, rows that drain into each other in a cycle
// (every row of it, up to kNamedCycleRows, so that the message stays one a box can show), a
// measured load that is not a positive number.  Past kListedProblems the rest are counted.
Basin readBasinFile(const std::string& fileName);
// The same over a basin file's text; relative files are taken from `folder`.
Basin parseBasinFile(std::string_view text, const std::string& folder);

inline constexpr std::size_t kListedProblems = 10;
inline constexpr std::size_t kNamedCycleRows = 50;
inline constexpr const char* kBasinHeader = "file,drains_into,observed_P,observed_N";

// A file named in a basin file: an absolute name as it is, a relative one in the folder.
std::string pathInFolder(const std::string& folder, const std::string& name);

// The problems of a refused basin file (the text of its Failure), each as its box shows a
// failure: with a final "." where the box adds one.
std::vector<std::string> shownProblems(std::string_view problems);

// A row as messages name it: "line 3 ('b.txt')".
std::string rowName(const BasinRow& row);

}  // namespace nutrient
