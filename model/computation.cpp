#include "computation.h"

#include "number_text.h"

namespace nutrient {

std::optional<std::string> Computation::rejection() const {
    if (!computed) return shownFailureText(results.failure());
    for (const Message& message : messages)
        if (message.kind == Message::Kind::Error) return message.shown();
    return std::nullopt;
}

long double Computation::parameterValue(Parameter parameter) const {
    return parseNumber(parameters[static_cast<int>(parameter)]);
}

void calculateAndCheck(const ParameterSet& parameters, Computation& computation, MessageLog& log) {
    computation.computed = guarded(log, [&] { calculate(parameters, computation.results, computation.coefficients); });
    if (computation.computed) guarded(log, [&] { checkLoadAgainstBackground(computation.results, log); });
    computation.parameters = parameters.texts();
}

}  // namespace nutrient
