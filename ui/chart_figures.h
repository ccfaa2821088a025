#pragma once
// The figures of the two chart windows, worked out from the displayed result texts (and the
// unrounded transport coefficients) without any drawing: the source-share slices with their
// marks, the budget bars, the conditions under which they are drawn and the warnings.
// Every result is read back from its text, so a text that is not a number throws Failure.

#include "model/load_calculation.h"
#include "model/messages.h"
#include "ui/charts/chart_data.h"

#include <QString>

#include <vector>

namespace nutrient {

inline constexpr const char* kWarnNegativeContribution =
    "Величина вклада различных источников не должна быть отрицательной!";
inline constexpr const char* kWarnNegativeDiffuse =
    "Вклад рассредоточенных источников в биогенную нагрузку отрицательный, проверьте "
    "правильность задания параметров!";

// --- Source shares of the load on the water body (pies) ---

// Point sources after transport (Lp * Rt), the rest of the anthropogenic load
// (L - Lnat - Lp * Rt) and the background (Lnat), each with its mark "<share> of <total>".
std::vector<PieSlice> sourceShareSlices(const LoadResults& results, const RetentionShared& shared,
                                        Nutrient nutrient);
// The pies are drawn only when L, Lp and Lnat are positive for both nutrients and the crop
// removal does not exceed the diffuse inputs; the tests stop at the first that fails.
bool sourceSharesDrawable(const LoadResults& results);
// Warns about each negative L, Lp, Lnat, in the order of the draw condition.
void warnAboutNegativeContributions(const LoadResults& results, Messages& messages);

// --- Nutrient budget of the catchment (bars) ---

// Chart values are kept as doubles; a value beyond their range throws Failure (overflow).

// The six inputs upward in red, then retention, crop removal and export downward in blue.
std::vector<ChartBar> budgetBars(const LoadResults& results, Nutrient nutrient);
// The bars are drawn only when the crop removal exceeds the diffuse inputs for neither
// nutrient (P tested first).
bool budgetDrawable(const LoadResults& results);
// Warns about a crop removal above the diffuse inputs, for P and then for N (both windows).
void warnAboutCropRemoval(const LoadResults& results, Messages& messages);

// --- Number texts of the charts ---

// The value rounded half away from zero to at most maxDecimals decimals (judged, like the
// result texts, on its 18-digit decimal form), trailing zeros dropped, with the regional
// decimal separator and thousands grouped by the regional group separator: "3,127", "4.34".
QString groupedNumber(long double value, int maxDecimals);
// A pie mark: the share with up to two decimals and "%", then " of " and the total as a
// whole number, e.g. "4.34% of 3,127".
QString pieMark(long double sharePercent, long double total);

}  // namespace nutrient
