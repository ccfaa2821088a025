// The three conversions between texts and numbers.  The rounding rules are checked against a
// second, independent implementation (integer arithmetic on the C library's exact decimal
// expansion) over many values, since one catchment's figures prove little about another's.

#include "model/number_text.h"
#include "model/messages.h"
#include "model_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

using namespace nutrient;

namespace {

std::string conversionError(const std::string& text) {
    return failureText([&] { parseNumber(text); });
}

// The reference for fixed format: the 18-digit decimal form (17 decimals below 10) taken from
// printf, read into an integer, rounded half up by integer division.
std::string referenceFixed(long double v, int decimals) {
    const bool negative = v < 0;
    const long double m = std::fabs(v);
    char buffer[128];
    unsigned long long mantissa;  // the decimal form as an integer
    int fractionDigits;           // how many of its digits stand after the point
    if (m < 10) {
        std::snprintf(buffer, sizeof buffer, "%.17Lf", m);
        std::string digits(buffer);
        digits.erase(digits.find('.'), 1);
        mantissa = std::stoull(digits);
        fractionDigits = 17;
    } else {
        std::snprintf(buffer, sizeof buffer, "%.17Le", m);
        std::string s(buffer);
        const int exponent = std::stoi(s.substr(s.find('e') + 1));
        std::string digits = s.substr(0, 1) + s.substr(2, 17);
        mantissa = std::stoull(digits);
        fractionDigits = 17 - exponent;
    }
    unsigned long long scale = 1;
    for (int i = decimals; i < fractionDigits; ++i) scale *= 10;
    const unsigned long long rounded = (mantissa + scale / 2) / scale;
    unsigned long long unit = 1;
    for (int i = 0; i < decimals; ++i) unit *= 10;
    std::string fraction = std::to_string(rounded % unit);
    fraction.insert(0, decimals - fraction.size(), '0');
    return (negative ? "-" : "") + std::to_string(rounded / unit) + "." + fraction;
}

// The reference for general format: 18 digits, rounded to 15 by integer arithmetic.
long double referenceGeneralValue(long double v) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%.17Le", std::fabs(v));
    std::string s(buffer);
    const int exponent = std::stoi(s.substr(s.find('e') + 1));
    const unsigned long long mantissa = std::stoull(s.substr(0, 1) + s.substr(2, 17));
    const unsigned long long rounded = (mantissa + 500) / 1000;
    std::snprintf(buffer, sizeof buffer, "%llue%d", rounded, exponent - 14);
    return (v < 0 ? -1 : 1) * std::strtold(buffer, nullptr);
}

}  // namespace

struct AcceptedText {
    const char* text;
    long double value;
};

class ParseAccepts : public ::testing::TestWithParam<AcceptedText> {};

TEST_P(ParseAccepts, ReadsTheNumber) { EXPECT_EQ(parseNumber(GetParam().text), GetParam().value) << GetParam().text; }

INSTANTIATE_TEST_SUITE_P(Grammar, ParseAccepts,
                         ::testing::Values(AcceptedText{" 5 ", 5.0L}, AcceptedText{"-0.93", -0.93L},
                                           AcceptedText{"1.5e2", 150.0L}, AcceptedText{"1.5E+2", 150.0L},
                                           AcceptedText{"25E-1", 2.5L}, AcceptedText{"5.", 5.0L},
                                           AcceptedText{".5", 0.5L}, AcceptedText{"+.5", 0.5L},
                                           AcceptedText{"+7", 7.0L}, AcceptedText{"007", 7.0L},
                                           AcceptedText{"12311600", 12311600.0L}, AcceptedText{"0.00322", 0.00322L},
                                           AcceptedText{"   22439.52", 22439.52L}, AcceptedText{"1e-99999", 0.0L},
                                           AcceptedText{"0e99999", 0.0L}));

class ParseRejects : public ::testing::TestWithParam<const char*> {};

TEST_P(ParseRejects, WithTheConversionError) {
    const std::string text = GetParam();
    EXPECT_EQ(conversionError(text), notANumberMessage(text));
}

