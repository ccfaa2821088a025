// Ranges of an uncertainty analysis: their ends as numbers or signed percentages, the CSV file
// written and read back, and every refusal naming its line and field.

#include "model/uncertainty_ranges.h"
#include "model/file_system.h"
#include "model_fixture.h"
#include "standard_set.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

using namespace nutrient;

namespace {

const std::string kHeader = "parameter,low,high,distribution\r\n";

const std::vector<UncertaintyRange> kRanges = {
    {Parameter::RetentionExponentP, "+10%", "-10%", Distribution::Triangular},
    {Parameter::CattleEmissionP, "15", "20.5", Distribution::Uniform},
    {Parameter::PointSourcesP, "-20%", "+20%", Distribution::Uniform},
};

TEST(RangesFile, HoldsTheRangesAsTypedAndReadsBackTheSame) {
    const std::string csv = rangesCsv(kRanges);
    EXPECT_EQ(
        csv, kHeader + "b(P),+10%,-10%,triangular\r\n\"Kf(P, cattle)\",15,20.5,uniform\r\nLp(P),-20%,+20%,uniform\r\n");
    TempFolder folder;
    replaceFile(folder / "ranges.csv", csv);
    EXPECT_EQ(loadRanges(folder / "ranges.csv", standardParameterTexts()), kRanges);
}

struct EndCase {
    const char* end;
    const char* value;
    long double expected;
};

class RangeEnd : public ::testing::TestWithParam<EndCase> {};

TEST_P(RangeEnd, IsANumberOrTheValueChangedByThePercentage) {
    EXPECT_EQ(rangeEnd(GetParam().end, GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Ends, RangeEnd,
                         ::testing::Values(EndCase{"190", "212", 190}, EndCase{"-10%", "212", 190.8L},
                                           EndCase{"+20%", "-0.93", -1.116L},
                                           EndCase{" +0.5 %", "0.00322", 0.0032361L}));

struct RefusalCase {
    const char* name;
    std::string csv;
    std::string message;
};

class RangesRefused : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RangesRefused, NamingTheLineAndField) {
    EXPECT_EQ(failureText([] { readRanges(GetParam().csv, standardParameterTexts()); }), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RangesRefused,
    ::testing::Values(
        RefusalCase{"empty", "", "Line 1: the header must be 'parameter,low,high,distribution'"},
        RefusalCase{"header", "parameter,low,high\r\n", "Line 1: the header must be 'parameter,low,high,distribution'"},
        RefusalCase{"fields", kHeader + "b(P),1,2\r\n",
                    "Line 2: 4 fields expected (parameter,low,high,distribution), 3 found"},
        RefusalCase{"unknown", kHeader + "\r\n\r\nx(P),1,2,uniform\r\n",
                    "Line 4, parameter: 'x(P)' is not a parameter symbol (such as 'b(P)' or 'Kf(P, cattle)')"},
        RefusalCase{"derived", kHeader + "Anat,1,2,uniform\r\n",
                    "Line 2, parameter: 'Anat' is derived from other parameters and cannot be given a range: give "
                    "their ranges instead"},
        RefusalCase{"duplicate", kHeader + "Lp(P),1,2,uniform\r\nLp(P),1,3,uniform\r\n",
                    "Line 3, parameter: 'Lp(P)' has a range on line 2 already"},
        RefusalCase{"notANumber", kHeader + "Lp(P),1,x,uniform\r\n", "Line 2, high: " + notANumberMessage("x")},
        RefusalCase{"notAPercentage", kHeader + "Lp(P),-1x%,1,uniform\r\n",
                    "Line 2, low: " + notANumberMessage("-1x%")},
        RefusalCase{"unsignedPercentage", kHeader + "Lp(P),10%,+10%,uniform\r\n",
                    "Line 2, low: '10%' is a percentage without its sign: write '-10%' or '+10%'"},
        RefusalCase{"distribution", kHeader + "Lp(P),1,2,normal\r\n",
                    "Line 2, distribution: 'normal' is neither 'uniform' nor 'triangular'"},
        RefusalCase{"lowAboveHigh", kHeader + "b(P),-10%,+10%,uniform\r\n",
                    "Line 2: the low end -0.837 is above the high end -1.023"},
        RefusalCase{"triangularWithoutTheValue", kHeader + "Lp(P),300,400,triangular\r\n",
                    "Line 2: a triangular range must hold the value 212, its most likely one"}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
