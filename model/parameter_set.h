#pragma once
// The forty parameters of one catchment, held as the texts the user typed, with the two
// derived values (natural area, runoff modulus) and the plausibility warnings on areas.

#include "messages.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nutrient {

// The parameters in the order of the lines of a parameters file.  P is total phosphorus, N
// total nitrogen.
enum class Parameter {
    ObjectName,
    TotalArea,    // A, km²
    ArableArea,   // Af
    UrbanArea,    // Au
    MixedArea,    // Amix
    WaterShare,   // W, % of A covered by water
    NaturalArea,  // Anat, derived
    FertiliserP,
    FertiliserN,
    CropRemovalP,
    CropRemovalN,
    DepositionP,
    DepositionN,
    RetentionCoefficientP,  // a
    RetentionExponentP,     // b
    RetentionCoefficientN,
    RetentionExponentN,
    RunoffModulus,  // q, derived
    CattleEmissionP,
    PigEmissionP,
    PoultryEmissionP,
    CattleEmissionN,
    PigEmissionN,
    PoultryEmissionN,
    Cattle,
    Pigs,
    Poultry,
    PointSourcesP,
    PointSourcesN,
    InflowP,
    InflowN,
    ArableConcentrationP,
    UrbanConcentrationP,
    NaturalConcentrationP,
    MixedConcentrationP,
    ArableConcentrationN,
    UrbanConcentrationN,
    NaturalConcentrationN,
    MixedConcentrationN,
    RunoffLayer,  // y, mm/yr
};

inline constexpr int kParameterCount = 40;

struct ParameterInfo {
    Parameter key;
    const char* field;         // object name of the parameters window's field, "Edit1".."Edit40"
    const char* symbol;        // symbol in the formulas ("" for the object name)
    const char* caption;       // the window's caption for the field (Russian, exact)
    const char* unit;          // unit, for tooltips ("" when dimensionless)
    const char* standardText;  // the standard set
};

namespace units {
inline constexpr const char* kKm2 = "км²";
inline constexpr const char* kPercent = "%";
inline constexpr const char* kTonsPerYear = "т/год";
inline constexpr const char* kTonsPerYearKm2 = "т/(год·км²)";
inline constexpr const char* kRunoffModulus = "л/(с·км²)";
inline constexpr const char* kKgPerHead = "кг/год на голову";
inline constexpr const char* kHeads = "голов";
inline constexpr const char* kGramsPerM3 = "г/м³";
inline constexpr const char* kRunoffLayer = "мм/год";
}  // namespace units

