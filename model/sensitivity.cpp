#include "sensitivity.h"

#include "number_text.h"

#include <algorithm>
#include <cmath>

namespace nutrient {

namespace {

bool isMoved(Parameter parameter) {
    return parameter != Parameter::ObjectName && parameter != Parameter::NaturalArea &&
           parameter != Parameter::RunoffModulus;
}

// The four variants of one parameter, in the order their rejection is looked for.
struct Moves {
    Scenario down, up, downOne, upOne;
};

Moves movesOf(const Computation& baseline, Parameter parameter, long double step) {
    const auto moved = [&](long double percent) { return scenarioOf(baseline, {{parameter, percent}}); };
    return {moved(-step), moved(step), moved(-1), moved(1)};
}

std::optional<std::string> firstRejection(const Moves& moves) {
    for (const Scenario* scenario : {&moves.down, &moves.up, &moves.downOne, &moves.upOne})
        if (std::optional<std::string> rejection = scenario->variant.rejection()) return rejection;
    return std::nullopt;
}

long double shownL(const Scenario& scenario, Nutrient nutrient) {
    return scenario.variant.results.value(Quantity::L, nutrient);
}

SensitivityRow rowOf(const Computation& baseline, Parameter parameter, Nutrient nutrient, const Moves& moves) {
    SensitivityRow row{parameter, nutrient, {}, {}, {}, {}, firstRejection(moves)};
    if (row.rejection) return row;
    const int decimals = resultRow(Quantity::L).decimals;
    row.low = moves.down.variant.results.text(Quantity::L, nutrient);
    row.high = moves.up.variant.results.text(Quantity::L, nutrient);
    row.swing = formatFixed(shownL(moves.up, nutrient) - shownL(moves.down, nutrient), decimals);
    const long double load = baseline.results.value(Quantity::L, nutrient);
    if (load != 0)
        row.elasticity =
            formatFixed((shownL(moves.upOne, nutrient) - shownL(moves.downOne, nutrient)) / load / 0.02L, 3);
    return row;
}

// Largest swing first; a rejected row has none and goes last.  Stable, so ties keep file order.
void rank(std::vector<SensitivityRow>& rows) {
    const auto magnitude = [](const SensitivityRow& row) {
        return row.rejection ? -1.0L : std::fabs(parseNumber(row.swing));
    };
    std::ranges::stable_sort(rows, std::greater<>{}, magnitude);
}

}  // namespace

long double sensitivityStep(std::string_view text) {
    long double step = 0;
    try {
        step = parseNumber(text);
    } catch (const Failure&) {
        throw Failure("The sensitivity step " + readableQuote(text) + " is not a number.");
    }
    if (step <= 0 || step > 100)
        throw Failure("The sensitivity step " + readableQuote(text) +
                      " is outside 0 ... 100: give a percentage above 0.");
    return step;
}

SensitivityTable sensitivityTable(const Computation& baseline, std::string_view step) {
    const long double s = sensitivityStep(step);
    if (const std::optional<std::string> rejection = baseline.rejection())
        throw Failure("The baseline's results cannot be taken: " + *rejection);
    SensitivityTable table{formatGeneral(s), baseline, {}, {}};
    for (const ParameterInfo& parameter : kParameters) {
        if (!isMoved(parameter.key)) continue;
        if (parseNumber(baseline.parameters[static_cast<int>(parameter.key)]) == 0) {
            table.skipped.push_back(parameter.key);
            continue;
        }
        const Moves moves = movesOf(baseline, parameter.key, s);
        for (Nutrient nutrient : kNutrients)
            table.rows[static_cast<int>(nutrient)].push_back(rowOf(baseline, parameter.key, nutrient, moves));
    }
    for (std::vector<SensitivityRow>& rows : table.rows) rank(rows);
    return table;
}

}  // namespace nutrient
