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

void appendHexEscapes(std::string& out, std::string_view bytes) {
    for (unsigned char byte : bytes) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02X", byte);
        out += escape;
    }
}

}  // namespace

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    forEachCharacter(text, [&](std::string_view, char32_t, bool) { ++count; });
    return count;
}

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

std::string jsonString(std::string_view text) {
    // Most texts (figures, keys, file names) are printable ASCII without a quote or a backslash:
    // they are copied whole, without the walk character by character.
    const bool copiedWhole = std::all_of(text.begin(), text.end(), [](char c) {
        const unsigned char byte = static_cast<unsigned char>(c);
        return byte >= 0x20 && byte < 0x80 && c != '"' && c != '\\';
    });
    if (copiedWhole) return "\"" + std::string(text) + "\"";
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

std::string jsonStringOrNull(std::string_view text) { return text.empty() ? "null" : jsonString(text); }

std::string jsonNumber(double value) {
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;  // a double's shortest form always fits
    return std::string(buffer, end);
}

namespace {

// Null for a coefficient the calculation did not reach; a computed one is a number, 0 too.
std::string jsonCoefficient(const TransportCoefficients& coefficients, Nutrient nutrient) {
    return coefficients.computed(nutrient) ? jsonNumber(coefficients.rt(nutrient)) : "null";
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

}  // namespace

std::string jsonMessages(const std::vector<Message>& messages) {
    std::string json = "[";
    for (const Message& message : messages) {
        if (json.size() > 1) json += ", ";
        json += "{\"kind\": " + jsonString(kindName(message.kind)) + ", \"text\": " + jsonString(message.shown()) + "}";
    }
    return json + "]";
}

std::string printableText(std::string_view text) {
    std::string out;
    forEachCharacter(text, [&](std::string_view bytes, char32_t c, bool wellFormed) {
        const bool control = (c < 0x20 && c != '\t') || (c >= 0x7F && c < 0xA0);
        if (wellFormed && !control) out.append(bytes);
        else appendHexEscapes(out, bytes);
    });
    return out;
}

std::string messageLine(std::string_view fileName, std::string_view text) {
    return printableText(fileName) + ": " + printableText(text) + "\n";
}

std::string fileMessageLines(const std::string& fileName, const FileCalculation& calculation) {
    std::string lines;
    for (const Message& message : calculation.messages) lines += messageLine(fileName, message.shown());
    for (const std::string& note : calculation.notes) lines += messageLine(fileName, "note: " + note);
    return lines;
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

const char* nutrientHeading(Nutrient nutrient) { return nutrient == Nutrient::P ? "Фосфор" : "Азот"; }

std::string keyedByNutrient(std::string_view name, Nutrient nutrient) {
    return std::string(name) + "(" + nutrientSymbol(nutrient) + ")";
}

std::string resultKey(Quantity quantity, Nutrient nutrient) {
    return keyedByNutrient(resultRow(quantity).symbol, nutrient);
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

// Each field after a comma, the first comma dropped.
std::string csvResultKeys() {
    std::string keys;
    for (const ResultRow& row : kResultRows)
        for (Nutrient nutrient : kNutrients) keys += "," + resultKey(row.quantity, nutrient);
    return keys.substr(1);
}

std::string csvResultTexts(const LoadResults& results) {
    std::string texts;
    for (const ResultRow& row : kResultRows)
        for (Nutrient nutrient : kNutrients) texts += "," + csvField(results.text(row.quantity, nutrient));
    return texts.substr(1);
}

std::string csvHeader(const CsvDialect& dialect) {
    std::string header(dialect.byteOrderMark ? kUtf8ByteOrderMark : "");
    header += "file" + std::string(1, dialect.separator) + "object";
    for (const ResultRow& row : kResultRows)
        for (Nutrient nutrient : kNutrients) header += dialect.separator + resultKey(row.quantity, nutrient);
    return header + "\r\n";
}

std::string csvFileFields(const std::string& fileName, const Computation& computation) {
    return csvTextField(wellFormedText(fileName)) + "," + csvTextField(computation.objectName());
}

std::string jsonFileMembers(const std::string& fileName, const Computation& computation) {
    return "\"file\": " + jsonString(fileName) + ", \"object\": " + jsonString(computation.objectName());
}

std::string tableHeading(const std::string& fileName, const Computation& computation) {
    std::string heading = printableText(fileName);
    if (!computation.objectName().empty()) heading += ": " + printableText(computation.objectName());
    return heading;
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
    std::string json = "{" + jsonFileMembers(fileName, calculation) +
                       ", \"computed\": " + (calculation.computed ? "true" : "false") + ", \"results\": {";
    for (const ResultRow& row : kResultRows) {
        if (row.quantity != Quantity::Lp) json += ", ";
        json += jsonString(row.symbol) + ": {";
        for (Nutrient nutrient : kNutrients) {
            if (nutrient == Nutrient::N) json += ", ";
            json += jsonString(nutrientSymbol(nutrient)) + ": " +
                    jsonString(calculation.results.text(row.quantity, nutrient));
        }
        json += "}";
    }
    std::string notes;
    for (const std::string& note : calculation.notes) notes += (notes.empty() ? "" : ", ") + jsonString(note);
    return json + "}, \"Rt\": {\"P\": " + jsonCoefficient(calculation.coefficients, Nutrient::P) +
           ", \"N\": " + jsonCoefficient(calculation.coefficients, Nutrient::N) +
           "}, \"messages\": " + jsonMessages(calculation.messages) + ", \"notes\": [" + notes + "]}";
}

std::size_t resultCaptionWidth() {
    std::size_t width = 0;
    for (const ResultRow& row : kResultRows) width = std::max(width, characterCount(plainCaption(row)));
    return width + 2;  // room for the shortest dot leader
}

std::string dottedCaption(const ResultRow& row, std::size_t width) {
    std::string caption = plainCaption(row) + " ";
    return caption + std::string(width - characterCount(caption), '.');
}

void addTableLine(std::string& table, std::string line) {
    line.erase(line.find_last_not_of(' ') + 1);
    table += line + "\n";
}

std::string textTable(const std::string& fileName, const Computation& calculation) {
    const std::size_t captionWidth = resultCaptionWidth();
    // A value column is as wide as its widest text with a blank before it, at least ten.
    std::array<std::size_t, 2> valueWidth = {10, 10};
    for (const ResultRow& row : kResultRows)
        for (Nutrient nutrient : kNutrients) {
            std::size_t& width = valueWidth[static_cast<int>(nutrient)];
            width = std::max(width, characterCount(calculation.results.text(row.quantity, nutrient)) + 1);
        }

    std::string table;
    addTableLine(table, tableHeading(fileName, calculation));
    addTableLine(table, std::string(captionWidth, ' ') + rightAligned(nutrientHeading(Nutrient::P), valueWidth[0]) +
                            rightAligned(nutrientHeading(Nutrient::N), valueWidth[1]));
    for (const ResultRow& row : kResultRows)
        addTableLine(table, dottedCaption(row, captionWidth) +
                                rightAligned(calculation.results.text(row.quantity, Nutrient::P), valueWidth[0]) +
                                rightAligned(calculation.results.text(row.quantity, Nutrient::N), valueWidth[1]));
    return table;
}

}  // namespace nutrient
