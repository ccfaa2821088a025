#pragma once
// The emission-retention calculation of the annual P and N load of one catchment.

#include "parameter_set.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace nutrient {

// Every load exists once for total phosphorus and once for total nitrogen; P comes first.
enum class Nutrient { P, N };
inline constexpr std::array<Nutrient, 2> kNutrients = {Nutrient::P, Nutrient::N};
// The nutrient as symbols and keys write it: "P", "N".
constexpr const char* nutrientSymbol(Nutrient nutrient) { return nutrient == Nutrient::P ? "P" : "N"; }
// The nutrient of "P" or "N"; nothing for any other text.
constexpr std::optional<Nutrient> nutrientOfSymbol(std::string_view symbol) {
    if (symbol == "P") return Nutrient::P;
    if (symbol == "N") return Nutrient::N;
    return std::nullopt;
}

// The results in the row order of the results window.
enum class Quantity {
    Lp,    // point sources
    Le,    // diffuse emission from the land surface
    Lmf,   // mineral fertilisers
    Lof,   // livestock and poultry farms
    La,    // atmospheric deposition
    Lex,   // inflow from outside the catchment
    Lc,    // removal with the harvested crop
    Ltot,  // total load on the catchment
    Lret,  // retention by the catchment and its river network
    L,     // export from the catchment = load on the water body
    Lnat,  // natural (background) component of L
    M,     // export modulus 1000·L/A
    Mnat,  // background export modulus 1000·Lnat/A
};

inline constexpr int kResultRowCount = 13;

struct ResultRow {
    Quantity quantity;
    const char* symbol;   // "Lp", "Le", ...
    const char* pField;   // object name of the results window's field for P
    const char* nField;   // ... and for N
    int decimals;         // decimals of the displayed text
    const char* caption;  // the results window's caption, dot leader not included
};

// In the order of the results window.  This table is the one place the results are listed.
// The row captions are the results window's own texts; in rows 12 and 13 the blanks after
// "км" make room for a raised "2".
inline constexpr std::array<ResultRow, kResultRowCount> kResultRows = {{
    {Quantity::Lp, "Lp", "Edit1", "Edit13", 1, "Нагрузка от точечных источников (Lp)"},
    {Quantity::Le, "Le", "Edit2", "Edit12", 1, "Рассредоточенная эмиссия подстилающей поверхностью (Le)"},
    {Quantity::Lmf, "Lmf", "Edit3", "Edit14", 1,
     "Нагрузка, сформированная в результате внесения минеральных удобрений (Lmf )"},
    {Quantity::Lof, "Lof", "Edit4", "Edit15", 1,
     "Нагрузка, сформированной за счет животноводства и птицеводства (Lof)"},
    {Quantity::La, "La", "Edit6", "Edit17", 1, "Нагрузка, сформированной атмосферными выпадениями (La)"},
    {Quantity::Lex, "Lex", "Edit27", "Edit28", 2, "Поступление извне (Lex)"},
    {Quantity::Lc, "Lc", "Edit7", "Edit18", 1,
     "Вынос биогенных веществ за пределы водосбора с выращенным урожаем (Lc)"},
    {Quantity::Ltot, "Ltot", "Edit8", "Edit19", 1, "Суммарная биогеннаяй нагрузка на водосбор (Ltot)"},
    {Quantity::Lret, "Lret", "Edit10", "Edit21", 1,
     "Удержание биогенных веществ водосбором и его гидрографической сетью (Lret)"},
    {Quantity::L, "L", "Edit11", "Edit22", 1, "Вынос биогенных веществ с водосбора и нагрузки на водный объект (L)"},
    {Quantity::Lnat, "Lnat", "Edit5", "Edit9", 1, "Фоновая (природная) компонента нагрузки  (Lnat)"},
    {Quantity::M, "M", "Edit16", "Edit23", 2, "Модуль выноса с водосбора (кг/(км  год))"},
    {Quantity::Mnat, "Mnat", "Edit20", "Edit24", 2, "Модуль фонового выноса (кг/(км   год))"},
}};

