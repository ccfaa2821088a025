#include "messages.h"

#include "windows1251.h"

namespace nutrient {

std::string shortenedText(std::string_view text, std::size_t characters) {
    std::size_t end = 0;
    for (std::size_t counted = 0; counted < characters && end < text.size(); ++counted) {
        char32_t ignored;
        if (!nextCodePoint(text, end, ignored)) ++end;  // a stray byte counts as one character
    }
    const std::string cut(text.substr(0, end));
    return end < text.size() ? cut + "…" : cut;
}

std::string readableQuote(std::string_view text) { return "'" + shortenedText(text, kQuotedCharacters) + "'"; }

std::string notANumberMessage(std::string_view text) {
    return readableQuote(text) + " is not a valid floating point value";
}

std::string fileTooLargeMessage(std::string_view fileName) { return "File too large: " + readableQuote(fileName); }

std::string notRegularFileMessage(std::string_view fileName) {
    return "Not a regular file: " + readableQuote(fileName);
}

}  // namespace nutrient
