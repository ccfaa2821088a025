#include "results_export.h"

#include "windows1251.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace nutrient {

namespace {

// The characters of a UTF-8 text; an ill-formed byte counts as one.
std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        char32_t c;
        if (!nextCodePoint(text, i, c)) ++i;
    }
    return count;
}

std::string padded(const std::string& text, std::size_t width, bool right) {
    const std::size_t length = characterCount(text);
    if (length >= width) return text;
    const std::string fill(width - length, ' ');
    return right ? fill + text : text + fill;
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

// A JSON string; an ill-formed UTF-8 byte (a file name need not be UTF-8) becomes U+FFFD.
std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        char32_t c;
        if (!nextCodePoint(text, i, c)) {
            out += "\\ufffd";
            ++i;
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            out += escape;
        } else {
            out.append(text.substr(start, i - start));
        }
    }
    return out + "\"";
}

// The shortest text that reads back as the same double; null for a coefficient the calculation
// did not reach (a complete one is never 0: Rt = 1 / (a·x + 1)).
std::string jsonCoefficient(double rt) {
    if (rt == 0.0) return "null";
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

std::string csvHeader() {
    std::string header = "file,object";
    for (const ResultRow& row : kResultRows)
        for (const char* nutrient : kNutrientNames) header += std::string(",") + row.symbol + "(" + nutrient + ")";
    return header + "\r\n";
}

std::string csvRecord(const std::string& fileName, const FileCalculation& calculation) {
    std::string record = csvField(fileName) + "," + csvField(calculation.objectName());
    for (const ResultRow& row : kResultRows)
        for (Nutrient nutrient : kNutrients) record += "," + csvField(calculation.results.text(row.quantity, nutrient));
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
    json += "}, \"Rt\": {\"P\": " + jsonCoefficient(calculation.shared.rtP) +
            ", \"N\": " + jsonCoefficient(calculation.shared.rtN) + "}, \"messages\": [";
    for (std::size_t i = 0; i < calculation.messages.size(); ++i) {
        const Message& message = calculation.messages[i];
        if (i > 0) json += ", ";
        json += "{\"kind\": " + jsonString(kindName(message.kind)) + ", \"text\": " + jsonString(message.text) + "}";
    }
    return json + "]}";
}

std::string textTable(const std::string& fileName, const FileCalculation& calculation) {
    constexpr std::size_t kValueWidth = 10;
    std::size_t captionWidth = 0;
    for (const ResultRow& row : kResultRows) captionWidth = std::max(captionWidth, characterCount(plainCaption(row)));
    captionWidth += 2;  // room for the shortest dot leader

    std::string table = fileName + ": " + calculation.objectName() + "\n";
    table +=
        std::string(captionWidth, ' ') + padded("Фосфор", kValueWidth, true) + padded("Азот", kValueWidth, true) + "\n";
    for (const ResultRow& row : kResultRows) {
        std::string caption = plainCaption(row) + " ";
        caption += std::string(captionWidth - characterCount(caption), '.');
        table += caption + padded(calculation.results.text(row.quantity, Nutrient::P), kValueWidth, true) +
                 padded(calculation.results.text(row.quantity, Nutrient::N), kValueWidth, true) + "\n";
    }
    return table;
}

}  // namespace nutrient
