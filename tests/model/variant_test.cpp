// Variants: changed texts in the general format, and a variant computed as the windows compute
// the same texts once the parameters window has been shown.

#include "model/variant.h"
#include "model_fixture.h"
#include "standard_set.h"

#include <gtest/gtest.h>

using namespace nutrient;

namespace {

struct PercentCase {
    const char* text;
    long double percent;
    const char* changed;
};

class ChangedByPercent : public ::testing::TestWithParam<PercentCase> {};

TEST_P(ChangedByPercent, IsTheGeneralFormatOfTheNewValue) {
    EXPECT_EQ(changedByPercent(GetParam().text, GetParam().percent), GetParam().changed);
}

INSTANTIATE_TEST_SUITE_P(Texts, ChangedByPercent,
                         ::testing::Values(PercentCase{"212", -10, "190.8"}, PercentCase{"0.00322", 10, "0.003542"},
                                           PercentCase{"-0.93", 10, "-1.023"}, PercentCase{"12311600", -100, "0"},
                                           PercentCase{"1e-5", 0, "1E-5"}, PercentCase{" 0.1 ", 1000, "1.1"}));

TEST(ChangedByPercent, ANonNumberIsAConversionFailure) {
    EXPECT_EQ(failureText([] { changedByPercent("x", 10); }), notANumberMessage("x"));
}

TEST(Variant, OfTheInitialTextsIsTheStandardSetAfterTheShowRule) {
    ParameterTexts initial = standardParameterTexts();
    initial[static_cast<int>(Parameter::NaturalArea)] = "22440";
    initial[static_cast<int>(Parameter::RunoffModulus)] = "9.5";
    const Computation variant = computeVariant(initial);
    EXPECT_EQ(variant.parameters, standardParameterTexts());
    for (const ShownResult& row : kStandardResults) {
        EXPECT_EQ(variant.results.text(row.quantity, Nutrient::P), row.p);
        EXPECT_EQ(variant.results.text(row.quantity, Nutrient::N), row.n);
    }
    EXPECT_TRUE(variant.computed);
    EXPECT_EQ(variant.rejection(), std::nullopt);
    EXPECT_TRUE(variant.messages.empty());
}

TEST(Variant, ReportsWhyItsResultsCannotBeTaken) {
    const Computation stopped = computeVariant(withChanges(standardParameterTexts(), {{Parameter::WaterShare, "0"}}));
    EXPECT_EQ(stopped.rejection(), shownFailureText(kDivisionByZero));
    const Computation below = computeVariant(withChanges(standardParameterTexts(), {{Parameter::CropRemovalP, "4"}}));
    EXPECT_TRUE(below.computed);
    EXPECT_EQ(below.rejection(), kErrorBelowBackground);
}

}  // namespace
