// What a user may write for the analyses: levers with their percentages, the levers of a target,
// targets, measured loads and the sensitivity step; each piece that cannot be read is refused by name.

#include "model/measured_load.h"
#include "model/sensitivity.h"
#include "model/target_search.h"
#include "model_fixture.h"

#include <gtest/gtest.h>

using namespace nutrient;

namespace {

enum class Reading { Changes, Choices, Targets, Step, MeasuredLoads };

struct BadInput {
    Reading reading;
    const char* text;
    std::string message;
};

void PrintTo(const BadInput& input, std::ostream* os) { *os << input.text; }

void read(Reading reading, const char* text) {
    switch (reading) {
    case Reading::Changes:
        parseLeverChanges(text);
        break;
    case Reading::Choices:
        parseLeverChoices(text);
        break;
    case Reading::Targets:
        parseTargets(text);
        break;
    case Reading::Step:
        sensitivityStep(text);
        break;
    case Reading::MeasuredLoads:
        parseMeasuredLoads(text);
        break;
    }
}

class Refused : public ::testing::TestWithParam<BadInput> {};

TEST_P(Refused, NamesTheBadPiece) {
    EXPECT_EQ(failureText([] { read(GetParam().reading, GetParam().text); }), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Refused,
    ::testing::Values(
        BadInput{Reading::Changes, "", "No lever given."},
        BadInput{Reading::Changes, "manure=-10",
                 "Unknown lever 'manure=-10': point, fertiliser, livestock, livestock-emission, deposition, "
                 "concentration or inflow."},
        BadInput{Reading::Changes, "livestock:P=-10",
                 "'livestock:P=-10': the head counts serve both nutrients and cannot be limited to one."},
        BadInput{Reading::Changes, "point:Q=5", "Unknown nutrient in 'point:Q=5': P or N."},
        BadInput{Reading::Changes, "point=ten", "'point=ten': the percentage is not a number."},
        BadInput{Reading::Changes, "point=-100.01", "'point=-100.01': the percentage is outside -100 ... +1000."},
        BadInput{Reading::Changes, "point=1e4", "'point=1e4': the percentage is outside -100 ... +1000."},
        BadInput{Reading::Changes, "point", "'point': give the lever's percentage, LEVER=P."},
        BadInput{Reading::Changes, "point=5,,inflow=1", "An empty lever in 'point=5,,inflow=1'."},
        BadInput{Reading::Changes, "point=-10,point:P=5", "'point:P=5': Lp(P) is already moved by 'point=-10'."},
        BadInput{Reading::Choices, "point=5", "'point=5': the levers of a target take no percentage."},
        BadInput{Reading::Choices, "livestock:N",
                 "'livestock:N': the head counts serve both nutrients and cannot be limited to one."},
        BadInput{Reading::Targets, "P=much", "'P=much': the target is not a number."},
        BadInput{Reading::Targets, "N=-1", "'N=-1': the target is negative."},
        BadInput{Reading::Targets, "L(P)=2000", "'L(P)=2000': a target is P=T or N=T."},
        BadInput{Reading::Targets, "P=1,P=2", "'P=2': a second target for P."},
        BadInput{Reading::Targets, "P", "'P': a target is P=T or N=T."},
        BadInput{Reading::MeasuredLoads, "P=0", "'P=0': '0' is not a measured load: it must be above zero"},
        BadInput{Reading::MeasuredLoads, "N=lots", "'N=lots': " + notANumberMessage("lots")},
        BadInput{Reading::MeasuredLoads, "Q=1", "'Q=1': a measured load is P=L or N=L."},
        BadInput{Reading::MeasuredLoads, "N=1, N=2", "'N=2': a second measured load for N."},
        BadInput{Reading::Step, "0", "The sensitivity step '0' is outside 0 ... 100: give a percentage above 0."},
        BadInput{Reading::Step, "ten", "The sensitivity step 'ten' is not a number."}));

TEST(LeverChanges, ReadEveryPieceWithItsPercentageAsWritten) {
    const std::vector<LeverChange> expected = {{{Lever::PointSources, Nutrient::P}, "-100"},
                                               {{Lever::Livestock, std::nullopt}, "1000"},
                                               {{Lever::Concentration, Nutrient::N}, "+5.5"}};
    EXPECT_EQ(parseLeverChanges("point:P=-100, livestock=1000,concentration:N=+5.5"), expected);
}

TEST(LeverChoices, ATargetMayMoveBothNutrientsOfOneLeverSeparately) {
    const std::vector<LeverChoice> expected = {{Lever::PointSources, Nutrient::P}, {Lever::PointSources, Nutrient::N}};
    EXPECT_EQ(parseLeverChoices("point:P,point:N"), expected);
}

TEST(Targets, ReadEachNutrientOnce) {
    EXPECT_EQ(parseTargets("N=12000,P=2000.5"), (std::vector<Target>{{Nutrient::N, "12000"}, {Nutrient::P, "2000.5"}}));
}

TEST(MeasuredLoads, ReadEachNutrientOnceAsTyped) {
    EXPECT_EQ(parseMeasuredLoads("N=12000, P=2500.0"), (MeasuredLoads{"2500.0", "12000"}));
}

TEST(LeverParameters, ConcentrationsLeaveTheNaturalOneAndHeadCountsServeBoth) {
    using enum Parameter;
    EXPECT_EQ(parametersOf({Lever::Concentration, std::nullopt}),
              (std::vector<Parameter>{ArableConcentrationP, UrbanConcentrationP, MixedConcentrationP,
                                      ArableConcentrationN, UrbanConcentrationN, MixedConcentrationN}));
    EXPECT_EQ(parametersOf({Lever::Livestock, std::nullopt}), (std::vector<Parameter>{Cattle, Pigs, Poultry}));
}

}  // namespace
