#include "parameter_set.h"

#include "number_text.h"

#include <algorithm>

namespace nutrient {

namespace {

constexpr bool tableFollowsTheEnumeration() {
    for (int i = 0; i < kParameterCount; ++i)
        if (static_cast<int>(kParameters[i].key) != i) return false;
    return true;
}
static_assert(tableFollowsTheEnumeration(), "kParameters must list the parameters in file order");

// Until the parameters window is first shown, the two derived fields hold these rounded
// texts; a calculation made before then uses them as they stand.
constexpr const char* kInitialNaturalArea = "22440";
constexpr const char* kInitialRunoffModulus = "9.5";
// Converts a runoff layer in mm/yr into a runoff modulus in l/(s·km²):
// 1 mm/yr over 1 km² = 1000 m³/yr = 1e6 l / 31 536 000 s = 0.03171 l/s.
constexpr long double kRunoffModulusPerMm = 0.03171L;

}  // namespace

namespace {

long double valueOf(const ParameterTexts& texts, Parameter parameter) {
    return parseNumber(texts[static_cast<int>(parameter)]);
}

// A derived value, what the note on a stored one that differs calls it, and what it is derived from.
struct DerivedValue {
    Parameter parameter;
    std::string (*derived)(const ParameterTexts&);
    const char* name;
    const char* source;
};
constexpr DerivedValue kDerivedValues[] = {
    {Parameter::NaturalArea, derivedNaturalArea, "the natural area", "the areas and the water share"},
    {Parameter::RunoffModulus, derivedRunoffModulus, "the runoff modulus", "the runoff layer"},
};

// A stored number that the calculation reads as another than the derived one.  A stored text
// that is no number is not pointed out: the calculation reports it itself.
bool contradicts(const std::string& stored, const std::string& derived) {
    try {
        return parseNumber(stored) != parseNumber(derived);
    } catch (const Failure&) {
        return false;
    }
}

}  // namespace

std::string derivedNaturalArea(const ParameterTexts& texts) {
    const long double a = valueOf(texts, Parameter::TotalArea);
    const long double af = valueOf(texts, Parameter::ArableArea);
    const long double au = valueOf(texts, Parameter::UrbanArea);
    const long double amix = valueOf(texts, Parameter::MixedArea);
    const long double w = valueOf(texts, Parameter::WaterShare);
    // The water share W is a percentage of the total area; the water surface is not natural land.
    const long double natural = ((a - af) - au) - amix - (w * a / 100);
    return formatGeneral(checkedFinite(natural));
}

std::string derivedRunoffModulus(const ParameterTexts& texts) {
    return formatGeneral(checkedFinite(valueOf(texts, Parameter::RunoffLayer) * kRunoffModulusPerMm));
}

std::vector<std::string> derivedValueNotes(const ParameterTexts& texts) {
    std::vector<std::string> notes;
    for (const DerivedValue& value : kDerivedValues) {
        std::string derived;
        try {
            derived = value.derived(texts);
        } catch (const Failure&) {
            continue;
        }
        const std::string& stored = texts[static_cast<int>(value.parameter)];
        if (contradicts(stored, derived))
            notes.push_back(std::string(value.name) + " " + readableQuote(stored) + " differs from " +
                            readableQuote(derived) + " derived from " + value.source);
    }
    return notes;
}

std::optional<Parameter> parameterOfField(std::string_view field) {
    const auto it =
        std::find_if(kParameters.begin(), kParameters.end(), [&](const ParameterInfo& p) { return field == p.field; });
    if (it == kParameters.end()) return std::nullopt;
    return it->key;
}

std::optional<Parameter> parameterOfSymbol(std::string_view symbol) {
    if (symbol.empty()) return std::nullopt;
    const auto it = std::find_if(kParameters.begin(), kParameters.end(),
                                 [&](const ParameterInfo& p) { return symbol == p.symbol; });
    if (it == kParameters.end()) return std::nullopt;
    return it->key;
}

ParameterSet::ParameterSet(Messages& messages) : messages_(messages) {
    for (const ParameterInfo& p : kParameters) texts_[static_cast<int>(p.key)] = p.standardText;
    texts_[static_cast<int>(Parameter::NaturalArea)] = kInitialNaturalArea;
    texts_[static_cast<int>(Parameter::RunoffModulus)] = kInitialRunoffModulus;
    markUnchanged();
}

ParameterSet::ParameterSet(Messages& messages, const ParameterTexts& texts)
    : messages_(messages), texts_(texts), unchanged_(texts) {}

void ParameterSet::setText(Parameter parameter, const std::string& text) {
    std::string& current = texts_[static_cast<int>(parameter)];
    if (current == text) return;
    current = text;
    if (listener_) listener_(parameter);
    fireChangeRule(parameter);
}

void ParameterSet::setChangeListener(std::function<void(Parameter)> listener) { listener_ = std::move(listener); }

void ParameterSet::applyStandard() {
    for (const ParameterInfo& p : kParameters) setText(p.key, p.standardText);
    markUnchanged();
}

long double ParameterSet::value(Parameter parameter) const { return parseNumber(text(parameter)); }

void ParameterSet::deriveNaturalArea() { setText(Parameter::NaturalArea, derivedNaturalArea(texts_)); }

void ParameterSet::deriveRunoffModulus() { setText(Parameter::RunoffModulus, derivedRunoffModulus(texts_)); }

// Each rule either fails before it writes or writes its one derived text, so the unchanged
// state moves along with each rule that succeeded.
void ParameterSet::applyShowRule() {
    const bool unchanged = !hasUnsavedChanges();
    const auto keepUnchanged = [&] {
        if (unchanged) markUnchanged();
    };
    deriveNaturalArea();
    keepUnchanged();
    deriveRunoffModulus();
    keepUnchanged();
}

void ParameterSet::checkOnClose() {
    const long double a = value(Parameter::TotalArea);
    const long double af = value(Parameter::ArableArea);
    const long double au = value(Parameter::UrbanArea);
    const long double amix = value(Parameter::MixedArea);
    if (a < checkedFinite(af + au + amix)) messages_.warning(kWarnAreaSum);
    if (value(Parameter::WaterShare) > 100) messages_.warning(kWarnWaterShare);
}

// A change rule is a handler of its own: its failure is reported and whatever assigned the
// text (typing, Standart, Open) goes on with its next step.
void ParameterSet::fireChangeRule(Parameter parameter) {
    guarded(messages_, [&] {
        switch (parameter) {
        case Parameter::TotalArea:
        case Parameter::ArableArea:
        case Parameter::UrbanArea:
        case Parameter::MixedArea:
            deriveNaturalArea();
            break;
        case Parameter::WaterShare:
            deriveNaturalArea();
            if (value(Parameter::WaterShare) > 100) messages_.warning(kWarnWaterShare);
            break;
        case Parameter::NaturalArea:
            if (value(Parameter::NaturalArea) < 0) messages_.warning(kWarnNegativeArea);
            break;
        case Parameter::RunoffLayer:
            deriveRunoffModulus();
            break;
        default:
            break;
        }
    });
}

}  // namespace nutrient
