// The decimal forms of extended values come from an exact 192-bit integer path
// (scaledByPowerOfTen), with std::to_chars only where that path does not reach.  The exact path
// earns its length: std::to_chars on a long double goes through the C library's printf, and with
// it alone the load calculation takes 22 to 24 us per call instead of 12 to 17 us, beyond the
// 20 us target (bench_calculate medians, RelWithDebInfo, 2-core AMD EPYC; callgrind: 280
// thousand instead of 101 thousand instructions per call).

#include "number_text.h"

#include <locale.h>
#include <stdlib.h>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <tuple>

namespace nutrient {

namespace {

Separators regional;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

using u64 = std::uint64_t;
// 128-bit integers are a GCC and clang extension: the exact decimal forms need them.
__extension__ typedef unsigned __int128 u128;

constexpr u64 kTenPow17 = 100000000000000000ULL;
constexpr u64 kTenPow18 = 1000000000000000000ULL;

constexpr std::array<u128, 39> powersOfTen() {
    std::array<u128, 39> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
    return p;
}
constexpr std::array<u128, 39> kPowersOfTen = powersOfTen();

// 10^k = 5^k x 2^k is exact in the 64-bit significand of an extended value while 5^k < 2^64.
constexpr int kExactPowerLimit = 27;
constexpr std::array<long double, kExactPowerLimit + 1> exactPowersOfTen() {
    std::array<long double, kExactPowerLimit + 1> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
    return p;
}
constexpr std::array<long double, kExactPowerLimit + 1> kExactPowersOfTen = exactPowersOfTen();
long double exactPowerOfTen(int k) { return kExactPowersOfTen[k]; }

// An unsigned 192-bit integer, least significant limb first: room for a 64-bit significand
// times a power of ten up to 10^38.
struct U192 {
    u64 limb[3];

    bool bit(int i) const { return i >= 0 && i < 192 && ((limb[i / 64] >> (i % 64)) & 1); }
    // Any bit set below position i (0 <= i <= 192).
    bool anyBelow(int i) const {
        for (int w = 0; w < 3 && w * 64 < i; ++w) {
            const int bits = std::min(64, i - w * 64);
            const u64 mask = bits == 64 ? ~u64{0} : ((u64{1} << bits) - 1);
            if (limb[w] & mask) return true;
        }
        return false;
    }
    // Any bit set at or above position i.
    bool anyFrom(int i) const {
        if (i >= 192) return false;
        if (limb[i / 64] >> (i % 64)) return true;
        for (int w = i / 64 + 1; w < 3; ++w)
            if (limb[w]) return true;
        return false;
    }
    // The 64 bits starting at position i (0 <= i < 192).
    u64 bitsFrom(int i) const {
        const int w = i / 64, b = i % 64;
        u64 v = limb[w] >> b;
        if (b && w + 1 < 3) v |= limb[w + 1] << (64 - b);
        return v;
    }
};

// The positive value times 10^k rounded to the nearest integer (ties to even, as the C library
// rounds its decimal forms), computed exactly; nothing when k is outside 0..38 or the result does
// not fit in 64 bits.  The value is significand x 2^exponent with a 64-bit significand.
std::optional<u64> scaledByPowerOfTen(long double magnitude, int k) {
    if (k < 0 || k > 38) return std::nullopt;
    int exponent;
    const long double fraction = std::frexp(magnitude, &exponent);
    const u64 significand = static_cast<u64>(fraction * 18446744073709551616.0L);  // x 2^64, exact
    exponent -= 64;

    const u128 power = kPowersOfTen[k];
    const u128 low = static_cast<u128>(significand) * static_cast<u64>(power);
    const u128 high = static_cast<u128>(significand) * static_cast<u64>(power >> 64);
    const u128 middle = (low >> 64) + static_cast<u64>(high);
    const U192 n{{static_cast<u64>(low), static_cast<u64>(middle),
                  static_cast<u64>(high >> 64) + static_cast<u64>(middle >> 64)}};

    if (exponent >= 0) {
        if (exponent >= 64 || n.limb[1] || n.limb[2] || (exponent && (n.limb[0] >> (64 - exponent))))
            return std::nullopt;
        return n.limb[0] << exponent;
    }
    const int shift = -exponent;
    if (shift >= 192) return u64{0};
    if (n.anyFrom(shift + 64)) return std::nullopt;
    u64 quotient = n.bitsFrom(shift);
    const bool half = n.bit(shift - 1);
    if (half && (n.anyBelow(shift - 1) || (quotient & 1))) {
        if (quotient == ~u64{0}) return std::nullopt;
        ++quotient;
    }
    return quotient;
}

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

std::string digitsOf(u64 v) {
    char buffer[20];
    char* first = buffer + sizeof buffer;
    do {
        *--first = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v);
    return std::string(first, buffer + sizeof buffer);
}

// The significant digits and decimal exponent of a positive finite value, correctly rounded
// to 18 significant digits: value ~ d.ddd x 10^exponent.
struct Decimal {
    std::string digits;
    int exponent;
};

Decimal eighteenDigitsFromLibrary(long double magnitude) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 17);
    (void)ec;  // cannot fail: the buffer holds any scientific form with 18 digits
    Decimal d{};
    const char* p = buffer;
    for (; p != end && *p != 'e'; ++p)
        if (isDigit(*p)) d.digits += *p;
    ++p;                 // past the 'e'
    if (*p == '+') ++p;  // from_chars reads a '-' but not a '+'
    std::from_chars(p, end, d.exponent);
    return d;
}

