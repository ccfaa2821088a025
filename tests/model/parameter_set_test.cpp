// The parameter set: initial and standard texts, the derived natural area and runoff modulus,
// the plausibility warnings and what happens when a rule meets a text that is not a number.

#include "model/number_text.h"
#include "model/parameter_set.h"
#include "recorder.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace nutrient;

namespace {

const std::string kNotANumberEmpty = "'' is not a valid floating point value";

struct ParameterSetTest : ::testing::Test {
    Recorder recorder;
    ParameterSet parameters{recorder};

    void expectStandardSet() {
        for (const ParameterInfo& p : kParameters)
            EXPECT_EQ(parameters.getText(p.field), p.standardText) << p.field;
    }
};

}  // namespace

TEST(ParameterTable, HasFortyDistinctFieldsInFileOrder) {
    std::set<std::string> fields;
    for (int i = 0; i < kParameterCount; ++i) {
        EXPECT_EQ(kParameters[i].line, i + 1);
        fields.insert(kParameters[i].field);
    }
    EXPECT_EQ(fields.size(), 40u);
    for (int n = 1; n <= 40; ++n) EXPECT_TRUE(fields.count("Edit" + std::to_string(n))) << n;
    EXPECT_EQ(std::string(kParameters[17].field), "Edit20");
    EXPECT_EQ(std::string(kParameters[39].field), "Edit5");
    // P concentrations start with a Latin C, N concentrations with a Cyrillic С.
    EXPECT_EQ(std::string(findParameter("Edit1")->caption), "Cf=");
    EXPECT_EQ(std::string(findParameter("Edit9")->caption), "\xd0\xa1" "f=");
}

TEST_F(ParameterSetTest, StartsWithTheInitialTexts) {
    for (const ParameterInfo& p : kParameters) {
        const std::string field = p.field;
        if (field == "Edit26") EXPECT_EQ(parameters.getText(field), "22440");
        else if (field == "Edit20") EXPECT_EQ(parameters.getText(field), "9.5");
        else EXPECT_EQ(parameters.getText(field), p.standardText) << field;
    }
}

