#include "results_export.h"

#include "windows1251.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace nutrient {

namespace {

// Visits a UTF-8 text character by character: each character's bytes and code point; an
// ill-formed byte comes alone, with wellFormed false.
template <class Visit>
void forEachCharacter(std::string_view text, Visit&& visit) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        char32_t c = 0;
        const bool wellFormed = nextCodePoint(text, i, c);
        if (!wellFormed) ++i;
        visit(text.substr(start, i - start), c, wellFormed);
    }
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    forEachCharacter(text, [&](std::string_view, char32_t, bool) { ++count; });
    return count;
}

void appendHexEscapes(std::string& out, std::string_view bytes) {
    for (unsigned char byte : bytes) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02X", byte);
        out += escape;
    }
}

// A file name need not be UTF-8; the CSV is.
std::string wellFormedText(std::string_view text) {
    std::string out;
    forEachCharacter(text, [&](std::string_view bytes, char32_t, bool wellFormed) {
        out.append(wellFormed ? bytes : std::string_view("\xEF\xBF\xBD"));  // U+FFFD
    });
    return out;
}

std::string rightAligned(const std::string& text, std::size_t width) {
    const std::size_t length = characterCount(text);
    return length >= width ? text : std::string(width - length, ' ') + text;
}

}  // namespace

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    forEachCharacter(text, [&](std::string_view bytes, char32_t c, bool wellFormed) {
        if (!wellFormed) {
            out += "\\ufffd";
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            out += escape;
        } else {
            out.append(bytes);
        }
    });
    return out + "\"";
}

namespace {

// The shortest text that reads back as the same double; null for a coefficient the calculation
// did not reach.
std::string jsonCoefficient(const TransportCoefficients& coefficients, Nutrient nutrient) {
    if (!coefficients.computed(nutrient)) return "null";
    const double rt = coefficients.rt(nutrient);
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, rt);
    (void)ec;  // a double's shortest form always fits
    return std::string(buffer, end);
}

const char* kindName(Message::Kind kind) {
    switch (kind) {
    case Message::Kind::Warning:
        return "warning";
    case Message::Kind::Error:
        return "error";
    case Message::Kind::Failure:
        return "failure";
    }
    return "";
}

constexpr const char* kNutrientNames[] = {"P", "N"};

}  // namespace

std::string printableText(std::string_view text) {
    std::string out;
    forEachCharacter(text, [&](std::string_view bytes, char32_t c, bool wellFormed) {
        const bool control = (c < 0x20 && c != '\t') || (c >= 0x7F && c < 0xA0);
        if (wellFormed && !control) out.append(bytes);
        else appendHexEscapes(out, bytes);
    });
    return out;
}

std::string plainCaption(std::string_view caption) {
    const std::string_view squareUnit = "км ";
    const std::size_t at = caption.find(squareUnit);
    if (at == std::string_view::npos) return std::string(caption);
    std::size_t rest = at + squareUnit.size();
    while (rest < caption.size() && caption[rest] == ' ') ++rest;
    // A blank stays between the unit and a word after it, none before a closing bracket.
    const bool closing = rest < caption.size() && caption[rest] == ')';
    return std::string(caption.substr(0, at)) + (closing ? "км²" : "км² ") + std::string(caption.substr(rest));
}

std::string plainCaption(const ResultRow& row) { return plainCaption(std::string_view(row.caption)); }

std::string resultKey(Quantity quantity, Nutrient nutrient) {
    return std::string(resultRow(quantity).symbol) + "(" + kNutrientNames[static_cast<int>(nutrient)] + ")";
}

std::string jsonResultTexts(const LoadResults& results) {
    std::string json = "{";
    for (const ResultRow& row : kResultRows)
        for (Nutrient nutrient : kNutrients) {
            if (json.size() > 1) json += ", ";
            json +=
                jsonString(resultKey(row.quantity, nutrient)) + ": " + jsonString(results.text(row.quantity, nutrient));
        }
    return json + "}";
}

