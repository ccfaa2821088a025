// The number texts of the chart marks and axis, and figures of the pies at their limits.

#include "model/chart_figures.h"
#include "model/number_text.h"
#include "model_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace nutrient;

namespace {

// Results with only the P texts the source-share pies read.
LoadResults shareResults(const char* lp, const char* load, const char* background) {
    LoadResults results;
    results.setText(Quantity::Lp, Nutrient::P, lp);
    results.setText(Quantity::L, Nutrient::P, load);
    results.setText(Quantity::Lnat, Nutrient::P, background);
    return results;
}

struct GroupedCase {
    const char* name;
    long double value;
    int decimals;
    const char* text;
};

class GroupedNumber : public ::testing::TestWithParam<GroupedCase> {};

TEST_P(GroupedNumber, IsRoundedAndGrouped) {
    EXPECT_EQ(formatGrouped(GetParam().value, GetParam().decimals), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GroupedNumber,
    ::testing::Values(GroupedCase{"halfRoundsUp", 3126.5L, 0, "3,127"}, GroupedCase{"halfOfASmallNumber", 2.5L, 0, "3"},
                      GroupedCase{"exactBinaryHalfNotToEven", 0.125L, 2, "0.13"},
                      // 2.675 as a double is 2.67499999999999982: below the half, also in 18 digits.
                      GroupedCase{"doubleJustBelowTheHalf", static_cast<long double>(2.675), 2, "2.67"},
                      // Just below 1234.5 in extended precision, but 1234.50000000000000 in 18 digits.
                      GroupedCase{"eighteenDigitFormOnTheHalf", std::nextafter(1234.5L, 0.0L), 0, "1,235"},
                      GroupedCase{"groupsOfThree", 1234567.891L, 2, "1,234,567.89"},
                      GroupedCase{"carryIntoANewGroup", 999.999L, 2, "1,000"},
                      GroupedCase{"trailingZerosDropped", 9.6L, 2, "9.6"},
                      GroupedCase{"wholeHundred", 100.0L, 2, "100"}, GroupedCase{"zero", 0.0L, 0, "0"},
                      GroupedCase{"negativeTick", -4000.0L, 3, "-4,000"},
                      GroupedCase{"negativeRoundingToZeroHasNoSign", -0.0004L, 3, "0"},
                      GroupedCase{"axisFraction", -0.35L, 3, "-0.35"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(ChartNumbers, FollowTheRegionalSeparators) {
    setSeparators({",", " "});
    const std::string grouped = formatGrouped(1234.5L, 2);
    const std::string mark = pieMark(4.338L, 3126.5L);
    setSeparators({});
    EXPECT_EQ(grouped, "1 234,5");
    EXPECT_EQ(mark, "4,34% of 3 127");
}

// With all three slices zero every share reads 100.
TEST(SourceShares, ZeroSumReadsHundred) {
    for (const ShareSlice& slice :
         sourceShareSlices(shareResults("0.0", "0.0", "0.0"), TransportCoefficients{}, Nutrient::P))
        EXPECT_EQ(slice.mark, "100% of 0");
}

// A result beyond the range of the chart's doubles stops with an overflow, never INF.
TEST(SourceShares, ValueBeyondDoubleOverflows) {
    const LoadResults results = shareResults("1e400", "1e401", "1.0");
    EXPECT_EQ(failureText([&] {
                  sourceShareSlices(results, TransportCoefficients{0.5, 0.5}, Nutrient::P);
              }),
              kOverflow);
}

}  // namespace
