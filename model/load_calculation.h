#pragma once
// The emission-retention calculation of the annual P and N load of one catchment.

#include "model/parameter_set.h"

#include <array>
#include <bitset>
#include <string>
#include <string_view>

namespace nutrient {

enum class Nutrient { P, N };

struct ResultRow {
    const char* quantity;  // "Lp", "Le", ...
    const char* pField;    // field of the results window for P
    const char* nField;    // ... and for N
    int decimals;          // decimals of the displayed text
    const char* caption;   // the results window's caption, dot leader not included
};

inline constexpr int kResultRowCount = 13;
// In the order of the results window.  This table is the one place the results are listed.
// The row captions are the results window's own texts; in rows 12 and 13 the blanks after
// "км" make room for a raised "2".
inline constexpr std::array<ResultRow, kResultRowCount> kResultRows = {{
    {"Lp", "Edit1", "Edit13", 1, "Нагрузка от точечных источников (Lp)"},
    {"Le", "Edit2", "Edit12", 1, "Рассредоточенная эмиссия подстилающей поверхностью (Le)"},
    {"Lmf", "Edit3", "Edit14", 1,
     "Нагрузка, сформированная в результате внесения минеральных удобрений (Lmf )"},
    {"Lof", "Edit4", "Edit15", 1,
     "Нагрузка, сформированной за счет животноводства и птицеводства (Lof)"},
    {"La", "Edit6", "Edit17", 1, "Нагрузка, сформированной атмосферными выпадениями (La)"},
    {"Lex", "Edit27", "Edit28", 2, "Поступление извне (Lex)"},
    {"Lc", "Edit7", "Edit18", 1,
     "Вынос биогенных веществ за пределы водосбора с выращенным урожаем (Lc)"},
    {"Ltot", "Edit8", "Edit19", 1, "Суммарная биогеннаяй нагрузка на водосбор (Ltot)"},
    {"Lret", "Edit10", "Edit21", 1,
     "Удержание биогенных веществ водосбором и его гидрографической сетью (Lret)"},
    {"L", "Edit11", "Edit22", 1,
     "Вынос биогенных веществ с водосбора и нагрузки на водный объект (L)"},
    {"Lnat", "Edit5", "Edit9", 1, "Фоновая (природная) компонента нагрузки  (Lnat)"},
    {"M", "Edit16", "Edit23", 2, "Модуль выноса с водосбора (кг/(км  год))"},
    {"Mnat", "Edit20", "Edit24", 2, "Модуль фонового выноса (кг/(км   год))"},
}};

// nullptr for an unknown quantity name.
const ResultRow* findResultRow(std::string_view quantity);

// The 26 result texts, keyed by the results window's field names (Edit1..Edit28); empty
// until the first calculation.
class LoadResults {
public:
    LoadResults();
    const std::string& text(std::string_view field) const;
    const std::string& text(std::string_view quantity, Nutrient nutrient) const;
    void setText(std::string_view field, std::string text);
    // The number shown for a quantity, parsed from its text.  Throws Failure.
    long double value(std::string_view quantity, Nutrient nutrient) const;

private:
    std::size_t indexOf(std::string_view field) const;

    std::array<std::string, 29> texts_;  // by field number: Edit1..Edit28 less Edit25, Edit26
    std::bitset<29> known_;
};

// The unrounded transport coefficients of the last calculation (share of the catchment load
// that reaches the water body).  0 before the first calculation.
struct RetentionShared {
    double rtP = 0.0;
    double rtN = 0.0;
    double rt(Nutrient nutrient) const { return nutrient == Nutrient::P ? rtP : rtN; }
};

// Computes all 26 texts and both coefficients.  On a Failure the rows written before it keep
// their new texts, the rows the run did not reach are emptied, and the Failure propagates.
void calculate(const ParameterSet& parameters, LoadResults& results, RetentionShared& shared);

}  // namespace nutrient
