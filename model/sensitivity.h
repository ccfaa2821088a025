#pragma once
// Which inputs the load on the water body depends on most: every numeric parameter moved down
// and up by a step s and by 1 %, one at a time, each move an ordinary variant of the catchment.

#include "scenario.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nutrient {

// s when the user gives none, in per cent.
inline constexpr const char* kDefaultSensitivityStep = "10";
// A step's value: a number above 0 and at most 100 (a parameter moved by -100 % is zero).
// Throws Failure naming the text otherwise.
long double sensitivityStep(std::string_view text);

// One parameter's effect on one nutrient's displayed L, texts as they are shown.
struct SensitivityRow {
    Parameter parameter;
    Nutrient nutrient;
    std::string low;         // L with the parameter moved by -s
    std::string high;        // ... by +s
    std::string swing;       // high - low, with L's decimals
    std::string elasticity;  // ((L(+1 %) - L(-1 %)) / L) / 0.02, three decimals; empty when L is 0
    // Why one of the parameter's four variants (-s, +s, -1 %, +1 %, the first that fails) cannot
    // be taken; the figures are then empty.
    std::optional<std::string> rejection;
};

struct SensitivityTable {
    std::string step;  // s in the general format
    Computation baseline;
    // Per nutrient, P first: every moved parameter ranked by the magnitude of its swing (ties in
    // file order), then those with a rejected variant in file order.
    std::array<std::vector<SensitivityRow>, 2> rows;
    // The parameters left out because their value is zero, in file order.
    std::vector<Parameter> skipped;

    const std::vector<SensitivityRow>& rowsOf(Nutrient nutrient) const { return rows[static_cast<int>(nutrient)]; }
};

// Every parameter except the object name and the two derived values (the show rule derives
// them again from the moved inputs), and except those that are zero.  Throws Failure for a step
// out of range and for a baseline whose results cannot be taken.
SensitivityTable sensitivityTable(const Computation& baseline, std::string_view step);

}  // namespace nutrient
