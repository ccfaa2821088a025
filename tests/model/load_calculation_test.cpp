// The load calculation: the standard catchment to the last displayed digit, the read-back of
// rounded texts, and what a failed run leaves behind.

#include "model/load_calculation.h"
#include "model/number_text.h"
#include "model_fixture.h"
#include "standard_set.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace nutrient;

namespace {

// The standard set, not yet calculated.
struct CalculationTest : ::testing::Test, Model {
    std::string failureOfCalculate() {
        return failureText([&] { calculate(parameters, results, coefficients); });
    }

    const std::string& shown(Quantity quantity, Nutrient n) { return results.text(quantity, n); }
};

}  // namespace

TEST(ResultTable, HasThirteenRowsWithTheirFieldsAndDecimals) {
    EXPECT_STREQ(kResultRows[0].pField, "Edit1");
    EXPECT_STREQ(kResultRows[0].nField, "Edit13");
    EXPECT_STREQ(kResultRows[8].nField, "Edit21");
    EXPECT_STREQ(kResultRows[10].pField, "Edit5");
    for (const ResultRow& row : kResultRows) {
        const Quantity q = row.quantity;
        EXPECT_EQ(row.decimals, q == Quantity::Lex || q == Quantity::M || q == Quantity::Mnat ? 2 : 1) << row.symbol;
        EXPECT_EQ(resultOfField(row.pField), (ResultCell{q, Nutrient::P}));
        EXPECT_EQ(resultOfField(row.nField), (ResultCell{q, Nutrient::N}));
    }
    EXPECT_EQ(resultOfField("Edit25"), std::nullopt);
    LoadResults empty;
    EXPECT_EQ(empty.text(Quantity::Lex, Nutrient::N), "");
}

TEST_F(CalculationTest, ACompletedRunForgetsTheFailureOfTheRunBefore) {
    parameters.setText(Parameter::WaterShare, "0");
    EXPECT_EQ(failureOfCalculate(), kDivisionByZero);
    parameters.setText(Parameter::WaterShare, "1");
    EXPECT_EQ(failureOfCalculate(), "");
    EXPECT_EQ(results.failure(), "");
}

