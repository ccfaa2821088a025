#pragma once
// A variant of a catchment: its parameter texts with some of them replaced, computed as the user
// would compute the same texts in the windows.  Every analysis is a set of variants, and a
// variant is an ordinary parameter set: saved as a file and computed again, it gives the same
// result texts.

#include "computation.h"

#include <string>
#include <string_view>
#include <vector>

namespace nutrient {

// A parameter's new text.
struct ParameterChange {
    Parameter parameter;
    std::string text;
    bool operator==(const ParameterChange&) const = default;
};

// The text of a number changed by a percentage: value · (100 + percent) / 100 in extended
// precision, written in the general format, as the natural area is.  Throws Failure when the
// text is not a number, or the new value is beyond the extended range.
std::string changedByPercent(std::string_view text, long double percent);

// The texts with the changes made, later changes of the same parameter replacing earlier ones.
ParameterTexts withChanges(ParameterTexts texts, const std::vector<ParameterChange>& changes);

// What "Расчет" gives once the parameters window has been shown over these texts: its show
// rule derives the natural area and the runoff modulus, then the calculation and the check of
// the load against its natural component run.  The computation holds the texts after the show
// rule and every box in order.
Computation computeVariant(const ParameterTexts& texts);

}  // namespace nutrient
