#include "variant.h"

#include "number_text.h"

namespace nutrient {

std::string changedByPercent(std::string_view text, long double percent) {
    const long double value = parseNumber(text);
    return formatGeneral(checkedFinite(value * (100 + percent) / 100));
}

ParameterTexts withChanges(ParameterTexts texts, const std::vector<ParameterChange>& changes) {
    for (const ParameterChange& change : changes) texts[static_cast<int>(change.parameter)] = change.text;
    return texts;
}

Computation computeVariant(const ParameterTexts& texts) {
    MessageLog log;
    ParameterSet parameters(log, texts);
    Computation computation;
    guarded(log, [&] { parameters.applyShowRule(); });
    calculateAndCheck(parameters, computation, log);
    computation.messages = std::move(log.messages);
    return computation;
}

}  // namespace nutrient
