#include "scenario.h"

#include "number_text.h"

#include <algorithm>
#include <cmath>

namespace nutrient {

namespace {

// A variant that could not be written stops as a calculation stops: nothing computed, the
// failure kept and reported.
Computation stoppedBefore(const Failure& failure) {
    Computation computation;
    computation.results.setFailure(failure.what());
    computation.messages.push_back({Message::Kind::Failure, failure.what()});
    return computation;
}

// The baseline and variant texts of a result, or nothing when either is empty.
struct ShownPair {
    long double baseline;
    long double variant;
};
std::optional<ShownPair> shownPair(const Scenario& scenario, Quantity quantity, Nutrient nutrient) {
    const std::string& baseline = scenario.baseline.results.text(quantity, nutrient);
    const std::string& variant = scenario.variant.results.text(quantity, nutrient);
    if (baseline.empty() || variant.empty()) return std::nullopt;
    return ShownPair{parseNumber(baseline), parseNumber(variant)};
}

std::string fixedOrEmpty(long double value, int decimals) {
    return std::isfinite(value) ? formatFixed(value, decimals) : "";
}

}  // namespace

std::vector<PercentChange> percentChanges(const std::vector<LeverChange>& changes) {
    std::vector<PercentChange> moved;
    for (const LeverChange& change : changes) {
        const long double percent = leverPercent(change.percent, choiceName(change.choice) + "=" + change.percent);
        for (Parameter parameter : parametersOf(change.choice)) moved.push_back({parameter, percent});
    }
    return moved;
}

std::vector<PercentChange> percentChanges(const std::vector<LeverChoice>& choices, long double percent) {
    std::vector<PercentChange> moved;
    for (const LeverChoice& choice : choices)
        for (Parameter parameter : parametersOf(choice)) moved.push_back({parameter, percent});
    return moved;
}

Scenario scenarioOf(const Computation& baseline, const std::vector<PercentChange>& changes) {
    Scenario scenario{baseline, {}, {}};
    try {
        for (const PercentChange& change : changes) {
            const std::string& text = baseline.parameters[static_cast<int>(change.parameter)];
            std::string changed = changedByPercent(text, change.percent);
            if (changed != text) scenario.changed.push_back({change.parameter, std::move(changed)});
        }
    } catch (const Failure& failure) {
        scenario.variant = stoppedBefore(failure);
        return scenario;
    }
    std::ranges::sort(scenario.changed, {}, &ParameterChange::parameter);
    scenario.variant = computeVariant(withChanges(baseline.parameters, scenario.changed));
    return scenario;
}

std::string resultChange(const Scenario& scenario, Quantity quantity, Nutrient nutrient) {
    const std::optional<ShownPair> shown = shownPair(scenario, quantity, nutrient);
    if (!shown) return "";
    return fixedOrEmpty(shown->variant - shown->baseline, resultRow(quantity).decimals);
}

std::string resultChangePercent(const Scenario& scenario, Quantity quantity, Nutrient nutrient) {
    const std::optional<ShownPair> shown = shownPair(scenario, quantity, nutrient);
    if (!shown || shown->baseline == 0) return "";
    return fixedOrEmpty(100 * (shown->variant - shown->baseline) / shown->baseline, 2);
}

}  // namespace nutrient
