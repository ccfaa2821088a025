// The parameter set: initial and standard texts, the derived natural area and runoff modulus,
// the plausibility warnings and what happens when a rule meets a text that is not a number.

#include "model/parameter_set.h"
#include "model/number_text.h"
#include "model_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <set>
#include <vector>

using namespace nutrient;

namespace {

const std::string kNotANumberEmpty = notANumberMessage("");

// A set with the initial texts.
struct ParameterSetTest : ::testing::Test, BasicModel<> {
    ParameterSetTest() : BasicModel(false) {}

    void expectStandardSet() {
        for (const ParameterInfo& p : kParameters) EXPECT_EQ(parameters.text(p.key), p.standardText) << p.field;
    }
};

}  // namespace

TEST(ParameterTable, HasFortyDistinctFieldsInFileOrder) {
    std::set<std::string> fields;
    for (int i = 0; i < kParameterCount; ++i) {
        EXPECT_EQ(parameterOfField(kParameters[i].field), kParameters[i].key);
        fields.insert(kParameters[i].field);
    }
    EXPECT_EQ(fields.size(), 40u);
    for (int n = 1; n <= 40; ++n) EXPECT_TRUE(fields.count("Edit" + std::to_string(n))) << n;
    EXPECT_EQ(std::string(kParameters[17].field), "Edit20");
    EXPECT_EQ(std::string(kParameters[39].field), "Edit5");
    // P concentrations start with a Latin C, N concentrations with a Cyrillic С.
    EXPECT_EQ(std::string(info(Parameter::ArableConcentrationP).caption), "Cf=");
    EXPECT_EQ(std::string(info(Parameter::ArableConcentrationN).caption),
              "\xd0\xa1"
              "f=");
}

TEST_F(ParameterSetTest, StartsWithTheInitialTexts) {
    for (const ParameterInfo& p : kParameters) {
        if (p.key == Parameter::NaturalArea) EXPECT_EQ(parameters.text(p.key), "22440");
        else if (p.key == Parameter::RunoffModulus) EXPECT_EQ(parameters.text(p.key), "9.5");
        else EXPECT_EQ(parameters.text(p.key), p.standardText) << p.field;
    }
}

