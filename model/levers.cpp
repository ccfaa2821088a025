#include "levers.h"

#include "number_text.h"

#include <algorithm>

namespace nutrient {

namespace {

constexpr bool tableFollowsTheEnumeration() {
    for (int i = 0; i < kLeverCount; ++i)
        if (static_cast<int>(kLevers[i].key) != i) return false;
    return true;
}
static_assert(tableFollowsTheEnumeration(), "kLevers must list the levers in enumeration order");

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

}  // namespace

std::vector<std::string_view> listPieces(std::string_view text, std::string_view item) {
    std::vector<std::string_view> pieces;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        pieces.push_back(trimmed(text.substr(start, comma - start)));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (pieces.size() == 1 && pieces.front().empty()) throw Failure("No " + std::string(item) + " given.");
    for (std::string_view piece : pieces)
        if (piece.empty()) throw Failure("An empty " + std::string(item) + " in " + readableQuote(text) + ".");
    return pieces;
}

std::vector<NutrientPiece> nutrientPieces(std::string_view text, std::string_view item, std::string_view letter) {
    std::vector<NutrientPiece> pieces;
    for (std::string_view piece : listPieces(text, item)) {
        const std::size_t equals = piece.find('=');
        const std::string_view name = piece.substr(0, equals);
        const std::optional<Nutrient> nutrient = nutrientOfSymbol(name);
        if (!nutrient || equals == std::string_view::npos)
            throw Failure(readableQuote(piece) + ": a " + std::string(item) + " is P=" + std::string(letter) +
                          " or N=" + std::string(letter) + ".");
        for (const NutrientPiece& earlier : pieces)
            if (earlier.nutrient == *nutrient)
                throw Failure(readableQuote(piece) + ": a second " + std::string(item) + " for " + std::string(name) +
                              ".");
        pieces.push_back({*nutrient, piece.substr(equals + 1), piece});
    }
    return pieces;
}

std::string leverNames() {
    std::string names;
    for (const LeverInfo& lever : kLevers) {
        if (!names.empty()) names += &lever == &kLevers.back() ? " or " : ", ";
        names += lever.name;
    }
    return names;
}

namespace {

// "name" or "name:P" of a piece, its percentage cut off.
LeverChoice choiceOf(std::string_view name, std::string_view piece) {
    const std::size_t colon = name.find(':');
    const std::string_view leverName = trimmed(name.substr(0, colon));
    const auto it =
        std::find_if(kLevers.begin(), kLevers.end(), [&](const LeverInfo& lever) { return leverName == lever.name; });
    if (it == kLevers.end()) throw Failure("Unknown lever " + readableQuote(piece) + ": " + leverNames() + ".");
    LeverChoice choice{it->key, std::nullopt};
    if (colon == std::string_view::npos) return choice;
    const std::string_view nutrient = trimmed(name.substr(colon + 1));
    choice.nutrient = nutrientOfSymbol(nutrient);
    if (!choice.nutrient) throw Failure("Unknown nutrient in " + readableQuote(piece) + ": P or N.");
    if (!perNutrient(choice.lever))
        throw Failure(readableQuote(piece) + ": the head counts serve both nutrients and cannot be limited to one.");
    return choice;
}

// A parameter moved by two pieces would be changed by whichever came last.
void checkNoOverlap(const std::vector<LeverChoice>& choices, const std::vector<std::string_view>& pieces) {
    for (std::size_t i = 0; i < choices.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            for (Parameter parameter : parametersOf(choices[i]))
                if (std::ranges::count(parametersOf(choices[j]), parameter) > 0)
                    throw Failure(readableQuote(pieces[i]) + ": " + info(parameter).symbol + " is already moved by " +
                                  readableQuote(pieces[j]) + ".");
}

}  // namespace

std::vector<Parameter> parametersOf(const LeverChoice& choice) {
    const LeverInfo& lever = info(choice.lever);
    std::vector<Parameter> parameters(lever.shared.begin(), lever.shared.end());
    for (Nutrient nutrient : kNutrients) {
        if (choice.nutrient && *choice.nutrient != nutrient) continue;
        const std::span<const Parameter> own = nutrient == Nutrient::P ? lever.p : lever.n;
        parameters.insert(parameters.end(), own.begin(), own.end());
    }
    return parameters;
}

std::string choiceName(const LeverChoice& choice) {
    std::string name = info(choice.lever).name;
    if (choice.nutrient) name += std::string(":") + nutrientSymbol(*choice.nutrient);
    return name;
}

long double leverPercent(std::string_view text, std::string_view piece) {
    long double percent = 0;
    try {
        percent = parseNumber(text);
    } catch (const Failure&) {
        throw Failure(readableQuote(piece) + ": the percentage is not a number.");
    }
    if (percent < kLeastPercent || percent > kMostPercent)
        throw Failure(readableQuote(piece) + ": the percentage is outside -100 ... +1000.");
    return percent;
}

std::vector<LeverChange> parseLeverChanges(std::string_view text) {
    const std::vector<std::string_view> pieces = listPieces(text, "lever");
    std::vector<LeverChange> changes;
    std::vector<LeverChoice> choices;
    for (std::string_view piece : pieces) {
        const std::size_t equals = piece.find('=');
        if (equals == std::string_view::npos)
            throw Failure(readableQuote(piece) + ": give the lever's percentage, LEVER=P.");
        const std::string_view percent = piece.substr(equals + 1);
        const LeverChoice choice = choiceOf(piece.substr(0, equals), piece);
        leverPercent(percent, piece);
        changes.push_back({choice, std::string(percent)});
        choices.push_back(choice);
    }
    checkNoOverlap(choices, pieces);
    return changes;
}

std::vector<LeverChoice> parseLeverChoices(std::string_view text) {
    const std::vector<std::string_view> pieces = listPieces(text, "lever");
    std::vector<LeverChoice> choices;
    for (std::string_view piece : pieces) {
        if (piece.find('=') != std::string_view::npos)
            throw Failure(readableQuote(piece) + ": the levers of a target take no percentage.");
        choices.push_back(choiceOf(piece, piece));
    }
    checkNoOverlap(choices, pieces);
    return choices;
}

}  // namespace nutrient
