// Monte Carlo draws: reproducible figures from a seed, the same with one and two threads, the
// baseline when nothing is ranged, draws refused by their reason, stopping, and bad input.

#include "model/uncertainty.h"
#include "model/number_text.h"
#include "model_fixture.h"
#include "standard_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <numeric>

using namespace nutrient;

namespace {

// Four ranges, one of which lets the crop removal of P grow until the load falls below its
// natural component in some draws.
const std::vector<UncertaintyRange> kRanges = {
    {Parameter::RetentionExponentP, "+10%", "-10%", Distribution::Triangular},
    {Parameter::CropRemovalP, "1", "4", Distribution::Uniform},
    {Parameter::Poultry, "-15%", "+5%", Distribution::Triangular},
    {Parameter::RunoffLayer, "250", "350", Distribution::Uniform},
};

UncertaintyRun drawn(const std::vector<UncertaintyRange>& ranges, std::size_t draws, unsigned threads = 2) {
    return *runUncertainty(standardParameterTexts(), ranges, {draws, kDefaultSeed, threads});
}

TEST(Uncertainty, GivesTheSameFiguresFromTheSameSeed) {
    const UncertaintyRun run = drawn(kRanges, 1000);
    EXPECT_EQ(run.drawnText(0, 0), "-0.974877259137402");
    EXPECT_EQ(run.drawnText(0, 2), "11897268.344744");
    EXPECT_EQ(run.draws[0].text(Quantity::L, Nutrient::P), "2891.6");
    const UncertaintySummary summary = summarize(run, {2000.0L, std::nullopt});
    EXPECT_EQ(summary.computed, 948u);
    ASSERT_EQ(summary.failed.size(), 1u);
    EXPECT_EQ(summary.failed[0].reason, kErrorBelowBackground);
    EXPECT_EQ(summary.failed[0].draws, 52u);
    const NutrientSummary& p = summary.of(Nutrient::P);
    EXPECT_EQ(p.of(Quantity::L), (Statistics{"1825.6", "458.9", "1817.4", "3240.6"}));
    EXPECT_EQ(p.rt, (Statistics{"0.63634", "0.57639", "0.63660", "0.69520"}));
    EXPECT_EQ(summary.of(Nutrient::N).of(Quantity::Lnat), (Statistics{"3974.7", "3317.2", "3969.2", "4644.5"}));
    EXPECT_EQ(p.target->atMost, 550u);
    EXPECT_FALSE(summary.of(Nutrient::N).target);
    // Bins of 200 t/yr from 200 to 3800 holding every computed draw.
    EXPECT_EQ(p.histogram.edges.front(), 200);
    EXPECT_EQ(p.histogram.edges.back(), 3800);
    EXPECT_EQ(p.histogram.counts.size(), 18u);
    EXPECT_EQ(p.histogram.counts.front(), 30u);
    EXPECT_EQ(std::accumulate(p.histogram.counts.begin(), p.histogram.counts.end(), std::size_t{0}), 948u);
}

TEST(Uncertainty, GivesTheSameDrawsOnOneAndTwoThreads) {
    const UncertaintyRun one = drawn(kRanges, 500, 1);
    const UncertaintyRun two = drawn(kRanges, 500, 2);
    for (std::size_t i = 0; i < one.draws.size(); ++i) {
        EXPECT_EQ(one.draws[i].shown, two.draws[i].shown) << "draw " << i;
        EXPECT_EQ(one.draws[i].rejection, two.draws[i].rejection) << "draw " << i;
    }
}

TEST(Uncertainty, WithoutRangesEveryFigureIsTheBaselines) {
    const UncertaintyRun run = drawn({}, 100);
    const UncertaintySummary summary = summarize(run);
    EXPECT_EQ(summary.computed, 100u);
    for (const ShownResult& row : kStandardResults) {
        if (std::find(kSummarizedQuantities.begin(), kSummarizedQuantities.end(), row.quantity) ==
            kSummarizedQuantities.end())
            continue;
        for (Nutrient nutrient : kNutrients) {
            const std::string text = nutrient == Nutrient::P ? row.p : row.n;
            EXPECT_EQ(summary.of(nutrient).of(row.quantity), (Statistics{text, text, text, text}));
        }
    }
    EXPECT_EQ(summary.of(Nutrient::P).histogram.counts, std::vector<std::size_t>{100});
}

// With 20 draws the 5th percentile is the smallest, the 50th the 10th and the 95th the 19th.
TEST(Uncertainty, PercentilesAreTheTextsOfNearestRank) {
    const UncertaintyRun run = drawn({{Parameter::PointSourcesP, "0", "1000", Distribution::Uniform}}, 20);
    std::vector<std::string> loads;
    for (const DrawOutcome& draw : run.draws) loads.push_back(draw.text(Quantity::L, Nutrient::P));
    std::sort(loads.begin(), loads.end(),
              [](const std::string& a, const std::string& b) { return parseNumber(a) < parseNumber(b); });
    const Statistics& l = summarize(run).of(Nutrient::P).of(Quantity::L);
    EXPECT_EQ(l.p5, loads[0]);
    EXPECT_EQ(l.p50, loads[9]);
    EXPECT_EQ(l.p95, loads[18]);
}

TEST(Uncertainty, ReportsItsProgressAndStopsWhenAsked) {
    std::vector<std::size_t> done;
    std::atomic<bool> stop = false;
    RunControl control{[&](std::size_t draws, std::size_t total) {
                           done.push_back(draws);
                           EXPECT_EQ(total, 200u);
                       },
                       &stop};
    EXPECT_TRUE(runUncertainty(standardParameterTexts(), kRanges, {200, 1, 1}, control));
    EXPECT_TRUE(std::is_sorted(done.begin(), done.end()));
    EXPECT_EQ(done.back(), 200u);
    stop = true;
    EXPECT_FALSE(runUncertainty(standardParameterTexts(), kRanges, {200, 1, 2}, control));
}

struct RefusedRun {
    const char* name;
    std::size_t draws;
    std::vector<UncertaintyRange> ranges;
    const char* message;
};

void PrintTo(const RefusedRun& c, std::ostream* os) { *os << c.name; }

class UncertaintyRefused : public ::testing::TestWithParam<RefusedRun> {};

TEST_P(UncertaintyRefused, BeforeAnyDraw) {
    EXPECT_EQ(failureText([] { runUncertainty(standardParameterTexts(), GetParam().ranges, {GetParam().draws}); }),
              GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, UncertaintyRefused,
    ::testing::Values(RefusedRun{"noDraw", 0, {}, "'0' is not a number of draws from 1 to 1000000"},
                      RefusedRun{"tooManyDraws", 1000001, {}, "'1000001' is not a number of draws from 1 to 1000000"},
                      RefusedRun{"range",
                                 10,
                                 {{Parameter::RetentionExponentP, "-10%", "+10%", Distribution::Uniform}},
                                 "b(P): the low end -0.837 is above the high end -1.023"},
                      RefusedRun{"derived",
                                 10,
                                 {{Parameter::RunoffModulus, "9", "10", Distribution::Uniform}},
                                 "'q' is derived from other parameters and cannot be given a range: give their "
                                 "ranges instead"}),
    [](const auto& info) { return std::string(info.param.name); });

struct CountCase {
    const char* text;
    std::optional<std::size_t> draws;
    std::optional<std::uint64_t> seed;
};

class DrawsAndSeed : public ::testing::TestWithParam<CountCase> {};

TEST_P(DrawsAndSeed, AreWholeNumbersInTheirRanges) {
    const CountCase& c = GetParam();
    if (c.draws) EXPECT_EQ(parseDrawCount(c.text), *c.draws);
    else
        EXPECT_EQ(failureText([&] { parseDrawCount(c.text); }),
                  "'" + std::string(c.text) + "' is not a number of draws from 1 to 1000000");
    if (c.seed) EXPECT_EQ(parseSeed(c.text), *c.seed);
    else
        EXPECT_EQ(failureText([&] { parseSeed(c.text); }),
                  "'" + std::string(c.text) + "' is not a seed: a whole number from 0 to 18446744073709551615");
}

INSTANTIATE_TEST_SUITE_P(Texts, DrawsAndSeed,
                         ::testing::Values(CountCase{"1", 1, 1}, CountCase{"1000000", 1000000, 1000000},
                                           CountCase{"0", std::nullopt, 0}, CountCase{"1000001", std::nullopt, 1000001},
                                           CountCase{"18446744073709551615", std::nullopt, 18446744073709551615u},
                                           CountCase{"18446744073709551616", std::nullopt, std::nullopt},
                                           CountCase{"-1", std::nullopt, std::nullopt},
                                           CountCase{"1e4", std::nullopt, std::nullopt},
                                           CountCase{"", std::nullopt, std::nullopt}));

}  // namespace
