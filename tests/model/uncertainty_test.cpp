// Monte Carlo draws: reproducible figures from a seed, the same with one and two threads, the
// baseline when nothing is ranged, draws refused by their reason, stopping, and bad input.

#include "model/uncertainty.h"
#include "model/number_text.h"
#include "model/results_export.h"
#include "model/uncertainty_export.h"
#include "model_fixture.h"
#include "standard_set.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <numeric>

using namespace nutrient;
using ::testing::HasSubstr;

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
    EXPECT_THAT(uncertaintyJson("a.txt", run, summary),
                HasSubstr("\"failed\": {" + jsonString(kErrorBelowBackground) + ": 52}"));
    const NutrientSummary& p = summary.of(Nutrient::P);
    EXPECT_EQ(p.of(Quantity::L), (Statistics{"1825.6", "458.9", "1817.4", "3240.6"}));
    EXPECT_EQ(p.rt, (Statistics{"0.63634", "0.57639", "0.63660", "0.69520"}));
    EXPECT_EQ(summary.of(Nutrient::N).of(Quantity::Lnat), (Statistics{"3974.7", "3317.2", "3969.2", "4644.5"}));
    EXPECT_EQ(p.target->atMost, 550u);
    EXPECT_FALSE(summary.of(Nutrient::N).target);
    // Bins of 200 t/yr from 200 to 3800 holding every computed draw.
    EXPECT_EQ(p.histogram.edges.front(), 200);
    EXPECT_EQ(p.histogram.edges.back(), 3800);
    EXPECT_EQ(std::accumulate(p.histogram.counts.begin(), p.histogram.counts.end(), std::size_t{0}), 948u);
}

TEST(Uncertainty, WritesTheSameOnOneAndTwoThreads) {
    const UncertaintyRun one = drawn(kRanges, 500, 1);
    const UncertaintyRun two = drawn(kRanges, 500, 2);
    EXPECT_EQ(uncertaintyJson("a.txt", one, summarize(one)), uncertaintyJson("a.txt", two, summarize(two)));
    EXPECT_EQ(drawsCsv(one), drawsCsv(two));
}

TEST(Uncertainty, WritesTheDrawsAndFiguresForTheCommandLine) {
    const UncertaintyRun run = *runUncertainty(standardParameterTexts(),
                                               {{Parameter::PointSourcesP, "-50%", "+50%", Distribution::Uniform},
                                                {Parameter::CattleEmissionP, "18", "20", Distribution::Triangular}},
                                               {3, 7});
    EXPECT_EQ(drawsCsv(run),
              "draw,Lp(P),\"Kf(P, cattle)\",L(P),L(N),rejection\r\n"
              "1,265.929684480406,19.6660279148848,3213.9,15065.9,\r\n"
              "2,130.891827579318,19.5123618029394,3116.9,15065.9,\r\n"
              "3,135.949571399203,18.3149090111558,3037.4,15065.9,\r\n");
    const UncertaintySummary summary = summarize(run, {3000.0L, std::nullopt});
    EXPECT_THAT(uncertaintyTable("a.txt", run, summary),
                HasSubstr("  Kf(P, cattle): от 18 до 20, треугольное\nРассчитано реализаций: 3\n"
                          "          среднее       5 %      50 %      95 %\n"
                          "Ltot(P)    4881.1    4747.7    4872.0    5023.6\n"));
    EXPECT_THAT(
        uncertaintyCsv("a.txt", run, summary),
        HasSubstr("\r\na.txt,Частный водосбор Финского залива,L(P),3122.7,3037.4,3116.9,3213.9,3,3,0,3000,0.00\r\n"));
    const std::string json = uncertaintyJson("a.txt", run, summary);
    EXPECT_THAT(
        json,
        HasSubstr("\"L(P)\": {\"mean\": \"3122.7\", \"p5\": \"3037.4\", \"p50\": \"3116.9\", \"p95\": \"3213.9\"}"));
    EXPECT_THAT(json,
                HasSubstr("\"failed\": {}, \"share_at_most_target\": {\"L(P)\": {\"target\": \"3000\", \"draws\": 0, "
                          "\"percent\": \"0.00\"}}}"));
}

TEST(Uncertainty, WithoutRangesEveryFigureIsTheBaselines) {
    const UncertaintyRun run = drawn({}, 100);
    const UncertaintySummary summary = summarize(run);
    EXPECT_EQ(summary.computed, 100u);
    for (Quantity quantity : kSummarizedQuantities) {
        const ShownResult& row = kStandardResults[static_cast<int>(quantity)];
        EXPECT_EQ(summary.of(Nutrient::P).of(quantity), (Statistics{row.p, row.p, row.p, row.p}));
        EXPECT_EQ(summary.of(Nutrient::N).of(quantity), (Statistics{row.n, row.n, row.n, row.n}));
    }
    EXPECT_EQ(summary.of(Nutrient::P).histogram.counts, std::vector<std::size_t>{100});
}

// Equal loads of three hundred digits: one bin, without counting edges beyond the precision.
TEST(Uncertainty, BinsHugeEqualLoads) {
    const UncertaintyRun run = drawn({{Parameter::PointSourcesP, "1E300", "1E300", Distribution::Uniform}}, 10);
    EXPECT_EQ(summarize(run).of(Nutrient::P).histogram.counts, std::vector<std::size_t>{10});
}

// With 20 draws the 5th percentile is the smallest, the 50th the 10th and the 95th the 19th.
TEST(Uncertainty, PercentilesAreTheTextsOfNearestRank) {
    const UncertaintyRun run = drawn({{Parameter::PointSourcesP, "0", "1000", Distribution::Uniform}}, 20);
    std::vector<std::string> loads;
    for (const DrawOutcome& draw : run.draws) loads.push_back(draw.text(Quantity::L, Nutrient::P));
    std::sort(loads.begin(), loads.end(),
              [](const std::string& a, const std::string& b) { return parseNumber(a) < parseNumber(b); });
    const UncertaintySummary summary = summarize(run);
    const Statistics& l = summary.of(Nutrient::P).of(Quantity::L);
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
    [](const auto& test) { return std::string(test.param.name); });

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
