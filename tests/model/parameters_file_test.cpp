// Parameters files: the exact bytes written, the file-name rule, the change rules fired while
// loading, the error texts of failed reads and writes, files that were never written by the
// program (binary garbage, NUL bytes, a huge line, other line ends, devices, endless files),
// and what a save keeps of the file it replaces (owner, group, mode, other names).

#include "model/parameters_file.h"
#include "file_size_limit.h"
#include "killed_at_rename.h"
#include "model/file_system.h"
#include "model/number_text.h"
#include "model/windows1251.h"
#include "model_fixture.h"
#include "standard_input.h"
#include "standard_set.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <fcntl.h>
#include <iconv.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace nutrient;
namespace fs = std::filesystem;

namespace {

const std::string kNotTextFile = kWarnNotTextFile;

std::vector<std::string> textsOf(const ParameterSet& parameters) {
    std::vector<std::string> texts;
    for (const ParameterInfo& p : kParameters) texts.push_back(parameters.text(p.key));
    return texts;
}

std::string join(const std::vector<std::string>& lines, const std::string& lineEnd) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + lineEnd;
    return bytes;
}

std::vector<std::string> standardTexts() {
    std::vector<std::string> texts;
    for (const ParameterInfo& p : kParameters) texts.push_back(p.standardText);
    return texts;
}

// The standard set's lines with some replaced (1-based line numbers), in Windows-1251.
std::vector<std::string> standardLines(std::vector<std::pair<int, std::string>> replaced = {}) {
    std::vector<std::string> lines;
    for (const ParameterInfo& p : kParameters) lines.push_back(encodeWindows1251(p.standardText));
    for (const auto& [line, text] : replaced) lines[line - 1] = text;
    return lines;
}

std::vector<std::string> firstStandardLines(std::size_t count, std::vector<std::pair<int, std::string>> replaced = {}) {
    std::vector<std::string> lines = standardLines(std::move(replaced));
    lines.resize(count);
    return lines;
}

// Root may write anywhere; to meet a denied access the test drops to an ordinary user.
class AsUnprivilegedUser {
public:
    AsUnprivilegedUser() : wasRoot_(::geteuid() == 0) {
        if (wasRoot_ && ::seteuid(65534) != 0) throw std::runtime_error("cannot drop root privileges");
    }
    ~AsUnprivilegedUser() {
        if (wasRoot_) {
            [[maybe_unused]] const int ignored = ::seteuid(0);
        }
    }

private:
    bool wasRoot_;
};

// The standard set and a fresh folder.
class ParametersFileTest : public ::testing::Test, public Model {
protected:
    TempFolder folder;
};

RecordedBox conversionFailure(const std::string& text) { return {"failure", notANumberMessage(text)}; }

// --- Saving and loading the standard set ---------------------------------------------------

