#pragma once
// Every value of the program lives as the text the user sees.  These three conversions turn
// texts into extended-precision numbers and back; because later steps of the calculation read
// earlier results back from their displayed texts, the rounding rules here are part of the
// results and must not drift by a single digit.

#include "messages.h"

#include <string>
#include <string_view>

namespace nutrient {

// The user's regional separators (UTF-8).  One process-wide setting: the program sets it once
// from the desktop locale at start-up; tests keep the default ".".
struct Separators {
    std::string decimal = ".";
    std::string group = ",";
};
void setSeparators(Separators separators);
const Separators& separators();

// Parses [blanks][sign]digits[sep digits][(E|e)[sign]digits][blanks], at least one mantissa
// digit, blanks being spaces only, the separator the regional one.  Anything else, and a value
// beyond the extended range, throws Failure("'<text>' is not a valid floating point value").
// A zero of either sign comes back as +0.
long double parseNumber(std::string_view text);

// The power of ten that scales a number text's significant digits (read as a whole number, the
// zeros after the last of them left out) to its value: the exponent, plus the zeros left out,
// less the digits after the separator.  A text read from a file may hold more digits than an
// int counts and an exponent of any length; the power is held within +-kPowerBound, far beyond
// the extended range, where the value is out of range or zero however far it goes.
inline constexpr long long kPowerBound = 1LL << 61;
long long decimalPower(std::size_t fractionDigits, std::size_t zerosLeftOut, bool negativeExponent,
                       std::string_view exponentDigits);

// 15 significant digits, judged on the 18-digit decimal form, halves rounding up; regional
// separator, no grouping, no trailing zeros; fixed for 1e-4 <= |v| < 1e15, else scientific
// ("1.5E-5", "1E15").
std::string formatGeneral(long double value);

// Exactly `decimals` digits (1 or 2 for the results, 0 to 3 for chart marks and axes) after
// a "." (always a point; none for 0 decimals).  The magnitude is first written with 18 significant digits
// (below 10: with 17 decimals) and that decimal form is rounded half away from zero, so
// 0.25 -> "0.3" and -0.25 -> "-0.3".  A negative value that rounds to zero keeps its sign
// ("-0.0"); an exact zero shows "0.0".  No upper bound: 1e4000 gives a text of about four
// thousand digits.
std::string formatFixed(long double value, int decimals);

// Returns v, or throws Failure(kOverflow) when v is infinite or not a number: no field may
// ever hold an INF or NAN text.
long double checkedFinite(long double v);
// The same, and also throws Failure(kOverflow) when v's fixed-format text would not read back:
// at the very top of the extended range its 18-digit decimal form rounds beyond it.
long double checkedReadableBack(long double v);
// a / b; throws kDivisionByZero for a nonzero a over 0 and kInvalidOperation for 0 / 0.
long double checkedDivide(long double a, long double b);

// The value rounded half away from zero to at most maxDecimals decimals (judged, like the
// result texts, on its 18-digit decimal form), trailing zeros dropped, with the regional
// decimal separator and thousands grouped by the regional group separator: "3,127", "4.34".
// The chart marks and axes show their numbers so.
std::string formatGrouped(long double value, int maxDecimals);

}  // namespace nutrient