Decimal eighteenDigits(long double magnitude) {
    // Scale so that the integer part has 18 digits; the estimate from the logarithm may be one
    // off near powers of ten, and rounding may carry into a nineteenth digit.
    int k = 17 - static_cast<int>(std::floor(std::log10(magnitude)));
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::optional<u64> scaled = scaledByPowerOfTen(magnitude, k);
        if (!scaled) break;
        if (*scaled < kTenPow17) {
            ++k;
        } else if (*scaled >= kTenPow18) {
            --k;
        } else if (*scaled == kTenPow17) {
            // A value just below a power of ten, scaled one place too few, rounds up to 10^17
            // with only 17 digits judged: one place more tells whether it stays below.
            const std::optional<u64> finer = scaledByPowerOfTen(magnitude, k + 1);
            if (!finer) break;
            if (*finer < kTenPow18) return {digitsOf(*finer), 16 - k};
            return {digitsOf(*scaled), 17 - k};
        } else {
            return {digitsOf(*scaled), 17 - k};
        }
    }
    return eighteenDigitsFromLibrary(magnitude);
}

// Integer part and 17 decimals of a value below 10.
std::pair<std::string, std::string> seventeenDecimals(long double magnitude) {
    std::string digits;
    if (const std::optional<u64> scaled = scaledByPowerOfTen(magnitude, 17)) {
        digits = digitsOf(*scaled);
    } else {
        char buffer[64];
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, 17);
        (void)ec;  // below 10 with 17 decimals always fits
        for (const char* p = buffer; p != end; ++p)
            if (isDigit(*p)) digits += *p;
    }
    if (digits.size() < 18) digits.insert(0, 18 - digits.size(), '0');
    return {digits.substr(0, digits.size() - 17), digits.substr(digits.size() - 17)};
}

// The parts of a text that follows the number grammar; the digits are views into the text.
struct NumberParts {
    bool negative;
    std::string_view integer, fraction;
    bool negativeExponent;
    std::string_view exponentDigits;
};

void skipBlanks(std::string_view& rest) {
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
}

// Removes a leading '+' or '-'; true for '-'.
bool takeSign(std::string_view& rest) {
    if (rest.empty() || (rest.front() != '+' && rest.front() != '-')) return false;
    const bool negative = rest.front() == '-';
    rest.remove_prefix(1);
    return negative;
}

