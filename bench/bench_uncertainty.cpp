// Times the uncertainty analysis as the window runs it: 10,000 draws on the standard catchment
// with five ranged parameters, every draw computed and the summary made, on one thread and on
// two.  Prints the median time of each over the runs.
//
//   bench_uncertainty [RUNS]      default 11

#include "model/uncertainty.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using namespace nutrient;

const std::vector<UncertaintyRange> kRanges = {
    {Parameter::RetentionExponentP, "+10%", "-10%", Distribution::Triangular},
    {Parameter::RetentionCoefficientN, "-20%", "+20%", Distribution::Triangular},
    {Parameter::CropRemovalP, "-10%", "+10%", Distribution::Uniform},
    {Parameter::CattleEmissionP, "-15%", "+15%", Distribution::Uniform},
    {Parameter::RunoffLayer, "270", "330", Distribution::Uniform},
};

// Milliseconds of each run, sorted.
std::vector<double> timed(const ParameterTexts& texts, unsigned threads, int runs, std::string& median) {
    std::vector<double> milliseconds;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const UncertaintySummary summary = summarize(*runUncertainty(texts, kRanges, {kDefaultDraws, 1, threads}));
        const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
        milliseconds.push_back(elapsed.count());
        median = summary.of(Nutrient::P).of(Quantity::L).p50;
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    return milliseconds;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    ParameterTexts texts;
    for (const ParameterInfo& p : kParameters) texts[static_cast<int>(p.key)] = p.standardText;
    for (unsigned threads : {1u, 2u}) {
        std::string median;
        const std::vector<double> ms = timed(texts, threads, runs, median);
        std::printf(
            "uncertainty: %u thread%s median %.1f ms (min %.1f, max %.1f) for %zu draws over %d runs; "
            "L(P) p50 = %s\n",
            threads, threads == 1 ? ":" : "s:", ms[ms.size() / 2], ms.front(), ms.back(), kDefaultDraws, runs,
            median.c_str());
    }
    return 0;
}
