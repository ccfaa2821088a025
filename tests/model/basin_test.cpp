// A basin of sub-catchments: the figures a hydrologist reads for rows side by side and draining
// into each other, the same texts as computing the files one by one with the inflow typed in
// by hand, the basin files refused with the rows named, and a failed row's downstream rows.

#include "model/basin.h"
#include "basin_files.h"
#include "model_fixture.h"

#include <gtest/gtest.h>

#include <random>

using namespace nutrient;

namespace {

// Two standard sets, side by side or the first draining into the second.
struct TwoSetsCase {
    const char* name;
    const char* basin;
    const char* inflowP;   // the second row's inflow parameter as the cascade wrote it
    const char* secondLP;  // its L(P)
    const char* secondMP;  // its method modulus M(P), inflow included
};

class TwoStandardSets : public ::testing::TestWithParam<TwoSetsCase> {};

TEST_P(TwoStandardSets, PutOnTheWaterBodyWhatTheRowsDrainingIntoItCarry) {
    BasinFolder folder;
    folder.writeParameters("a.txt");
    folder.writeParameters("b.txt");
    const BasinComputation computed = computeBasin(readBasinFile(folder.writeBasin(GetParam().basin)));
    ASSERT_TRUE(computed.complete());
    const BasinRowResult& second = computed.rows[1];
    EXPECT_EQ(second.calculation.parameters[static_cast<int>(Parameter::InflowP)], GetParam().inflowP);
    EXPECT_EQ(second.calculation.results.text(Quantity::L, Nutrient::P), GetParam().secondLP);
    EXPECT_EQ(second.calculation.results.text(Quantity::M, Nutrient::P), GetParam().secondMP);
    for (const BasinRowResult& row : computed.rows) {
        EXPECT_EQ(row.status, RowStatus::Computed);
        EXPECT_EQ(row.own(Nutrient::P).ownExport, "3126.5");
        EXPECT_EQ(row.own(Nutrient::P).ownModulus, "120.49");
        EXPECT_EQ(row.own(Nutrient::N).ownExport, "15065.9");
        EXPECT_EQ(row.own(Nutrient::P).share, "50.00");
        EXPECT_EQ(row.own(Nutrient::N).share, "50.00");
        EXPECT_EQ(row.own(Nutrient::P).rank, 1);
    }
    const BasinTotals& totals = computed.totals;
    EXPECT_EQ(totals.area, "51896");
    EXPECT_EQ(totals.load, (std::array<std::string, 2>{"6253.0", "30131.8"}));
    EXPECT_EQ(totals.natural, (std::array<std::string, 2>{"600.0", "7938.6"}));
    EXPECT_EQ(totals.modulus, (std::array<std::string, 2>{"120.49", "580.62"}));
    EXPECT_EQ(totals.slices[0][0].mark, "4.34% of 6,253");
}

INSTANTIATE_TEST_SUITE_P(Layouts, TwoStandardSets,
                         ::testing::Values(TwoSetsCase{"sideBySide", "file,drains_into\na.txt,\nb.txt,\n", "0",
                                                       "3126.5", "120.49"},
                                           TwoSetsCase{"firstIntoSecond", "file,drains_into\na.txt,b.txt\nb.txt,\n",
                                                       "3126.5", "6253.0", "240.98"}),
                         [](const auto& test) { return std::string(test.param.name); });

// Two rows draining into a third that has an inflow of its own: the third's file computed with
// --calculate after the upstream loads were added to its inflow by hand gives the same texts.
TEST(Basin, GivesTheTextsOfTheFilesComputedOneByOneWithTheInflowTypedIn) {
    BasinFolder folder;
    folder.writeParameters("a.txt", {{Parameter::PointSourcesP, "100"}});
    folder.writeParameters("b.txt", {{Parameter::PointSourcesP, "300"}, {Parameter::WaterShare, "2"}});
    folder.writeParameters("c.txt", {{Parameter::InflowP, "10.5"}, {Parameter::InflowN, "7"}});
    // L(P) of a and b: 3054.8 and 2400.1; L(N): 15065.9 and 13611.4.
    folder.writeParameters("c-typed.txt", {{Parameter::InflowP, "5465.4"}, {Parameter::InflowN, "28684.3"}});
    const BasinComputation computed =
        computeBasin(readBasinFile(folder.writeBasin("file,drains_into\nc.txt,\na.txt,c.txt\nb.txt,c.txt\n")));
    const std::string alone[] = {"c-typed.txt", "a.txt", "b.txt"};
    for (std::size_t i = 0; i < 3; ++i) {
        const FileCalculation byHand = calculateFile(folder / alone[i]);
        EXPECT_EQ(computed.rows[i].calculation.parameters, byHand.parameters) << alone[i];
        for (const ResultRow& row : kResultRows)
            for (Nutrient n : kNutrients)
                EXPECT_EQ(computed.rows[i].calculation.results.text(row.quantity, n),
                          byHand.results.text(row.quantity, n))
                    << alone[i] << " " << row.symbol;
    }
    EXPECT_EQ(computed.rows[0].own(Nutrient::P).upstream, "5454.9");
}

struct RefusedCase {
    const char* name;
    std::string basin;
    std::string problems;
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class RefusedBasin : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedBasin, NamesTheRows) {
    EXPECT_EQ(failureText([] { parseBasinFile(GetParam().basin, "."); }), GetParam().problems);
}

std::string unknownTargets(int rows) {
    std::string text = "file,drains_into\n";
    for (int i = 0; i < rows; ++i) text += "r" + std::to_string(i) + ".txt,x.txt\n";
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedBasin,
    ::testing::Values(
        RefusedCase{"header", "\n\nfile,drains into\na.txt,\n",
                    "Line 3: the header is not 'file,drains_into,observed_P,observed_N' (the last two columns may be "
                    "left out)"},
        RefusedCase{"empty", "", "The basin file is empty"},
        RefusedCase{"noRows", "file,drains_into,observed_P\r\n", "The basin file lists no sub-catchment"},
        RefusedCase{"cycle", "file,drains_into\nx.txt,\na.txt,c.txt\nb.txt,a.txt\nc.txt,b.txt\nd.txt,a.txt\n",
                    "Line 3 ('a.txt'), line 5 ('c.txt'), line 4 ('b.txt'): they drain into each other in a cycle"},
        RefusedCase{"itself", "file,drains_into\na.txt,a.txt\n", "Line 2 ('a.txt'): it drains into itself"},
        RefusedCase{"unknownAndDuplicate", "file,drains_into\na.txt,\nb.txt,A.txt\n./sub/../a.txt,\n",
                    "Line 4 ('./sub/../a.txt'): the file is listed again, first on line 2 ('a.txt')\n"
                    "Line 3 ('b.txt'): drains into 'A.txt', which no row lists"},
        RefusedCase{"rowProblems",
                    "file,drains_into,observed_P,observed_N\n,\na.txt,,x,\nb.txt,,1,0\nc\x01.txt\n1,2,3,4,5\n",
                    "Line 2: no parameters file\n"
                    "Line 3 ('a.txt'): the measured load of P 'x' is not a positive number\n"
                    "Line 4 ('b.txt'): the measured load of N '0' is not a positive number\n"
                    "Line 5: a file name is not plain UTF-8 text\n"
                    "Line 6: 5 fields, but the header names 4"},
        RefusedCase{"manyProblems", unknownTargets(12),
                    "Line 2 ('r0.txt'): drains into 'x.txt', which no row lists\n"
                    "Line 3 ('r1.txt'): drains into 'x.txt', which no row lists\n"
                    "Line 4 ('r2.txt'): drains into 'x.txt', which no row lists\n"
                    "Line 5 ('r3.txt'): drains into 'x.txt', which no row lists\n"
                    "Line 6 ('r4.txt'): drains into 'x.txt', which no row lists\n"
                    "Line 7 ('r5.txt'): drains into 'x.txt', which no row lists\n"
                    "Line 8 ('r6.txt'): drains into 'x.txt', which no row lists\n"
                    "Line 9 ('r7.txt'): drains into 'x.txt', which no row lists\n"
                    "Line 10 ('r8.txt'): drains into 'x.txt', which no row lists\n"
                    "Line 11 ('r9.txt'): drains into 'x.txt', which no row lists\n"
                    "… and 2 more"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(RefusedBasin, NamesTheFirstRowsOfALongCycle) {
    std::string basin = "file,drains_into\n";
    for (int i = 0; i < 60; ++i) basin += "r" + std::to_string(i) + ".txt,r" + std::to_string((i + 1) % 60) + ".txt\n";
    const std::string problem = failureText([&] { parseBasinFile(basin, "."); });
    EXPECT_TRUE(problem.starts_with("Line 2 ('r0.txt'), line 3 ('r1.txt'), ")) << problem;
    EXPECT_TRUE(problem.ends_with(", line 51 ('r49.txt') and 10 more: they drain into each other in a cycle"))
        << problem;
}

TEST(RefusedBasin, TenMegabytesOfGarbage) {
    std::mt19937 random(17);
    std::string garbage(10 << 20, '\0');
    for (char& c : garbage) c = static_cast<char>(random());
    BasinFolder folder;
    EXPECT_EQ(failureText([&] { readBasinFile(folder.writeBasin(garbage)); }).substr(0, 21), "Line 1: the header is");
}

TEST(RefusedBasin, AFileThatCannotBeRead) {
    EXPECT_EQ(failureText([] { readBasinFile("/nonexistent/basin.csv"); }), kFileNotFound);
}

// A chain f -> a -> c beside d and a missing file, f failing as the change makes it fail;
// with an upstream row u draining into f, so that f's inflow is written by the cascade.
struct FailedCase {
    const char* name;
    TextChanges changes;
    bool upstream;
    std::string reason;
};

void PrintTo(const FailedCase& c, std::ostream* os) { *os << c.name; }

class FailedUpstream : public ::testing::TestWithParam<FailedCase> {};

TEST_P(FailedUpstream, LeavesTheRowsDownstreamUncomputedAndTheRestComputed) {
    BasinFolder folder;
    for (const char* name : {"a.txt", "c.txt", "d.txt", "u.txt"}) folder.writeParameters(name);
    folder.writeParameters("f.txt", GetParam().changes);
    std::string basin = "file,drains_into\nc.txt,\na.txt,c.txt\nf.txt,a.txt\nd.txt,\nmissing.txt,\n";
    if (GetParam().upstream) basin += "u.txt,f.txt\n";
    const BasinComputation computed = computeBasin(readBasinFile(folder.writeBasin(basin)));
    const std::string notComputed = "Not computed: it receives the load of line 4 ('f.txt'), which failed";
    const RowStatus statuses[] = {RowStatus::NotComputed, RowStatus::NotComputed, RowStatus::Failed,
                                  RowStatus::Computed,    RowStatus::Failed,      RowStatus::Computed};
    const std::string reasons[] = {notComputed, notComputed, GetParam().reason, "", shownFailureText(kFileNotFound),
                                   ""};
    for (std::size_t i = 0; i < computed.rows.size(); ++i) {
        EXPECT_EQ(computed.rows[i].status, statuses[i]) << i;
        EXPECT_EQ(computed.rows[i].reason, reasons[i]) << i;
    }
    EXPECT_EQ(computed.rows[3].own(Nutrient::P).rank, 1);
    EXPECT_EQ(computed.rows[3].own(Nutrient::P).share, "");
    EXPECT_EQ(computed.totalsMissing,
              "No totals: 4 of " + std::to_string(computed.rows.size()) + " sub-catchments were not computed");
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailedUpstream,
    ::testing::Values(
        FailedCase{"stopped", {{Parameter::WaterShare, "0"}}, true, shownFailureText(kDivisionByZero)},
        FailedCase{"belowNatural", {{Parameter::CropRemovalP, "4"}}, false, kErrorBelowBackground},
        FailedCase{"inflowNotANumber", {{Parameter::InflowP, "x"}}, true, shownFailureText(notANumberMessage("x"))}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
