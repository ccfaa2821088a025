#include "model/number_text.h"

#include "model/messages.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <locale.h>
#include <stdlib.h>

namespace nutrient {

namespace {

Separators regional;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// strtold bound to the "C" locale: the desktop toolkit switches the C library to the user's
// locale, which must not change how our own (already validated) digits are read.
long double readDecimal(const std::string& digits) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtold_l(digits.c_str(), nullptr, cLocale);
}

// Increments a string of decimal digits by one unit in its last place; returns true when the
// carry ran out of the leftmost digit (999 -> 000).
bool incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    return true;
}

// The significant digits and decimal exponent of a positive finite value, correctly rounded
// to `count` significant digits: value ~ d.ddd x 10^exponent.
struct Decimal {
    std::string digits;
    int exponent;
};

Decimal significantDigits(long double magnitude, int count) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                   std::chars_format::scientific, count - 1);
    (void)ec;  // cannot fail: the buffer holds any scientific form with 18 digits
    Decimal d;
    const char* p = buffer;
    for (; p != end && *p != 'e'; ++p)
        if (isDigit(*p)) d.digits += *p;
    ++p;                   // past the 'e'
    if (*p == '+') ++p;    // from_chars reads a '-' but not a '+'
    std::from_chars(p, end, d.exponent);
    return d;
}

}  // namespace

void setSeparators(Separators separators) { regional = std::move(separators); }

const Separators& separators() { return regional; }

std::string notANumberMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid floating point value";
}

long double parseNumber(std::string_view text) {
    const auto fail = [&]() -> long double { throw Failure(notANumberMessage(text)); };
    const std::string& point = regional.decimal;
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && text[i] == ' ') ++i;
    };
    const auto copyDigits = [&](std::string& out) {
        std::size_t start = i;
        while (i < text.size() && isDigit(text[i])) out += text[i++];
        return i - start;
    };

    std::string normal;
    skipBlanks();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) normal += text[i++];
    std::size_t mantissaDigits = copyDigits(normal);
    if (!point.empty() && text.substr(i, point.size()) == point) {
        i += point.size();
        normal += '.';
        mantissaDigits += copyDigits(normal);
    }
    if (mantissaDigits == 0) return fail();
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        normal += 'e';
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) normal += text[i++];
        if (copyDigits(normal) == 0) return fail();
    }
    skipBlanks();
    if (i != text.size()) return fail();

    const long double value = readDecimal(normal);
    if (std::isinf(value)) return fail();  // beyond the extended range
    return value == 0 ? 0.0L : value;      // a typed "-0" is zero, not a negative value
}

std::string formatGeneral(long double value) {
    if (value == 0) return "0";
    // 15 significant digits, judged on the 18-digit decimal form: the three dropped digits
    // round up when they are one half or more.
    Decimal d = significantDigits(std::fabs(value), 18);
    const bool roundUp = d.digits[15] >= '5';
    d.digits.resize(15);
    if (roundUp && incrementDigits(d.digits)) {
        d.digits.insert(d.digits.begin(), '1');
        d.digits.pop_back();
        ++d.exponent;
    }
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();

    std::string text = value < 0 ? "-" : "";
    const std::string& point = regional.decimal;
    if (d.exponent < -4 || d.exponent >= 15) {
        text += d.digits[0];
        if (d.digits.size() > 1) text += point + d.digits.substr(1);
        text += "E" + std::to_string(d.exponent);
    } else if (d.exponent < 0) {
        text += "0" + point + std::string(-d.exponent - 1, '0') + d.digits;
    } else {
        const std::size_t integerDigits = d.exponent + 1;
        if (d.digits.size() <= integerDigits) {
            text += d.digits + std::string(integerDigits - d.digits.size(), '0');
        } else {
            text += d.digits.substr(0, integerDigits) + point + d.digits.substr(integerDigits);
        }
    }
    return text;
}

std::string formatFixed(long double value, int decimals) {
    const std::string zeros(decimals, '0');
    const auto join = [&](const std::string& integer, const std::string& fraction) {
        return decimals == 0 ? integer : integer + "." + fraction;
    };
    if (value == 0) return join("0", zeros);

    // The decimal form that is rounded: 18 significant digits, or 17 decimals below 10.
    const long double magnitude = std::fabs(value);
    std::string integer, fraction;
    if (magnitude < 10) {
        char buffer[64];
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                       std::chars_format::fixed, 17);
        (void)ec;  // below 10 with 17 decimals always fits
        const std::string form(buffer, end);
        const std::size_t dot = form.find('.');
        integer = form.substr(0, dot);
        fraction = form.substr(dot + 1);
    } else {
        Decimal d = significantDigits(magnitude, 18);
        const std::size_t integerDigits = d.exponent + 1;
        if (d.digits.size() < integerDigits) d.digits.append(integerDigits - d.digits.size(), '0');
        integer = d.digits.substr(0, integerDigits);
        fraction = d.digits.substr(integerDigits);
    }
    if (fraction.size() < static_cast<std::size_t>(decimals) + 1)
        fraction.append(decimals + 1 - fraction.size(), '0');

    // A dropped part of one half or more rounds away from zero.
    const bool roundUp = fraction[decimals] >= '5';
    fraction.resize(decimals);
    if (roundUp && incrementDigits(fraction) && incrementDigits(integer))
        integer.insert(integer.begin(), '1');
    return (value < 0 ? "-" : "") + join(integer, fraction);
}

long double checkedFinite(long double v) {
    if (!std::isfinite(v)) throw Failure(kOverflow);
    return v;
}

long double checkedDivide(long double a, long double b) {
    checkedFinite(a);
    checkedFinite(b);
    if (b == 0) throw Failure(a == 0 ? kInvalidOperation : kDivisionByZero);
    return checkedFinite(a / b);
}

}  // namespace nutrient