// In file order.  This table is the one place the parameters are listed.  The captions are the
// window's own texts; the P concentrations begin with a Latin C, the N ones with a Cyrillic С.
inline constexpr std::array<ParameterInfo, kParameterCount> kParameters = {{
    {Parameter::ObjectName, "Edit38", "", "Название объекта", "", "Частный водосбор Финского залива"},
    {Parameter::TotalArea, "Edit21", "A", "Общая площадь водосбора", units::kKm2, "25948"},
    {Parameter::ArableArea, "Edit22", "Af", "Площаль пашни ", units::kKm2, "1684"},
    {Parameter::UrbanArea, "Edit23", "Au", "Площадь урбанизированных территорий ", units::kKm2, "1003"},
    {Parameter::MixedArea, "Edit24", "Amix", "Площадь смешанных территорий", units::kKm2, "562"},
    {Parameter::WaterShare, "Edit25", "W", "Доля общей площади, покрытый водой, % ", units::kPercent, "1"},
    {Parameter::NaturalArea, "Edit26", "Anat", "Площадь естественных территорий ", units::kKm2, "22439.52"},
    {Parameter::FertiliserP, "Edit13", "Lmf(P)", "Фосфорная нагрузка, т/год", units::kTonsPerYear, "633"},
    {Parameter::FertiliserN, "Edit14", "Lmf(N)", "Азотная нагрузка, т/год", units::kTonsPerYear, "3899"},
    {Parameter::CropRemovalP, "Edit17", "df(P)", "b=", units::kTonsPerYearKm2, "1.32"},
    {Parameter::CropRemovalN, "Edit19", "df(N)", "b=", units::kTonsPerYearKm2, "9.1"},
    {Parameter::DepositionP, "Edit15", "da(P)", "a=", units::kTonsPerYearKm2, "0.00322"},
    {Parameter::DepositionN, "Edit16", "da(N)", "a=", units::kTonsPerYearKm2, "0"},
    {Parameter::RetentionCoefficientP, "Edit6", "a(P)", "a=", "", "13.3"},
    {Parameter::RetentionExponentP, "Edit7", "b(P)", "b=", "", "-0.93"},
    {Parameter::RetentionCoefficientN, "Edit8", "a(N)", "a=", "", "1.9"},
    {Parameter::RetentionExponentN, "Edit18", "b(N)", "b=", "", "-0.49"},
    {Parameter::RunoffModulus, "Edit20", "q", "Cр. многолетний модуль стока, л/(с км   )", units::kRunoffModulus,
     "9.513"},
    {Parameter::CattleEmissionP, "Edit27", "Kf(P, cattle)", "Крупный рог. скот", units::kKgPerHead, "18.9"},
    {Parameter::PigEmissionP, "Edit28", "Kf(P, pigs)", "Свиньи", units::kKgPerHead, "3.36"},
    {Parameter::PoultryEmissionP, "Edit29", "Kf(P, poultry)", "Куры", units::kKgPerHead, "0.28"},
    {Parameter::CattleEmissionN, "Edit32", "Kf(N, cattle)", "Крупный рог. скот", units::kKgPerHead, "77.1"},
    {Parameter::PigEmissionN, "Edit31", "Kf(N, pigs)", "Свиньи", units::kKgPerHead, "14.4"},
    {Parameter::PoultryEmissionN, "Edit30", "Kf(N, poultry)", "Куры", units::kKgPerHead, "1.14"},
    {Parameter::Cattle, "Edit33", "N(cattle)", "Крупный рог. скот", units::kHeads, "108030"},
    {Parameter::Pigs, "Edit34", "N(pigs)", "Свиньи", units::kHeads, "69900"},
    {Parameter::Poultry, "Edit35", "N(poultry)", "Куры", units::kHeads, "12311600"},
    {Parameter::PointSourcesP, "Edit36", "Lp(P)", "Фосфорная нагрузка, т/год", units::kTonsPerYear, "212"},
    {Parameter::PointSourcesN, "Edit37", "Lp(N)", "Азотная нагрузка, т/год", units::kTonsPerYear, "1324"},
    {Parameter::InflowP, "Edit39", "Lex(P)", "Фосфорная нагрузка, т/год", units::kTonsPerYear, "0"},
    {Parameter::InflowN, "Edit40", "Lex(N)", "Азотная нагрузка, т/год", units::kTonsPerYear, "0"},
    {Parameter::ArableConcentrationP, "Edit1", "Cf(P)", "Cf=", units::kGramsPerM3, "0.08"},
    {Parameter::UrbanConcentrationP, "Edit2", "Cu(P)", "Cu=", units::kGramsPerM3, "0.2"},
    {Parameter::NaturalConcentrationP, "Edit3", "Cnat(P)", "Cnat=", units::kGramsPerM3, "0.05"},
    {Parameter::MixedConcentrationP, "Edit4", "Cmix(P)", "Cmix=", units::kGramsPerM3, "0.12"},
    {Parameter::ArableConcentrationN, "Edit9", "Cf(N)", "Сf=", units::kGramsPerM3, "3.1"},
    {Parameter::UrbanConcentrationN, "Edit10", "Cu(N)", "Сu=", units::kGramsPerM3, "2.3"},
    {Parameter::NaturalConcentrationN, "Edit11", "Cnat(N)", "Сnat=", units::kGramsPerM3, "0.7"},
    {Parameter::MixedConcentrationN, "Edit12", "Cmix(N)", "Сmix=", units::kGramsPerM3, "1.4"},
    {Parameter::RunoffLayer, "Edit5", "y", "Слой стока, мм/год", units::kRunoffLayer, "300"},
}};

