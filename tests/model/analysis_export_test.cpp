// The analyses as the command line writes them: the lines of the text tables a person reads,
// the CSV records byte for byte and the JSON members the issue fixes.

#include "model/analysis_export.h"
#include "standard_set.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace nutrient;

namespace {

const std::string kFile = "std.txt";
const std::string kStart = "std.txt,Частный водосбор Финского залива,";

Computation baselineOf(const std::vector<ParameterChange>& catchment = {}) {
    return computeVariant(withChanges(standardParameterTexts(), catchment));
}

std::vector<std::string> linesOf(const std::string& text, char end = '\n') {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line, end);) lines.push_back(line);
    return lines;
}

// The line that begins so, with its runs of blanks made one.
std::string lineStarting(const std::string& text, const std::string& start) {
    for (std::string line : linesOf(text)) {
        if (line.rfind(start, 0) != 0) continue;
        std::string simplified;
        for (char c : line)
            if (c != ' ' || simplified.empty() || simplified.back() != ' ') simplified += c;
        return simplified;
    }
    return "<no line " + start + ">";
}

// The beginning of a text as long as the expected one.
std::string startOf(const std::string& text, const std::string& expected) { return text.substr(0, expected.size()); }

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(ScenarioOutput, ComparesBaselineAndScenarioInEachFormat) {
    const Scenario scenario = scenarioOf(baselineOf(), percentChanges(parseLeverChanges("livestock=-30.77")));
    const std::string table = scenarioOutput(OutputFormat::Table, kFile, scenario);
    EXPECT_EQ(linesOf(table)[2], "  N(cattle): 108030 → 74789.169");
    EXPECT_EQ(lineStarting(table, "Фосфор"), "Фосфор Базовый Сценарий Изменение Изменение, %");
    EXPECT_EQ(lineStarting(table, "Вынос биогенных веществ с водосбора"),
              "Вынос биогенных веществ с водосбора и нагрузки на водный объект (L) ......... 3126.5 1999.7 -1126.8 "
              "-36.04");

    const std::vector<std::string> csv = linesOf(scenarioOutput(OutputFormat::Csv, kFile, scenario), '\n');
    ASSERT_EQ(csv.size(), 5u);
    EXPECT_EQ(startOf(csv[0], "file,object,case,Lp(P),"), "file,object,case,Lp(P),");
    EXPECT_EQ(csv[4], kStart +
                          "change %,0.00,0.00,0.00,0.00,0.00,0.00,-30.77,-30.77,0.00,,,,0.00,0.00,-36.04,"
                          "-35.12,-36.04,-35.12,-36.04,-35.12,0.00,0.00,-36.04,-35.12,0.00,0.00\r");

    const std::string json = scenarioOutput(OutputFormat::Json, kFile, scenario);
    const std::string start =
        "{\"file\": \"std.txt\", \"object\": \"Частный водосбор Финского залива\", \"baseline\": {";
    EXPECT_EQ(startOf(json, start), start);
    EXPECT_TRUE(contains(json, "\"L(P)\": \"1999.7\", \"L(N)\": \"9774.8\""));
    EXPECT_TRUE(contains(json, "\"changed\": [{\"parameter\": \"N(cattle)\", \"text\": \"74789.169\"}, "));
    EXPECT_TRUE(contains(json, "\"rejected\": {\"baseline\": null, \"variant\": null}}\n"));
}