// Removes the leading decimal digits and returns them.
std::string_view takeDigits(std::string_view& rest) {
    const std::size_t count = std::find_if_not(rest.begin(), rest.end(), isDigit) - rest.begin();
    const std::string_view digits = rest.substr(0, count);
    rest.remove_prefix(count);
    return digits;
}

// The parts of [blanks][sign]digits[point digits][(E|e)[sign]digits][blanks] with at least one
// mantissa digit; nothing when the text does not follow that grammar.
std::optional<NumberParts> scanNumber(std::string_view text, std::string_view point) {
    std::string_view rest = text;
    skipBlanks(rest);
    const bool negative = takeSign(rest);
    const std::string_view integer = takeDigits(rest);
    std::string_view fraction;
    if (!point.empty() && rest.starts_with(point)) {
        rest.remove_prefix(point.size());
        fraction = takeDigits(rest);
    }
    if (integer.empty() && fraction.empty()) return std::nullopt;
    bool negativeExponent = false;
    std::string_view exponentDigits;
    if (!rest.empty() && (rest.front() == 'e' || rest.front() == 'E')) {
        rest.remove_prefix(1);
        negativeExponent = takeSign(rest);
        exponentDigits = takeDigits(rest);
        if (exponentDigits.empty()) return std::nullopt;
    }
    skipBlanks(rest);
    if (!rest.empty()) return std::nullopt;
    // Built whole from locals: filling the fields of a NumberParts one by one and copying it
    // into the optional made the parse twice as slow (the copy waits on the field stores).
    return NumberParts{negative, integer, fraction, negativeExponent, exponentDigits};
}

// The common case: at most 19 significant digits and a small power of ten make one exactly
// rounded operation on exact operands.  Nothing for the other texts.
std::optional<long double> oneRoundingValue(const NumberParts& parts) {
    u64 significand = 0;
    std::size_t significantDigits = 0, zerosPending = 0;
    const auto take = [&](std::string_view digits) {
        for (char c : digits) {
            if (c == '0') {
                if (significantDigits) ++zerosPending;  // kept back: trailing zeros are free
                continue;
            }
            significantDigits += zerosPending + 1;
            if (significantDigits > 19) return false;
            for (; zerosPending; --zerosPending) significand *= 10;
            significand = significand * 10 + static_cast<u64>(c - '0');
        }
        return true;
    };
    if (!take(parts.integer) || !take(parts.fraction)) return std::nullopt;
    if (significantDigits == 0) return 0.0L;
    const long long power =
        decimalPower(parts.fraction.size(), zerosPending, parts.negativeExponent, parts.exponentDigits);
    if (power >= 0 && power <= kExactPowerLimit) return significand * exactPowerOfTen(static_cast<int>(power));
    if (power < 0 && -power <= kExactPowerLimit) return significand / exactPowerOfTen(static_cast<int>(-power));
    return std::nullopt;
}

// The unsigned value of the parts, correctly rounded to extended precision; infinite beyond
// its range.
long double magnitudeOf(const NumberParts& parts) {
    if (const std::optional<long double> value = oneRoundingValue(parts)) return *value;
    std::string normal = std::string(parts.integer) + "." + std::string(parts.fraction) + "e" +
                         (parts.negativeExponent ? "-" : "") + std::string(parts.exponentDigits);
    if (normal.front() == '.') normal.insert(0, "0");
    return readDecimal(normal);
}

}  // namespace

