#pragma once
// Tables that users keep as CSV files (UTF-8, a header line, comma-separated, fields quoted as
// RFC 4180 quotes them): the ranges of an uncertainty analysis, the rows of a basin.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace nutrient {

struct CsvRecord {
    std::size_t line;  // the line of the file the record starts on, from 1
    std::vector<std::string> fields;
    bool operator==(const CsvRecord&) const = default;
};

// The records of a CSV text, the header among them; blank lines are passed over and a UTF-8
// byte-order mark at the start is dropped.  LF, CR LF and lone CR end a record outside quotes.
// Throws Failure naming the line of a quoted field that never closes.
std::vector<CsvRecord> parseCsv(std::string_view text);

// The two kinds of CSV the program writes.  RFC 4180 (commas, decimal points, UTF-8) is what
// scripts and most programs read.  A spreadsheet on a Russian desktop takes a comma for the
// decimal mark, so it wants semicolons between the fields, decimal commas in the numbers, and
// a byte-order mark, without which it reads UTF-8 as Windows-1251.
struct CsvDialect {
    char separator;
    char decimalMark;
    bool byteOrderMark;
};
inline constexpr CsvDialect kRfc4180Csv = {',', '.', false};
inline constexpr CsvDialect kRussianSpreadsheetCsv = {';', ',', true};

// A field as a CSV file holds it: quoted when it holds the separator, a quote or a line break.
std::string csvField(const std::string& text, char separator = kRfc4180Csv.separator);
// A text field (a name, never a number) so, and with a leading apostrophe when it begins with
// "=", "+", "-", "@", a tab or a carriage return: a spreadsheet then shows the text instead of
// running it as a formula (OWASP's advice against CSV injection).
std::string csvTextField(const std::string& text, char separator = kRfc4180Csv.separator);
// A number's text (digits, a sign and a point) with the dialect's decimal mark.
std::string csvNumberField(std::string text, const CsvDialect& dialect);
// An RFC 4180 text written again in a dialect: its separators, the decimal mark in every field
// that is a figure, its byte-order mark.  Every CSV of the program is written so for a
// spreadsheet.
std::string csvInDialect(std::string_view rfc4180, const CsvDialect& dialect);

}  // namespace nutrient