TEST(TargetOutput, GivesTheVerdictAndTheCutOfEachNutrient) {
    const Computation baseline = baselineOf();
    const std::vector<LeverChoice> livestock = parseLeverChoices("livestock");
    const std::vector<TargetSearch> searches = {searchTarget(baseline, {Nutrient::P, "2000"}, livestock),
                                                searchTarget(baseline, {Nutrient::N, "100"}, livestock)};
    const std::string table = targetOutput(OutputFormat::Table, kFile, searches);
    EXPECT_EQ(linesOf(table)[1], "Цель: L(P) не более 2000 т/год; рычаги: livestock");
    EXPECT_EQ(linesOf(table)[2], "Цель достигнута при сокращении на 30.77 %: L(P) = 1999.7 т/год");

    const std::vector<std::string> csv = linesOf(targetOutput(OutputFormat::Csv, kFile, searches));
    ASSERT_EQ(csv.size(), 9u);
    const std::string header = "file,object,nutrient,target,levers,verdict,cut,removed,reason,case,Lp(P)";
    const std::string reached = kStart + "P,2000,livestock,reached,30.77,1126.8,,variant,212.0";
    const std::string belowNatural = kStart + "N,100,livestock,below-natural,,,,variant,212.0";
    EXPECT_EQ(startOf(csv[0], header), header);
    EXPECT_EQ(startOf(csv[2], reached), reached);
    EXPECT_EQ(startOf(csv[6], belowNatural), belowNatural);

    const std::string json = targetOutput(OutputFormat::Json, kFile, searches);
    EXPECT_TRUE(contains(json,
                         "\"nutrient\": \"P\", \"target\": \"2000\", \"levers\": [\"livestock\"], \"verdict\": "
                         "\"reached\", \"cut\": \"30.77\", \"removed\": \"1126.8\", \"reason\": null, "));
    EXPECT_TRUE(contains(json, "\"verdict\": \"below-natural\", \"cut\": null, \"removed\": null, \"reason\": null"));
    const std::vector<std::string> lines = linesOf(json);
    EXPECT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines.front() + lines.back(), "[]");
}

TEST(TargetOutput, ARejectedCutCarriesItsReason) {
    const std::vector<TargetSearch> searches = {searchTarget(baselineOf({{Parameter::CropRemovalN, "18"}}),
                                                             {Nutrient::P, "2000"}, parseLeverChoices("livestock"))};
    EXPECT_TRUE(contains(targetOutput(OutputFormat::Json, kFile, searches),
                         "\"verdict\": \"rejected\", \"cut\": \"30.77\", \"removed\": null, \"reason\": \"" +
                             std::string(kErrorBelowBackground) + "\""));
}

TEST(SensitivityOutput, ListsRankedRowsThenTheSkippedOnes) {
    const SensitivityTable table = sensitivityTable(baselineOf(), kDefaultSensitivityStep);
    const std::string text = sensitivityOutput(OutputFormat::Table, kFile, table);
    EXPECT_EQ(lineStarting(text, "Параметр"), "Параметр L при -10 % L при +10 % Размах Эластичность");
    EXPECT_EQ(lineStarting(text, "b(P)"), "b(P) 2757.1 3464.8 707.7 1.139");
    EXPECT_EQ(linesOf(text).back(), "Не изменялись (равны нулю): da(N), Lex(P), Lex(N)");

    const std::vector<std::string> csv = linesOf(sensitivityOutput(OutputFormat::Csv, kFile, table));
    ASSERT_EQ(csv.size(), 1u + 2 * (34 + 3));
    EXPECT_EQ(csv[0], "file,object,parameter,nutrient,step,low,high,swing,elasticity,rejected,skipped\r");
    EXPECT_EQ(csv[2], kStart + "\"Kf(P, poultry)\",P,10,2906.0,3347.0,441.0,0.705,,false\r");
    EXPECT_EQ(csv[35], kStart + "da(N),P,10,,,,,,true\r");
    EXPECT_EQ(csv[38], kStart + "df(N),N,10,16193.5,13938.4,-2255.1,-0.748,,false\r");

    EXPECT_EQ(linesOf(sensitivityOutput(OutputFormat::Json, kFile, table))[1],
              "{\"file\": \"std.txt\", \"object\": \"Частный водосбор Финского залива\", \"parameter\": \"b(P)\", "
              "\"nutrient\": \"P\", \"step\": \"10\", \"low\": \"2757.1\", \"high\": \"3464.8\", \"swing\": \"707.7\", "
              "\"elasticity\": \"1.139\", \"rejected\": null, \"skipped\": false},");
}

}  // namespace