// The table row of a parameter; the table is indexed by the enumeration.
constexpr const ParameterInfo& info(Parameter parameter) { return kParameters[static_cast<int>(parameter)]; }

// The parameter of a field of the parameters window ("Edit21" -> TotalArea); nothing for any
// other name.
std::optional<Parameter> parameterOfField(std::string_view field);

// The parameter of a symbol of the table ("b(P)" -> RetentionExponentP); nothing for any other
// text, the object name's empty symbol among them.
std::optional<Parameter> parameterOfSymbol(std::string_view symbol);

// The 40 texts of a catchment, indexed by the enumeration.
using ParameterTexts = std::array<std::string, kParameterCount>;

// The two derived values as the parameters window derives them from the other texts, in the
// general format: Anat = A - Af - Au - Amix - W*A/100, and q = y * 0.03171.  Throw Failure.
std::string derivedNaturalArea(const ParameterTexts& texts);
std::string derivedRunoffModulus(const ParameterTexts& texts);

// Notes on a set of texts as opened whose stored natural area or runoff modulus is another
// number than the one derived from its own areas and water share or runoff layer (a file
// edited by hand): such a set computes with the stored value until the parameters window is
// shown again and derives the other, so each note gives both ("the natural area '22439.52'
// differs from '26451' derived from the areas and the water share").  Nothing for a value that
// cannot be derived or a stored text that is no number, which the calculation reports.
std::vector<std::string> derivedValueNotes(const ParameterTexts& texts);

class ParameterSet {
public:
    // Starts with the initial texts: the standard set except the natural area "22440" and the
    // runoff modulus "9.5".
    explicit ParameterSet(Messages& messages);
    // Starts with the given texts as they stand, no rule fired; they count as unchanged.
    ParameterSet(Messages& messages, const ParameterTexts& texts);

    const std::string& text(Parameter parameter) const { return texts_[static_cast<int>(parameter)]; }
    const ParameterTexts& texts() const { return texts_; }
    // Sets a parameter's text; a text that differs from the current one fires the parameter's
    // change rule.  A rule that fails reports its failure through Messages::failure and the
    // caller carries on.
    void setText(Parameter parameter, const std::string& text);

    // All 40 texts, each an ordinary change, in file order (derived fields after their inputs).
    // The standard set then counts as unchanged.
    void applyStandard();

    // True when the texts differ from those present at start, last opened, saved or restored
    // by Standart: closing the program then asks before they are lost.
    bool hasUnsavedChanges() const { return texts_ != unchanged_; }
    // The current texts become the unchanged state (after an Open or a successful Save).
    void markUnchanged() { unchanged_ = texts_; }

    // The derived natural area into its field.  Throws Failure.
    void deriveNaturalArea();
    // The derived runoff modulus into its field.  Throws Failure.
    void deriveRunoffModulus();
    // The show rule of the parameters window: natural area, then runoff modulus (skipped when
    // the first fails).  Throws Failure.  The derived texts follow from the others, so a set
    // unchanged before stays unchanged.
    void applyShowRule();
    // The closing checks: area sum, then water share (warnings).  Throws Failure when one of
    // the texts is not a number, which keeps the window open.
    void checkOnClose();

    // Called after every actual change of a parameter's text (typing, rules, Standart, Open).
    void setChangeListener(std::function<void(Parameter)> listener);

private:
    void fireChangeRule(Parameter parameter);
    long double value(Parameter parameter) const;

    Messages& messages_;
    ParameterTexts texts_;
    ParameterTexts unchanged_;
    std::function<void(Parameter)> listener_;
};

}  // namespace nutrient
