#include "parameters_file.h"

#include "windows1251.h"

#include <algorithm>
#include <vector>

namespace nutrient {

namespace {

// The text a field shows for a line of the file, in the file's encoding.  A text field ends
// its text at a NUL character, so a NUL byte in a line ends the field's text there.
std::string fieldTextOf(std::string_view line, bool utf8) {
    line = line.substr(0, line.find('\0'));
    return utf8 ? std::string(line) : decodeWindows1251(line);
}

// The files are Windows-1251, as the program writes them; one saved by a modern editor is
// UTF-8, told by its bytes: well-formed UTF-8 with a character beyond ASCII.  A character
// never spans a line end, so the lines are judged one by one.
bool isUtf8File(const std::vector<std::string>& lines) {
    const auto beyondAscii = [](const std::string& line) {
        return std::any_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    };
    return std::all_of(lines.begin(), lines.end(), [](const std::string& line) { return isWellFormedUtf8(line); }) &&
           std::any_of(lines.begin(), lines.end(), beyondAscii);
}

// The line written for a field's text.  Line breaks (which a text field cannot hold, but a
// text set otherwise might) are written as blanks, so that the file keeps its 40 lines.
std::string lineOf(const std::string& text) {
    std::string line = encodeWindows1251(text);
    for (char& c : line) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return line + "\r\n";
}

// Each assignment fires the field's change rule; y (line 40) comes last, so a changed runoff
// layer recomputes q after line 18 has set it.  Missing lines read as empty texts.  An editor
// may begin a UTF-8 file with a byte-order mark, which is no part of the object name.
void assignLines(ParameterSet& parameters, std::vector<std::string> lines) {
    const bool utf8 = isUtf8File(lines);
    if (utf8 && !lines.empty() && lines.front().starts_with(kUtf8ByteOrderMark))
        lines.front().erase(0, kUtf8ByteOrderMark.size());
    for (std::size_t i = 0; i < kParameters.size(); ++i)
        parameters.setText(kParameters[i].key, i < lines.size() ? fieldTextOf(lines[i], utf8) : std::string());
    parameters.markUnchanged();
}

}  // namespace

std::string withTextExtension(const std::string& fileName) {
    // Characters, not bytes, are counted: the name is UTF-8, and a Cyrillic extension such as
    // ".тхт" has its dot fourth from the end like ".txt".
    std::size_t start = fileName.size();
    for (int characters = 0; characters < 3 && start > 0; ++characters) {
        do --start;
        while (start > 0 && (static_cast<unsigned char>(fileName[start]) & 0xC0) == 0x80);
    }
    const bool dotFourthFromEnd = start > 0 && fileName[start - 1] == '.';
    return dotFourthFromEnd ? fileName : fileName + ".txt";
}

bool hasTextExtension(std::string_view fileName) { return fileName.ends_with("txt"); }

std::optional<std::string> saveParameters(ParameterSet& parameters, const std::string& name, Messages& messages) {
    const std::string fileName = withTextExtension(name);
    if (!hasTextExtension(fileName)) {
        messages.warning(kWarnNotTextFile);
        return std::nullopt;
    }
    std::string bytes;
    for (const ParameterInfo& p : kParameters) bytes += lineOf(parameters.text(p.key));
    // A file the program could not open again is not written: texts loaded from a file just
    // within the read limit grow by the CR of each LF line end.
    if (bytes.size() > readLimit()) throw Failure(fileTooLargeMessage(fileName));
    replaceFile(fileName, bytes);
    parameters.markUnchanged();
    return fileName;
}

void loadParameters(ParameterSet& parameters, const std::string& fileName, Messages& messages, Waiting waiting) {
    if (!hasTextExtension(fileName)) {
        messages.warning(kWarnNotTextFile);
        return;
    }
    // The whole file is read before the first field changes: a file that cannot be read
    // leaves the parameters as they were.
    assignLines(parameters, readLines(fileName, kParameters.size(), waiting));
}

void loadParametersFromStandardInput(ParameterSet& parameters) {
    assignLines(parameters, readStandardInputLines(kParameters.size()));
}

}  // namespace nutrient
