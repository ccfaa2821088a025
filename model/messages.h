#pragma once
// Everything the program tells the user goes through this one seam: the windows implement it
// with message boxes, the command line and the tests with their own recorders.  The texts the
// user reads live here too, each once, exactly as the user sees it.

#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace nutrient {

// A conversion, floating-point or file failure.  It aborts the operation that raised it;
// what() is the exact text the user is shown.
class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Messages {
public:
    virtual ~Messages() = default;
    // A plausibility warning: warning icon, title "Warning", one OK.
    virtual void warning(const std::string& text) = 0;
    // The L < Lnat check of the results: error icon, title "Error", one OK.
    virtual void error(const std::string& text) = 0;
    // A Failure caught at the edge of a handler: stop icon, the program's title.
    virtual void failure(const std::string& text) = 0;
};

// The answers of a question box.
enum class Answer { Yes, No, Cancel };

// The questions the program asks, behind a seam of their own: the windows ask with a box,
// tests answer from a list.
class Questions {
public:
    virtual ~Questions() = default;
    // A question box: question icon, the program's title, "Да", "Нет" and "Отмена".
    virtual Answer ask(const std::string& text) = 0;
};

// The program's title: the main window's caption and the caption of failure boxes.
inline constexpr const char* kProgramTitle = "Расчет формирования биогенной нагрузки";

// --- Warnings on the parameters ---
inline constexpr const char* kWarnNegativeArea = "Эта величина не может быть отрицательной!";
inline constexpr const char* kWarnWaterShare = "Доля покрытия площади водосбора водой больше 100%!";
inline constexpr const char* kWarnAreaSum = "Площадь водосбора меньше суммы частных площадей!";
inline constexpr const char* kWarnNotTextFile = "Введите имя текстового файла.";

// --- The question before parameters not yet saved are lost, and its answers ---
inline constexpr const char* kQuestionSaveChanges = "Сохранить изменения параметров?";
inline constexpr const char* kAnswerYes = "Да";
inline constexpr const char* kAnswerNo = "Нет";
inline constexpr const char* kAnswerCancel = "Отмена";

// --- The check of the results: the load on the water body below its natural part ---
// (two blanks after "Проверьте").
inline constexpr const char* kErrorBelowBackground =
    "Расчитанное значение биогенной нагрузки на водоем меньше значения фоновой нагрузки! "
    "Проверьте  правильность задания параметров модели или уменьшите значение выноса биогенов "
    "с урожаем.";

// --- Warnings of the chart windows ---
inline constexpr const char* kWarnNegativeContribution =
    "Величина вклада различных источников не должна быть отрицательной!";
inline constexpr const char* kWarnNegativeDiffuse =
    "Вклад рассредоточенных источников в биогенную нагрузку отрицательный, проверьте "
    "правильность задания параметров!";

// --- Failures ---
inline constexpr const char* kDivisionByZero = "Floating point division by zero";
inline constexpr const char* kInvalidOperation = "Invalid floating point operation";
inline constexpr const char* kOverflow = "Floating point overflow";

inline constexpr const char* kOutOfMemory = "Out of memory";

// The first `characters` characters of a text (not bytes), and "…" when there were more: a
// field may hold a line of megabytes, and laying all of it out would take a window or a page
// minutes.
std::string shortenedText(std::string_view text, std::size_t characters);
// A text quoted in a message, in single quotes and cut to a readable length.
inline constexpr std::size_t kQuotedCharacters = 100;
std::string readableQuote(std::string_view text);

// A failure as its box shows it: the runtime appends a final "." when the message's last
// character sorts after "." ("'0.08' is not a valid floating point value.").
inline std::string shownFailureText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    return text;
}

// The conversion error for a text that is not a number.
std::string notANumberMessage(std::string_view text);

// The file failures the user has always been shown for these system codes; any other code is
// reported as "I/O error <code>: <the system's description>".
inline constexpr const char* kFileNotFound = "File not found";
inline constexpr const char* kInvalidFileName = "Invalid filename";
inline constexpr const char* kTooManyOpenFiles = "Too many open files";
inline constexpr const char* kFileAccessDenied = "File access denied";
inline constexpr const char* kDiskFull = "Disk full";
// A file that goes on beyond the read limit before its forty lines are complete.
std::string fileTooLargeMessage(std::string_view fileName);
// What a load from standard input calls it.
inline constexpr const char* kStandardInputName = "standard input";
// A save that would replace a device, a pipe or a socket.
std::string notRegularFileMessage(std::string_view fileName);

// Runs a handler body; a Failure raised inside it, or the memory running out, stops the body
// and is reported through messages.failure.  Returns false when the body failed.  The windows'
// handlers, the change rules and the steps of a file's calculation each run so, and nothing
// crosses the event loop.
template <class Body>
bool guarded(Messages& messages, Body&& body) {
    try {
        body();
        return true;
    } catch (const Failure& failure) {
        messages.failure(failure.what());
    } catch (const std::bad_alloc&) {
        messages.failure(kOutOfMemory);
    }
    return false;
}

// What one box said.
struct Message {
    enum class Kind { Warning, Error, Failure };
    Kind kind;
    std::string text;
    bool operator==(const Message&) const = default;
    // The text as its box shows it.
    std::string shown() const { return kind == Kind::Failure ? shownFailureText(text) : text; }
};

// Keeps every box in the order it came.
class MessageLog : public Messages {
public:
    void warning(const std::string& text) override { messages.push_back({Message::Kind::Warning, text}); }
    void error(const std::string& text) override { messages.push_back({Message::Kind::Error, text}); }
    void failure(const std::string& text) override { messages.push_back({Message::Kind::Failure, text}); }
    std::vector<Message> messages;
};

// --- Results that leave the program ---
// A printer that refuses to take the report.
inline constexpr const char* kReportNotPrinted = "Отчет не удалось напечатать";

// --- The pie marks: a slice's share in per cent "of" the total ---
inline constexpr const char* kPieMarkPattern = "%s of %s";

}  // namespace nutrient
