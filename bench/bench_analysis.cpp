// Times the analyses on the standard catchment as the analysis window recomputes them after an
// edit: the baseline computed, then a target search (livestock to L(P) <= 2000 t/yr, bisection
// over the 0.01 % grid) or the whole sensitivity table (every parameter at -10, +10, -1 and
// +1 %, both nutrients ranked).  Prints the median time of each over many runs.

#include "model/sensitivity.h"
#include "model/target_search.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// The median milliseconds of `runs` calls, after one call to warm up.
double medianMilliseconds(int runs, const std::function<void()>& call) {
    call();
    std::vector<double> milliseconds;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        call();
        const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
        milliseconds.push_back(elapsed.count());
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    return milliseconds[milliseconds.size() / 2];
}

}  // namespace

int main() {
    using namespace nutrient;
    ParameterTexts texts;
    for (const ParameterInfo& p : kParameters) texts[static_cast<int>(p.key)] = p.standardText;
    const std::vector<LeverChoice> livestock = parseLeverChoices("livestock");

    constexpr int kRuns = 201;
    std::string cut;
    const double target = medianMilliseconds(kRuns, [&] {
        const TargetSearch search = searchTarget(computeVariant(texts), {Nutrient::P, "2000"}, livestock);
        cut = cutText(search.cut.value_or(0));
    });
    std::size_t rows = 0;
    const double sensitivity = medianMilliseconds(kRuns, [&] {
        const SensitivityTable table = sensitivityTable(computeVariant(texts), kDefaultSensitivityStep);
        rows = table.rowsOf(Nutrient::P).size() + table.rowsOf(Nutrient::N).size();
    });
    std::printf("target search: median %.3f ms over %d runs; cut %s %%\n", target, kRuns, cut.c_str());
    std::printf("sensitivity table: median %.3f ms over %d runs; %zu rows\n", sensitivity, kRuns, rows);
    return 0;
}
