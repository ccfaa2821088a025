// The check against a measured load: the deviation, the transport share the measurement
// implies, the fitted coefficient and the results recomputed with it; and the refusals.

#include "model/measured_load.h"
#include "model/measured_load_export.h"
#include "model_fixture.h"
#include "standard_set.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace nutrient;
using ::testing::AllOf;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

struct FitCase {
    const char* name;
    FittedCoefficient coefficient;
    const char* measured;
    const char* deviation;
    const char* share;
    Parameter fitted;
    const char* fittedText;
    const char* load;  // L(P) recomputed
};

class MeasuredLoadFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(MeasuredLoadFit, GivesTheMeasuredLoadBack) {
    const FitCase& c = GetParam();
    const MeasuredLoadCheck check =
        checkAgainstMeasured(standardParameterTexts(), {c.measured, std::nullopt}, c.coefficient);
    ASSERT_EQ(check.nutrients.size(), 1u);
    const NutrientCheck& p = check.nutrients[0];
    EXPECT_EQ(p.deviationPercent, c.deviation);
    EXPECT_EQ(p.rtObserved, c.share);
    ASSERT_TRUE(p.fitted);
    EXPECT_EQ(p.fitted->parameter, c.fitted);
    EXPECT_EQ(p.fitted->text, c.fittedText);
    EXPECT_EQ(p.refusal, "");
    EXPECT_EQ(check.variant->results.text(Quantity::L, Nutrient::P), c.load);
}

