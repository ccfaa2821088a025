// The load calculation: the standard catchment to the last displayed digit, the read-back of
// rounded texts, and what a failed run leaves behind.

#include "model/load_calculation.h"
#include "model/number_text.h"
#include "recorder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace nutrient;

namespace {

struct Expected {
    const char* quantity;
    const char* p;
    const char* n;
};

// Two independent computations agree on every digit of this table.
const Expected kStandardResults[] = {
    {"Lp", "212.0", "1324.0"},     {"Le", "457.4", "7206.5"},    {"Lmf", "633.0", "3899.0"},
    {"Lof", "5723.9", "23370.9"},  {"La", "83.6", "0.0"},        {"Lex", "0.00", "0.00"},
    {"Lc", "2222.9", "15324.4"},   {"Ltot", "4887.0", "20476.0"}, {"Lret", "1760.5", "5410.1"},
    {"L", "3126.5", "15065.9"},    {"Lnat", "300.0", "3969.3"},  {"M", "120.49", "580.62"},
    {"Mnat", "11.56", "152.97"},
};

struct CalculationTest : ::testing::Test {
    Recorder recorder;
    ParameterSet parameters{recorder};
    LoadResults results;
    RetentionShared shared;

    CalculationTest() { parameters.applyStandard(); }

    std::string failureOfCalculate() {
        try {
            calculate(parameters, results, shared);
        } catch (const Failure& failure) {
            return failure.what();
        }
        return "";
    }

    const std::string& shown(const char* quantity, Nutrient n) { return results.text(quantity, n); }

    // Every row of the results table in window order, P then N.
    std::vector<std::string> allTexts() {
        std::vector<std::string> texts;
        for (const ResultRow& row : kResultRows) {
            texts.push_back(results.text(row.pField));
            texts.push_back(results.text(row.nField));
        }
        return texts;
    }
};

}  // namespace

TEST(ResultTable, HasThirteenRowsWithTheirFieldsAndDecimals) {
    EXPECT_STREQ(kResultRows[0].pField, "Edit1");
    EXPECT_STREQ(kResultRows[0].nField, "Edit13");
    EXPECT_STREQ(kResultRows[8].nField, "Edit21");
    EXPECT_STREQ(kResultRows[10].pField, "Edit5");
    for (const ResultRow& row : kResultRows) {
        const std::string q = row.quantity;
        EXPECT_EQ(row.decimals, q == "Lex" || q == "M" || q == "Mnat" ? 2 : 1) << q;
    }
    LoadResults empty;
    EXPECT_EQ(empty.text("Edit28"), "");
}

TEST_F(CalculationTest, StandardSetGivesTheReferenceTableAndCoefficients) {
    calculate(parameters, results, shared);
    for (const Expected& e : kStandardResults) {
        EXPECT_EQ(shown(e.quantity, Nutrient::P), e.p) << e.quantity << " P";
        EXPECT_EQ(shown(e.quantity, Nutrient::N), e.n) << e.quantity << " N";
    }
    EXPECT_EQ(shared.rtP, 0.6397532588568118);
    EXPECT_EQ(shared.rtN, 0.7357853060224985);
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST(Calculation, InitialTextsGiveOtherResultsThanTheStandardSet) {
    Recorder recorder;
    ParameterSet initial(recorder);
    LoadResults results;
    RetentionShared shared;
    calculate(initial, results, shared);
    // Anat "22440" and q "9.5" as they stand before the parameters window is first shown.
    EXPECT_EQ(results.text("Le", Nutrient::N), "7206.6");
    EXPECT_EQ(results.text("Ltot", Nutrient::N), "20476.1");
    EXPECT_EQ(results.text("L", Nutrient::P), "3125.0");
    EXPECT_EQ(results.text("Lnat", Nutrient::P), "299.8");
    EXPECT_EQ(results.text("M", Nutrient::N), "580.52");
    EXPECT_NE(shared.rtP, 0.6397532588568118);
}

TEST_F(CalculationTest, InflowFromOutsideIsAddedToTheLoadUnretained) {
    parameters.setText("Edit39", "5");
    calculate(parameters, results, shared);
    EXPECT_EQ(shown("Ltot", Nutrient::P), "4887.0");
    EXPECT_EQ(shown("L", Nutrient::P), "3131.5");
    EXPECT_EQ(shown("Lex", Nutrient::P), "5.00");
    EXPECT_EQ(shown("M", Nutrient::P), "120.68");
}

TEST_F(CalculationTest, ZeroExponentGivesRtFromTheCoefficientAlone) {
    parameters.setText("Edit7", "0");
    parameters.setText("Edit6", "3");
    calculate(parameters, results, shared);
    EXPECT_EQ(shared.rtP, 0.25);
    EXPECT_EQ(shown("L", Nutrient::P), "1221.8");  // 4887.0 x 0.25 = 1221.75
}

// Le(P) is 12.34 before rounding and Lp(P) 0.04: the total is summed from the shown 12.3 and
// 0.0, so it is 12.3, not the 12.4 of the unrounded values.
TEST_F(CalculationTest, LaterStepsReadTheDisplayedRoundedTexts) {
    const std::pair<const char*, const char*> texts[] = {
        {"Edit36", "0.04"}, {"Edit22", "100"}, {"Edit23", "0"}, {"Edit24", "0"},
        {"Edit26", "0"},    {"Edit1", "0.1234"}, {"Edit5", "1000"}, {"Edit13", "0"},
        {"Edit27", "0"},    {"Edit28", "0"},    {"Edit29", "0"},    {"Edit15", "0"},
        {"Edit17", "0"}};
    for (auto [field, text] : texts) parameters.setText(field, text);
    calculate(parameters, results, shared);
    EXPECT_EQ(shown("Lp", Nutrient::P), "0.0");
    EXPECT_EQ(shown("Le", Nutrient::P), "12.3");
    EXPECT_EQ(shown("Ltot", Nutrient::P), "12.3");
}

TEST_F(CalculationTest, LargeCropRemovalGivesNegativeLoadsWithoutFailing) {
    parameters.setText("Edit17", "10");
    calculate(parameters, results, shared);
    EXPECT_EQ(shown("Lc", Nutrient::P), "16840.0");
    EXPECT_EQ(shown("Ltot", Nutrient::P), "-9730.1");
    EXPECT_EQ(shown("L", Nutrient::P).front(), '-');
}

struct FailureCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> texts;
    const char* message;
    int rowsWritten;  // rows of the window, in step order, whose texts are new
};

class CalculationFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(CalculationFailure, StopsWithItsMessageAndEmptiesTheRowsNotReached) {
    Recorder recorder;
    ParameterSet parameters(recorder);
    parameters.applyStandard();
    LoadResults results;
    RetentionShared shared;
    calculate(parameters, results, shared);  // an earlier run whose figures must not linger
    for (auto [field, text] : GetParam().texts) parameters.setText(field, text);
    std::string message;
    try {
        calculate(parameters, results, shared);
    } catch (const Failure& failure) {
        message = failure.what();
    }
    EXPECT_EQ(message, GetParam().message);
    // The steps write the rows in this order.
    const char* stepOrder[] = {"Lp", "Le", "Lmf", "La", "Lof", "Lc", "Ltot", "Lret", "L", "Lnat", "M", "Mnat", "Lex"};
    for (int i = 0; i < 13; ++i) {
        for (Nutrient n : {Nutrient::P, Nutrient::N}) {
            const std::string& text = results.text(stepOrder[i], n);
            if (i < GetParam().rowsWritten) EXPECT_FALSE(text.empty()) << stepOrder[i];
            else EXPECT_EQ(text, "") << stepOrder[i];
            EXPECT_EQ(text.find_first_of("infa"), std::string::npos) << text;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CalculationFailure,
    ::testing::Values(
        FailureCase{"zeroWaterShare", {{"Edit25", "0"}}, "Floating point division by zero", 7},
        FailureCase{"zeroRunoff", {{"Edit5", "0"}}, "Floating point division by zero", 7},
        FailureCase{"zeroRunoffAndWater", {{"Edit5", "0"}, {"Edit25", "0"}}, "Invalid floating point operation", 7},
        FailureCase{"negativeHydraulicLoad", {{"Edit25", "-1"}}, "Invalid floating point operation", 7},
        FailureCase{"concentrationNotANumber", {{"Edit1", "abc"}}, "'abc' is not a valid floating point value", 1},
        FailureCase{"outsideInflowEmpty", {{"Edit39", ""}}, "'' is not a valid floating point value", 8},
        FailureCase{"zeroTotalArea", {{"Edit21", "0"}}, "Floating point division by zero", 10},
        FailureCase{"moduleOverflow", {{"Edit36", "1e4932"}}, "Floating point overflow", 10},
        FailureCase{"productOverflow", {{"Edit33", "1e4000"}, {"Edit27", "1e4000"}}, "Floating point overflow", 4},
        FailureCase{"hydraulicLoadBeyondDouble", {{"Edit20", "1e400"}}, "Floating point overflow", 7}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalculationTest, ZeroWaterShareKeepsRowsOneToEightAndBothCoefficients) {
    calculate(parameters, results, shared);
    parameters.setText("Edit25", "0");
    recorder.boxes.clear();
    EXPECT_EQ(failureOfCalculate(), "Floating point division by zero");
    // W = 0 also turns the water surface into natural land: Anat 22699, Le(N) 7261.0.
    EXPECT_EQ(parameters.getText("Edit26"), "22699");
    EXPECT_EQ(shown("Ltot", Nutrient::N), "20530.5");
    EXPECT_EQ(shown("Lex", Nutrient::P), "");
    EXPECT_EQ(shown("L", Nutrient::P), "");
    EXPECT_EQ(shared.rtP, 0.6397532588568118);
    EXPECT_EQ(shared.rtN, 0.7357853060224985);
}

TEST_F(CalculationTest, FailureInTheSecondCoefficientKeepsItsPreviousValue) {
    calculate(parameters, results, shared);
    parameters.setText("Edit7", "0");
    parameters.setText("Edit6", "1");
    parameters.setText("Edit8", "abc");
    EXPECT_EQ(failureOfCalculate(), "'abc' is not a valid floating point value");
    EXPECT_EQ(shared.rtP, 0.5);
    EXPECT_EQ(shared.rtN, 0.7357853060224985);
}

// Where the regional separator is a comma the parameters are typed with commas, but the shown
// results always carry a point, so the first read-back of a result fails.
TEST_F(CalculationTest, ResultsCannotBeReadBackUnderACommaSeparator) {
    setSeparators({",", " "});
    for (const ParameterInfo& p : kParameters) {
        std::string text = parameters.getText(p.field);
        if (auto dot = text.find('.'); dot != std::string::npos) text[dot] = ',';
        parameters.setText(p.field, text);
    }
    const std::string message = failureOfCalculate();
    setSeparators({});
    EXPECT_EQ(message, "'212.0' is not a valid floating point value");
}

TEST_F(CalculationTest, HugeButFiniteValuesGiveLongTextsNotInfinity) {
    parameters.setText("Edit36", "1e400");
    calculate(parameters, results, shared);
    EXPECT_EQ(shown("Lp", Nutrient::P).size(), 401u + 2u);
    EXPECT_EQ(shown("L", Nutrient::P).substr(0, 5), "63975");
}