INSTANTIATE_TEST_SUITE_P(Grammar, ParseRejects,
                         ::testing::Values("", " ", "1,5", "abc", "0x10", "inf", "-inf", "nan", "NAN", "1e99999",
                                           "-1e5000", ".", "+", "-.", "1e", "1e+", "e5", "- 5", "\t5", "5\t", "5\n",
                                           "1 000", "1,000.5", "1.5.5", "1.5e2.5", "5e 2", "12a", "\xef\xbc\x91", "٣"));

TEST(Parse, ZeroOfEitherSignIsPlainZero) {
    EXPECT_FALSE(std::signbit(parseNumber("-0")));
    EXPECT_FALSE(std::signbit(parseNumber("-0.000")));
    EXPECT_EQ(formatFixed(parseNumber("-0"), 1), "0.0");
}

TEST(Parse, NulAndLongTextsAreErrorsNotCrashes) {
    // A NUL byte can come from a file; the number stops being one.
    EXPECT_THROW(parseNumber(std::string("1\0", 2)), Failure);
    EXPECT_EQ(parseNumber(std::string(100000, '9') + "e-99990"), parseNumber("9.99999999999999999999e9"));
}

TEST(Parse, ExtendedRangeIsKept) {
    const long double big = parseNumber("1e4000");
    EXPECT_TRUE(std::isfinite(big));
    EXPECT_GT(big, 1e300L);
}

struct PowerCase {
    const char* name;
    std::size_t fractionDigits;
    std::size_t zerosLeftOut;
    bool negativeExponent;
    const char* exponentDigits;
    long long power;
};

class DecimalPower : public ::testing::TestWithParam<PowerCase> {};

// The digit counts of texts far longer than an int counts, without building them.
TEST_P(DecimalPower, CountsBeyondAnIntAndHoldsTheBound) {
    const PowerCase& c = GetParam();
    EXPECT_EQ(decimalPower(c.fractionDigits, c.zerosLeftOut, c.negativeExponent, c.exponentDigits), c.power);
}

constexpr std::size_t kBeyondInt = std::size_t{3} << 30;
constexpr long long kBound = kPowerBound;

INSTANTIATE_TEST_SUITE_P(
    Counts, DecimalPower,
    ::testing::Values(PowerCase{"typed", 2, 1, false, "12", 11},  // "1200.50e12": 12005 x 10^11
                      PowerCase{"negativeExponent", 3, 0, true, "4", -7},
                      PowerCase{"fractionBeyondInt", kBeyondInt, 0, false, "", -static_cast<long long>(kBeyondInt)},
                      PowerCase{"zerosBeyondInt", 0, kBeyondInt, true, "5", static_cast<long long>(kBeyondInt) - 5},
                      PowerCase{"countsAtTheirLargest", SIZE_MAX, SIZE_MAX, false, "", 0},
                      PowerCase{"longExponent", 0, 0, false, "123456789012345678901234567890", kBound},
                      PowerCase{"longNegativeExponent", 7, 0, true, "99999999999999999999", -kBound},
                      PowerCase{"zerosAtTheirLargest", 0, SIZE_MAX, false, "9", kBound}),
    [](const auto& test) { return std::string(test.param.name); });

// A text quoted in a message: at most 100 characters, counted as characters.
struct QuoteCase {
    const char* name;
    std::string text;
    std::string shown;
};

class ReadableQuote : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(ReadableQuote, KeepsAReadableLength) { EXPECT_EQ(readableQuote(GetParam().text), GetParam().shown); }

std::string repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadableQuote,
    ::testing::Values(QuoteCase{"empty", "", "''"},
                      QuoteCase{"hundred", repeated("7", 100), "'" + repeated("7", 100) + "'"},
                      QuoteCase{"hundredAndOne", repeated("7", 101), "'" + repeated("7", 100) + "…'"},
                      QuoteCase{"megabyteOfCyrillic", repeated("Я", 500000), "'" + repeated("Я", 100) + "…'"},
                      QuoteCase{"strayBytesCountOnce", repeated("\xFF", 150), "'" + repeated("\xFF", 100) + "…'"}),
    [](const auto& test) { return std::string(test.param.name); });

struct FixedCase {
    long double value;
    int decimals;
    const char* text;
};