std::string csvHeader(const CsvDialect& dialect) {
    std::string header(dialect.byteOrderMark ? kUtf8ByteOrderMark : "");
    header += "file" + std::string(1, dialect.separator) + "object";
    for (const ResultRow& row : kResultRows)
        for (Nutrient nutrient : kNutrients) header += dialect.separator + resultKey(row.quantity, nutrient);
    return header + "\r\n";
}

std::string csvRecord(const std::string& fileName, const FileCalculation& calculation, const CsvDialect& dialect) {
    std::string record = csvTextField(wellFormedText(fileName), dialect.separator) + dialect.separator +
                         csvTextField(calculation.objectName(), dialect.separator);
    for (const ResultRow& row : kResultRows)
        for (Nutrient nutrient : kNutrients)
            record += dialect.separator + csvNumberField(calculation.results.text(row.quantity, nutrient), dialect);
    return record + "\r\n";
}

std::string jsonObject(const std::string& fileName, const FileCalculation& calculation) {
    std::string json = "{\"file\": " + jsonString(fileName) + ", \"object\": " + jsonString(calculation.objectName()) +
                       ", \"computed\": " + (calculation.computed ? "true" : "false") + ", \"results\": {";
    for (const ResultRow& row : kResultRows) {
        if (row.quantity != Quantity::Lp) json += ", ";
        json += jsonString(row.symbol) + ": {";
        for (Nutrient nutrient : kNutrients) {
            if (nutrient == Nutrient::N) json += ", ";
            json += jsonString(kNutrientNames[static_cast<int>(nutrient)]) + ": " +
                    jsonString(calculation.results.text(row.quantity, nutrient));
        }
        json += "}";
    }
    json += "}, \"Rt\": {\"P\": " + jsonCoefficient(calculation.coefficients, Nutrient::P) +
            ", \"N\": " + jsonCoefficient(calculation.coefficients, Nutrient::N) + "}, \"messages\": [";
    for (std::size_t i = 0; i < calculation.messages.size(); ++i) {
        const Message& message = calculation.messages[i];
        if (i > 0) json += ", ";
        json += "{\"kind\": " + jsonString(kindName(message.kind)) + ", \"text\": " + jsonString(message.shown()) + "}";
    }
    json += "], \"notes\": [";
    for (std::size_t i = 0; i < calculation.notes.size(); ++i)
        json += (i > 0 ? ", " : "") + jsonString(calculation.notes[i]);
    return json + "]}";
}

std::string textTable(const std::string& fileName, const FileCalculation& calculation) {
    std::size_t captionWidth = 0;
    for (const ResultRow& row : kResultRows) captionWidth = std::max(captionWidth, characterCount(plainCaption(row)));
    captionWidth += 2;  // room for the shortest dot leader
    // A value column is as wide as its widest text with a blank before it, at least ten.
    std::array<std::size_t, 2> valueWidth = {10, 10};
    for (const ResultRow& row : kResultRows)
        for (Nutrient nutrient : kNutrients) {
            std::size_t& width = valueWidth[static_cast<int>(nutrient)];
            width = std::max(width, characterCount(calculation.results.text(row.quantity, nutrient)) + 1);
        }

    std::string table;
    // A row a calculation did not reach ends at its caption, without trailing blanks.
    const auto addLine = [&table](std::string line) {
        line.erase(line.find_last_not_of(' ') + 1);
        table += line + "\n";
    };
    std::string heading = printableText(fileName);
    if (!calculation.objectName().empty()) heading += ": " + printableText(calculation.objectName());
    addLine(heading);
    addLine(std::string(captionWidth, ' ') + rightAligned("Фосфор", valueWidth[0]) +
            rightAligned("Азот", valueWidth[1]));
    for (const ResultRow& row : kResultRows) {
        std::string caption = plainCaption(row) + " ";
        caption += std::string(captionWidth - characterCount(caption), '.');
        addLine(caption + rightAligned(calculation.results.text(row.quantity, Nutrient::P), valueWidth[0]) +
                rightAligned(calculation.results.text(row.quantity, Nutrient::N), valueWidth[1]));
    }
    return table;
}

}  // namespace nutrient
