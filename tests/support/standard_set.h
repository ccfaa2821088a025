#pragma once
// The standard catchment (a partial catchment of the Gulf of Finland) as the program writes it
// to a file and as it shows its results: each literal once, pinned by one test of its own.

#include "model/load_calculation.h"

#include <string>
#include <string_view>

// The standard set as Save writes it: Windows-1251, CR LF after each of the 40 lines.
inline const std::string kStandardFileBytes =
    // "Частный водосбор Финского залива"
    "\xD7\xE0\xF1\xF2\xED\xFB\xE9 \xE2\xEE\xE4\xEE\xF1\xE1\xEE\xF0 "
    "\xD4\xE8\xED\xF1\xEA\xEE\xE3\xEE \xE7\xE0\xEB\xE8\xE2\xE0\r\n"
    "25948\r\n1684\r\n1003\r\n562\r\n1\r\n22439.52\r\n633\r\n3899\r\n1.32\r\n9.1\r\n"
    "0.00322\r\n0\r\n13.3\r\n-0.93\r\n1.9\r\n-0.49\r\n9.513\r\n18.9\r\n3.36\r\n0.28\r\n"
    "77.1\r\n14.4\r\n1.14\r\n108030\r\n69900\r\n12311600\r\n212\r\n1324\r\n0\r\n0\r\n"
    "0.08\r\n0.2\r\n0.05\r\n0.12\r\n3.1\r\n2.3\r\n0.7\r\n1.4\r\n300\r\n";

// The standard set's 40 texts, as Standart writes them.
inline nutrient::ParameterTexts standardParameterTexts() {
    nutrient::ParameterTexts texts;
    for (const nutrient::ParameterInfo& p : nutrient::kParameters) texts[static_cast<int>(p.key)] = p.standardText;
    return texts;
}

// The standard set's file with one line (from 1) replaced by an ASCII text.
inline std::string standardFileWith(int line, const std::string& text) {
    std::size_t start = 0;
    for (int i = 1; i < line; ++i) start = kStandardFileBytes.find("\r\n", start) + 2;
    const std::size_t end = kStandardFileBytes.find("\r\n", start);
    return kStandardFileBytes.substr(0, start) + text + kStandardFileBytes.substr(end);
}

struct ShownResult {
    nutrient::Quantity quantity;
    const char* p;
    const char* n;
};

// The results of the standard set, in window order.  Two independent computations agree on
// every digit of this table.
inline constexpr ShownResult kStandardResults[nutrient::kResultRowCount] = {
    {nutrient::Quantity::Lp, "212.0", "1324.0"},    {nutrient::Quantity::Le, "457.4", "7206.5"},
    {nutrient::Quantity::Lmf, "633.0", "3899.0"},   {nutrient::Quantity::Lof, "5723.9", "23370.9"},
    {nutrient::Quantity::La, "83.6", "0.0"},        {nutrient::Quantity::Lex, "0.00", "0.00"},
    {nutrient::Quantity::Lc, "2222.9", "15324.4"},  {nutrient::Quantity::Ltot, "4887.0", "20476.0"},
    {nutrient::Quantity::Lret, "1760.5", "5410.1"}, {nutrient::Quantity::L, "3126.5", "15065.9"},
    {nutrient::Quantity::Lnat, "300.0", "3969.3"},  {nutrient::Quantity::M, "120.49", "580.62"},
    {nutrient::Quantity::Mnat, "11.56", "152.97"},
};

// The shown texts that differ from the standard results when the calculation uses the initial
// texts, a natural area of "22440" and a runoff modulus of "9.5" (as before the parameters
// window is first shown): the N emission and every figure after the retention.
struct ChangedResult {
    const char* field;  // the results window's field
    const char* text;
};
inline constexpr ChangedResult kInitialTextResults[] = {
    {"Edit12", "7206.6"}, {"Edit19", "20476.1"}, {"Edit10", "1762.0"}, {"Edit21", "5412.8"},
    {"Edit11", "3125.0"}, {"Edit22", "15063.3"}, {"Edit5", "299.8"},   {"Edit9", "3968.6"},
    {"Edit16", "120.43"}, {"Edit23", "580.52"},  {"Edit20", "11.55"},  {"Edit24", "152.94"},
};

// The text the results window shows for a result of the standard set; with `initialTexts`, of
// the calculation from the initial texts.
inline std::string standardText(nutrient::Quantity quantity, nutrient::Nutrient nutrient, bool initialTexts = false) {
    if (initialTexts) {
        for (const ChangedResult& changed : kInitialTextResults)
            if (std::string_view(changed.field) == nutrient::resultField(quantity, nutrient)) return changed.text;
    }
    const ShownResult& row = kStandardResults[static_cast<int>(quantity)];
    return nutrient == nutrient::Nutrient::P ? row.p : row.n;
}
