// A basin's results as they leave the program: the table's rows and totals, the CSV's total
// record, the JSON's figures and totals, the boxes of its files and the exit status, also for a
// basin file that is refused.

#include "model/basin_export.h"
#include "basin_files.h"
#include "model_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace nutrient;

namespace {

// Two standard sets, the first draining into the second.
BasinAnalysis chain(const BasinFolder& folder) {
    folder.writeParameters("a.txt");
    folder.writeParameters("b.txt");
    return analyseBasin(readBasinFile(folder.writeBasin("file,drains_into\na.txt,b.txt\nb.txt,\n")));
}

TEST(BasinExport, TableShowsTheRowsAndTotalsOfEachNutrient) {
    BasinFolder folder;
    const std::string table = basinTable(chain(folder));
    EXPECT_EQ(table.substr(0, table.find("\nАзот")),
              "Фосфор\n"
              "Строка  Файл   Впадает в      A, км²       L   Lnat  M с притоком  Приток сверху  Собств. вынос  "
              "Собств. модуль  Доля, %  Ранг\n"
              "     2  a.txt  b.txt           25948  3126.5  300.0        120.49            0.0         3126.5         "
              " 120.49    50.00     1\n"
              "     3  b.txt  водный объект   25948  6253.0  300.0        240.98         3126.5         3126.5         "
              " 120.49    50.00     1\n"
              "Бассейн: площадь 51896 км², нагрузка на водный объект 6253.0 т/год, природная составляющая 600.0 т/год, "
              "модуль выноса 120.49 кг/(км² год)\n"
              "Доли источников: Вклад точечных источников 4.34% of 6,253; Вклад антропогенных рассредоточенных "
              "источников 86.07% of 6,253; Природная составляющая нагрузки 9.6% of 6,253\n");
}

TEST(BasinExport, CsvEndsWithTheBasinsTotal) {
    BasinFolder folder;
    const std::string csv = basinCsv(chain(folder));
    EXPECT_EQ(
        csv.substr(csv.rfind("\r\n", csv.size() - 3) + 2),
        ",,,total,,,,,,,,,,,,,,,,,,,,,6253.0,30131.8,600.0,7938.6,120.49,580.62,,,51896,,,,,,,,,,,,,,,,,,,,,,,,\r\n");
    EXPECT_NE(csv.find("\r\n3,b.txt,,computed,,"), std::string::npos);
}

TEST(BasinExport, JsonHoldsEachRowsFiguresAndTheTotals) {
    BasinFolder folder;
    const std::string json = basinJson(chain(folder));
    EXPECT_NE(json.find("{\"line\": 3, \"file\": \"b.txt\", \"drains_into\": null, \"status\": \"computed\", "
                        "\"reason\": null, \"object\": \"Частный водосбор Финского залива\", \"results\": {\"Lp(P)\": "
                        "\"212.0\""),
              std::string::npos);
    EXPECT_NE(json.find("\"figures\": {\"A\": \"25948\", \"upstream(P)\": \"3126.5\", \"upstream(N)\": \"15065.9\", "
                        "\"own_export(P)\": \"3126.5\", \"own_export(N)\": \"15065.9\", \"own_modulus(P)\": "
                        "\"120.49\", \"own_modulus(N)\": \"580.62\", \"share(P)\": \"50.00\", \"share(N)\": \"50.00\", "
                        "\"rank(P)\": 1, \"rank(N)\": 1}"),
              std::string::npos);
    EXPECT_NE(json.find("\"totals\": {\"A\": \"51896\", \"load(P)\": \"6253.0\", \"load(N)\": \"30131.8\", "
                        "\"natural(P)\": \"600.0\", \"natural(N)\": \"7938.6\", \"modulus(P)\": \"120.49\", "
                        "\"modulus(N)\": \"580.62\", \"pie\": {\"P\": [{\"source\": \"point\", \"value\": "),
              std::string::npos);
    EXPECT_TRUE(json.ends_with("\"totals_missing\": null, \"fit\": {\"P\": null, \"N\": null}}\n"));
}

struct CommandCase {
    const char* name;
    std::string basin;
    std::string messages;
    int status;
};

void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.name; }

class BasinCommand : public ::testing::TestWithParam<CommandCase> {};

TEST_P(BasinCommand, WritesTheBoxesOfEachRowAndItsExitStatus) {
    BasinFolder folder;
    folder.writeParameters("a.txt");
    folder.writeParameters("w.txt", {{Parameter::WaterShare, "101"}});
    const std::string basin = folder.writeBasin(GetParam().basin);
    for (OutputFormat format : {OutputFormat::Table, OutputFormat::Csv, OutputFormat::Json}) {
        std::ostringstream results, messages;
        EXPECT_EQ(calculateBasin(basin, format, results, messages), GetParam().status);
        EXPECT_EQ(messages.str(), GetParam().messages);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Basins, BasinCommand,
    ::testing::Values(CommandCase{"computed", "file,drains_into\nw.txt,a.txt\na.txt,\n",
                                  fileLine("w.txt", kWarnNegativeArea) + fileLine("w.txt", kWarnWaterShare) +
                                      fileLine("w.txt", kWarnWaterShare),
                                  kExitAllComputed},
                      CommandCase{"upstreamMissing", "file,drains_into\na.txt,\nx.txt,a.txt\n",
                                  fileLine("a.txt",
                                           "Not computed: it receives the load of line 3 ('x.txt'), "
                                           "which failed") +
                                      fileLine("x.txt", shownFailureText(kFileNotFound)),
                                  kExitSomeFailed}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(BasinCommand, NamesEachProblemOfARefusedBasinFile) {
    BasinFolder folder;
    const std::string basin = folder.writeBasin("file,drains_into\na.txt,\na.txt,\nc.txt,x\n");
    std::ostringstream results, messages;
    EXPECT_EQ(calculateBasin(basin, OutputFormat::Json, results, messages), kExitSomeFailed);
    EXPECT_EQ(messages.str(), basin + ": Line 3 ('a.txt'): the file is listed again, first on line 2 ('a.txt')\n" +
                                  basin + ": Line 4 ('c.txt'): drains into 'x', which no row lists.\n");
    EXPECT_EQ(results.str(), "");
}

}  // namespace
