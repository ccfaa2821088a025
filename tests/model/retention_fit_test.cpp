// The common retention fit: outlets whose measured loads a known a and b produced give them
// back, outlets that cannot take part are left out with their reason, and "Apply" writes new
// files beside the basin file without touching any other.

#include "model/retention_fit.h"
#include "basin_files.h"
#include "model/number_text.h"

#include <gtest/gtest.h>

using namespace nutrient;

namespace {

// Four sub-catchments at different hydraulic loads, the last draining into the third, so that
// the third's measured load holds an inflow.
const TextChanges kOutlets[] = {
    {{Parameter::RunoffLayer, "200"}},
    {},
    {{Parameter::RunoffLayer, "450"}, {Parameter::WaterShare, "2"}},
    {{Parameter::RunoffLayer, "600"}, {Parameter::WaterShare, "0.5"}, {Parameter::PointSourcesP, "50"}},
};

struct Outlets : BasinFolder {
    // The basin with the measured loads given per row ("P,N" texts after the drains_into).
    Basin basin(const std::vector<std::string>& measured) const {
        std::string text = "file,drains_into,observed_P,observed_N\n";
        for (std::size_t i = 0; i < std::size(kOutlets); ++i) {
            writeParameters("r" + std::to_string(i) + ".txt", kOutlets[i]);
            text += "r" + std::to_string(i) + ".txt," + (i == 3 ? "r2.txt," : ",") +
                    (i < measured.size() ? measured[i] : ",") + "\n";
        }
        return readBasinFile(writeBasin(text));
    }
    // The loads the standard coefficients give: a(P) 13.3, b(P) -0.93, a(N) 1.9, b(N) -0.49.
    std::vector<std::string> modelledLoads() const {
        const BasinComputation computed = computeBasin(basin({}));
        std::vector<std::string> loads;
        for (const BasinRowResult& row : computed.rows)
            loads.push_back(row.calculation.results.text(Quantity::L, Nutrient::P) + "," +
                            row.calculation.results.text(Quantity::L, Nutrient::N));
        return loads;
    }
};

TEST(RetentionFit, GivesBackTheCoefficientsThatMadeTheMeasuredLoads) {
    Outlets outlets;
    const Basin basin = outlets.basin(outlets.modelledLoads());
    const RetentionFits fits = fitRetention(basin, computeBasin(basin));
    const long double known[2][2] = {{13.3L, -0.93L}, {1.9L, -0.49L}};
    for (Nutrient n : kNutrients) {
        const std::optional<RetentionFit>& fit = fits[static_cast<int>(n)];
        ASSERT_TRUE(fit && fit->fitted()) << (fit ? fit->refusal : "no fit");
        // Rt_obs comes from loads shown with one decimal: the coefficients come back to a few
        // parts in ten thousand.
        EXPECT_NEAR(parseNumber(fit->a), known[static_cast<int>(n)][0], 0.005);
        EXPECT_NEAR(parseNumber(fit->b), known[static_cast<int>(n)][1], 0.001);
        EXPECT_EQ(fit->rSquared, "1.0000");
        ASSERT_EQ(fit->outlets.size(), 4u);
        for (const FittedOutlet& outlet : fit->outlets) {
            EXPECT_EQ(outlet.leftOut, "");
            EXPECT_EQ(outlet.residual, "0.0");
        }
    }
    EXPECT_EQ(fits[0]->outlets[1].transportShare, "0.63976");
}

struct LeftOutCase {
    const char* name;
    std::vector<std::string> measured;
    std::string leftOut;  // of the first outlet
    std::string refusal;
};

void PrintTo(const LeftOutCase& c, std::ostream* os) { *os << c.name; }

class OutletsLeftOut : public ::testing::TestWithParam<LeftOutCase> {};

TEST_P(OutletsLeftOut, SayWhy) {
    Outlets outlets;
    const Basin basin = outlets.basin(GetParam().measured);
    const std::optional<RetentionFit> fit = fitRetention(basin, computeBasin(basin))[0];
    ASSERT_TRUE(fit);
    EXPECT_EQ(fit->outlets.front().leftOut, GetParam().leftOut);
    EXPECT_EQ(fit->refusal, GetParam().refusal);
}

const std::string kAbove =
    "The measured load exceeds what the catchment receives (Rt_obs = 1.05608): a source is missing.";

INSTANTIATE_TEST_SUITE_P(
    Outlets, OutletsLeftOut,
    ::testing::Values(
        LeftOutCase{"aboveWhatItReceives", {"5000,", "3000,", "7000,", "4000,"}, kAbove, ""},
        LeftOutCase{"twoLeft",
                    {"5000,", ",", "7000,", "4000,"},
                    kAbove,
                    "The fit needs measured loads of P at three outlets or more; usable: 2"},
        LeftOutCase{"belowTheInflow",
                    {",", ",", "100,"},
                    "The measured load is not above the inflow from outside (Rt_obs = -0.85746): nothing would come "
                    "from the catchment.",
                    "The fit needs measured loads of P at three outlets or more; usable: 0"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(RetentionFit, NeedsOutletsAtDifferentHydraulicLoads) {
    BasinFolder folder;
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) folder.writeParameters(name);
    const Basin basin =
        readBasinFile(folder.writeBasin("file,drains_into,observed_P\na.txt,,3000\nb.txt,,3100\nc.txt,,3200\n"));
    const RetentionFits fits = fitRetention(basin, computeBasin(basin));
    EXPECT_EQ(fits[0]->refusal, "The outlets' hydraulic loads are all equal: the exponent b cannot be fitted");
    EXPECT_FALSE(fits[1]);
}

TEST(RetentionFit, AppliedIsWrittenUnderNewNamesBesideTheBasinFile) {
    Outlets outlets;
    const Basin basin = outlets.basin({"2900,", "3000,", "7000,", "4000,"});
    const RetentionFits fits = fitRetention(basin, computeBasin(basin));
    ASSERT_TRUE(fits[0]->fitted());
    writeBytes(outlets / "r1-fit.txt", "taken");
    const std::vector<FitFile> written = applyRetentionFit(basin, fits);
    ASSERT_EQ(written.size(), 4u);
    EXPECT_EQ(written[0].fileName, outlets / "r0-fit.txt");
    EXPECT_EQ(written[1].fileName, outlets / "r1-fit-2.txt");
    EXPECT_EQ(readBytes(outlets / "r1-fit.txt"), "taken");
    BasinFolder expected;
    TextChanges changes = kOutlets[1];
    changes.push_back({Parameter::RetentionCoefficientP, fits[0]->a});
    changes.push_back({Parameter::RetentionExponentP, fits[0]->b});
    EXPECT_EQ(readBytes(written[1].fileName), readBytes(expected.writeParameters("r1.txt", changes)));
    EXPECT_EQ(readBytes(outlets / "r1.txt"), readBytes(expected.writeParameters("r1.txt", kOutlets[1])));
    // The last row has no inflow, and its file keeps the natural area it was written with: the
    // written file computes to the load the fit's residual was worked out from.
    EXPECT_EQ(calculateFile(written[3].fileName).results.text(Quantity::L, Nutrient::P),
              fits[0]->outlets[3].fittedLoad);
}

}  // namespace
