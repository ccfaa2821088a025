#include "chart_figures.h"

#include "number_text.h"

#include <cmath>

namespace nutrient {

namespace {

long double shownValue(const LoadResults& results, Quantity quantity, Nutrient nutrient) {
    return results.value(quantity, nutrient);
}

// Diffuse inputs that the crop removal draws on, summed in this order.
long double diffuseInputs(const LoadResults& results, Nutrient nutrient) {
    long double sum = shownValue(results, Quantity::Lmf, nutrient);
    sum += shownValue(results, Quantity::Le, nutrient);
    sum += shownValue(results, Quantity::Lof, nutrient);
    sum += shownValue(results, Quantity::La, nutrient);
    return sum;
}

// The charts keep their values as doubles, as the slices and bars are stored.
double chartValue(long double value) { return static_cast<double>(checkedFinite(static_cast<double>(value))); }

bool cropRemovalPlausible(const LoadResults& results, Nutrient nutrient) {
    const long double removal = shownValue(results, Quantity::Lc, nutrient);
    return removal <= diffuseInputs(results, nutrient);
}

// The three contributions a pie is made of, P first; tested and warned about in this order.
constexpr std::array<ResultCell, 6> kContributions = {{
    {Quantity::L, Nutrient::P},
    {Quantity::Lp, Nutrient::P},
    {Quantity::Lnat, Nutrient::P},
    {Quantity::Lp, Nutrient::N},
    {Quantity::L, Nutrient::N},
    {Quantity::Lnat, Nutrient::N},
}};

struct BudgetTerm {
    Quantity quantity;
    int sign;  // outputs are negated so that they hang below zero
};
constexpr std::array<BudgetTerm, 9> kBudgetTerms = {{
    {Quantity::Lp, 1},
    {Quantity::Le, 1},
    {Quantity::Lmf, 1},
    {Quantity::Lof, 1},
    {Quantity::La, 1},
    {Quantity::Lex, 1},
    {Quantity::Lret, -1},
    {Quantity::Lc, -1},
    {Quantity::L, -1},
}};

// The pattern with each "%s" replaced by the next of the values.
std::string filledIn(std::string_view pattern, std::initializer_list<std::string> values) {
    std::string text;
    auto value = values.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.substr(i, 2) == "%s" && value != values.end()) {
            text += *value++;
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

}  // namespace

void requireCompletedCalculation(const LoadResults& results) {
    if (!results.failure().empty()) throw Failure(results.failure());
}

std::string pieMark(long double sharePercent, long double total) {
    // The share as "##0.##,%" and the total as "#,##0" in the mark pattern.
    return filledIn(kPieMarkPattern, {formatGrouped(sharePercent, 2) + "%", formatGrouped(total, 0)});
}

std::array<ShareSlice, kSourceCount> sourceShareSlices(const LoadResults& results,
                                                       const TransportCoefficients& coefficients, Nutrient nutrient) {
    // Read in this order: the first text that is not a number is the failure reported.
    const long double load = shownValue(results, Quantity::L, nutrient);
    const long double background = shownValue(results, Quantity::Lnat, nutrient);
    const long double pointAfterTransport = shownValue(results, Quantity::Lp, nutrient) * coefficients.rt(nutrient);
    return sourceShareSlices(load, background, pointAfterTransport);
}

std::array<ShareSlice, kSourceCount> sourceShareSlices(long double load, long double background,
                                                       long double pointAfterTransport) {
    // Shares and total come from the slices as the chart keeps them.
    std::array<ShareSlice, kSourceCount> slices = {{
        {Source::PointSources, chartValue(pointAfterTransport), {}},
        {Source::AnthropogenicDiffuse, chartValue((load - background) - pointAfterTransport), {}},
        {Source::Natural, chartValue(background), {}},
    }};
    double total = 0.0;
    for (const ShareSlice& slice : slices) total += std::fabs(slice.value);
    for (ShareSlice& slice : slices) {
        const long double share = total == 0.0 ? 100.0L : 100.0L * std::fabs(slice.value) / total;
        slice.mark = pieMark(share, total);
    }
    return slices;
}

bool sourceSharesDrawable(const LoadResults& results) {
    for (const ResultCell& c : kContributions)
        if (!(shownValue(results, c.quantity, c.nutrient) > 0)) return false;
    return cropRemovalPlausible(results, Nutrient::P) && cropRemovalPlausible(results, Nutrient::N);
}

void warnAboutNegativeContributions(const LoadResults& results, Messages& messages) {
    for (const ResultCell& c : kContributions)
        if (shownValue(results, c.quantity, c.nutrient) < 0) messages.warning(kWarnNegativeContribution);
}

std::vector<BudgetBar> budgetBars(const LoadResults& results, Nutrient nutrient) {
    std::vector<BudgetBar> bars;
    for (const BudgetTerm& term : kBudgetTerms) {
        const long double value = term.sign * shownValue(results, term.quantity, nutrient);
        bars.push_back({term.quantity, chartValue(value), term.sign > 0});
    }
    return bars;
}

bool budgetDrawable(const LoadResults& results) {
    return cropRemovalPlausible(results, Nutrient::P) && cropRemovalPlausible(results, Nutrient::N);
}

void warnAboutCropRemoval(const LoadResults& results, Messages& messages) {
    for (Nutrient nutrient : kNutrients)
        if (!cropRemovalPlausible(results, nutrient)) messages.warning(kWarnNegativeDiffuse);
}

}  // namespace nutrient