TEST_F(ParametersFileTest, SavingTheStandardSetWritesItsFortyLinesInWindows1251) {
    std::string name = folder / "standard.txt";
    saveParameters(parameters, name, recorder);
    EXPECT_EQ(readBytes(name), kStandardFileBytes);
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST_F(ParametersFileTest, LoadingTheSavedStandardSetChangesNothing) {
    std::string name = folder / "standard.txt";
    saveParameters(parameters, name, recorder);
    int changes = 0;
    parameters.setChangeListener([&](Parameter) { ++changes; });
    loadParameters(parameters, name, recorder);
    EXPECT_EQ(textsOf(parameters), standardTexts());
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(recorder.boxes.empty());
}

// --- File names ----------------------------------------------------------------------------

struct NameCase {
    const char* name;
    const char* savedAs;  // nullptr: saving refuses with the warning
    bool loads;           // false: loading refuses with the warning
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

class FileNameRule : public ParametersFileTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(FileNameRule, DecidesTheNameSavedToOrRefusesWithAWarning) {
    const std::optional<std::string> saved = saveParameters(parameters, folder / GetParam().name, recorder);
    if (GetParam().savedAs) {
        EXPECT_EQ(saved, folder / GetParam().savedAs);
        EXPECT_EQ(folder.names(), std::set<std::string>{GetParam().savedAs});
        EXPECT_TRUE(recorder.boxes.empty());
    } else {
        EXPECT_EQ(saved, std::nullopt);
        EXPECT_TRUE(folder.names().empty());
        EXPECT_EQ(recorder.boxes, (std::vector<RecordedBox>{{"warning", kNotTextFile}}));
    }
}

TEST_P(FileNameRule, LoadsOrRefusesWithAWarning) {
    const std::string name = folder / GetParam().name;
    writeBytes(name, join(standardLines({{1, "Other"}}), "\r\n"));
    loadParameters(parameters, name, recorder);
    if (GetParam().loads) {
        EXPECT_EQ(parameters.text(Parameter::ObjectName), "Other");
        EXPECT_TRUE(recorder.boxes.empty());
    } else {
        EXPECT_EQ(textsOf(parameters), standardTexts());
        EXPECT_EQ(recorder.boxes, (std::vector<RecordedBox>{{"warning", kNotTextFile}}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, FileNameRule,
    ::testing::Values(NameCase{"variant", "variant.txt", false}, NameCase{"variant.txt", "variant.txt", true},
                      NameCase{"ab", "ab.txt", false}, NameCase{"txt", "txt.txt", true},
                      NameCase{"a.TXT", nullptr, false}, NameCase{"data.dat", nullptr, false},
                      // The Cyrillic "тхт" looks like "txt" but is not.
                      NameCase{"данные.тхт", nullptr, false}, NameCase{"данные", "данные.txt", false},
                      NameCase{"report.txt.bak", nullptr, false}, NameCase{"notes_txt", "notes_txt.txt", true}));

// --- Loading: what the change rules make of the lines ---------------------------------------

struct ShortFileCase {
    const char* name;
    std::vector<std::string> lines;
    std::vector<RecordedBox> boxes;  // the failed change rules, in order
};

class ShortFile : public ParametersFileTest, public ::testing::WithParamInterface<ShortFileCase> {};

TEST_P(ShortFile, LeavesTheMissingLinesEmptyAndReportsEachFailedRule) {
    const std::string name = folder / "short.txt";
    writeBytes(name, join(GetParam().lines, "\r\n"));
    loadParameters(parameters, name, recorder);
    const std::vector<std::string> texts = textsOf(parameters);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i < GetParam().lines.size()) EXPECT_EQ(texts[i], decodeWindows1251(GetParam().lines[i])) << i + 1;
        else EXPECT_EQ(texts[i], "") << "line " << i + 1;
    }
    EXPECT_EQ(recorder.boxes, GetParam().boxes);
}

INSTANTIATE_TEST_SUITE_P(Lines, ShortFile,
                         ::testing::Values(
                             // Only y (line 40) of the missing lines has a rule: q cannot be derived from "".
                             ShortFileCase{"ten", firstStandardLines(10), {conversionFailure("")}},
                             // Line 4 is a word: the natural area cannot be derived and keeps its text; line 7
                             // then holds that same text, so it fires nothing.
                             ShortFileCase{"tenWithWord",
                                           firstStandardLines(10, {{4, "\xEC\xED\xEE\xE3\xEE"}}),
                                           {conversionFailure("много"), conversionFailure("")}},
                             // W (line 6), Anat (line 7) and y (line 40) become empty, each firing its rule.
                             ShortFileCase{"five",
                                           firstStandardLines(5),
                                           {conversionFailure(""), conversionFailure(""), conversionFailure("")}},
                             // Every line is missing: A, Af, Au, Amix, W, Anat and y each fail once.
                             ShortFileCase{"empty", {}, std::vector<RecordedBox>(7, conversionFailure(""))}),
                         [](const auto& test) { return test.param.name; });

struct RunoffCase {
    const char* name;
    const char* y;  // line 40
    const char* q;  // the runoff modulus after loading
};

class RunoffModulusAfterLoading : public ParametersFileTest, public ::testing::WithParamInterface<RunoffCase> {};

// The set shows y = 300 before loading; line 18 holds a q that does not belong to any y.
TEST_P(RunoffModulusAfterLoading, IsTheStoredTextUnlessLine40ChangesTheRunoffLayer) {
    const std::string name = folder / "runoff.txt";
    writeBytes(name, join(standardLines({{18, "7.7"}, {40, GetParam().y}}), "\r\n"));
    loadParameters(parameters, name, recorder);
    EXPECT_EQ(parameters.text(Parameter::RunoffModulus), GetParam().q);
    EXPECT_EQ(parameters.text(Parameter::RunoffLayer), GetParam().y);
    EXPECT_TRUE(recorder.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Lines, RunoffModulusAfterLoading,
                         ::testing::Values(RunoffCase{"sameY", "300", "7.7"},
                                           RunoffCase{"otherY", "250", "7.9275"}),  // 250 * 0.03171
                         [](const auto& test) { return test.param.name; });

TEST_F(ParametersFileTest, LoadingWarnsAboutAreasAsTheLinesChangeTheFields) {
    // W = 150 makes the natural area negative when line 6 is assigned; line 7 then stores
    // another negative area, which warns again.
    const std::string name = folder / "warnings.txt";
    writeBytes(name, join(standardLines({{6, "150"}, {7, "-1"}}), "\r\n"));
    loadParameters(parameters, name, recorder);
    EXPECT_EQ(recorder.boxes,
              (std::vector<RecordedBox>{
                  {"warning", kWarnNegativeArea}, {"warning", kWarnWaterShare}, {"warning", kWarnNegativeArea}}));
    EXPECT_EQ(parameters.text(Parameter::NaturalArea), "-1");
}

struct LineEndCase {
    const char* name;
    std::function<std::string(const std::vector<std::string>&)> bytes;
};

class LineEnds : public ParametersFileTest, public ::testing::WithParamInterface<LineEndCase> {};

TEST_P(LineEnds, AllReadTheSameLines) {
    // "Вариант Ё №2" in Windows-1251, and another deposition.
    const std::vector<std::string> lines = standardLines({{1,
                                                           "\xC2\xE0\xF0\xE8\xE0\xED\xF2 \xA8 \xB9"
                                                           "2"},
                                                          {13, "0.5"}});
    const std::string name = folder / "variant.txt";
    writeBytes(name, GetParam().bytes(lines));
    loadParameters(parameters, name, recorder);
    std::vector<std::string> expected = standardTexts();
    expected[0] = "Вариант Ё №2";
    expected[12] = "0.5";
    EXPECT_EQ(textsOf(parameters), expected);
    EXPECT_TRUE(recorder.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Files, LineEnds,
                         ::testing::Values(LineEndCase{"crLf", [](const auto& l) { return join(l, "\r\n"); }},
                                           LineEndCase{"lf", [](const auto& l) { return join(l, "\n"); }},
                                           LineEndCase{"cr", [](const auto& l) { return join(l, "\r"); }},
                                           LineEndCase{"noFinalEnd",
                                                       [](const auto& l) {
                                                           auto b = join(l, "\r\n");
                                                           b.resize(b.size() - 2);
                                                           return b;
                                                       }},
                                           LineEndCase{"mixed",
                                                       [](const auto& l) {
                                                           std::string b;
                                                           const char* ends[] = {"\r\n", "\n", "\r"};
                                                           for (std::size_t i = 0; i < l.size(); ++i)
                                                               b += l[i] + ends[i % 3];
                                                           return b;
                                                       }}),
                         [](const auto& test) { return test.param.name; });

// --- Files saved by a modern editor ----------------------------------------------------------

struct FileEncodingCase {
    const char* name;
    std::string firstLine;
    const char* objectName;
};

class FileEncoding : public ParametersFileTest, public ::testing::WithParamInterface<FileEncodingCase> {};

TEST_P(FileEncoding, IsUtf8WhenTheBytesAreWellFormedUtf8BeyondAsciiElseWindows1251) {
    const std::string name = folder / "object.txt";
    writeBytes(name, join(standardLines({{1, GetParam().firstLine}}), "\r\n"));
    loadParameters(parameters, name, recorder);
    EXPECT_EQ(parameters.text(Parameter::ObjectName), GetParam().objectName);
}

INSTANTIATE_TEST_SUITE_P(Files, FileEncoding,
                         ::testing::Values(FileEncodingCase{"utf8", "Озеро №2", "Озеро №2"},
                                           FileEncodingCase{"utf8WithByteOrderMark", "\xEF\xBB\xBFLake", "Lake"},
                                           FileEncodingCase{"windows1251",
                                                            "\xCE\xE7\xE5\xF0\xEE \xB9"
                                                            "2",
                                                            "Озеро №2"},
                                           // "Ё" in UTF-8 beside a Windows-1251 "№": not UTF-8 throughout.
                                           FileEncodingCase{"mixed", "\xD0\x81 \xB9", "РЃ №"}),
                         [](const auto& test) { return test.param.name; });

TEST_F(ParametersFileTest, AUtf8FileIsSavedInWindows1251) {
    const std::string name = folder / "utf8.txt";
    writeBytes(name, join(standardLines({{1, "Частный водосбор Финского залива"}}), "\r\n"));
    loadParameters(parameters, name, recorder);
    saveParameters(parameters, name, recorder);
    EXPECT_EQ(readBytes(name), kStandardFileBytes);
}

// --- Files the program never wrote --------------------------------------------------------

using Texts = std::vector<std::pair<Parameter, std::string>>;

struct ContentCase {
    const char* name;
    std::function<std::string()> bytes;
    // Parameter and text after loading; made when the case runs, as the bytes are, so that
    // the large ones do not weigh on every start of the test program.
    std::function<Texts()> texts;
};

class StrangeContent : public ParametersFileTest, public ::testing::WithParamInterface<ContentCase> {};

TEST_P(StrangeContent, LoadsWithoutHarm) {
    const std::string name = folder / "strange.txt";
    writeBytes(name, GetParam().bytes());
    loadParameters(parameters, name, recorder);
    for (const auto& [parameter, text] : GetParam().texts())
        EXPECT_EQ(parameters.text(parameter), text) << info(parameter).field;
}

std::string everyByte() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Files, StrangeContent,
    ::testing::Values(
        // Lines: bytes 0..9 (ending at LF), 11..12 (ending at CR), 14..255.
        ContentCase{"everyByte", everyByte,
                    [] {
                        return Texts{{Parameter::ObjectName, ""},
                                     {Parameter::TotalArea, "\v\f"},
                                     {Parameter::ArableArea, decodeWindows1251(everyByte().substr(14))},
                                     {Parameter::UrbanArea, ""}};
                    }},
        // A field's text ends at a NUL byte.
        ContentCase{"nulBytes",
                    [] {
                        return std::string(
                            "Name\0hidden\r\n\0\r\n1\0"
                            "2\r\n",
                            22);
                    },
                    [] {
                        return Texts{{Parameter::ObjectName, "Name"},
                                     {Parameter::TotalArea, ""},
                                     {Parameter::ArableArea, "1"},
                                     {Parameter::UrbanArea, ""}};
                    }},
        // The CR LF straddles two reads of 64 KiB.
        ContentCase{"crLfAcrossReads", [] { return std::string(65535, 'x') + "\r\n777\r\n"; },
                    [] {
                        return Texts{{Parameter::ObjectName, std::string(65535, 'x')},
                                     {Parameter::TotalArea, "777"},
                                     {Parameter::ArableArea, ""}};
                    }},
        ContentCase{"noLineEnd", [] { return std::string("\xCE\xE7\xE5\xF0\xEE"); },
                    [] {
                        return Texts{{Parameter::ObjectName, "Озеро"}, {Parameter::TotalArea, ""}};
                    }},
        ContentCase{"tenMegabyteLine", [] { return std::string(10'000'000, '\xDF') + "\r\n777\r\n"; },
                    [] {
                        return Texts{{Parameter::ObjectName,
                                      [] {
                                          std::string s;
                                          for (int i = 0; i < 10'000'000; ++i) s += "Я";
                                          return s;
                                      }()},
                                     {Parameter::TotalArea, "777"}};
                    }},
        ContentCase{"linesBeyondForty",
                    [] { return kStandardFileBytes + "junk\r\n" + std::string(1'000'000, '\0') + "\r\n"; },
                    [] {
                        return Texts{{Parameter::ObjectName, "Частный водосбор Финского залива"},
                                     {Parameter::RunoffLayer, "300"},
                                     {Parameter::RunoffModulus, "9.513"}};
                    }}),
    [](const auto& test) { return test.param.name; });

// --- Failures --------------------------------------------------------------------------------

enum class Condition { None, Unprivileged, FileSizeLimit };

struct FailureCase {
    const char* name;
    std::function<void(const TempFolder&)> arrange;  // besides old.txt, which always exists
    std::string fileName;
    Condition condition;
    const char* text;
};

std::string underCondition(Condition condition, const std::function<void()>& action) {
    if (condition == Condition::Unprivileged) {
        AsUnprivilegedUser unprivileged;
        return failureText(action);
    }
    if (condition == Condition::FileSizeLimit) {
        FileSizeLimit limit(100);
        return failureText(action);
    }
    return failureText(action);
}

const std::string kLongName = std::string(300, 'a') + ".txt";

class FailedSave : public ParametersFileTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailedSave, ReportsTheErrorAndLeavesTheFolderAsItWas) {
    const std::string oldBytes = join(standardLines({{1, "old"}}), "\r\n");
    writeBytes(folder / "old.txt", oldBytes);
    GetParam().arrange(folder);
    const std::set<std::string> before = folder.names();
    std::string name = folder / GetParam().fileName;
    EXPECT_EQ(underCondition(GetParam().condition, [&] { saveParameters(parameters, name, recorder); }),
              GetParam().text);
    EXPECT_EQ(folder.names(), before);  // no temporary file left behind
    EXPECT_EQ(readBytes(folder / "old.txt"), oldBytes);
    EXPECT_TRUE(recorder.boxes.empty());
}

const auto kNothing = [](const TempFolder&) {};
const auto kLinkLoop = [](const TempFolder& f) {
    fs::create_symlink("b.txt", f.path() / "a.txt");
    fs::create_symlink("a.txt", f.path() / "b.txt");
};

INSTANTIATE_TEST_SUITE_P(
    Saves, FailedSave,
    ::testing::Values(
        FailureCase{"readOnlyFolder", [](const TempFolder& f) { fs::permissions(f.path(), fs::perms(0555)); },
                    "old.txt", Condition::Unprivileged, kFileAccessDenied},
        FailureCase{"readOnlyFile",
                    [](const TempFolder& f) {
                        fs::permissions(f.path(), fs::perms(0777));
                        fs::permissions(f / "old.txt", fs::perms(0444));
                    },
                    "old.txt", Condition::Unprivileged, kFileAccessDenied},
        // The file reaches the size limit part way: the previous file must survive.
        FailureCase{"diskLimitReached", kNothing, "old.txt", Condition::FileSizeLimit, "I/O error 27: File too large"},
        FailureCase{"linkLoop", kLinkLoop, "a.txt", Condition::None, "I/O error 40: Too many levels of symbolic links"},
        FailureCase{"overAFolder", [](const TempFolder& f) { fs::create_directory(f / "dir.txt"); }, "dir.txt",
                    Condition::None, kFileAccessDenied},
        FailureCase{"missingFolder", kNothing, "missing/new.txt", Condition::None, kFileNotFound},
        FailureCase{"throughAFile", kNothing, "old.txt/new.txt", Condition::None, kInvalidFileName},
        FailureCase{"nameTooLong", kNothing, kLongName, Condition::None, kInvalidFileName}),
    [](const auto& test) { return test.param.name; });

class FailedLoad : public ParametersFileTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailedLoad, ReportsTheErrorAndChangesNothing) {
    writeBytes(folder / "old.txt", join(standardLines({{1, "old"}}), "\r\n"));
    GetParam().arrange(folder);
    int changes = 0;
    parameters.setChangeListener([&](Parameter) { ++changes; });
    const std::string name = folder / GetParam().fileName;
    EXPECT_EQ(underCondition(GetParam().condition, [&] { loadParameters(parameters, name, recorder); }),
              GetParam().text);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(recorder.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Loads, FailedLoad,
    ::testing::Values(FailureCase{"missingFile", kNothing, "missing.txt", Condition::None, kFileNotFound},
                      FailureCase{"unreadableFile",
                                  [](const TempFolder& f) { fs::permissions(f / "old.txt", fs::perms(0200)); },
                                  "old.txt", Condition::Unprivileged, kFileAccessDenied},
                      FailureCase{"aFolder", [](const TempFolder& f) { fs::create_directory(f / "dir.txt"); },
                                  "dir.txt", Condition::None, kFileAccessDenied},
                      FailureCase{"throughAFile", kNothing, "old.txt/new.txt", Condition::None, kInvalidFileName},
                      FailureCase{"nameTooLong", kNothing, kLongName, Condition::None, kInvalidFileName},
                      FailureCase{"linkLoop", kLinkLoop, "a.txt", Condition::None,
                                  "I/O error 40: Too many levels of symbolic links"}),
    [](const auto& test) { return test.param.name; });

// --- The unchanged state: the texts last opened or saved ----------------------------------

struct UnchangedCase {
    const char* name;
    std::function<void(ParameterSet&, Messages&, const TempFolder&)> step;
    bool unsaved;
};

class UnchangedState : public ParametersFileTest, public ::testing::WithParamInterface<UnchangedCase> {};

// The set is the standard one with its point sources of P typed over; the file holds others.
TEST_P(UnchangedState, IsWhatWasLastOpenedOrSavedSuccessfully) {
    writeBytes(folder / "other.txt", join(standardLines({{28, "250"}}), "\r\n"));
    parameters.setText(Parameter::PointSourcesP, "300");
    GetParam().step(parameters, recorder, folder);
    EXPECT_EQ(parameters.hasUnsavedChanges(), GetParam().unsaved);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, UnchangedState,
    ::testing::Values(
        UnchangedCase{"opened",
                      [](ParameterSet& p, Messages& m, const TempFolder& f) { loadParameters(p, f / "other.txt", m); },
                      false},
        UnchangedCase{"openRefused",
                      [](ParameterSet& p, Messages& m, const TempFolder& f) { loadParameters(p, f / "other.dat", m); },
                      true},
        UnchangedCase{"openFailed",
                      [](ParameterSet& p, Messages& m, const TempFolder& f) {
                          EXPECT_EQ(failureText([&] { loadParameters(p, f / "missing.txt", m); }), kFileNotFound);
                      },
                      true},
        UnchangedCase{"saved",
                      [](ParameterSet& p, Messages& m, const TempFolder& f) {
                          std::string name = f / "new";
                          EXPECT_TRUE(saveParameters(p, name, m).has_value());
                      },
                      false},
        UnchangedCase{"saveRefused",
                      [](ParameterSet& p, Messages& m, const TempFolder& f) {
                          std::string name = f / "data.dat";
                          EXPECT_FALSE(saveParameters(p, name, m).has_value());
                      },
                      true},
        UnchangedCase{"saveFailed",
                      [](ParameterSet& p, Messages& m, const TempFolder& f) {
                          std::string name = f / "missing/new.txt";
                          EXPECT_EQ(failureText([&] { saveParameters(p, name, m); }), kFileNotFound);
                      },
                      true}),
    [](const auto& test) { return test.param.name; });

// --- What a replaced file keeps ---------------------------------------------------------------

// The new file a save writes is unnamed where the file system allows, else a hidden named one.
class EitherKindOfNewFile : public ParametersFileTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override { setNamedTemporaryFilesForTests(GetParam()); }
    void TearDown() override { setNamedTemporaryFilesForTests(false); }
};

TEST_P(EitherKindOfNewFile, TakesTheUsualOrTheReplacedModeAndLeavesNothingWhenItFails) {
    const mode_t mask = ::umask(027);
    std::string created = folder / "new.txt";
    saveParameters(parameters, created, recorder);
    ::umask(mask);
    EXPECT_EQ(fs::status(created).permissions(), fs::perms(0640));

    std::string kept = folder / "kept.txt";
    writeBytes(kept, "old");
    fs::permissions(kept, fs::perms(0604));
    saveParameters(parameters, kept, recorder);
    EXPECT_EQ(fs::status(kept).permissions(), fs::perms(0604));
    EXPECT_EQ(readBytes(kept), kStandardFileBytes);

    writeBytes(folder / "old.txt", "old");
    std::string old = folder / "old.txt";
    EXPECT_EQ(underCondition(Condition::FileSizeLimit, [&] { saveParameters(parameters, old, recorder); }),
              "I/O error 27: File too large");
    EXPECT_EQ(readBytes(old), "old");
    EXPECT_EQ(folder.names(), (std::set<std::string>{"new.txt", "kept.txt", "old.txt"}));
}

INSTANTIATE_TEST_SUITE_P(Kinds, EitherKindOfNewFile, ::testing::Bool(),
                         [](const auto& test) { return test.param ? "named" : "unnamed"; });

// A write beyond the size limit ends the process, as a crash would, with the new file half
// written: the unnamed file goes with the process.
TEST_F(ParametersFileTest, ASaveCutShortByTheProcessDyingLeavesNothingBehind) {
    writeBytes(folder / "old.txt", "old");
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        rlimit size{};
        ::getrlimit(RLIMIT_FSIZE, &size);
        size.rlim_cur = 100;
        ::setrlimit(RLIMIT_FSIZE, &size);
        std::signal(SIGXFSZ, SIG_DFL);
        std::string name = folder / "old.txt";
        saveParameters(parameters, name, recorder);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "premise: the save was cut short";
    EXPECT_EQ(folder.names(), std::set<std::string>{"old.txt"});
    EXPECT_EQ(readBytes(folder / "old.txt"), "old");
}

TEST_F(ParametersFileTest, SavingThroughASymbolicLinkReplacesTheFileItPointsTo) {
    fs::create_directory(folder.path() / "sets");
    writeBytes(folder / "sets/real.txt", "old");
    fs::create_symlink("sets/real.txt", folder.path() / "link.txt");
    std::string name = folder / "link.txt";
    saveParameters(parameters, name, recorder);
    EXPECT_TRUE(fs::is_symlink(folder.path() / "link.txt"));
    EXPECT_EQ(readBytes(folder / "sets/real.txt"), kStandardFileBytes);
    EXPECT_EQ(folder.names(), (std::set<std::string>{"link.txt", "sets"}));
}

TEST_F(ParametersFileTest, LineBreaksInATextAreWrittenAsBlanks) {
    parameters.setText(Parameter::ObjectName, "two\r\nlines\rand\nmore");
    std::string name = folder / "breaks.txt";
    saveParameters(parameters, name, recorder);
    EXPECT_EQ(readBytes(name),
              "two  lines and more\r\n" + kStandardFileBytes.substr(kStandardFileBytes.find("\r\n") + 2));
}

// The failure text a command printed, or its exit status when it printed none.
std::string outputOf(const std::string& command) {
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    const int status = ::pclose(pipe);
    if (!output.empty() && output.back() == '\n') output.pop_back();
    if (output.empty() && status != 0) output = "exit status " + std::to_string(status);
    return output;
}

// A copy of the program that saves the standard set, in the folder, where anyone may run it.
std::string saveProgramIn(const TempFolder& folder) {
    const std::string program = folder / "save_standard_set";
    fs::copy_file(SAVE_STANDARD_SET, program);
    fs::permissions(program, fs::perms(0755));
    return program;
}

TEST_F(ParametersFileTest, SavingThroughALinkToTheSavingProgramReplacesItsFile) {
    // The system reports no size for the links of /proc, whose targets are nonetheless long.
    const std::string program = saveProgramIn(folder);
    fs::create_symlink("/proc/self/exe", folder.path() / "p.txt");
    const auto rootNames = [] {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator("/")) names.insert(entry.path().string());
        return names;
    };
    const std::set<std::string> rootBefore = rootNames();
    EXPECT_EQ(outputOf(program + " " + folder / "p.txt"), "");
    EXPECT_EQ(readBytes(program), kStandardFileBytes);
    EXPECT_TRUE(fs::is_symlink(folder.path() / "p.txt"));
    EXPECT_EQ(rootNames(), rootBefore);
}

// --- Targets that are no files --------------------------------------------------------------

struct NodeCase {
    const char* name;
    std::function<void(const TempFolder&)> make;
    const char* savedAs;
    const char* node;  // what the name leads to
    fs::file_type type;
};

class NonRegularTarget : public ParametersFileTest, public ::testing::WithParamInterface<NodeCase> {};

TEST_P(NonRegularTarget, IsRefusedAndLeftAsItIs) {
    if (GetParam().type == fs::file_type::character && ::geteuid() != 0)
        GTEST_SKIP() << "making a device node takes root";
    GetParam().make(folder);
    const std::set<std::string> before = folder.names();
    std::string name = folder / GetParam().savedAs;
    EXPECT_EQ(failureText([&] { saveParameters(parameters, name, recorder); }),
              notRegularFileMessage(folder / GetParam().node));
    EXPECT_EQ(fs::symlink_status(folder / GetParam().node).type(), GetParam().type);
    EXPECT_EQ(folder.names(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, NonRegularTarget,
    ::testing::Values(NodeCase{"deviceBehindALink",
                               [](const TempFolder& f) {
                                   // The twin of /dev/null.
                                   ASSERT_EQ(::mknod((f / "device").c_str(), S_IFCHR | 0666, ::makedev(1, 3)), 0);
                                   fs::create_symlink("device", f.path() / "out.txt");
                               },
                               "out.txt", "device", fs::file_type::character},
                      NodeCase{"fifo",
                               [](const TempFolder& f) { ASSERT_EQ(::mkfifo((f / "fifo.txt").c_str(), 0644), 0); },
                               "fifo.txt", "fifo.txt", fs::file_type::fifo},
                      NodeCase{"socket",
                               [](const TempFolder& f) {
                                   sockaddr_un address{};
                                   address.sun_family = AF_UNIX;
                                   const std::string path = f / "socket.txt";
                                   path.copy(address.sun_path, sizeof address.sun_path - 1);
                                   const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
                                   ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
                                   ::close(s);
                               },
                               "socket.txt", "socket.txt", fs::file_type::socket}),
    [](const auto& test) { return test.param.name; });

// --- Files too large to be parameters files ----------------------------------------------------

// A file of zeros, none of them stored, `size` bytes long.
void writeSparse(const std::string& path, std::size_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0);
    ::close(fd);
}

// The most resident memory this process has taken at any time.
std::size_t peakMemory() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::size_t>(usage.ru_maxrss) * 1024;
}

struct TooLargeCase {
    const char* name;
    std::function<void(const TempFolder&)> arrange;
    std::function<void(ParameterSet&, Messages&, const TempFolder&)> load;
    std::function<std::string(const TempFolder&)> shownName;
};

class TooLarge : public ParametersFileTest, public ::testing::WithParamInterface<TooLargeCase> {};

TEST_P(TooLarge, StopsAtTheReadLimitNamingItAndChangesNothing) {
    GetParam().arrange(folder);
    int changes = 0;
    parameters.setChangeListener([&](Parameter) { ++changes; });
    EXPECT_EQ(failureText([&] { GetParam().load(parameters, recorder, folder); }),
              fileTooLargeMessage(GetParam().shownName(folder)));
    EXPECT_EQ(changes, 0);
    EXPECT_LT(peakMemory(), std::size_t{1} << 30);
}

const auto kLoadFile = [](const char* name) {
    return [name](ParameterSet& p, Messages& m, const TempFolder& f) { loadParameters(p, f / name, m); };
};
const auto kNameOf = [](const char* name) { return [name](const TempFolder& f) { return f / name; }; };

INSTANTIATE_TEST_SUITE_P(
    Files, TooLarge,
    ::testing::Values(TooLargeCase{"linkToDevZero",
                                   [](const TempFolder& f) { fs::create_symlink("/dev/zero", f.path() / "zero.txt"); },
                                   kLoadFile("zero.txt"), kNameOf("zero.txt")},
                      TooLargeCase{"oneBytePastTheLimit",
                                   [](const TempFolder& f) { writeSparse(f / "huge.txt", kReadLimit + 1); },
                                   kLoadFile("huge.txt"), kNameOf("huge.txt")},
                      TooLargeCase{"standardInputFromDevZero", kNothing,
                                   [](ParameterSet& p, Messages&, const TempFolder&) {
                                       StandardInputFrom zeros("/dev/zero");
                                       loadParametersFromStandardInput(p);
                                   },
                                   [](const TempFolder&) { return std::string(kStandardInputName); }}),
    [](const auto& test) { return test.param.name; });

TEST_F(ParametersFileTest, FortyLinesEndingAtTheReadLimitLoad) {
    const std::string name = folder / "full.txt";
    const std::string lastLines = kStandardFileBytes.substr(kStandardFileBytes.find("\r\n"));
    writeSparse(name, kReadLimit - lastLines.size());
    std::ofstream(name, std::ios::binary | std::ios::app) << lastLines;
    ASSERT_EQ(fs::file_size(name), kReadLimit);
    loadParameters(parameters, name, recorder);
    std::vector<std::string> expected = standardTexts();
    expected[0] = "";  // zeros: a field's text ends at the first
    EXPECT_EQ(textsOf(parameters), expected);
    EXPECT_TRUE(recorder.boxes.empty());
}

// Lines with LF ends just within the limit grow by a CR each on saving.
TEST_F(ParametersFileTest, AFileTooLargeToLoadIsNotSaved) {
    writeBytes(folder / "old.txt", "old");
    parameters.setText(Parameter::ObjectName, std::string(kReadLimit - 80, 'x'));
    std::string name = folder / "old.txt";
    EXPECT_EQ(failureText([&] { saveParameters(parameters, name, recorder); }), fileTooLargeMessage(name));
    EXPECT_EQ(readBytes(name), "old");
}

// --- Saving as one user the file of another ----------------------------------------------------

constexpr gid_t kSharedGroup = 2000;
constexpr uid_t kAlice = 2001;
constexpr uid_t kBob = 2002;

struct Ownership {
    uid_t user;
    gid_t group;
    mode_t mode;
};

Ownership ownershipOf(const std::string& path) {
    struct stat status;
    ::stat(path.c_str(), &status);
    return {status.st_uid, status.st_gid, status.st_mode & 07777};
}

bool operator==(const Ownership& a, const Ownership& b) {
    return a.user == b.user && a.group == b.group && a.mode == b.mode;
}

void PrintTo(const Ownership& o, std::ostream* os) { *os << o.user << ":" << o.group << " " << std::oct << o.mode; }

void setOwnership(const std::string& path, const Ownership& o) {
    ASSERT_EQ(::chown(path.c_str(), o.user, o.group), 0);
    ASSERT_EQ(::chmod(path.c_str(), o.mode), 0);
}

// Saves the standard set as the user (with their own group, and a member of the shared one);
// the failure text, empty when the save succeeded.
std::string saveAs(uid_t user, const std::string& program, const std::string& file) {
    const std::string id = std::to_string(user);
    return outputOf("setpriv --reuid=" + id + " --regid=" + id + " --groups=" + std::to_string(kSharedGroup) + " " +
                    program + " " + file);
}

// What else a file may have that a new file would not.
enum class Extra { None, SecondName, AccessListForBob };

// An access list: the owner, the group and Bob may read and write, others nothing.
void grantBobAccess(const std::string& path) {
    struct Entry {
        std::uint16_t tag, permissions;
        std::uint32_t id;
    };
    const std::uint32_t version = 2;
    const Entry entries[] = {{0x01, 6, ~0u}, {0x02, 6, kBob}, {0x04, 6, ~0u}, {0x10, 6, ~0u}, {0x20, 0, ~0u}};
    std::string value(reinterpret_cast<const char*>(&version), sizeof version);
    value.append(reinterpret_cast<const char*>(entries), sizeof entries);
    ASSERT_EQ(::setxattr(path.c_str(), "system.posix_acl_access", value.data(), value.size(), 0), 0);
}

struct KeptCase {
    const char* name;
    Ownership folder;
    Ownership file;
    Extra extra;
    uid_t saver;
    uid_t savesAfter;  // who must still be able to save the file afterwards
};

class KeptOnSaving : public ParametersFileTest, public ::testing::WithParamInterface<KeptCase> {};

TEST_P(KeptOnSaving, AreTheOwnerGroupModeAndAccessOfTheFile) {
    if (::geteuid() != 0) GTEST_SKIP() << "saving as two users takes root (setpriv)";
    const std::string program = saveProgramIn(folder);
    const std::string file = folder / "p.txt";
    writeBytes(file, "old");
    setOwnership(file, GetParam().file);
    if (GetParam().extra == Extra::SecondName) fs::create_hard_link(file, folder / "q.txt");
    if (GetParam().extra == Extra::AccessListForBob) grantBobAccess(file);
    setOwnership(folder.path().string(), GetParam().folder);
    const std::set<std::string> names = folder.names();
    const Ownership before = ownershipOf(file);

    EXPECT_EQ(saveAs(GetParam().saver, program, file), "");
    EXPECT_EQ(ownershipOf(file), before);
    EXPECT_EQ(readBytes(file), kStandardFileBytes);
    if (GetParam().extra == Extra::SecondName) {
        EXPECT_EQ(readBytes(folder / "q.txt"), kStandardFileBytes);
    }
    EXPECT_EQ(folder.names(), names);
    EXPECT_EQ(saveAs(GetParam().savesAfter, program, file), "");
}

INSTANTIATE_TEST_SUITE_P(
    Savers, KeptOnSaving,
    ::testing::Values(
        KeptCase{"groupMemberSavesTheOwnersFile",
                 {kAlice, kSharedGroup, 0775},
                 {kAlice, kSharedGroup, 0660},
                 Extra::None,
                 kBob,
                 kAlice},
        KeptCase{
            "rootSavesAUsersFile", {kAlice, kSharedGroup, 0775}, {kAlice, kSharedGroup, 0604}, Extra::None, 0, kAlice},
        KeptCase{"fileWithASecondName",
                 {kAlice, kAlice, 0755},
                 {kAlice, kSharedGroup, 0664},
                 Extra::SecondName,
                 kAlice,
                 kAlice},
        KeptCase{"ownerSavesAFileSharedByAnAccessList",
                 {kAlice, kAlice, 0755},
                 {kAlice, kAlice, 0600},
                 Extra::AccessListForBob,
                 kAlice,
                 kBob},
        KeptCase{"writableFileInAFolderThatIsNot", {0, 0, 0755}, {0, 0, 0666}, Extra::None, kBob, 0}),
    [](const auto& test) { return test.param.name; });

// --- Links planted in a folder that anyone may write ------------------------------------------

struct PlantedLinkCase {
    const char* name;
    mode_t folderMode;
    uid_t folderOwner;
    uid_t linkOwner;
    bool dangling;  // the link points where no file is
    bool followed;
};

class LinkInASharedFolder : public ParametersFileTest, public ::testing::WithParamInterface<PlantedLinkCase> {};

// Root saves through shared/p.txt, a link to the root-only private/secret.txt.
TEST_P(LinkInASharedFolder, IsFollowedOnlyWhereTheKernelWouldFollowIt) {
    if (::geteuid() != 0) GTEST_SKIP() << "a link of another user takes root";
    fs::create_directory(folder.path() / "private");
    const std::string secret = folder / "private/secret.txt";
    if (!GetParam().dangling) {
        writeBytes(secret, "secret");
        fs::permissions(secret, fs::perms(0600));
    }
    fs::create_directory(folder.path() / "shared");
    setOwnership(folder / "shared", {GetParam().folderOwner, GetParam().folderOwner, GetParam().folderMode});
    std::string link = folder / "shared/p.txt";
    fs::create_symlink("../private/secret.txt", link);
    ASSERT_EQ(::lchown(link.c_str(), GetParam().linkOwner, GetParam().linkOwner), 0);

    const std::string failure = failureText([&] { saveParameters(parameters, link, recorder); });
    const std::string secretBytes = fs::exists(secret) ? readBytes(secret) : "<none>";
    if (GetParam().followed) {
        EXPECT_EQ(failure, "");
        EXPECT_EQ(secretBytes, kStandardFileBytes);
    } else {
        EXPECT_EQ(failure, kFileAccessDenied);
        EXPECT_EQ(secretBytes, GetParam().dangling ? "<none>" : "secret");
    }
    EXPECT_TRUE(fs::is_symlink(link));
}

INSTANTIATE_TEST_SUITE_P(Links, LinkInASharedFolder,
                         ::testing::Values(PlantedLinkCase{"plantedByAnother", 01777, 0, kAlice, false, false},
                                           PlantedLinkCase{"danglingPlantedByAnother", 01777, 0, kAlice, true, false},
                                           PlantedLinkCase{"theSaversOwn", 01777, 0, 0, false, true},
                                           PlantedLinkCase{"theFolderOwners", 01777, kAlice, kAlice, false, true},
                                           PlantedLinkCase{"folderNotSticky", 0777, 0, kAlice, false, true}),
                         [](const auto& test) { return test.param.name; });

// --- Saves killed before they are complete -------------------------------------------------------

// The hidden name a save of the process gives its new file begins so.
std::string hiddenPrefixOf(pid_t saver) { return ".nutrient-" + std::to_string(saver) + "-"; }

struct KilledSaveCase {
    const char* name;
    bool targetExists;  // a new target is linked to its name, never renamed to it
    bool namedNewFile;
};

class KilledAtTheRename : public ParametersFileTest, public ::testing::WithParamInterface<KilledSaveCase> {};

TEST_P(KilledAtTheRename, LeavesNothingOnceTheNextSaveInTheFolderHasFinished) {
    const std::string target = folder / "p.txt";
    if (GetParam().targetExists) writeBytes(target, "old");
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        setNamedTemporaryFilesForTests(GetParam().namedNewFile);
        if (!dieAtTheNextRename()) ::_exit(2);
        std::string name = target;
        saveParameters(parameters, name, recorder);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (GetParam().targetExists) {
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGSYS) << "premise: killed at the rename";
        EXPECT_EQ(readBytes(target), "old");
        std::set<std::string> left = folder.names();
        left.erase("p.txt");
        ASSERT_EQ(left.size(), 1u);
        EXPECT_TRUE(left.begin()->starts_with(hiddenPrefixOf(child))) << *left.begin();
    } else {
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        EXPECT_EQ(readBytes(target), kStandardFileBytes);
    }
    std::string other = folder / "other.txt";
    saveParameters(parameters, other, recorder);
    EXPECT_EQ(folder.names(), (std::set<std::string>{"p.txt", "other.txt"}));
}

