#include "model/parameter_set.h"

#include "model/number_text.h"

#include <algorithm>
#include <stdexcept>

namespace nutrient {

// Units, for tooltips.
namespace {
constexpr const char* kKm2 = "км²";
constexpr const char* kTonsPerYear = "т/год";
constexpr const char* kTonsPerYearKm2 = "т/(год·км²)";
constexpr const char* kKgPerYear = "кг/год на голову";
constexpr const char* kHeads = "голов";
constexpr const char* kGramsPerM3 = "г/м³";
}  // namespace

// File order.  The captions are the window's own texts; the P concentrations begin with a
// Latin C, the N concentrations with a Cyrillic С.
const std::array<ParameterInfo, kParameterCount> kParameters = {{
    {1, "Edit38", "", "Название объекта", "", "Частный водосбор Финского залива"},
    {2, "Edit21", "A", "Общая площадь водосбора", kKm2, "25948"},
    {3, "Edit22", "Af", "Площаль пашни ", kKm2, "1684"},
    {4, "Edit23", "Au", "Площадь урбанизированных территорий ", kKm2, "1003"},
    {5, "Edit24", "Amix", "Площадь смешанных территорий", kKm2, "562"},
    {6, "Edit25", "W", "Доля общей площади, покрытый водой, % ", "%", "1"},
    {7, "Edit26", "Anat", "Площадь естественных территорий ", kKm2, "22439.52"},
    {8, "Edit13", "Lmf(P)", "Фосфорная нагрузка, т/год", kTonsPerYear, "633"},
    {9, "Edit14", "Lmf(N)", "Азотная нагрузка, т/год", kTonsPerYear, "3899"},
    {10, "Edit17", "df(P)", "b=", kTonsPerYearKm2, "1.32"},
    {11, "Edit19", "df(N)", "b=", kTonsPerYearKm2, "9.1"},
    {12, "Edit15", "da(P)", "a=", kTonsPerYearKm2, "0.00322"},
    {13, "Edit16", "da(N)", "a=", kTonsPerYearKm2, "0"},
    {14, "Edit6", "a(P)", "a=", "", "13.3"},
    {15, "Edit7", "b(P)", "b=", "", "-0.93"},
    {16, "Edit8", "a(N)", "a=", "", "1.9"},
    {17, "Edit18", "b(N)", "b=", "", "-0.49"},
    {18, "Edit20", "q", "Cр. многолетний модуль стока, л/(с км   )", "л/(с·км²)", "9.513"},
    {19, "Edit27", "Kf(P, cattle)", "Крупный рог. скот", kKgPerYear, "18.9"},
    {20, "Edit28", "Kf(P, pigs)", "Свиньи", kKgPerYear, "3.36"},
    {21, "Edit29", "Kf(P, poultry)", "Куры", kKgPerYear, "0.28"},
    {22, "Edit32", "Kf(N, cattle)", "Крупный рог. скот", kKgPerYear, "77.1"},
    {23, "Edit31", "Kf(N, pigs)", "Свиньи", kKgPerYear, "14.4"},
    {24, "Edit30", "Kf(N, poultry)", "Куры", kKgPerYear, "1.14"},
    {25, "Edit33", "N(cattle)", "Крупный рог. скот", kHeads, "108030"},
    {26, "Edit34", "N(pigs)", "Свиньи", kHeads, "69900"},
    {27, "Edit35", "N(poultry)", "Куры", kHeads, "12311600"},
    {28, "Edit36", "Lp(P)", "Фосфорная нагрузка, т/год", kTonsPerYear, "212"},
    {29, "Edit37", "Lp(N)", "Азотная нагрузка, т/год", kTonsPerYear, "1324"},
    {30, "Edit39", "Lex(P)", "Фосфорная нагрузка, т/год", kTonsPerYear, "0"},
    {31, "Edit40", "Lex(N)", "Азотная нагрузка, т/год", kTonsPerYear, "0"},
    {32, "Edit1", "Cf(P)", "Cf=", kGramsPerM3, "0.08"},
    {33, "Edit2", "Cu(P)", "Cu=", kGramsPerM3, "0.2"},
    {34, "Edit3", "Cnat(P)", "Cnat=", kGramsPerM3, "0.05"},
    {35, "Edit4", "Cmix(P)", "Cmix=", kGramsPerM3, "0.12"},
    {36, "Edit9", "Cf(N)", "Сf=", kGramsPerM3, "3.1"},
    {37, "Edit10", "Cu(N)", "Сu=", kGramsPerM3, "2.3"},
    {38, "Edit11", "Cnat(N)", "Сnat=", kGramsPerM3, "0.7"},
    {39, "Edit12", "Cmix(N)", "Сmix=", kGramsPerM3, "1.4"},
    {40, "Edit5", "y", "Слой стока, мм/год", "мм/год", "300"},
}};

const ParameterInfo* findParameter(std::string_view field) {
    auto it = std::find_if(kParameters.begin(), kParameters.end(),
                           [&](const ParameterInfo& p) { return field == p.field; });
    return it == kParameters.end() ? nullptr : &*it;
}

namespace {
// Until the parameters window is first shown, the two derived fields hold these rounded
// texts; a calculation made before then uses them as they stand.
constexpr const char* kInitialNaturalArea = "22440";
constexpr const char* kInitialRunoffModulus = "9.5";
// Converts a runoff layer in mm/yr into a runoff modulus in l/(s·km²):
// 1 mm/yr over 1 km² = 1000 m³/yr = 1e6 l / 31 536 000 s = 0.03171 l/s.
constexpr long double kRunoffModulusPerMm = 0.03171L;
}  // namespace

int fieldNumber(std::string_view field) {
    constexpr std::string_view prefix = "Edit";
    if (field.size() <= prefix.size() || field.size() > prefix.size() + 2 ||
        field.substr(0, prefix.size()) != prefix || field[prefix.size()] == '0')
        return 0;
    int number = 0;
    for (char c : field.substr(prefix.size())) {
        if (c < '0' || c > '9') return 0;
        number = number * 10 + (c - '0');
    }
    return number;
}

ParameterSet::ParameterSet(Messages& messages) : messages_(messages) {
    for (const ParameterInfo& p : kParameters) texts_[indexOf(p.field)] = p.standardText;
    texts_[indexOf("Edit26")] = kInitialNaturalArea;
    texts_[indexOf("Edit20")] = kInitialRunoffModulus;
}

std::size_t ParameterSet::indexOf(std::string_view field) const {
    const int number = fieldNumber(field);
    if (number < 1 || number > kParameterCount)
        throw std::out_of_range("unknown parameter field " + std::string(field));
    return number;
}

const std::string& ParameterSet::getText(std::string_view field) const { return texts_[indexOf(field)]; }

void ParameterSet::setText(std::string_view field, const std::string& text) {
    std::string& current = texts_[indexOf(field)];
    if (current == text) return;
    current = text;
    const std::string name(field);
    if (listener_) listener_(name);
    fireChangeRule(name);
}

void ParameterSet::setChangeListener(std::function<void(const std::string&)> listener) {
    listener_ = std::move(listener);
}

void ParameterSet::applyStandard() {
    for (const ParameterInfo& p : kParameters) setText(p.field, p.standardText);
}

long double ParameterSet::value(std::string_view field) const { return parseNumber(getText(field)); }

void ParameterSet::deriveNaturalArea() {
    const long double a = value("Edit21");
    const long double af = value("Edit22");
    const long double au = value("Edit23");
    const long double amix = value("Edit24");
    const long double w = value("Edit25");
    // The water share W is a percentage of the total area; the water surface is not natural land.
    const long double natural = ((a - af) - au) - amix - (w * a / 100);
    setText("Edit26", formatGeneral(checkedFinite(natural)));
}

void ParameterSet::deriveRunoffModulus() {
    const long double y = value("Edit5");
    setText("Edit20", formatGeneral(checkedFinite(y * kRunoffModulusPerMm)));
}

void ParameterSet::applyShowRule() {
    deriveNaturalArea();
    deriveRunoffModulus();
}

void ParameterSet::checkOnClose() {
    const long double a = value("Edit21");
    const long double af = value("Edit22");
    const long double au = value("Edit23");
    const long double amix = value("Edit24");
    if (a < checkedFinite(af + au + amix)) messages_.warning(kWarnAreaSum);
    if (value("Edit25") > 100) messages_.warning(kWarnWaterShare);
}

// A change rule is a handler of its own: its failure is reported and whatever assigned the
// text (typing, Standart, Open) goes on with its next step.
void ParameterSet::fireChangeRule(const std::string& field) {
    try {
        if (field == "Edit21" || field == "Edit22" || field == "Edit23" || field == "Edit24") {
            deriveNaturalArea();
        } else if (field == "Edit25") {
            deriveNaturalArea();
            if (value("Edit25") > 100) messages_.warning(kWarnWaterShare);
        } else if (field == "Edit26") {
            if (value("Edit26") < 0) messages_.warning(kWarnNegativeArea);
        } else if (field == "Edit5") {
            deriveRunoffModulus();
        }
    } catch (const Failure& failure) {
        messages_.failure(failure.what());
    }
}

}  // namespace nutrient
