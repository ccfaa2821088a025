// Scenarios, target searches and the sensitivity table on the standard catchment and on a few
// changed ones: the figures a user reads, the verdicts in words, and what a scenario gives when
// saved as a parameters file.

#include "model/file_calculation.h"
#include "model/parameters_file.h"
#include "model/results_export.h"
#include "model/sensitivity.h"
#include "model/target_search.h"
#include "model_fixture.h"
#include "standard_set.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace nutrient;

namespace {

Computation baselineOf(const std::vector<ParameterChange>& catchment = {}) {
    return computeVariant(withChanges(standardParameterTexts(), catchment));
}

// Crop removal of N so high that L(N) is barely above its natural component: any cut of
// livestock brings it below.
const std::vector<ParameterChange> kHighNitrogenRemoval = {{Parameter::CropRemovalN, "18"}};

Scenario scenarioWith(const Computation& baseline, const std::string& changes) {
    return scenarioOf(baseline, percentChanges(parseLeverChanges(changes)));
}

const std::string& shownL(const Computation& computation, Nutrient nutrient) {
    return computation.results.text(Quantity::L, nutrient);
}

struct TargetCase {
    const char* name;
    const char* target;
    const char* levers;
    TargetVerdict verdict;
    const char* cut;  // "" for none
    const char* lP;
    const char* lN;
    std::string words;
    std::vector<ParameterChange> catchment = {};
};

void PrintTo(const TargetCase& c, std::ostream* os) { *os << c.name; }

class TargetSearchCase : public ::testing::TestWithParam<TargetCase> {};

TEST_P(TargetSearchCase, FindsTheSmallestCutOnTheGrid) {
    const TargetCase& c = GetParam();
    const Computation baseline = baselineOf(c.catchment);
    const TargetSearch search = searchTarget(baseline, parseTargets(c.target).front(), parseLeverChoices(c.levers));
    EXPECT_EQ(search.verdict, c.verdict);
    EXPECT_EQ(search.cut ? cutText(*search.cut) : "", c.cut);
    EXPECT_EQ(shownL(search.scenario.variant, Nutrient::P), c.lP);
    EXPECT_EQ(shownL(search.scenario.variant, Nutrient::N), c.lN);
    EXPECT_EQ(verdictText(search), c.words);
    // A cut is the scenario of its levers changed by minus its text.
    std::string changes;
    for (const LeverChoice& lever : search.levers)
        changes += (changes.empty() ? "" : ",") + choiceName(lever) + "=-" + c.cut;
    if (search.cut > 0) {
        EXPECT_EQ(jsonResultTexts(scenarioWith(baseline, changes).variant.results),
                  jsonResultTexts(search.scenario.variant.results));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Standard, TargetSearchCase,
    ::testing::Values(
        TargetCase{"livestock", "P=2000", "livestock", TargetVerdict::Reached, "30.77", "1999.7", "9774.8",
                   "Цель достигнута при сокращении на 30.77 %: L(P) = 1999.7 т/год"},
        // L(P) is 2000.1 at 30.76 % and 1999.7 at 30.77 %: a target on either shown figure, or
        // between them, is met exactly there.
        TargetCase{"onTheShownFigure", "P=2000.1", "livestock", TargetVerdict::Reached, "30.76", "2000.1", "9776.5",
                   "Цель достигнута при сокращении на 30.76 %: L(P) = 2000.1 т/год"},
        TargetCase{"betweenShownFigures", "P=2000.09", "livestock", TargetVerdict::Reached, "30.77", "1999.7", "9774.8",
                   "Цель достигнута при сокращении на 30.77 %: L(P) = 1999.7 т/год"},
        TargetCase{"twoLevers", "N=12000", "fertiliser,livestock", TargetVerdict::Reached, "15.28", "2505.1", "12000.0",
                   "Цель достигнута при сокращении на 15.28 %: L(N) = 12000.0 т/год"},
        TargetCase{"pointSources", "P=2000", "point", TargetVerdict::Unreachable, "100.00", "2990.8", "14091.8",
                   "Цель недостижима этими рычагами: при сокращении на 100.00 % L(P) = 2990.8 т/год, на 135.7 т/год "
                   "меньше исходной"},
        TargetCase{"zeroInflow", "P=2000", "inflow", TargetVerdict::Unreachable, "100.00", "3126.5", "15065.9",
                   "Цель недостижима этими рычагами: при сокращении на 100.00 % L(P) = 3126.5 т/год, на 0.0 т/год "
                   "меньше исходной"},
        TargetCase{"metByTheBaseline", "P=3126.5", "point", TargetVerdict::AlreadyMet, "0.00", "3126.5", "15065.9",
                   "Цель уже достигнута: L(P) = 3126.5 т/год"},
        TargetCase{"onTheNaturalComponent", "P=300", "point", TargetVerdict::Unreachable, "100.00", "2990.8", "14091.8",
                   "Цель недостижима этими рычагами: при сокращении на 100.00 % L(P) = 2990.8 т/год, на 135.7 т/год "
                   "меньше исходной"},
        TargetCase{"belowTheNaturalComponent", "P=299.99", "point", TargetVerdict::BelowNatural, "", "3126.5",
                   "15065.9", "Цель ниже фоновой (природной) компоненты нагрузки: Lnat(P) = 300.0 т/год"},
        TargetCase{
            "cutBelowNaturalN", "P=2000", "livestock", TargetVerdict::Rejected, "30.77", "1999.7", "-1252.9",
            std::string("Результаты расчета при сокращении на 30.77 % не могут быть приняты: ") + kErrorBelowBackground,
            kHighNitrogenRemoval}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(Analyses, RefuseABadTargetAndABaselineThatCannotBeTaken) {
    const std::vector<LeverChoice> point = {{Lever::PointSources, std::nullopt}};
    const Computation stopped = baselineOf({{Parameter::WaterShare, "0"}});
    const std::string refused = "The baseline's results cannot be taken: " + shownFailureText(kDivisionByZero);
    EXPECT_EQ(failureText([&] {
                  searchTarget(baselineOf(), {Nutrient::N, "-5"}, point);
              }),
              "'L(N)=-5': the target is negative.");
    EXPECT_EQ(failureText([&] { searchTarget(stopped, {Nutrient::P, "1"}, point); }), refused);
    EXPECT_EQ(failureText([&] { sensitivityTable(stopped, "10"); }), refused);
}

TEST(Scenario, IsAParametersFileThatGivesTheSameResults) {
    const Scenario scenario = scenarioWith(baselineOf(), "livestock=-30.77,point:P=-50");
    EXPECT_EQ(scenario.changed, (std::vector<ParameterChange>{{Parameter::Cattle, "74789.169"},
                                                              {Parameter::Pigs, "48391.77"},
                                                              {Parameter::Poultry, "8523320.68"},
                                                              {Parameter::PointSourcesP, "106"}}));
    EXPECT_EQ(shownL(scenario.variant, Nutrient::P), "1931.9");
    MessageLog log;
    ParameterSet variant(log, scenario.variant.parameters);
    const TempFolder folder;
    saveParameters(variant, folder / "variant.txt", log);
    const FileCalculation computed = calculateFile(folder / "variant.txt");
    EXPECT_EQ(jsonResultTexts(computed.results), jsonResultTexts(scenario.variant.results));
    EXPECT_TRUE(log.messages.empty());
}

TEST(Scenario, LeversOfZeroParametersChangeNothing) {
    const Scenario scenario = scenarioWith(baselineOf(), "inflow=-50,deposition:N=20");
    EXPECT_TRUE(scenario.changed.empty());
    EXPECT_EQ(jsonResultTexts(scenario.variant.results), jsonResultTexts(scenario.baseline.results));
}

TEST(Scenario, AValueBeyondTheRangeStopsTheVariant) {
    const Scenario scenario = scenarioWith(baselineOf({{Parameter::PointSourcesP, "2e4931"}}), "point=1000");
    EXPECT_FALSE(scenario.variant.computed);
    EXPECT_EQ(scenario.variant.rejection(), shownFailureText(kOverflow));
}

TEST(Sensitivity, RanksTheStandardSetsParametersBySwing) {
    const SensitivityTable table = sensitivityTable(baselineOf(), kDefaultSensitivityStep);
    const auto row = [&](Nutrient nutrient, std::size_t rank) {
        const SensitivityRow& r = table.rowsOf(nutrient)[rank];
        return std::vector<std::string>{info(r.parameter).symbol, r.low, r.high, r.swing, r.elasticity};
    };
    using Row = std::vector<std::string>;
    EXPECT_EQ(row(Nutrient::P, 0), (Row{"b(P)", "2757.1", "3464.8", "707.7", "1.139"}));
    // Emission and head count of poultry tie; the parameters table's order decides.
    EXPECT_EQ(row(Nutrient::P, 1), (Row{"Kf(P, poultry)", "2906.0", "3347.0", "441.0", "0.705"}));
    EXPECT_EQ(row(Nutrient::P, 2), (Row{"N(poultry)", "2906.0", "3347.0", "441.0", "0.705"}));
    EXPECT_EQ(row(Nutrient::N, 0), (Row{"df(N)", "16193.5", "13938.4", "-2255.1", "-0.748"}));
    EXPECT_EQ(table.skipped, (std::vector<Parameter>{Parameter::DepositionN, Parameter::InflowP, Parameter::InflowN}));
    EXPECT_EQ(table.rowsOf(Nutrient::N).size(), 34u);
}

TEST(Sensitivity, ShowsWhyARejectedVariantHasNoFigures) {
    const SensitivityTable table = sensitivityTable(baselineOf(kHighNitrogenRemoval), "5");
    const std::vector<SensitivityRow>& rows = table.rowsOf(Nutrient::P);
    const auto rejected = std::ranges::find(rows, Parameter::CropRemovalN, &SensitivityRow::parameter);
    ASSERT_NE(rejected, rows.end());
    EXPECT_EQ(rejected->rejection, kErrorBelowBackground);
    EXPECT_EQ(rejected->low + rejected->high + rejected->swing + rejected->elasticity, "");
    EXPECT_EQ(rows.front().parameter, Parameter::RetentionExponentP);
    EXPECT_TRUE(std::is_partitioned(rows.begin(), rows.end(), [](const SensitivityRow& r) { return !r.rejection; }));
}

}  // namespace
