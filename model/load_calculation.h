#pragma once
// The emission-retention calculation of the annual P and N load of one catchment.

#include "model/parameter_set.h"

#include <array>
#include <map>
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
extern const std::array<ResultRow, kResultRowCount> kResultRows;
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
    std::map<std::string, std::string, std::less<>> texts_;
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
