// Many files computed without a window: lists of names, FIFOs, the notes on stored derived
// values, the CSV of a Russian desktop's spreadsheet.

#include "model/batch.h"
#include "model/parameters_file.h"
#include "model/results_export.h"
#include "model/variant.h"
#include "model_fixture.h"
#include "standard_input.h"
#include "standard_set.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include <sys/ioctl.h>
#include <sys/stat.h>

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

// The first field of each CSV line.
std::vector<std::string> firstFields(const std::string& csv) {
    std::vector<std::string> fields;
    for (std::size_t start = 0; start < csv.size(); start = csv.find("\r\n", start) + 2)
        fields.push_back(csv.substr(start, csv.find_first_of(",\r", start) - start));
    return fields;
}

TEST_F(BatchTest, ListsNameFilesOneALineAfterTheFilesWithOneHeaderForAll) {
    const std::string longName = std::string(100'000, 'a') + ".txt";
    const std::string withNul = standard + std::string(1, '\0') + "x.txt";
    writeBytes(folder / "list", standard + "\r\n\r\n" + folder / "missing.txt" + "\n-\n" + longName + "\n" + withNul);
    writeBytes(folder / "input", standard);
    StandardInputFrom input(folder / "input");
    std::ostringstream results, messages;
    const FilesToCompute files({standard}, {folder / "list", folder / "unreadable", "-"});
    EXPECT_EQ(calculateFiles(files, OutputFormat::Csv, results, messages), kExitSomeFailed);

    const std::string cut = longName.substr(0, LineReader::kLongestLine + 1);  // no file name is longer
    EXPECT_EQ(firstFields(results.str()), (std::vector<std::string>{"file", standard, standard, folder / "missing.txt",
                                                                    "./-", cut, withNul, standard}));
    EXPECT_EQ(messages.str(), fileLine(folder / "missing.txt", shownFailureText(kFileNotFound)) +
                                  fileLine("./-", kWarnNotTextFile) + fileLine(cut, kWarnNotTextFile) +
                                  fileLine(standard + "\\x00x.txt", shownFailureText(kInvalidFileName)) +
                                  fileLine(folder / "unreadable", shownFailureText(kFileNotFound)));
}

TEST_F(BatchTest, EmptyListsGiveAWholeCsvFileOrJsonDocument) {
    writeBytes(folder / "list", "\n\r\n");
    std::ostringstream csv, json, messages;
    EXPECT_EQ(calculateFiles(FilesToCompute({}, {folder / "list"}), OutputFormat::Csv, csv, messages),
              kExitAllComputed);
    calculateFiles(FilesToCompute({}, {folder / "list"}), OutputFormat::Json, json, messages);
    EXPECT_EQ(csv.str(), csvHeader());
    EXPECT_EQ(json.str(), "[]\n");
}

TEST(FilesToComputeTest, ReadStandardInputTwiceWhenDashIsGivenTwiceAmongFilesAndLists) {
    EXPECT_TRUE(FilesToCompute({"-", "-"}).readStandardInputTwice());
    EXPECT_TRUE(FilesToCompute({"-"}, {"-"}).readStandardInputTwice());
    EXPECT_FALSE(FilesToCompute({"-", "a.txt"}, {"list"}).readStandardInputTwice());
    EXPECT_FALSE(FilesToCompute({"a.txt"}, {"-"}).readStandardInputTwice());
}

// A FIFO whose writer is there but has sent nothing yet, nor closed it.
class WrittenFifo {
public:
    explicit WrittenFifo(const std::string& path) {
        ::mkfifo(path.c_str(), 0600);
        writer_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);  // Linux opens a FIFO so without a reader
    }
    ~WrittenFifo() { close(); }
    void write(const std::string& bytes) {
        ASSERT_EQ(::write(writer_, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    // Returns once a reader has taken every byte written.
    void waitUntilRead() const {
        int unread = 1;
        while (::ioctl(writer_, FIONREAD, &unread) == 0 && unread > 0) std::this_thread::yield();
    }
    void close() {
        if (writer_ >= 0) ::close(writer_);
        writer_ = -1;
    }

private:
    int writer_ = -1;
};

// The second half comes only once the first has been read: the computation waits for it.
TEST_F(BatchTest, AFifoIsReadToTheEndOfWhatItsWriterSends) {
    const std::string name = folder / "fifo.txt";
    WrittenFifo fifo(name);
    const std::size_t half = kStandardFileBytes.size() / 2;
    fifo.write(kStandardFileBytes.substr(0, half));
    Output output;
    std::thread computation([&] { output = calculated({name}, "csv"); });
    fifo.waitUntilRead();
    fifo.write(kStandardFileBytes.substr(half));
    fifo.close();
    computation.join();
    EXPECT_EQ(output.messages, "");
    EXPECT_EQ(firstFields(output.results), (std::vector<std::string>{"file", name}));
    EXPECT_NE(output.results.find(name + ",Частный водосбор Финского залива,212.0,1324.0,"), std::string::npos);
}

// The windows must never freeze: a FIFO that has nothing yet fails at once and changes nothing.
TEST_F(BatchTest, AFifoOpenedInTheWindowsIsNotWaitedFor) {
    const std::string name = folder / "fifo.txt";
    WrittenFifo fifo(name);
    Model model;
    EXPECT_EQ(failureText([&] { loadParameters(model.parameters, name, model.recorder); }),
              "I/O error 11: Resource temporarily unavailable");
    EXPECT_FALSE(model.parameters.hasUnsavedChanges());
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
        NoteCase{"naturalAreaNotANumber", 7, "x", ""}, NoteCase{"sameNumberOtherwiseWritten", 7, "22439.520", ""},
        NoteCase{"nothingToDeriveFrom", 2, "x", ""}),
    [](const auto& test) { return test.param.name; });

// The command line computes as the windows do right after Open: with the stored natural area.
TEST_F(BatchTest, AStoredNaturalAreaGivesOtherResultsThanTheDerivedOne) {
    const std::string file = folder / "edited.txt";
    writeBytes(file, standardFileWith(2, "30000"));
    const FileCalculation opened = calculateFile(file);
    EXPECT_EQ(opened.results.text(Quantity::L, Nutrient::P), "3134.8");
    EXPECT_EQ(computeVariant(opened.parameters).results.text(Quantity::L, Nutrient::P), "3173.3");
}

}  // namespace
