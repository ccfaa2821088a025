// The texts that carry results out of the program: CSV quoting and its empty cells, JSON
// escaping, the text table's columns with Cyrillic captions, and names made safe for a terminal.
// The whole records, objects and tables of computed files: tests/ui/tst_command_line.cpp.

#include "model/results_export.h"
#include "model_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace nutrient;

namespace {

// A catchment computed from the standard set with one parameter changed, as calculateFile
// leaves it.
FileCalculation computed(const std::string& objectName, Parameter changed = Parameter::InflowP,
                         const std::string& text = "0") {
    Model model;
    model.parameters.setText(Parameter::ObjectName, objectName);
    model.parameters.setText(changed, text);
    FileCalculation calculation;
    const std::string failure =
        failureText([&] { calculate(model.parameters, calculation.results, calculation.coefficients); });
    calculation.computed = failure.empty();
    if (!failure.empty()) calculation.messages.push_back({Message::Kind::Failure, failure});
    calculation.parameters = model.parameters.texts();
    return calculation;
}

// Characters, not bytes: what a terminal's columns count.
std::size_t characters(const std::string& text) {
    std::size_t count = 0;
    for (unsigned char c : text) count += (c & 0xC0) != 0x80;
    return count;
}

struct Escaped {
    const char* text;
    const char* csv;   // the field in a record
    const char* json;  // the string in an object
};

class Escaping : public ::testing::TestWithParam<Escaped> {};

}  // namespace

TEST(Csv, HeaderNamesEveryResultInWindowOrder) {
    EXPECT_EQ(csvHeader(),
              "file,object,Lp(P),Lp(N),Le(P),Le(N),Lmf(P),Lmf(N),Lof(P),Lof(N),La(P),La(N),Lex(P),Lex(N),Lc(P),Lc(N),"
              "Ltot(P),Ltot(N),Lret(P),Lret(N),L(P),L(N),Lnat(P),Lnat(N),M(P),M(N),Mnat(P),Mnat(N)\r\n");
}

TEST(Csv, AFailedRunLeavesTheCellsItDidNotReachEmpty) {
    // N of the diffuse emission is the fourth figure computed; the calculation stops there.
    EXPECT_EQ(csvRecord("\xFF.txt", computed("Луга", Parameter::ArableConcentrationN, "x")),
              "\xEF\xBF\xBD.txt,Луга,212.0,1324.0,457.4" + std::string(23, ',') + "\r\n");
}

TEST_P(Escaping, QuotesTheCsvFieldAndEscapesTheJsonString) {
    const FileCalculation calculation = computed(GetParam().text);
    const std::string record = csvRecord("f", calculation);
    EXPECT_EQ(record.substr(0, record.find(",212.0")), std::string("f,") + GetParam().csv);
    EXPECT_NE(jsonObject("f", calculation).find(std::string("\"object\": ") + GetParam().json + ","),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    ObjectNames, Escaping,
    ::testing::Values(Escaped{"Луга", "Луга", "\"Луга\""}, Escaped{"Луга, верх", "\"Луга, верх\"", "\"Луга, верх\""},
                      Escaped{"\"Нева\" 2", "\"\"\"Нева\"\" 2\"", "\"\\\"Нева\\\" 2\""},
                      Escaped{"a\r\nb\\", "\"a\r\nb\\\"", "\"a\\u000d\\u000ab\\\\\""},
                      // What a spreadsheet would run as a formula is shown as text.
                      Escaped{"=1+2", "'=1+2", "\"=1+2\""}, Escaped{"+7", "'+7", "\"+7\""},
                      Escaped{"-x", "'-x", "\"-x\""}, Escaped{"@SUM(A1)", "'@SUM(A1)", "\"@SUM(A1)\""},
                      Escaped{"\tx", "'\tx", "\"\\u0009x\""}, Escaped{"\rx", "\"'\rx\"", "\"\\u000dx\""},
                      Escaped{"a=b", "a=b", "\"a=b\""}));

TEST(Csv, ANegativeResultStaysANumberWhileAFileNameLikeOneIsText) {
    const std::string record = csvRecord("-2.txt", computed("Луга", Parameter::CropRemovalP, "-1"));
    EXPECT_EQ(record.substr(0, record.find(",212.0")), "'-2.txt,Луга");
    EXPECT_NE(record.find(",-1684.0,"), std::string::npos) << record;
}

TEST(Csv, ForARussianSpreadsheetQuotesTheSemicolonAndKeepsTheCommaOfAName) {
    const std::string record = csvRecord("f", computed("=a; b, c"), kRussianSpreadsheetCsv);
    EXPECT_EQ(record.substr(0, record.find(";1324,0")), "f;\"'=a; b, c\";212,0");
}

struct CoefficientCase {
    Parameter changed;
    const char* text;
    const char* rt;  // the JSON of both coefficients
};

class JsonCoefficients : public ::testing::TestWithParam<CoefficientCase> {};

// Rt(P) underflows to 0 with a(P) = 1e330, yet it was computed.
TEST_P(JsonCoefficients, AreNumbersOnceComputedAndNullOnlyWhereTheCalculationStoppedBefore) {
    const std::string json = jsonObject("f", computed("Луга", GetParam().changed, GetParam().text));
    EXPECT_NE(json.find(std::string("\"Rt\": ") + GetParam().rt), std::string::npos) << json;
}

INSTANTIATE_TEST_SUITE_P(Coefficients, JsonCoefficients,
                         ::testing::Values(CoefficientCase{Parameter::RetentionCoefficientP, "1e330",
                                                           "{\"P\": 0, \"N\": 0.7357853060224985}"},
                                           CoefficientCase{Parameter::RetentionCoefficientN, "x",
                                                           "{\"P\": 0.6397532588568118, \"N\": null}"},
                                           CoefficientCase{Parameter::ArableConcentrationN, "x",
                                                           "{\"P\": null, \"N\": null}"}));

TEST(Table, ValueColumnsEndOnOneColumnWithCyrillicCaptionsAndWideValues) {
    for (const FileCalculation& calculation : {computed("Луга"), computed("Луга", Parameter::PointSourcesP, "1e14")}) {
        std::istringstream table(textTable("a.txt", calculation));
        std::string line;
        std::getline(table, line);
        EXPECT_EQ(line, "a.txt: Луга");
        std::getline(table, line);
        const std::size_t width = characters(line);
        while (std::getline(table, line)) {
            EXPECT_EQ(characters(line), width) << line;
            EXPECT_NE(line.find(". "), std::string::npos) << line;  // a blank between the leader and the value
        }
    }
}

TEST(Printable, ControlCharactersAndBytesThatAreNotUtf8AreShownAsEscapes) {
    EXPECT_EQ(printableText("Луга\tверх, км²"), "Луга\tверх, км²");
    EXPECT_EQ(printableText("\x1B]0;x\x07\n\x7F\xC2\x98\xFF"), "\\x1B]0;x\\x07\\x0A\\x7F\\xC2\\x98\\xFF");
}