TEST_F(ParameterSetTest, StandardSetDerivesItsOwnNaturalAreaAndRunoffModulus) {
    parameters.applyShowRule();
    EXPECT_EQ(parameters.text(Parameter::NaturalArea), "22439.52");
    EXPECT_EQ(parameters.text(Parameter::RunoffModulus), "9.513");
    expectStandardSet();
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST_F(ParameterSetTest, ApplyStandardRestoresAllFortyTextsAfterEdits) {
    for (const ParameterInfo& p : kParameters) parameters.setText(p.key, "7");
    recorder.boxes.clear();
    parameters.applyStandard();
    expectStandardSet();
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST_F(ParameterSetTest, SameTextFiresNothing) {
    std::vector<Parameter> changes;
    parameters.setChangeListener([&](Parameter p) { changes.push_back(p); });
    parameters.setText(Parameter::TotalArea, "25948");
    EXPECT_TRUE(changes.empty());
    parameters.setText(Parameter::TotalArea, "25948.0");
    EXPECT_EQ(changes, (std::vector<Parameter>{Parameter::TotalArea, Parameter::NaturalArea}));
    EXPECT_EQ(parameters.text(Parameter::NaturalArea), "22439.52");
}

TEST_F(ParameterSetTest, WaterShareOf150WarnsNegativeAreaThenWaterShare) {
    parameters.setText(Parameter::WaterShare, "150");
    EXPECT_EQ(recorder.boxes, (std::vector<RecordedBox>{{"warning", kWarnNegativeArea}, {"warning", kWarnWaterShare}}));
    EXPECT_EQ(parameters.text(Parameter::NaturalArea), "-16223");
    recorder.boxes.clear();
    parameters.checkOnClose();
    EXPECT_EQ(recorder.boxes, (std::vector<RecordedBox>{{"warning", kWarnWaterShare}}));
}

TEST_F(ParameterSetTest, EmptyTotalAreaKeepsTheNaturalAreaUntilANumberIsTyped) {
    parameters.applyShowRule();
    parameters.setText(Parameter::TotalArea, "");
    EXPECT_EQ(recorder.boxes, (std::vector<RecordedBox>{{"failure", kNotANumberEmpty}}));
    EXPECT_EQ(parameters.text(Parameter::TotalArea), "");
    EXPECT_EQ(parameters.text(Parameter::NaturalArea), "22439.52");
    recorder.boxes.clear();
    parameters.setText(Parameter::TotalArea, "3");
    EXPECT_EQ(recorder.boxes, (std::vector<RecordedBox>{{"warning", kWarnNegativeArea}}));
    EXPECT_EQ(parameters.text(Parameter::NaturalArea), "-3246.03");
}

TEST_F(ParameterSetTest, SmallTotalAreaWarnsAtOnce) {
    parameters.setText(Parameter::TotalArea, "1000");
    EXPECT_EQ(recorder.boxes, (std::vector<RecordedBox>{{"warning", kWarnNegativeArea}}));
    EXPECT_EQ(parameters.text(Parameter::NaturalArea), "-2259");
}

TEST_F(ParameterSetTest, RunoffLayerDerivesTheModulus) {
    parameters.setText(Parameter::RunoffLayer, "280");
    EXPECT_EQ(parameters.text(Parameter::RunoffModulus), "8.8788");
    parameters.setText(Parameter::RunoffLayer, "x");
    EXPECT_EQ(recorder.boxes, (std::vector<RecordedBox>{{"failure", notANumberMessage("x")}}));
    EXPECT_EQ(parameters.text(Parameter::RunoffModulus), "8.8788");
}

TEST_F(ParameterSetTest, ShowRuleSkipsTheRunoffModulusWhenTheNaturalAreaFails) {
    parameters.setText(Parameter::MixedArea, "");
    recorder.boxes.clear();
    EXPECT_THROW(parameters.applyShowRule(), Failure);
    EXPECT_EQ(parameters.text(Parameter::RunoffModulus), "9.5");
    EXPECT_EQ(parameters.text(Parameter::NaturalArea), "22440");
}

struct CloseCase {
    const char* name;
    std::vector<std::pair<Parameter, const char*>> texts;
    std::vector<RecordedBox> boxes;
    std::string failure;  // empty when the window may close
};

class ClosingChecks : public ::testing::TestWithParam<CloseCase> {};

TEST_P(ClosingChecks, WarnInOrderAndFailOnlyOnNonNumbers) {
    Model model(false);
    for (auto [parameter, text] : GetParam().texts) model.parameters.setText(parameter, text);
    model.recorder.boxes.clear();
    const std::string failure = failureText([&] { model.parameters.checkOnClose(); });
    EXPECT_EQ(model.recorder.boxes, GetParam().boxes);
    EXPECT_EQ(failure, GetParam().failure);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClosingChecks,
    ::testing::Values(
        CloseCase{"standard", {}, {}, ""}, CloseCase{"sumEqualsTotal", {{Parameter::TotalArea, "3249"}}, {}, ""},
        CloseCase{"sumAboveTotal", {{Parameter::TotalArea, "3248.99"}}, {{"warning", kWarnAreaSum}}, ""},
        CloseCase{"waterShareNotPartOfSum", {{Parameter::TotalArea, "3249"}, {Parameter::WaterShare, "50"}}, {}, ""},
        CloseCase{"bothWarnings",
                  {{Parameter::TotalArea, "100"}, {Parameter::WaterShare, "101"}},
                  {{"warning", kWarnAreaSum}, {"warning", kWarnWaterShare}},
                  ""},
        CloseCase{"mixedAreaEmpty", {{Parameter::MixedArea, ""}}, {}, kNotANumberEmpty},
        CloseCase{"waterShareAfterAreaWarning",
                  {{Parameter::TotalArea, "100"}, {Parameter::WaterShare, "abc"}},
                  {{"warning", kWarnAreaSum}},
                  notANumberMessage("abc")}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(ParameterSetTest, StandartWithEmptyWaterShareEndsWithTheStandardSet) {
    parameters.setText(Parameter::TotalArea, "30000");
    parameters.setText(Parameter::ArableArea, "2000");
    parameters.setText(Parameter::WaterShare, "");
    recorder.boxes.clear();
    parameters.applyStandard();
    // A and Af change and fire the natural-area rule, which cannot read the empty W.
    EXPECT_EQ(recorder.boxes, (std::vector<RecordedBox>{{"failure", kNotANumberEmpty}, {"failure", kNotANumberEmpty}}));
    expectStandardSet();
}

TEST_F(ParameterSetTest, NegativeAndOddValuesAreAcceptedWithoutValidation) {
    parameters.setText(Parameter::ArableConcentrationP, "-5");
    parameters.setText(Parameter::ObjectName, "");
    parameters.setText(Parameter::RetentionCoefficientP, "не число");
    EXPECT_TRUE(recorder.boxes.empty());
    EXPECT_EQ(parameters.text(Parameter::RetentionCoefficientP), "не число");
}

TEST_F(ParameterSetTest, OverflowingNaturalAreaIsAFailureNotAnInfiniteText) {
    parameters.setText(Parameter::TotalArea, "1e4932");
    parameters.setText(Parameter::ArableArea, "-1e4932");
    EXPECT_EQ(recorder.boxes.back(), (RecordedBox{"failure", kOverflow}));
    EXPECT_EQ(parameters.text(Parameter::NaturalArea).find("inf"), std::string::npos);
}

TEST(ParameterTable, OnlyTheFortyFieldNamesNameAParameter) {
    EXPECT_EQ(parameterOfField("Edit41"), std::nullopt);
    EXPECT_EQ(parameterOfField("Edit0"), std::nullopt);
    EXPECT_EQ(parameterOfField("Edit021"), std::nullopt);
    EXPECT_EQ(parameterOfField("Edit21"), Parameter::TotalArea);
}

// --- Unsaved changes: the texts against those at start or restored by Standart -------------

struct UnsavedCase {
    const char* name;
    std::function<void(ParameterSet&)> steps;
    bool unsaved;
};

class UnsavedChanges : public ParameterSetTest, public ::testing::WithParamInterface<UnsavedCase> {};

TEST_P(UnsavedChanges, AreTheTextsChangedSinceTheLastUnchangedState) {
    GetParam().steps(parameters);
    EXPECT_EQ(parameters.hasUnsavedChanges(), GetParam().unsaved);
}

void typeP(ParameterSet& p, const char* text) { p.setText(Parameter::PointSourcesP, text); }

INSTANTIATE_TEST_SUITE_P(Steps, UnsavedChanges,
                         ::testing::Values(UnsavedCase{"atStart", [](ParameterSet&) {}, false},
                                           UnsavedCase{"typed", [](ParameterSet& p) { typeP(p, "300"); }, true},
                                           UnsavedCase{"typedBack",
                                                       [](ParameterSet& p) {
                                                           typeP(p, "300");
                                                           typeP(p, "212");
                                                       },
                                                       false},
                                           // Standart after the set was changed from the initial texts to other ones.
                                           UnsavedCase{"standard",
                                                       [](ParameterSet& p) {
                                                           typeP(p, "300");
                                                           p.markUnchanged();
                                                           p.applyStandard();
                                                       },
                                                       false},
                                           UnsavedCase{"typedAfterStandard",
                                                       [](ParameterSet& p) {
                                                           p.applyStandard();
                                                           typeP(p, "300");
                                                       },
                                                       true},
                                           // Showing the parameters window re-derives the natural area and the runoff
                                           // modulus ("22440" becomes "22439.52"): that is no change of the user's.
                                           UnsavedCase{"derivedOnShowing", [](ParameterSet& p) { p.applyShowRule(); },
                                                       false},
                                           UnsavedCase{"derivedAfterTyping",
                                                       [](ParameterSet& p) {
                                                           typeP(p, "300");
                                                           p.applyShowRule();
                                                       },
                                                       true},
                                           // The natural area is derived, then the runoff modulus fails on an empty y.
                                           UnsavedCase{"derivedUntilAFailure",
                                                       [](ParameterSet& p) {
                                                           p.setText(Parameter::RunoffLayer, "");
                                                           p.markUnchanged();
                                                           EXPECT_EQ(failureText([&] { p.applyShowRule(); }),
                                                                     kNotANumberEmpty);
                                                           EXPECT_EQ(p.text(Parameter::NaturalArea), "22439.52");
                                                       },
                                                       false}),
                         [](const auto& test) { return test.param.name; });

// A rule that runs out of memory is reported like any failed rule, and the assignment goes on:
// W = 150 makes the natural area negative (its rule warns) and then warns about W itself.
struct MemoryRunsOutOnWarning : Recorder {
    void warning(const std::string&) override { throw std::bad_alloc(); }
};

TEST(ChangeRule, RunningOutOfMemoryEndsInAFailureBox) {
    BasicModel<MemoryRunsOutOnWarning> m;
    m.parameters.setText(Parameter::WaterShare, "150");
    EXPECT_EQ(m.recorder.boxes, (std::vector<RecordedBox>{{"failure", kOutOfMemory}, {"failure", kOutOfMemory}}));
    EXPECT_EQ(m.parameters.text(Parameter::WaterShare), "150");
}

TEST_F(ParameterSetTest, AMegabyteTextIsQuotedByItsFirstHundredCharacters) {
    std::string text;
    for (int i = 0; i < 500000; ++i) text += "Я";
    parameters.setText(Parameter::TotalArea, text);
    std::string shown;
    for (int i = 0; i < 100; ++i) shown += "Я";
    ASSERT_EQ(recorder.boxes, (std::vector<RecordedBox>{{"failure", notANumberMessage(text)}}));
    EXPECT_TRUE(recorder.boxes[0].text.starts_with("'" + shown + "…' "));
}