long long decimalPower(std::size_t fractionDigits, std::size_t zerosLeftOut, bool negativeExponent,
                       std::string_view exponentDigits) {
    const auto bounded = [](std::size_t count) {
        return static_cast<long long>(std::min<std::size_t>(count, kPowerBound));
    };
    long long exponent = 0;
    for (char c : exponentDigits) {
        if (exponent > (kPowerBound - 9) / 10) {
            exponent = kPowerBound;
            break;
        }
        exponent = exponent * 10 + (c - '0');
    }
    // Three terms each within the bound cannot leave a long long.
    const long long power = (negativeExponent ? -exponent : exponent) + bounded(zerosLeftOut) - bounded(fractionDigits);
    return std::clamp(power, -kPowerBound, kPowerBound);
}

void setSeparators(Separators separators) { regional = std::move(separators); }

const Separators& separators() { return regional; }

long double parseNumber(std::string_view text) {
    const std::optional<NumberParts> parts = scanNumber(text, regional.decimal);
    if (!parts) throw Failure(notANumberMessage(text));
    const long double magnitude = magnitudeOf(*parts);
    if (std::isinf(magnitude)) throw Failure(notANumberMessage(text));  // beyond the extended range
    if (magnitude == 0) return 0.0L;                                    // a typed "-0" is zero, not a negative value
    return parts->negative ? -magnitude : magnitude;
}

std::string formatGeneral(long double value) {
    if (value == 0) return "0";
    // 15 significant digits, judged on the 18-digit decimal form: the three dropped digits
    // round up when they are one half or more.
    Decimal d = eighteenDigits(std::fabs(value));
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
        std::tie(integer, fraction) = seventeenDecimals(magnitude);
    } else {
        Decimal d = eighteenDigits(magnitude);
        const std::size_t integerDigits = d.exponent + 1;
        if (d.digits.size() < integerDigits) d.digits.append(integerDigits - d.digits.size(), '0');
        integer = d.digits.substr(0, integerDigits);
        fraction = d.digits.substr(integerDigits);
    }
    if (fraction.size() < static_cast<std::size_t>(decimals) + 1) fraction.append(decimals + 1 - fraction.size(), '0');

    // A dropped part of one half or more rounds away from zero.
    const bool roundUp = fraction[decimals] >= '5';
    fraction.resize(decimals);
    if (roundUp && incrementDigits(fraction) && incrementDigits(integer)) integer.insert(integer.begin(), '1');
    return (value < 0 ? "-" : "") + join(integer, fraction);
}

long double checkedFinite(long double v) {
    if (!std::isfinite(v)) throw Failure(kOverflow);
    return v;
}

long double checkedReadableBack(long double v) {
    checkedFinite(v);
    // Below 10^4932 the 18-digit form stays below the largest extended value.
    if (std::fabs(v) < 1e4932L) return v;
    const Decimal d = eighteenDigits(std::fabs(v));
    if (std::isinf(readDecimal(d.digits + "e" + std::to_string(d.exponent - 17)))) throw Failure(kOverflow);
    return v;
}

long double checkedDivide(long double a, long double b) {
    checkedFinite(a);
    checkedFinite(b);
    if (b == 0) throw Failure(a == 0 ? kInvalidOperation : kDivisionByZero);
    return checkedFinite(a / b);
}

namespace {

std::string grouped(const std::string& integerDigits) {
    const std::string& group = regional.group;
    std::string text;
    const std::size_t n = integerDigits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) text += group;
        text += integerDigits[i];
    }
    return text;
}

}  // namespace

// "#,##0.##"-style: rounded half up like the result texts (on the 18-digit decimal form), the
// fraction's trailing zeros dropped, the integer part grouped, the regional separators.
std::string formatGrouped(long double value, int maxDecimals) {
    const std::string fixed = formatFixed(std::fabs(value), maxDecimals);
    const std::size_t point = fixed.find('.');
    const std::string integerPart = fixed.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : fixed.substr(point + 1);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();

    std::string text = grouped(integerPart);
    if (!fraction.empty()) text += regional.decimal + fraction;
    const bool zero = integerPart == "0" && fraction.empty();
    if (value < 0 && !zero) text.insert(0, "-");
    return text;
}

}  // namespace nutrient