INSTANTIATE_TEST_SUITE_P(StandardSet, MeasuredLoadFit,
                         ::testing::Values(FitCase{"a", FittedCoefficient::A, "2500", "+25.1", "0.51156",
                                                   Parameter::RetentionCoefficientP, "22.5515552144082", "2500.0"},
                                           FitCase{"b", FittedCoefficient::B, "2500", "+25.1", "0.51156",
                                                   Parameter::RetentionExponentP, "-0.774696938891862", "2500.0"},
                                           FitCase{"ownLoad", FittedCoefficient::A, "3126.5", "+0.0", "0.63976",
                                                   Parameter::RetentionCoefficientP, "13.2996950588027", "3126.5"},
                                           FitCase{"above", FittedCoefficient::A, "4000", "-21.8", "0.81850",
                                                   Parameter::RetentionCoefficientP, "5.23754437452349", "4000.0"}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(MeasuredLoad, RecomputesTheResultsWithTheFittedCoefficients) {
    const MeasuredLoadCheck check =
        checkAgainstMeasured(standardParameterTexts(), {"2500", "12000"}, FittedCoefficient::A);
    ASSERT_EQ(check.nutrients.size(), 2u);
    EXPECT_EQ(check.nutrients[1].fitted->parameter, Parameter::RetentionCoefficientN);
    const LoadResults& results = check.variant->results;
    EXPECT_EQ(results.text(Quantity::Lret, Nutrient::P), "2387.0");
    EXPECT_EQ(results.text(Quantity::Lnat, Nutrient::P), "239.9");
    EXPECT_EQ(results.text(Quantity::L, Nutrient::N), "12000.0");
    EXPECT_EQ(check.baseline.results.text(Quantity::L, Nutrient::P), "3126.5");
}

TEST(MeasuredLoad, WritesTheCheckForTheCommandLine) {
    const MeasuredLoadCheck check =
        checkAgainstMeasured(standardParameterTexts(), {"2500", "16000"}, FittedCoefficient::B);
    EXPECT_THAT(measuredLoadTable("a.txt", check),
                StartsWith("a.txt: Частный водосбор Финского залива\n"
                           "Сверка с измеренной нагрузкой, подбирается b\n"
                           "Фосфор: измерено 2500, рассчитано 3126.5 т/год, отклонение +25.1 %\n"
                           "  Rt по измерениям 0.51156; b(P) = -0.774696938891862\n"
                           "Азот: измерено 16000, рассчитано 15065.9 т/год, отклонение -5.8 %\n"
                           "  Rt по измерениям 0.78140; b(N) = -0.563434715634883\n"
                           "\nРезультаты с подобранными коэффициентами:\n"));
    EXPECT_THAT(measuredLoadCsv("a.txt", check),
                AllOf(HasSubstr(",refusal,Lp(P),Lp(N),Le(P)"),
                      HasSubstr("\r\na.txt,Частный водосбор Финского залива,N,16000,15065.9,-5.8,0.78140,b(N),"
                                "-0.563434715634883,,212.0,1324.0,")));
    EXPECT_THAT(measuredLoadJson("a.txt", check),
                StartsWith("{\"file\": \"a.txt\", \"object\": \"Частный водосбор Финского залива\", \"fit\": \"b\", "
                           "\"observed\": {\"P\": {\"measured\": \"2500\", \"L\": \"3126.5\", \"deviation_percent\": "
                           "\"+25.1\", \"rt_observed\": \"0.51156\", \"fitted\": {\"parameter\": \"b(P)\", \"text\": "
                           "\"-0.774696938891862\"}, \"refusal\": null}, \"N\": {"));
    EXPECT_THAT(measuredLoadJson("a.txt", check), AllOf(HasSubstr("\"L(P)\": \"2500.0\", \"L(N)\": \"16000.0\""),
                                                        EndsWith("}, \"variant_rejection\": null}")));
}

struct RefusalCase {
    const char* name;
    ParameterTexts texts;
    MeasuredLoads measured;
    FittedCoefficient coefficient;
    const char* share;
    const char* refusal;
};

class FitRefused : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(FitRefused, WithItsReasonAndNoVariant) {
    const RefusalCase& c = GetParam();
    const MeasuredLoadCheck check = checkAgainstMeasured(c.texts, c.measured, c.coefficient);
    EXPECT_EQ(check.nutrients[0].rtObserved, c.share);
    EXPECT_EQ(check.nutrients[0].refusal, c.refusal);
    EXPECT_FALSE(check.nutrients[0].fitted);
    EXPECT_FALSE(check.variant);
}

ParameterTexts standardWith(const std::vector<ParameterChange>& changes) {
    return withChanges(standardParameterTexts(), changes);
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, FitRefused,
    ::testing::Values(
        RefusalCase{"sourceMissing",
                    standardParameterTexts(),
                    {"5000", std::nullopt},
                    FittedCoefficient::A,
                    "1.02312",
                    "The measured load exceeds what the catchment receives (Rt_obs = 1.02312): a source is missing."},
        RefusalCase{"belowInflow",
                    standardWith({{Parameter::InflowP, "100"}}),
                    {"50", std::nullopt},
                    FittedCoefficient::A,
                    "-0.01023",
                    "The measured load is not above the inflow from outside (Rt_obs = -0.01023): nothing would come "
                    "from the catchment."},
        // The crop takes more nitrogen than the catchment receives; the inflow keeps L above Lnat.
        RefusalCase{"noCatchmentLoad",
                    standardWith({{Parameter::CropRemovalN, "30"}, {Parameter::InflowN, "100000"}}),
                    {std::nullopt, "100"},
                    FittedCoefficient::A,
                    "",
                    "The catchment receives no load (Ltot is not above zero): no share of it can reach the outlet."},
        // HL = 3.15·9.513/29.96595 = 1.
        RefusalCase{"unitHydraulicLoad",
                    standardWith({{Parameter::WaterShare, "29.96595"}}),
                    {"2500", std::nullopt},
                    FittedCoefficient::B,
                    "0.52364",
                    "The hydraulic load is 1 m/yr, where the exponent b changes nothing: fit a instead."}),
    [](const auto& test) { return std::string(test.param.name); });

struct InputCase {
    const char* name;
    ParameterTexts texts;
    MeasuredLoads measured;
    std::string message;
};

class CheckRefused : public ::testing::TestWithParam<InputCase> {};

TEST_P(CheckRefused, BeforeAnythingIsComputed) {
    EXPECT_EQ(failureText([] { checkAgainstMeasured(GetParam().texts, GetParam().measured, FittedCoefficient::A); }),
              GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CheckRefused,
    ::testing::Values(InputCase{"none", standardParameterTexts(), {}, "No measured load is given"},
                      InputCase{"zero",
                                standardParameterTexts(),
                                {"0", std::nullopt},
                                "Measured load of P: '0' is not a measured load: it must be above zero"},
                      InputCase{"negative",
                                standardParameterTexts(),
                                {std::nullopt, "-5"},
                                "Measured load of N: '-5' is not a measured load: it must be above zero"},
                      InputCase{"notANumber",
                                standardParameterTexts(),
                                {"2,500", std::nullopt},
                                "Measured load of P: " + notANumberMessage("2,500")},
                      InputCase{"baselineFails",
                                standardWith({{Parameter::WaterShare, "0"}}),
                                {"2500", std::nullopt},
                                "The set's own results cannot be taken: " + shownFailureText(kDivisionByZero)}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
