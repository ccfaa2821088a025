#pragma once
// A scenario: the baseline of a catchment beside a variant whose parameters are moved by
// percentages, as a programme of measures would move them.  The variant is an ordinary
// parameter set: its texts saved as a file and computed again give the same result texts.

#include "levers.h"
#include "variant.h"

#include <string>
#include <vector>

namespace nutrient {

// A parameter moved by a percentage.
struct PercentChange {
    Parameter parameter;
    long double percent;
};

// The levers' parameters, each moved by its lever's percentage read from its text.  Throws
// Failure for a percentage that is not a number or out of range, naming the lever.
std::vector<PercentChange> percentChanges(const std::vector<LeverChange>& changes);
// The levers' parameters, all moved by one percentage.
std::vector<PercentChange> percentChanges(const std::vector<LeverChoice>& choices, long double percent);

struct Scenario {
    Computation baseline;
    Computation variant;
    std::vector<ParameterChange> changed;  // the texts the changes altered, in file order
};

// The baseline's texts (a computeVariant of the user's texts, so after the show rule) with each
// parameter changed by its percentage (changedByPercent), computed as computeVariant computes
// them.  A text whose new value is beyond the extended range stops the variant with that
// failure, as it would stop the calculation.
Scenario scenarioOf(const Computation& baseline, const std::vector<PercentChange>& changes);

// How a result moved from the baseline to the variant, from the displayed texts: the
// difference with the row's decimals, and the difference in per cent of the baseline with two
// decimals.  Empty when either text is empty, and the percentage also for a baseline of zero.
std::string resultChange(const Scenario& scenario, Quantity quantity, Nutrient nutrient);
std::string resultChangePercent(const Scenario& scenario, Quantity quantity, Nutrient nutrient);

}  // namespace nutrient