TEST_F(CalculationTest, StandardSetGivesTheReferenceTableAndCoefficients) {
    calculate(parameters, results, coefficients);
    for (const ShownResult& e : kStandardResults) {
        EXPECT_EQ(shown(e.quantity, Nutrient::P), e.p) << resultRow(e.quantity).symbol << " P";
        EXPECT_EQ(shown(e.quantity, Nutrient::N), e.n) << resultRow(e.quantity).symbol << " N";
    }
    EXPECT_EQ(coefficients.rtP, 0.6397532588568118);
    EXPECT_EQ(coefficients.rtN, 0.7357853060224985);
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST(Calculation, InitialTextsGiveOtherResultsThanTheStandardSet) {
    Model initial(false);
    calculate(initial.parameters, initial.results, initial.coefficients);
    // Anat "22440" and q "9.5" as they stand before the parameters window is first shown.
    for (const ChangedResult& changed : kInitialTextResults) {
        const ResultCell cell = *resultOfField(changed.field);
        EXPECT_EQ(initial.results.text(cell.quantity, cell.nutrient), changed.text) << changed.field;
    }
    EXPECT_NE(initial.coefficients.rtP, 0.6397532588568118);
}

TEST_F(CalculationTest, InflowFromOutsideIsAddedToTheLoadUnretained) {
    parameters.setText(Parameter::InflowP, "5");
    calculate(parameters, results, coefficients);
    EXPECT_EQ(shown(Quantity::Ltot, Nutrient::P), "4887.0");
    EXPECT_EQ(shown(Quantity::L, Nutrient::P), "3131.5");
    EXPECT_EQ(shown(Quantity::Lex, Nutrient::P), "5.00");
    EXPECT_EQ(shown(Quantity::M, Nutrient::P), "120.68");
}

TEST_F(CalculationTest, ZeroExponentGivesRtFromTheCoefficientAlone) {
    parameters.setText(Parameter::RetentionExponentP, "0");
    parameters.setText(Parameter::RetentionCoefficientP, "3");
    calculate(parameters, results, coefficients);
    EXPECT_EQ(coefficients.rtP, 0.25);
    EXPECT_EQ(shown(Quantity::L, Nutrient::P), "1221.8");  // 4887.0 x 0.25 = 1221.75
}

// Le(P) is 12.34 before rounding and Lp(P) 0.04: the total is summed from the shown 12.3 and
// 0.0, so it is 12.3, not the 12.4 of the unrounded values.
TEST_F(CalculationTest, LaterStepsReadTheDisplayedRoundedTexts) {
    const std::pair<Parameter, const char*> texts[] = {
        {Parameter::PointSourcesP, "0.04"}, {Parameter::ArableArea, "100"},
        {Parameter::UrbanArea, "0"},        {Parameter::MixedArea, "0"},
        {Parameter::NaturalArea, "0"},      {Parameter::ArableConcentrationP, "0.1234"},
        {Parameter::RunoffLayer, "1000"},   {Parameter::FertiliserP, "0"},
        {Parameter::CattleEmissionP, "0"},  {Parameter::PigEmissionP, "0"},
        {Parameter::PoultryEmissionP, "0"}, {Parameter::DepositionP, "0"},
        {Parameter::CropRemovalP, "0"}};
    for (auto [field, text] : texts) parameters.setText(field, text);
    calculate(parameters, results, coefficients);
    EXPECT_EQ(shown(Quantity::Lp, Nutrient::P), "0.0");
    EXPECT_EQ(shown(Quantity::Le, Nutrient::P), "12.3");
    EXPECT_EQ(shown(Quantity::Ltot, Nutrient::P), "12.3");
}

TEST_F(CalculationTest, LargeCropRemovalGivesNegativeLoadsWithoutFailing) {
    parameters.setText(Parameter::CropRemovalP, "10");
    calculate(parameters, results, coefficients);
    EXPECT_EQ(shown(Quantity::Lc, Nutrient::P), "16840.0");
    EXPECT_EQ(shown(Quantity::Ltot, Nutrient::P), "-9730.1");
    EXPECT_EQ(shown(Quantity::L, Nutrient::P).front(), '-');
}

struct FailureCase {
    const char* name;
    std::vector<std::pair<Parameter, const char*>> texts;
    std::string message;
    int rowsWritten;  // rows of the window, in step order, whose texts are new
};

class CalculationFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(CalculationFailure, StopsWithItsMessageAndEmptiesTheRowsNotReached) {
    Model m;
    calculate(m.parameters, m.results, m.coefficients);  // an earlier run whose figures must not linger
    for (auto [parameter, text] : GetParam().texts) m.parameters.setText(parameter, text);
    EXPECT_EQ(failureText([&] { calculate(m.parameters, m.results, m.coefficients); }), GetParam().message);
    EXPECT_EQ(m.results.failure(), GetParam().message);
    // The steps write the rows in this order.
    using enum Quantity;
    const Quantity stepOrder[] = {Lp, Le, Lmf, La, Lof, Lc, Ltot, Lret, L, Lnat, M, Mnat, Lex};
    for (int i = 0; i < 13; ++i) {
        for (Nutrient n : kNutrients) {
            const std::string& text = m.results.text(stepOrder[i], n);
            const char* symbol = resultRow(stepOrder[i]).symbol;
            if (i < GetParam().rowsWritten) EXPECT_FALSE(text.empty()) << symbol;
            else EXPECT_EQ(text, "") << symbol;
            EXPECT_EQ(text.find_first_of("infa"), std::string::npos) << text;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CalculationFailure,
    ::testing::Values(
        FailureCase{"zeroWaterShare", {{Parameter::WaterShare, "0"}}, kDivisionByZero, 7},
        FailureCase{"zeroRunoff", {{Parameter::RunoffLayer, "0"}}, kDivisionByZero, 7},
        FailureCase{
            "zeroRunoffAndWater", {{Parameter::RunoffLayer, "0"}, {Parameter::WaterShare, "0"}}, kInvalidOperation, 7},
        FailureCase{"negativeHydraulicLoad", {{Parameter::WaterShare, "-1"}}, kInvalidOperation, 7},
        FailureCase{"concentrationNotANumber", {{Parameter::ArableConcentrationP, "abc"}}, notANumberMessage("abc"), 1},
        FailureCase{"outsideInflowEmpty", {{Parameter::InflowP, ""}}, notANumberMessage(""), 8},
        FailureCase{"zeroTotalArea", {{Parameter::TotalArea, "0"}}, kDivisionByZero, 10},
        FailureCase{"moduleOverflow", {{Parameter::PointSourcesP, "1e4932"}}, kOverflow, 10},
        FailureCase{
            "productOverflow", {{Parameter::Cattle, "1e4000"}, {Parameter::CattleEmissionP, "1e4000"}}, kOverflow, 4},
        FailureCase{"hydraulicLoadBeyondDouble", {{Parameter::RunoffModulus, "1e400"}}, kOverflow, 7},
        // A valid number whose shown text, rounded to 18 digits, lies beyond the extended range.
        FailureCase{"shownTextBeyondRange", {{Parameter::PointSourcesP, "1.189731495357231765e4932"}}, kOverflow, 0}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(CalculationTest, ZeroWaterShareKeepsRowsOneToEightAndBothCoefficients) {
    calculate(parameters, results, coefficients);
    parameters.setText(Parameter::WaterShare, "0");
    recorder.boxes.clear();
    EXPECT_EQ(failureOfCalculate(), kDivisionByZero);
    // W = 0 also turns the water surface into natural land: Anat 22699, Le(N) 7261.0.
    EXPECT_EQ(parameters.text(Parameter::NaturalArea), "22699");
    EXPECT_EQ(shown(Quantity::Ltot, Nutrient::N), "20530.5");
    EXPECT_EQ(shown(Quantity::Lex, Nutrient::P), "");
    EXPECT_EQ(shown(Quantity::L, Nutrient::P), "");
    EXPECT_EQ(coefficients.rtP, 0.6397532588568118);
    EXPECT_EQ(coefficients.rtN, 0.7357853060224985);
}

TEST_F(CalculationTest, FailureInTheSecondCoefficientKeepsItsPreviousValue) {
    calculate(parameters, results, coefficients);
    parameters.setText(Parameter::RetentionExponentP, "0");
    parameters.setText(Parameter::RetentionCoefficientP, "1");
    parameters.setText(Parameter::RetentionCoefficientN, "abc");
    EXPECT_EQ(failureOfCalculate(), notANumberMessage("abc"));
    EXPECT_EQ(coefficients.rtP, 0.5);
    EXPECT_EQ(coefficients.rtN, 0.7357853060224985);
}

// Where the regional separator is a comma the parameters are typed with commas, but the shown
// results always carry a point, so the first read-back of a result fails.
TEST_F(CalculationTest, ResultsCannotBeReadBackUnderACommaSeparator) {
    setSeparators({",", " "});
    for (const ParameterInfo& p : kParameters) {
        std::string text = parameters.text(p.key);
        if (auto dot = text.find('.'); dot != std::string::npos) text[dot] = ',';
        parameters.setText(p.key, text);
    }
    const std::string message = failureOfCalculate();
    setSeparators({});
    EXPECT_EQ(message, notANumberMessage("212.0"));
}

TEST_F(CalculationTest, HugeButFiniteValuesGiveLongTextsNotInfinity) {
    parameters.setText(Parameter::PointSourcesP, "1e400");
    calculate(parameters, results, coefficients);
    EXPECT_EQ(shown(Quantity::Lp, Nutrient::P).size(), 401u + 2u);
    EXPECT_EQ(shown(Quantity::L, Nutrient::P).substr(0, 5), "63975");
}