INSTANTIATE_TEST_SUITE_P(Saves, KilledAtTheRename,
                         ::testing::Values(KilledSaveCase{"newTarget", false, false},
                                           KilledSaveCase{"newTargetNamedNewFile", false, true},
                                           KilledSaveCase{"replacedTarget", true, false},
                                           KilledSaveCase{"replacedTargetNamedNewFile", true, true}),
                         [](const auto& test) { return test.param.name; });

// A process that has ended, and so cannot be saving.
pid_t endedProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST_F(ParametersFileTest, ASaveRemovesOnlyTheSaversOwnHiddenFilesOfSavesThatEnded) {
    const std::string ended = hiddenPrefixOf(endedProcess());
    const std::set<std::string> spared = {
        hiddenPrefixOf(::getpid()) + "AbCd09",  // a save still running
        ended + "AbCd0",
        ended + "AbCd09.txt",
        ended + "AbCd-9",
        ".nutrient-0" + ended.substr(10) + "AbCd09",
        ".nutrient-AbCd09",  // no process in the name
    };
    for (const std::string& name : spared) writeBytes(folder / name, "x");
    fs::create_directory(folder / (ended + "Folder"));
    fs::create_symlink("p.txt", folder / (ended + "ALink1"));
    writeBytes(folder / (ended + "Others"), "x");
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown((folder / (ended + "Others")).c_str(), kAlice, kAlice), 0);
    }
    writeBytes(folder / (ended + "Stale1"), "x");

    std::string name = folder / "p.txt";
    saveParameters(parameters, name, recorder);
    std::set<std::string> expected = spared;
    expected.insert({"p.txt", ended + "Folder", ended + "ALink1"});
    if (::geteuid() == 0) expected.insert(ended + "Others");
    EXPECT_EQ(folder.names(), expected);
}

