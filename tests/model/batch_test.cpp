// Many files computed without a window: the CSV of a Russian desktop's spreadsheet.

#include "model/batch.h"
#include "standard_set.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace nutrient;

namespace {

// The standard set's file in a fresh folder.
class BatchTest : public ::testing::Test {
protected:
    BatchTest() { writeBytes(standard, kStandardFileBytes); }
    TempFolder folder;
    const std::string standard = folder / "standard.txt";
};

// The results of the files in the format, and the lines of their boxes.
struct Output {
    std::string results;
    std::string messages;
};
Output calculated(const std::vector<std::string>& files, const std::string& format) {
    std::ostringstream results, messages;
    calculateFiles(files, outputFormatNamed(format).value_or(OutputFormat::Table), results, messages);
    return {results.str(), messages.str()};
}

TEST_F(BatchTest, RussianCsvHasSemicolonsDecimalCommasAndAByteOrderMark) {
    std::string expected =
        "\xEF\xBB\xBF"
        "file;object";
    for (const ShownResult& row : kStandardResults)
        for (const char* nutrient : {"P", "N"})
            expected += ";" + std::string(resultRow(row.quantity).symbol) + "(" + nutrient + ")";
    expected += "\r\n" + standard + ";Частный водосбор Финского залива";
    for (const ShownResult& row : kStandardResults)
        for (std::string value : {row.p, row.n}) expected += ";" + value.replace(value.find('.'), 1, ",");
    EXPECT_EQ(calculated({standard}, "csv-ru").results, expected + "\r\n");
    EXPECT_EQ(outputFormatNames(), "table, csv, csv-ru or json");
}

}  // namespace