TEST_F(ParameterSetTest, StandardSetDerivesItsOwnNaturalAreaAndRunoffModulus) {
    parameters.applyShowRule();
    EXPECT_EQ(parameters.getText("Edit26"), "22439.52");
    EXPECT_EQ(parameters.getText("Edit20"), "9.513");
    expectStandardSet();
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST_F(ParameterSetTest, ApplyStandardRestoresAllFortyTextsAfterEdits) {
    for (const ParameterInfo& p : kParameters) parameters.setText(p.field, "7");
    recorder.boxes.clear();
    parameters.applyStandard();
    expectStandardSet();
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST_F(ParameterSetTest, SameTextFiresNothing) {
    std::vector<std::string> changes;
    parameters.setChangeListener([&](const std::string& f) { changes.push_back(f); });
    parameters.setText("Edit21", "25948");
    EXPECT_TRUE(changes.empty());
    parameters.setText("Edit21", "25948.0");
    EXPECT_EQ(changes, (std::vector<std::string>{"Edit21", "Edit26"}));
    EXPECT_EQ(parameters.getText("Edit26"), "22439.52");
}

TEST_F(ParameterSetTest, WaterShareOf150WarnsNegativeAreaThenWaterShare) {
    parameters.setText("Edit25", "150");
    EXPECT_EQ(recorder.boxes, (std::vector<RecordedBox>{
                                  {"warning", "Эта величина не может быть отрицательной!"},
                                  {"warning", "Доля покрытия площади водосбора водой больше 100%!"}}));
    EXPECT_EQ(parameters.getText("Edit26"), "-16223");
    recorder.boxes.clear();
    parameters.checkOnClose();
    EXPECT_EQ(recorder.boxes,
              (std::vector<RecordedBox>{{"warning", "Доля покрытия площади водосбора водой больше 100%!"}}));
}

TEST_F(ParameterSetTest, EmptyTotalAreaKeepsTheNaturalAreaUntilANumberIsTyped) {
    parameters.applyShowRule();
    parameters.setText("Edit21", "");
    EXPECT_EQ(recorder.boxes, (std::vector<RecordedBox>{{"failure", kNotANumberEmpty}}));
    EXPECT_EQ(parameters.getText("Edit21"), "");
    EXPECT_EQ(parameters.getText("Edit26"), "22439.52");
    recorder.boxes.clear();
    parameters.setText("Edit21", "3");
    EXPECT_EQ(recorder.boxes, (std::vector<RecordedBox>{{"warning", "Эта величина не может быть отрицательной!"}}));
    EXPECT_EQ(parameters.getText("Edit26"), "-3246.03");
}

TEST_F(ParameterSetTest, SmallTotalAreaWarnsAtOnce) {
    parameters.setText("Edit21", "1000");
    EXPECT_EQ(recorder.boxes, (std::vector<RecordedBox>{{"warning", "Эта величина не может быть отрицательной!"}}));
    EXPECT_EQ(parameters.getText("Edit26"), "-2259");
}

TEST_F(ParameterSetTest, RunoffLayerDerivesTheModulus) {
    parameters.setText("Edit5", "280");
    EXPECT_EQ(parameters.getText("Edit20"), "8.8788");
    parameters.setText("Edit5", "x");
    EXPECT_EQ(recorder.boxes, (std::vector<RecordedBox>{{"failure", "'x' is not a valid floating point value"}}));
    EXPECT_EQ(parameters.getText("Edit20"), "8.8788");
}

TEST_F(ParameterSetTest, ShowRuleSkipsTheRunoffModulusWhenTheNaturalAreaFails) {
    parameters.setText("Edit24", "");
    recorder.boxes.clear();
    EXPECT_THROW(parameters.applyShowRule(), Failure);
    EXPECT_EQ(parameters.getText("Edit20"), "9.5");
    EXPECT_EQ(parameters.getText("Edit26"), "22440");
}

struct CloseCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> texts;
    std::vector<RecordedBox> boxes;
    const char* failure;  // nullptr when the window may close
};

class ClosingChecks : public ::testing::TestWithParam<CloseCase> {};

TEST_P(ClosingChecks, WarnInOrderAndFailOnlyOnNonNumbers) {
    Recorder recorder;
    ParameterSet parameters(recorder);
    for (auto [field, text] : GetParam().texts) parameters.setText(field, text);
    recorder.boxes.clear();
    std::string failure;
    try {
        parameters.checkOnClose();
    } catch (const Failure& f) {
        failure = f.what();
    }
    EXPECT_EQ(recorder.boxes, GetParam().boxes);
    EXPECT_EQ(failure, GetParam().failure ? GetParam().failure : "");
}

const char* kAreaSum = "Площадь водосбора меньше суммы частных площадей!";
const char* kWaterShare = "Доля покрытия площади водосбора водой больше 100%!";

INSTANTIATE_TEST_SUITE_P(
    Cases, ClosingChecks,
    ::testing::Values(
        CloseCase{"standard", {}, {}, nullptr},
        CloseCase{"sumEqualsTotal", {{"Edit21", "3249"}}, {}, nullptr},
        CloseCase{"sumAboveTotal", {{"Edit21", "3248.99"}}, {{"warning", kAreaSum}}, nullptr},
        CloseCase{"waterShareNotPartOfSum", {{"Edit21", "3249"}, {"Edit25", "50"}}, {}, nullptr},
        CloseCase{"bothWarnings",
                  {{"Edit21", "100"}, {"Edit25", "101"}},
                  {{"warning", kAreaSum}, {"warning", kWaterShare}},
                  nullptr},
        CloseCase{"mixedAreaEmpty", {{"Edit24", ""}}, {}, "'' is not a valid floating point value"},
        CloseCase{"waterShareAfterAreaWarning",
                  {{"Edit21", "100"}, {"Edit25", "abc"}},
                  {{"warning", kAreaSum}},
                  "'abc' is not a valid floating point value"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ParameterSetTest, StandartWithEmptyWaterShareEndsWithTheStandardSet) {
    parameters.setText("Edit21", "30000");
    parameters.setText("Edit22", "2000");
    parameters.setText("Edit25", "");
    recorder.boxes.clear();
    parameters.applyStandard();
    // Edit21 and Edit22 change and fire the natural-area rule, which cannot read the empty W.
    EXPECT_EQ(recorder.boxes, (std::vector<RecordedBox>{{"failure", kNotANumberEmpty},
                                                        {"failure", kNotANumberEmpty}}));
    expectStandardSet();
}

TEST_F(ParameterSetTest, NegativeAndOddValuesAreAcceptedWithoutValidation) {
    parameters.setText("Edit1", "-5");
    parameters.setText("Edit38", "");
    parameters.setText("Edit6", "не число");
    EXPECT_TRUE(recorder.boxes.empty());
    EXPECT_EQ(parameters.getText("Edit6"), "не число");
}

TEST_F(ParameterSetTest, OverflowingNaturalAreaIsAFailureNotAnInfiniteText) {
    parameters.setText("Edit21", "1e4932");
    parameters.setText("Edit22", "-1e4932");
    EXPECT_EQ(recorder.boxes.back(), (RecordedBox{"failure", "Floating point overflow"}));
    EXPECT_EQ(parameters.getText("Edit26").find("inf"), std::string::npos);
}

TEST_F(ParameterSetTest, UnknownFieldIsAProgrammingError) {
    EXPECT_THROW(parameters.getText("Edit41"), std::out_of_range);
    EXPECT_THROW(parameters.setText("Edit0", "1"), std::out_of_range);
}