// --- Windows-1251 -----------------------------------------------------------------------------

std::string systemDecoding(char byte) {
    iconv_t codec = ::iconv_open("UTF-8", "CP1251");
    char in[1] = {byte};
    char out[8];
    char* inPointer = in;
    char* outPointer = out;
    std::size_t inLeft = 1, outLeft = sizeof out;
    const bool ok = ::iconv(codec, &inPointer, &inLeft, &outPointer, &outLeft) != static_cast<std::size_t>(-1);
    ::iconv_close(codec);
    return ok ? std::string(out, outPointer) : "unassigned";
}

TEST(Windows1251, EveryByteDecodesAsTheSystemCodecHasItAndEncodesBack) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string text = decodeWindows1251(byte);
        EXPECT_EQ(text, b == 0x98 ? "\xC2\x98" : systemDecoding(byte[0])) << "byte " << b;
        EXPECT_EQ(encodeWindows1251(text), byte) << "byte " << b;
    }
}

struct EncodingCase {
    const char* name;
    const char* utf8;
    const char* bytes;
};

class Encoding : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(Encoding, WritesWhatTheCodePageCannotHoldAsQuestionMarks) {
    EXPECT_EQ(encodeWindows1251(GetParam().utf8), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Texts, Encoding,
                         ::testing::Values(EncodingCase{"codePage", "Ёж №5 – «€»",
                                                        "\xA8\xE6 \xB9"
                                                        "5 \x96 \xAB\x88\xBB"},
                                           EncodingCase{"outsideCodePage", "日本", "??"},
                                           EncodingCase{"fourByteCharacter", "\xF0\x9F\x98\x80", "?"},
                                           EncodingCase{"cutShort",
                                                        "a\xD0"
                                                        "b",
                                                        "a?b"},
                                           EncodingCase{"neverInUtf8", "\xFF\xFE", "??"},
                                           EncodingCase{"overlong", "\xC0\xAF", "??"},
                                           EncodingCase{"surrogate", "\xED\xA0\x80", "???"},
                                           EncodingCase{"beyondUnicode", "\xF4\x90\x80\x80", "????"}),
                         [](const auto& test) { return test.param.name; });

}  // namespace
