#pragma once
// The results of computed catchments as texts that leave the program: a CSV record, a JSON
// object and a table a person reads.  Every result appears exactly as the results window shows
// it; a result a failed calculation did not reach is empty.

#include "csv.h"
#include "file_calculation.h"

#include <string>
#include <string_view>

namespace nutrient {

// A text that is safe to print on a terminal: control characters other than the tab, and bytes
// that are not UTF-8, are written as "\x1B", so that a line read from a hostile file can neither
// break an output line nor send the terminal commands.  Every ordinary text is left as it is.
std::string printableText(std::string_view text);

// A caption as plain text: the raised "2" of km² written as "²" in place of the blanks the
// window leaves for it ("л/(с км   )" becomes "л/(с км²)").
std::string plainCaption(std::string_view caption);
// A result row's caption so.
std::string plainCaption(const ResultRow& row);

// A JSON string; an ill-formed UTF-8 byte becomes U+FFFD.
std::string jsonString(std::string_view text);

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

// One JSON object: the file, the object name, whether the calculation completed, the 26 result
// texts by quantity and nutrient, both transport coefficients (null when the calculation did
// not reach them), the messages in order, as their boxes show them, and the notes on the
// file's stored derived values.  No line break inside.
std::string jsonObject(const std::string& fileName, const FileCalculation& calculation);

// The results window's table as aligned text: a heading with the file and the object name, the
// column headings "Фосфор" and "Азот", then the thirteen rows with their captions.  The file
// and object names are made printable.
std::string textTable(const std::string& fileName, const FileCalculation& calculation);

}  // namespace nutrient
