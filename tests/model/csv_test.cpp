// Reading the CSV tables users keep: quoting, line ends, blank lines, the byte-order mark, and
// the line each record starts on.

#include "model/csv.h"
#include "model_fixture.h"

#include <gtest/gtest.h>

using namespace nutrient;

namespace {

struct CsvCase {
    const char* name;
    std::string text;
    std::vector<CsvRecord> records;
};

void PrintTo(const CsvCase& c, std::ostream* os) { *os << c.name; }

class ParseCsv : public ::testing::TestWithParam<CsvCase> {};

TEST_P(ParseCsv, GivesTheRecordsWithTheirLines) { EXPECT_EQ(parseCsv(GetParam().text), GetParam().records); }

INSTANTIATE_TEST_SUITE_P(Texts, ParseCsv,
                         ::testing::Values(CsvCase{"plain", "a,b\r\n1,2\r\n", {{1, {"a", "b"}}, {2, {"1", "2"}}}},
                                           CsvCase{"lfAndLoneCr", "a\n1\r2", {{1, {"a"}}, {2, {"1"}}, {3, {"2"}}}},
                                           CsvCase{"blankLinesAndMark",
                                                   "\xEF\xBB\xBF"
                                                   "a\r\n\r\n\r\nb,",
                                                   {{1, {"a"}}, {4, {"b", ""}}}},
                                           CsvCase{"quoted",
                                                   "\"x,\"\"y\"\"\",\"two\nlines\"\nz",
                                                   {{1, {"x,\"y\"", "two\nlines"}}, {3, {"z"}}}},
                                           CsvCase{"quoteInsideAField", "a\"b,c", {{1, {"a\"b", "c"}}}}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(ParseCsvFailure, NamesTheLineOfAQuoteThatNeverCloses) {
    EXPECT_EQ(failureText([] { parseCsv("a\n\"b,\nc"); }), "Line 2: a quoted field does not end");
}

// Only what reads as a figure takes the decimal comma; a text that merely holds digits and
// points stays as it is, quoted where it holds the separator.
TEST(CsvForARussianSpreadsheet, GivesTheDecimalCommaToFiguresOnly) {
    EXPECT_EQ(csvInDialect("3126.5,-0.93,1.5e-7,2E+10,12,1.,.5,1.2.3,1e,-,a;b,v1.2\r\n", kRussianSpreadsheetCsv),
              "\xEF\xBB\xBF"
              "3126,5;-0,93;1,5e-7;2E+10;12;1.;.5;1.2.3;1e;-;\"a;b\";v1.2\r\n");
}

}  // namespace