// The table row of a quantity; the table is indexed by the enumeration.
constexpr const ResultRow& resultRow(Quantity quantity) { return kResultRows[static_cast<int>(quantity)]; }

// The place of a result among the 26: row by row, P before N.
inline constexpr int kResultCellCount = 2 * kResultRowCount;
constexpr std::size_t cellIndex(Quantity quantity, Nutrient nutrient) {
    return static_cast<std::size_t>(quantity) * 2 + static_cast<std::size_t>(nutrient);
}

// One value field of the results window.
struct ResultCell {
    Quantity quantity;
    Nutrient nutrient;
    bool operator==(const ResultCell&) const = default;
};

// The object name of a result's field in the results window.
constexpr const char* resultField(Quantity quantity, Nutrient nutrient) {
    return nutrient == Nutrient::P ? resultRow(quantity).pField : resultRow(quantity).nField;
}
// The result shown in a field of the results window ("Edit21" -> Lret of N); nothing for any
// other name.
std::optional<ResultCell> resultOfField(std::string_view field);

// The 26 result texts; empty until the first calculation.
class LoadResults {
public:
    const std::string& text(Quantity quantity, Nutrient nutrient) const {
        return texts_[cellIndex(quantity, nutrient)];
    }
    void setText(Quantity quantity, Nutrient nutrient, std::string text) {
        texts_[cellIndex(quantity, nutrient)] = std::move(text);
    }
    // The number shown for a result, parsed from its text.  Throws Failure.
    long double value(Quantity quantity, Nutrient nutrient) const;

    // The failure the last calculation stopped with; empty when it ran to its end.
    const std::string& failure() const { return failure_; }
    void setFailure(std::string failure) { failure_ = std::move(failure); }

private:
    std::array<std::string, kResultCellCount> texts_;
    std::string failure_;
};

// The unrounded transport coefficients of the last calculation (share of the catchment load
// that reaches the water body).  0 before the first calculation.
struct TransportCoefficients {
    double rtP = 0.0;
    double rtN = 0.0;
    // Whether a calculation has computed the coefficient: a computed one may be 0 too, when
    // a·HL^b is so large that Rt underflows.
    bool computedP = false;
    bool computedN = false;
    double rt(Nutrient nutrient) const { return nutrient == Nutrient::P ? rtP : rtN; }
    bool computed(Nutrient nutrient) const { return nutrient == Nutrient::P ? computedP : computedN; }
};
// The results window does not show a transport coefficient; the analyses write one with five
// decimals.
inline constexpr int kTransportCoefficientDecimals = 5;

// The hydraulic load HL = 3.15·q/W in m/yr from the runoff modulus q (l/(s·km²)) and the water
// share W (%), stored as a double; and HL^b as exp(b·ln HL), stored as a double.  The
// calculation's own steps, for analyses that work back from a transport coefficient.  Throw
// Failure as the calculation does (W = 0, a negative HL, ...).
double hydraulicLoad(long double runoffModulus, long double waterShare);
double hydraulicLoadPower(double hydraulicLoad, long double exponent);

// Computes all 26 texts and both coefficients.  On a Failure the rows written before it keep
// their new texts, the rows the run did not reach are emptied, the results remember the
// failure, and the Failure propagates.  A result whose displayed text would not read back as a
// number stops the run with an overflow.
void calculate(const ParameterSet& parameters, LoadResults& results, TransportCoefficients& coefficients);

// The load reaching the water body cannot be smaller than its natural part: a crop removal set
// too high, or parameters that do not belong together, make it so.  Compared as shown, for P
// and then for N, each an error box.  Throws Failure when a text is not a number.
void checkLoadAgainstBackground(const LoadResults& results, Messages& messages);

}  // namespace nutrient
