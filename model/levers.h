#pragma once
// The levers of a reduction plan: what a programme of measures may change in a catchment, each
// lever a group of existing parameters moved together by one percentage.  The levers are listed
// once here, with their short names for the command line and their captions for the window.

#include "load_calculation.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace nutrient {

enum class Lever {
    PointSources,
    Fertiliser,
    Livestock,
    LivestockEmission,
    Deposition,
    Concentration,
    Inflow,
};

inline constexpr int kLeverCount = 7;

struct LeverInfo {
    Lever key;
    const char* name;     // on the command line: "point"
    const char* caption;  // in the window (Russian)
    // The parameters it moves for phosphorus and for nitrogen; a lever whose parameters serve
    // both nutrients (the head counts) lists them under `shared` and cannot be limited to one.
    std::span<const Parameter> p;
    std::span<const Parameter> n;
    std::span<const Parameter> shared;
};

namespace lever_parameters {
inline constexpr Parameter kPointP[] = {Parameter::PointSourcesP};
inline constexpr Parameter kPointN[] = {Parameter::PointSourcesN};
inline constexpr Parameter kFertiliserP[] = {Parameter::FertiliserP};
inline constexpr Parameter kFertiliserN[] = {Parameter::FertiliserN};
inline constexpr Parameter kHeads[] = {Parameter::Cattle, Parameter::Pigs, Parameter::Poultry};
inline constexpr Parameter kEmissionP[] = {Parameter::CattleEmissionP, Parameter::PigEmissionP,
                                           Parameter::PoultryEmissionP};
inline constexpr Parameter kEmissionN[] = {Parameter::CattleEmissionN, Parameter::PigEmissionN,
                                           Parameter::PoultryEmissionN};
inline constexpr Parameter kDepositionP[] = {Parameter::DepositionP};
inline constexpr Parameter kDepositionN[] = {Parameter::DepositionN};
// Arable, urbanised and mixed land; the natural concentration is the background and no measure
// changes it.
inline constexpr Parameter kConcentrationP[] = {Parameter::ArableConcentrationP, Parameter::UrbanConcentrationP,
                                                Parameter::MixedConcentrationP};
inline constexpr Parameter kConcentrationN[] = {Parameter::ArableConcentrationN, Parameter::UrbanConcentrationN,
                                                Parameter::MixedConcentrationN};
inline constexpr Parameter kInflowP[] = {Parameter::InflowP};
inline constexpr Parameter kInflowN[] = {Parameter::InflowN};
}  // namespace lever_parameters

// In the order the window lists them.  This table is the one place the levers are listed.
inline constexpr std::array<LeverInfo, kLeverCount> kLevers = {{
    {Lever::PointSources, "point", "Точечные источники", lever_parameters::kPointP, lever_parameters::kPointN, {}},
    {Lever::Fertiliser,
     "fertiliser",
     "Минеральные удобрения",
     lever_parameters::kFertiliserP,
     lever_parameters::kFertiliserN,
     {}},
    {Lever::Livestock, "livestock", "Поголовье скота и птицы", {}, {}, lever_parameters::kHeads},
    {Lever::LivestockEmission,
     "livestock-emission",
     "Коэффициенты эмиссии ферм и птицефабрик",
     lever_parameters::kEmissionP,
     lever_parameters::kEmissionN,
     {}},
    {Lever::Deposition,
     "deposition",
     "Атмосферные выпадения",
     lever_parameters::kDepositionP,
     lever_parameters::kDepositionN,
     {}},
    {Lever::Concentration,
     "concentration",
     "Концентрации в стоке с пашни, урбанизированных и смешанных территорий",
     lever_parameters::kConcentrationP,
     lever_parameters::kConcentrationN,
     {}},
    {Lever::Inflow, "inflow", "Поступление извне", lever_parameters::kInflowP, lever_parameters::kInflowN, {}},
}};

constexpr const LeverInfo& info(Lever lever) { return kLevers[static_cast<int>(lever)]; }
// Whether the lever may be limited to one nutrient.
constexpr bool perNutrient(Lever lever) { return info(lever).shared.empty(); }

// The levers' names, for a usage text: "point, fertiliser, … or inflow".
std::string leverNames();

// A lever, for both nutrients or limited to one.
struct LeverChoice {
    Lever lever;
    std::optional<Nutrient> nutrient;
    bool operator==(const LeverChoice&) const = default;
};

// The parameters a choice moves, in the table's order.
std::vector<Parameter> parametersOf(const LeverChoice& choice);
// As the command line writes it: "point", "point:P".
std::string choiceName(const LeverChoice& choice);

// A lever moved by a percentage, kept as the decimal text it was given ("-30.77").
struct LeverChange {
    LeverChoice choice;
    std::string percent;
    bool operator==(const LeverChange&) const = default;
};

// The pieces of a comma-separated list as the command line gives it, each trimmed of blanks.
// Throws Failure for an empty list ("No lever given.") and an empty piece, naming the `item`.
std::vector<std::string_view> listPieces(std::string_view text, std::string_view item);

// A piece "P=X" or "N=X" of a list given per nutrient: the nutrient, the text after "=" and the
// whole piece, which messages quote.
struct NutrientPiece {
    Nutrient nutrient;
    std::string_view value;
    std::string_view piece;
};
// The pieces of "P=X[,N=X]", each nutrient at most once; `item` names what is listed and
// `letter` its value, for the messages ("'L(P)=2000': a target is P=T or N=T.").  Throws
// Failure as listPieces does, and naming a piece that is not "P=..." or "N=..." or a second one
// for a nutrient.
std::vector<NutrientPiece> nutrientPieces(std::string_view text, std::string_view item, std::string_view letter);

// A lever's percentage lies within -100 % (the source removed) and +1000 %.
inline constexpr long double kLeastPercent = -100;
inline constexpr long double kMostPercent = 1000;
// The percentage of a text, checked against that range.  Throws Failure naming `piece` (the
// piece of the command line or the lever's caption) when it is not a number or out of range.
long double leverPercent(std::string_view text, std::string_view piece);

// "LEVER[:P|:N]=PERCENT[,...]", as --change takes it.  Throws Failure naming the bad piece: an
// empty piece, an unknown lever or nutrient, a head-count lever limited to one nutrient, a
// missing, unreadable or out-of-range percentage, a parameter moved by two pieces.
std::vector<LeverChange> parseLeverChanges(std::string_view text);
// "LEVER[:P|:N][,...]", the levers of a target.  Throws Failure as above (a percentage is
// refused here).
std::vector<LeverChoice> parseLeverChoices(std::string_view text);

}  // namespace nutrient
