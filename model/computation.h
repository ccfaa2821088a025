#pragma once
// One catchment computed as "Расчет" computes it: the calculation over a set of parameter texts,
// then the check of the load on the water body against its natural component, every box kept
// in order.  Everything that leaves the program, and every analysis, is built on this.

#include "load_calculation.h"
#include "messages.h"

#include <optional>
#include <string>
#include <vector>

namespace nutrient {

struct Computation {
    ParameterTexts parameters;  // as they stood when the calculation ran; empty when none ran
    LoadResults results;
    TransportCoefficients coefficients;
    bool computed = false;  // the calculation ran to its end
    std::vector<Message> messages;

    const std::string& objectName() const { return parameters[static_cast<int>(Parameter::ObjectName)]; }
    // The number a parameter's text holds.  Throws Failure.
    long double parameterValue(Parameter parameter) const;
    // Why these results cannot be taken as a load: the failure the calculation stopped with, or
    // the error box of a load on the water body below its natural component, as their boxes
    // show them; nothing for results that can.  Only for a computation whose calculation ran.
    std::optional<std::string> rejection() const;
};

// The calculation and the check, each a handler of its own as in the results window; the boxes
// go to `log` and are kept in the computation with the texts it ran on.
void calculateAndCheck(const ParameterSet& parameters, Computation& computation, MessageLog& log);

}  // namespace nutrient
