#pragma once
// The results of computed catchments as texts that leave the program: a CSV record, a JSON
// object and a table a person reads.  Every result appears exactly as the results window shows
// it; a result a failed calculation did not reach is empty.

#include "csv.h"
#include "file_calculation.h"

#include <string>
#include <string_view>
#include <vector>

namespace nutrient {

// A text that is safe to print on a terminal: control characters other than the tab, and bytes
// that are not UTF-8, are written as "\x1B", so that a line read from a hostile file can neither
// break an output line nor send the terminal commands.  Every ordinary text is left as it is.
std::string printableText(std::string_view text);
// A line the command line writes on standard error about a file, "FILE: text", both made
// printable.
std::string messageLine(std::string_view fileName, std::string_view text);
// A file's boxes in the order the windows would show them, then each note on its stored derived
// values as "FILE: note: text".
std::string fileMessageLines(const std::string& fileName, const FileCalculation& calculation);

// A caption as plain text: the raised "2" of km² written as "²" in place of the blanks the
// window leaves for it ("л/(с км   )" becomes "л/(с км²)").
std::string plainCaption(std::string_view caption);
// A result row's caption so.
std::string plainCaption(const ResultRow& row);

// The characters of a UTF-8 text, what a terminal's columns count; a stray byte counts as one.
std::size_t characterCount(std::string_view text);
// The text with blanks before it up to `width` characters.
std::string rightAligned(const std::string& text, std::size_t width);
// A file name need not be UTF-8; the CSV is: each ill-formed byte becomes U+FFFD.
std::string wellFormedText(std::string_view text);

// A JSON string; an ill-formed UTF-8 byte becomes U+FFFD.
std::string jsonString(std::string_view text);
// The same, or null for an empty text: a figure that does not exist.
std::string jsonStringOrNull(std::string_view text);

// A nutrient's column heading in the tables: "Фосфор", "Азот".
const char* nutrientHeading(Nutrient nutrient);
// A JSON number: the shortest text that reads back as the same double.
std::string jsonNumber(double value);
// The boxes in order, as a JSON array of {"kind": "warning" | "error" | "failure", "text": the
// box's text}.
std::string jsonMessages(const std::vector<Message>& messages);

// The characters of a UTF-8 text, an ill-formed byte counting as one: the width it takes in a
// table of a terminal's fixed-width characters.
std::size_t characterCount(std::string_view text);

// A name keyed by a nutrient's symbol: "own_export(P)".
std::string keyedByNutrient(std::string_view name, Nutrient nutrient);
// The name of a result's column in the CSV and its key in JSON: "Lp(P)", "Mnat(N)".
std::string resultKey(Quantity quantity, Nutrient nutrient);
// The 26 result texts as one JSON object keyed so, in the results window's row order, P
// before N.
std::string jsonResultTexts(const LoadResults& results);

// CSV in a dialect of model/csv.h, RFC 4180 unless another is given: UTF-8 (a byte of the
// file name that is not UTF-8 becomes U+FFFD), CR LF after each record, a field quoted when it
// holds the separator, a quote or a line break, the file and object names kept from a
// spreadsheet's formulas (csvTextField), the results with the dialect's decimal mark.  The
// header begins the file (with the byte-order mark of a dialect that has one) and names the
// columns: file, object, then Lp(P), Lp(N), ... Mnat(N) in the results window's row order.
std::string csvHeader(const CsvDialect& dialect = kRfc4180Csv);
std::string csvRecord(const std::string& fileName, const FileCalculation& calculation,
                      const CsvDialect& dialect = kRfc4180Csv);
// The 26 keys, and the 26 texts as RFC 4180 fields, each comma-separated in that order.
std::string csvResultKeys();
std::string csvResultTexts(const LoadResults& results);

// What every output of a file begins with: the CSV fields of the file and the object name; the
// JSON members "file" and "object"; the heading of a table, "FILE: object", made printable.
std::string csvFileFields(const std::string& fileName, const Computation& computation);
std::string jsonFileMembers(const std::string& fileName, const Computation& computation);
std::string tableHeading(const std::string& fileName, const Computation& computation);

// One JSON object: the file, the object name, whether the calculation completed, the 26 result
// texts by quantity and nutrient, both transport coefficients (null when the calculation did
// not reach them), the messages in order, as their boxes show them, and the notes on the
// file's stored derived values.  No line break inside.
std::string jsonObject(const std::string& fileName, const FileCalculation& calculation);

// The width of the result captions' column in a text table, the shortest dot leader included,
// and a result's caption filled up to it with dots.
std::size_t resultCaptionWidth();
std::string dottedCaption(const ResultRow& row, std::size_t width);
// A line of a text table, without trailing blanks: a row a calculation did not reach ends at
// its caption.
void addTableLine(std::string& table, std::string line);

// The results window's table as aligned text: a heading with the file and the object name, the
// column headings "Фосфор" and "Азот", then the thirteen rows with their captions.  The file
// and object names are made printable.
std::string textTable(const std::string& fileName, const Computation& calculation);

}  // namespace nutrient
