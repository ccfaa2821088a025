#include "csv.h"

#include "messages.h"
#include "windows1251.h"

#include <algorithm>
#include <cctype>

namespace nutrient {

namespace {

bool blank(const CsvRecord& record) { return record.fields.size() == 1 && record.fields.front().empty(); }

}  // namespace

std::vector<CsvRecord> parseCsv(std::string_view text) {
    if (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
    std::vector<CsvRecord> records;
    CsvRecord record{1, {std::string()}};
    std::size_t line = 1;
    bool quoted = false;
    std::size_t quoteLine = 0;
    const auto endRecord = [&] {
        if (!blank(record)) records.push_back(std::move(record));
        record = CsvRecord{line, {std::string()}};
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& field = record.fields.back();
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n' || (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++line;
                field += c;
            }
        } else if (c == '"' && field.empty()) {
            quoted = true;
            quoteLine = line;
        } else if (c == ',') {
            record.fields.emplace_back();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            ++line;
            endRecord();
        } else {
            field += c;
        }
    }
    if (quoted) throw Failure("Line " + std::to_string(quoteLine) + ": a quoted field does not end");
    endRecord();
    return records;
}

std::string csvField(const std::string& text, char separator) {
    if (text.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string csvTextField(const std::string& text, char separator) {
    const bool startsFormula =
        !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
    return csvField(startsFormula ? "'" + text : text, separator);
}

std::string csvNumberField(std::string text, const CsvDialect& dialect) {
    std::replace(text.begin(), text.end(), '.', dialect.decimalMark);
    return text;
}

namespace {

// Skips the digits from `at`; false when there is none.
bool skipDigits(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) ++at;
    return at > start;
}

// A figure as the program writes it: an optional minus, digits, a point with digits, an
// exponent with an optional sign and digits.
bool isFigure(std::string_view text) {
    std::size_t at = 0;
    if (at < text.size() && text[at] == '-') ++at;
    if (!skipDigits(text, at)) return false;
    if (at < text.size() && text[at] == '.' && !skipDigits(text, ++at)) return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
        if (!skipDigits(text, at)) return false;
    }
    return at == text.size();
}

}  // namespace

std::string csvInDialect(std::string_view rfc4180, const CsvDialect& dialect) {
    std::string out(dialect.byteOrderMark ? kUtf8ByteOrderMark : "");
    for (const CsvRecord& record : parseCsv(rfc4180)) {
        for (std::size_t i = 0; i < record.fields.size(); ++i) {
            const std::string& field = record.fields[i];
            if (i > 0) out += dialect.separator;
            out += isFigure(field) ? csvNumberField(field, dialect) : csvField(field, dialect.separator);
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace nutrient
