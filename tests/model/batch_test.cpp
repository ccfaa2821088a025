// Many files computed without a window: the notes on stored derived values, the CSV of a
// Russian desktop's spreadsheet.

#include "model/batch.h"
#include "model/variant.h"
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

struct NoteCase {
    const char* name;
    int line;
    const char* text;
    const char* note;  // empty: none
};

class StoredDerivedValue : public BatchTest, public ::testing::WithParamInterface<NoteCase> {};

TEST_P(StoredDerivedValue, ThatDiffersFromTheDerivedOneIsPointedOutWithBothValues) {
    const std::string file = folder / "edited.txt";
    writeBytes(file, standardFileWith(GetParam().line, GetParam().text));
    const Output output = calculated({file}, "json");
    const std::string note = GetParam().note;
    // After the boxes of the file (a text that is no number fails in the calculation).
    const std::size_t noteLine = output.messages.find(file + ": note: ");
    EXPECT_EQ(noteLine == std::string::npos ? "" : output.messages.substr(noteLine),
              note.empty() ? "" : file + ": note: " + note + "\n");
    const std::string notes = note.empty() ? "[]" : "[\"" + note + "\"]";
    EXPECT_NE(output.results.find(", \"notes\": " + notes + "}"), std::string::npos) << output.results;
}

INSTANTIATE_TEST_SUITE_P(
    Files, StoredDerivedValue,
    ::testing::Values(
        NoteCase{"totalArea", 2, "30000",
                 "the natural area '22439.52' differs from '26451' derived from the areas and the water share"},
        NoteCase{"runoffModulus", 18, "7.7",
                 "the runoff modulus '7.7' differs from '9.513' derived from the runoff layer"},
        NoteCase{"naturalAreaNotANumber", 7, "x",
                 "the natural area 'x' differs from '22439.52' derived from the areas and the water share"},
        NoteCase{"sameNumberOtherwiseWritten", 7, "22439.520", ""}, NoteCase{"nothingToDeriveFrom", 2, "x", ""}),
    [](const auto& info) { return info.param.name; });

// The command line computes as the windows do right after Open: with the stored natural area.
TEST_F(BatchTest, AStoredNaturalAreaGivesOtherResultsThanTheDerivedOne) {
    const std::string file = folder / "edited.txt";
    writeBytes(file, standardFileWith(2, "30000"));
    const FileCalculation opened = calculateFile(file);
    EXPECT_EQ(opened.results.text(Quantity::L, Nutrient::P), "3134.8");
    EXPECT_EQ(computeVariant(opened.parameters).results.text(Quantity::L, Nutrient::P), "3173.3");
}

}  // namespace