class FixedFormat : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FixedFormat, ShowsTheRoundedText) {
    EXPECT_EQ(formatFixed(GetParam().value, GetParam().decimals), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rounding, FixedFormat,
    ::testing::Values(FixedCase{0.25L, 1, "0.3"}, FixedCase{-0.25L, 1, "-0.3"}, FixedCase{-1e-30L, 1, "-0.0"},
                      FixedCase{-0.04L, 1, "-0.0"}, FixedCase{-0.004L, 2, "-0.00"}, FixedCase{0.0L, 1, "0.0"},
                      FixedCase{-0.0L, 2, "0.00"}, FixedCase{212.0L, 1, "212.0"}, FixedCase{0.05L, 1, "0.1"},
                      FixedCase{0.95L, 1, "1.0"}, FixedCase{9.95L, 1, "10.0"}, FixedCase{99.995L, 2, "100.00"},
                      FixedCase{12.34L, 1, "12.3"}, FixedCase{-12.35L, 1, "-12.4"}, FixedCase{120.4909L, 2, "120.49"},
                      FixedCase{1e20L, 1, "100000000000000000000.0"},
                      FixedCase{123456789012345678901.0L, 2, "123456789012345679000.00"}, FixedCase{2.5L, 0, "3"},
                      FixedCase{1234.4L, 0, "1234"},
                      // Just below a power of ten, where the scale first estimated is one too few.
                      FixedCase{999999999999999.99945068359375L, 3, "999999999999999.999"},
                      FixedCase{9999999999999999.994140625L, 2, "9999999999999999.99"},
                      FixedCase{99999999999999999.9453125L, 1, "99999999999999999.9"}));

// The binary values of these texts lie just below the .x5 boundary, but their 18-digit decimal
// forms are on it: the shown figure rounds up.
TEST(FixedFormat, JudgesHalvesOnTheEighteenDigitForm) {
    struct {
        const char* typed;
        int decimals;
        const char* shown;
    } cases[] = {{"0.35", 1, "0.4"}, {"0.45", 1, "0.5"},   {"2.675", 2, "2.68"}, {"4.35", 1, "4.4"},
                 {"8.15", 1, "8.2"}, {"1.005", 2, "1.01"}, {"-2.05", 1, "-2.1"}, {"-1.15", 1, "-1.2"}};
    for (const auto& c : cases) {
        const long double v = parseNumber(c.typed);
        char exact[64];
        std::snprintf(exact, sizeof exact, "%.25Lf", std::fabs(v));
        ASSERT_NE(std::string(exact).find("99999999"), std::string::npos) << "premise: " << exact;
        EXPECT_EQ(formatFixed(v, c.decimals), c.shown) << c.typed;
    }
}

TEST(FixedFormat, HasNoUpperBound) {
    const std::string text = formatFixed(parseNumber("1e4000"), 2);
    EXPECT_EQ(text.size(), 4001u + 3u);
    EXPECT_EQ(text.substr(0, 19), "1000000000000000000");
    EXPECT_EQ(text.substr(text.size() - 3), ".00");
}

TEST(FixedFormat, AgreesWithAnIndependentRoundingOverManyValues) {
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<long long> integer(-99999999, 99999999);
    int checked = 0;
    for (int i = 0; i < 200000; ++i) {
        // Values on and near the .x5 and .xx5 boundaries, and arbitrary ones, at many scales.
        const long long n = integer(random);
        const long double scale = std::pow(10.0L, static_cast<int>(random() % 9) - 4);
        long double values[] = {
            parseNumber(std::to_string(n) + "5e-3"),
            parseNumber(std::to_string(n) + "5e-4"),
            static_cast<long double>(n) * scale,
            static_cast<long double>(n) / 7.0L * scale,
            static_cast<double>(static_cast<long double>(n) / 1000.0L + 0.0005L),
        };
        for (long double v : values) {
            if (std::fabs(v) >= 1e17L) continue;  // beyond the reference's integer range
            for (int decimals : {1, 2}) {
                ASSERT_EQ(formatFixed(v, decimals), referenceFixed(v, decimals))
                    << static_cast<double>(v) << " with " << decimals;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 1000000);
}

struct GeneralCase {
    long double value;
    const char* text;
};

class GeneralFormat : public ::testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralFormat, ShowsFifteenDigits) { EXPECT_EQ(formatGeneral(GetParam().value), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Notation, GeneralFormat,
                         ::testing::Values(GeneralCase{0.0L, "0"}, GeneralCase{-0.0L, "0"}, GeneralCase{1.0L, "1"},
                                           GeneralCase{-0.93L, "-0.93"}, GeneralCase{300.0L * 0.03171L, "9.513"},
                                           GeneralCase{0.0001L, "0.0001"}, GeneralCase{0.00012345L, "0.00012345"},
                                           GeneralCase{0.00001L, "1E-5"}, GeneralCase{-0.000015L, "-1.5E-5"},
                                           GeneralCase{999999999999999.0L, "999999999999999"},
                                           GeneralCase{1e15L, "1E15"},
                                           GeneralCase{123456789012345678.0L, "1.23456789012346E17"},
                                           GeneralCase{9999999999999999.0L, "1E16"}, GeneralCase{0.1L + 0.2L, "0.3"},
                                           GeneralCase{1.0L / 3.0L, "0.333333333333333"},
                                           GeneralCase{2.0L / 3.0L, "0.666666666666667"},
                                           GeneralCase{100.0L / 3.0L * 3.0L, "100"}));

TEST(GeneralFormat, AgreesWithAnIndependentRoundingOverManyValues) {
    std::mt19937_64 random(8122026);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int i = 0; i < 100000; ++i) {
        const long double v = unit(random) * std::pow(10.0L, static_cast<int>(random() % 60) - 30);
        const std::string text = formatGeneral(v);
        ASSERT_EQ(parseNumber(text), referenceGeneralValue(v)) << text;
        const bool scientific = text.find('E') != std::string::npos;
        const long double rounded = std::fabs(referenceGeneralValue(v));
        ASSERT_EQ(scientific, rounded < 1e-4L || rounded >= 1e15L) << text;
        if (!scientific && text.find('.') != std::string::npos) {
            ASSERT_NE(text.back(), '0') << text;  // no trailing zeros after the point
        }
    }
}

class RegionalSeparator : public ::testing::Test {
protected:
    void TearDown() override { setSeparators({}); }
};

TEST_F(RegionalSeparator, ParseAndGeneralFormatFollowItFixedFormatDoesNot) {
    setSeparators({",", "\xc2\xa0"});
    EXPECT_EQ(parseNumber("1,5"), 1.5L);
    EXPECT_EQ(conversionError("1.5"), notANumberMessage("1.5"));
    EXPECT_EQ(formatGeneral(22439.52L), "22439,52");
    EXPECT_EQ(formatGeneral(0.000015L), "1,5E-5");
    EXPECT_EQ(formatFixed(1.25L, 1), "1.3");
}

TEST(CheckedArithmetic, ReportsTheFloatingPointFailures) {
    EXPECT_EQ(failureText([] { checkedDivide(1, 0); }), kDivisionByZero);
    EXPECT_EQ(failureText([] { checkedDivide(0, 0); }), kInvalidOperation);
    EXPECT_EQ(failureText([] { checkedDivide(1e4900L, 1e-4900L); }), kOverflow);
    EXPECT_EQ(failureText([] { checkedFinite(NAN); }), kOverflow);
    EXPECT_EQ(checkedDivide(3, 4), 0.75L);
}

// Every text must read as the correctly rounded extended value, whatever path the reading takes.
TEST(Parse, AgreesWithTheCorrectlyRoundedLibraryReading) {
    std::mt19937_64 random(1251);
    for (int i = 0; i < 200000; ++i) {
        std::string text = std::to_string(random() % 10000000000000000000ULL);
        const std::size_t point = random() % (text.size() + 1);
        text.insert(point, ".");
        if (random() % 2) text.insert(0, std::string(random() % 4, '0'));
        if (random() % 3 == 0) text += "e" + std::to_string(static_cast<int>(random() % 80) - 40);
        if (text == ".") continue;
        ASSERT_EQ(parseNumber(text), std::strtold(text.c_str(), nullptr)) << text;
    }
}
