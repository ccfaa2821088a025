#include "target_search.h"

#include "number_text.h"
#include "results_export.h"

#include <cstdio>

namespace nutrient {

namespace {

long double shownLoad(const Computation& computation, Quantity quantity, Nutrient nutrient) {
    return computation.results.value(quantity, nutrient);
}

// Every cut is written as a scenario's percentage is given, "-30.77", and read back from that
// text.
Scenario scenarioAtCut(const Computation& baseline, const std::vector<LeverChoice>& levers, int cut) {
    std::vector<LeverChange> changes;
    for (const LeverChoice& choice : levers) changes.push_back({choice, "-" + cutText(cut)});
    return scenarioOf(baseline, percentChanges(changes));
}

bool meets(const Scenario& scenario, Nutrient nutrient, long double target) {
    return scenario.variant.computed && shownLoad(scenario.variant, Quantity::L, nutrient) <= target;
}

TargetSearch withoutCut(TargetSearch search, const Computation& baseline, TargetVerdict verdict,
                        std::optional<int> cut) {
    search.verdict = verdict;
    search.cut = cut;
    search.scenario = Scenario{baseline, baseline, {}};
    return search;
}

}  // namespace

long double targetLoad(std::string_view text, std::string_view piece) {
    long double load = 0;
    try {
        load = parseNumber(text);
    } catch (const Failure&) {
        throw Failure(readableQuote(piece) + ": the target is not a number.");
    }
    if (load < 0) throw Failure(readableQuote(piece) + ": the target is negative.");
    return load;
}

std::vector<Target> parseTargets(std::string_view text) {
    std::vector<Target> targets;
    for (const NutrientPiece& piece : nutrientPieces(text, "target", "T")) {
        targetLoad(piece.value, piece.piece);
        targets.push_back({piece.nutrient, std::string(piece.value)});
    }
    return targets;
}

std::optional<std::string> TargetSearch::reason() const {
    if (verdict != TargetVerdict::Rejected) return std::nullopt;
    return scenario.variant.rejection();
}

std::string TargetSearch::removedLoad() const {
    if (verdict == TargetVerdict::Rejected || verdict == TargetVerdict::BelowNatural) return "";
    return formatFixed(shownLoad(scenario.baseline, Quantity::L, target.nutrient) -
                           shownLoad(scenario.variant, Quantity::L, target.nutrient),
                       resultRow(Quantity::L).decimals);
}

std::string cutText(int hundredths) {
    char text[16];
    std::snprintf(text, sizeof text, "%d.%02d", hundredths / 100, hundredths % 100);
    return text;
}

TargetSearch searchTarget(const Computation& baseline, const Target& target, const std::vector<LeverChoice>& levers) {
    const Nutrient nutrient = target.nutrient;
    const long double load = targetLoad(target.text, resultKey(Quantity::L, nutrient) + "=" + target.text);
    if (const std::optional<std::string> rejection = baseline.rejection())
        throw Failure("The baseline's results cannot be taken: " + *rejection);

    TargetSearch search{target, levers, TargetVerdict::Reached, std::nullopt, {}};
    if (load < shownLoad(baseline, Quantity::Lnat, nutrient))
        return withoutCut(std::move(search), baseline, TargetVerdict::BelowNatural, std::nullopt);
    if (shownLoad(baseline, Quantity::L, nutrient) <= load)
        return withoutCut(std::move(search), baseline, TargetVerdict::AlreadyMet, 0);

    // The whole cut first; if it meets the target, the bisection keeps `high` a cut that meets it
    // and `low` one that does not (0 is the baseline), so the answer is a cut computed and met.
    int low = 0;
    int high = kWholeCut;
    Scenario atHigh = scenarioAtCut(baseline, levers, high);
    if (meets(atHigh, nutrient, load)) {
        while (high - low > 1) {
            const int middle = low + (high - low) / 2;
            Scenario atMiddle = scenarioAtCut(baseline, levers, middle);
            if (meets(atMiddle, nutrient, load)) {
                high = middle;
                atHigh = std::move(atMiddle);
            } else {
                low = middle;
            }
        }
        search.verdict = TargetVerdict::Reached;
    } else {
        search.verdict = TargetVerdict::Unreachable;
    }
    // A cut whose results cannot be taken is no reduction, met or not.
    if (atHigh.variant.rejection()) search.verdict = TargetVerdict::Rejected;
    search.cut = high;
    search.scenario = std::move(atHigh);
    return search;
}

const char* verdictName(TargetVerdict verdict) {
    switch (verdict) {
    case TargetVerdict::Reached:
        return "reached";
    case TargetVerdict::AlreadyMet:
        return "already-met";
    case TargetVerdict::Unreachable:
        return "unreachable";
    case TargetVerdict::BelowNatural:
        return "below-natural";
    case TargetVerdict::Rejected:
        return "rejected";
    }
    return "";
}

std::string verdictText(const TargetSearch& search) {
    const Nutrient nutrient = search.target.nutrient;
    const Scenario& scenario = search.scenario;
    const std::string cut = search.cut ? cutText(*search.cut) + " %" : "";
    const std::string variantLoad =
        resultKey(Quantity::L, nutrient) + " = " + scenario.variant.results.text(Quantity::L, nutrient) + " т/год";
    switch (search.verdict) {
    case TargetVerdict::Reached:
        return "Цель достигнута при сокращении на " + cut + ": " + variantLoad;
    case TargetVerdict::AlreadyMet:
        return "Цель уже достигнута: " + variantLoad;
    case TargetVerdict::Unreachable:
        return "Цель недостижима этими рычагами: при сокращении на " + cut + " " + variantLoad + ", на " +
               search.removedLoad() + " т/год меньше исходной";
    case TargetVerdict::BelowNatural:
        return "Цель ниже фоновой (природной) компоненты нагрузки: " + resultKey(Quantity::Lnat, nutrient) + " = " +
               scenario.baseline.results.text(Quantity::Lnat, nutrient) + " т/год";
    case TargetVerdict::Rejected:
        return "Результаты расчета при сокращении на " + cut +
               " не могут быть приняты: " + search.reason().value_or("");
    }
    return "";
}

}  // namespace nutrient
