#pragma once
// The figures of the two chart windows, worked out from the displayed result texts (and the
// unrounded transport coefficients) without any drawing: the source-share slices with their
// marks, the budget bars, the conditions under which they are drawn and the warnings.
// Every result is read back from its text, so a text that is not a number throws Failure.
// Chart values are kept as doubles, as the charts store them; a value beyond their range
// throws Failure (overflow).

#include "load_calculation.h"
#include "messages.h"

#include <array>
#include <string>
#include <vector>

namespace nutrient {

// The charts show the figures of a completed calculation: after one that stopped, this throws
// its failure again, which tells the user more than the rows it left empty would.
void requireCompletedCalculation(const LoadResults& results);

// --- Source shares of the load on the water body (pies) ---

// The three slices of a pie, in this order.
enum class Source { PointSources, AnthropogenicDiffuse, Natural };
inline constexpr int kSourceCount = 3;

// Each source's key in files and its caption in the legend of the pies.
struct SourceInfo {
    Source source;
    const char* key;
    const char* caption;
};
inline constexpr std::array<SourceInfo, kSourceCount> kSources = {{
    {Source::PointSources, "point", "Вклад точечных источников"},
    {Source::AnthropogenicDiffuse, "anthropogenic_diffuse", "Вклад антропогенных рассредоточенных источников"},
    {Source::Natural, "natural", "Природная составляющая нагрузки"},
}};
constexpr const SourceInfo& sourceInfo(Source source) { return kSources[static_cast<int>(source)]; }

struct ShareSlice {
    Source source;
    double value;      // may be negative; the pie draws it by its magnitude
    std::string mark;  // "<share>% of <total>"
};

// Point sources after transport (Lp * Rt), the rest of the anthropogenic load
// (L - Lnat - Lp * Rt) and the background (Lnat), each with its mark "<share> of <total>".
std::array<ShareSlice, kSourceCount> sourceShareSlices(const LoadResults& results,
                                                       const TransportCoefficients& coefficients, Nutrient nutrient);
// The same slices from the three loads they are made of, for a load that is no one
// catchment's results (the sum over a basin): L, its natural component Lnat and the point
// sources after transport.
std::array<ShareSlice, kSourceCount> sourceShareSlices(long double load, long double background,
                                                       long double pointAfterTransport);
// The pies are drawn only when L, Lp and Lnat are positive for both nutrients and the crop
// removal does not exceed the diffuse inputs; the tests stop at the first that fails.
bool sourceSharesDrawable(const LoadResults& results);
// Warns about each negative L, Lp, Lnat, in the order of the draw condition.
void warnAboutNegativeContributions(const LoadResults& results, Messages& messages);

// --- Nutrient budget of the catchment (bars) ---

struct BudgetBar {
    Quantity quantity;  // its symbol is the bar's mark
    double value;       // outputs negated, so that they hang below zero
    bool input;
};

// The six inputs upward, then retention, crop removal and export downward.
std::vector<BudgetBar> budgetBars(const LoadResults& results, Nutrient nutrient);
// The bars are drawn only when the crop removal exceeds the diffuse inputs for neither
// nutrient (P tested first).
bool budgetDrawable(const LoadResults& results);
// Warns about a crop removal above the diffuse inputs, for P and then for N (both windows).
void warnAboutCropRemoval(const LoadResults& results, Messages& messages);

// A pie mark: the share with up to two decimals and "%", then " of " and the total as a
// whole number, e.g. "4.34% of 3,127".
std::string pieMark(long double sharePercent, long double total);

}  // namespace nutrient
