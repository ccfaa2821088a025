// A basin of 10,000 sub-catchments, computed as the command line computes it: the basin file
// read, every parameters file computed upstream first, the totals, and the results written as
// JSON.  Two shapes: a chain (each row drains into the next, so every inflow carries all the
// rows above it) and a binary tree (row i drains into row (i - 1) / 2).  The parameters files
// are the standard set, each with a point-source load of phosphorus of its own, written once
// into a scratch folder.  Prints the median time of the runs per shape.
//
//   bench_basin [RUNS]      default 5

#include "model/basin_export.h"
#include "model/parameter_set.h"
#include "model/windows1251.h"

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 10000;
namespace fs = std::filesystem;

std::string fileName(int row) {
    char name[32];
    std::snprintf(name, sizeof name, "catchment-%05d.txt", row);
    return name;
}

// The standard set in Windows-1251 with CR LF, with the row's own point-source load of P.
void writeParameters(const fs::path& folder) {
    for (int row = 0; row < kRows; ++row) {
        std::string bytes;
        for (const nutrient::ParameterInfo& p : nutrient::kParameters) {
            const bool own = p.key == nutrient::Parameter::PointSourcesP;
            bytes += (own ? std::to_string(150 + row % 200) : nutrient::encodeWindows1251(p.standardText)) + "\r\n";
        }
        std::ofstream(folder / fileName(row), std::ios::binary) << bytes;
    }
}

// The basin file with each row's downstream row (-1: the water body).
std::string writeBasin(const fs::path& folder, const char* name, const std::function<int(int)>& downstream) {
    std::string text = "file,drains_into\n";
    for (int row = 0; row < kRows; ++row)
        text += fileName(row) + "," + (downstream(row) < 0 ? std::string() : fileName(downstream(row))) + "\n";
    std::ofstream(folder / name, std::ios::binary) << text;
    return (folder / name).string();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Wall time, and the process's processor time, which other processes on the machine disturb less.
void measure(const char* shape, const std::string& basinFile, int runs) {
    std::vector<double> milliseconds, processorMilliseconds;
    std::string load;
    std::size_t bytes = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t processorStart = std::clock();
        const nutrient::BasinAnalysis analysis = nutrient::analyseBasin(nutrient::readBasinFile(basinFile));
        bytes = nutrient::basinJson(analysis).size();
        processorMilliseconds.push_back(1000.0 * static_cast<double>(std::clock() - processorStart) / CLOCKS_PER_SEC);
        milliseconds.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        load = analysis.computed.complete() ? analysis.computed.totals.load[0] : analysis.computed.totalsMissing;
    }
    const double wall = median(milliseconds);
    std::printf(
        "basin %s: %d sub-catchments in %.0f ms (median of %d runs, min %.0f, max %.0f; processor %.0f ms), "
        "%.1f us per row; L(P) on the water body %s t/yr, %zu bytes of JSON\n",
        shape, kRows, wall, runs, *std::min_element(milliseconds.begin(), milliseconds.end()),
        *std::max_element(milliseconds.begin(), milliseconds.end()), median(processorMilliseconds), wall * 1000 / kRows,
        load.c_str(), bytes);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::string pattern = (fs::temp_directory_path() / "bench-basin-XXXXXX").string();
    const fs::path folder = ::mkdtemp(pattern.data());
    writeParameters(folder);
    const std::string chain = writeBasin(folder, "chain.csv", [](int row) { return row + 1 < kRows ? row + 1 : -1; });
    const std::string tree = writeBasin(folder, "tree.csv", [](int row) { return row == 0 ? -1 : (row - 1) / 2; });
    measure("chain", chain, runs);
    measure("tree", tree, runs);
    fs::remove_all(folder);
    return 0;
}
