// Every text the user reads in a box, pinned to the letter (the blanks, the odd spellings, the
// Cyrillic and the Latin letters): the other tests take the texts from model/messages.h.  How a
// long text is cut in its quote is the number texts' test (ReadableQuote).

#include "model/messages.h"

#include <gtest/gtest.h>

#include <string>

using namespace nutrient;

namespace {

struct PinnedText {
    const char* name;
    std::string text;   // as the program makes it
    std::string exact;  // as the user reads it
};

class BoxText : public ::testing::TestWithParam<PinnedText> {};

TEST_P(BoxText, IsExactlyWhatTheUserReads) { EXPECT_EQ(GetParam().text, GetParam().exact); }

INSTANTIATE_TEST_SUITE_P(
    Texts, BoxText,
    ::testing::Values(
        PinnedText{"negativeArea", kWarnNegativeArea, "Эта величина не может быть отрицательной!"},
        PinnedText{"waterShare", kWarnWaterShare, "Доля покрытия площади водосбора водой больше 100%!"},
        PinnedText{"areaSum", kWarnAreaSum, "Площадь водосбора меньше суммы частных площадей!"},
        PinnedText{"notTextFile", kWarnNotTextFile, "Введите имя текстового файла."},
        PinnedText{"saveChanges", kQuestionSaveChanges, "Сохранить изменения параметров?"},
        PinnedText{"yes", kAnswerYes, "Да"}, PinnedText{"no", kAnswerNo, "Нет"},
        PinnedText{"cancel", kAnswerCancel, "Отмена"},
        PinnedText{"belowBackground", kErrorBelowBackground,
                   "Расчитанное значение биогенной нагрузки на водоем меньше значения фоновой нагрузки! "
                   "Проверьте  правильность задания параметров модели или уменьшите значение выноса биогенов "
                   "с урожаем."},
        PinnedText{"negativeContribution", kWarnNegativeContribution,
                   "Величина вклада различных источников не должна быть отрицательной!"},
        PinnedText{"negativeDiffuse", kWarnNegativeDiffuse,
                   "Вклад рассредоточенных источников в биогенную нагрузку отрицательный, проверьте "
                   "правильность задания параметров!"},
        PinnedText{"reportNotPrinted", kReportNotPrinted, "Отчет не удалось напечатать"},
        PinnedText{"divisionByZero", kDivisionByZero, "Floating point division by zero"},
        PinnedText{"invalidOperation", kInvalidOperation, "Invalid floating point operation"},
        PinnedText{"overflow", kOverflow, "Floating point overflow"},
        PinnedText{"outOfMemory", kOutOfMemory, "Out of memory"},
        PinnedText{"fileNotFound", kFileNotFound, "File not found"},
        PinnedText{"invalidFileName", kInvalidFileName, "Invalid filename"},
        PinnedText{"tooManyOpenFiles", kTooManyOpenFiles, "Too many open files"},
        PinnedText{"fileAccessDenied", kFileAccessDenied, "File access denied"},
        PinnedText{"diskFull", kDiskFull, "Disk full"},
        PinnedText{"notANumber", notANumberMessage("0,08"), "'0,08' is not a valid floating point value"},
        PinnedText{"notANumberEmpty", notANumberMessage(""), "'' is not a valid floating point value"},
        PinnedText{"fileTooLarge", fileTooLargeMessage("large.txt"), "File too large: 'large.txt'"},
        PinnedText{"standardInput", fileTooLargeMessage(kStandardInputName), "File too large: 'standard input'"},
        PinnedText{"notRegularFile", notRegularFileMessage("/dev/null"), "Not a regular file: '/dev/null'"},
        // A failure box adds a "." after a last character that sorts after it.
        PinnedText{"failureShownWithDot", shownFailureText(kFileNotFound), "File not found."},
        PinnedText{"failureShownAsItIs", shownFailureText(fileTooLargeMessage("x")), "File too large: 'x'"}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
