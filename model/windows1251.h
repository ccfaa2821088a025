#pragma once
// Windows-1251, the 8-bit code page of the parameters files written on Windows machines,
// to and from the UTF-8 the program holds its texts in.

#include <string>
#include <string_view>

namespace nutrient {

// Every byte decodes (0x98, unassigned, to U+0098) so a file read and written again keeps its
// bytes; characters outside the code page are written as "?".
std::string decodeWindows1251(std::string_view bytes);
std::string encodeWindows1251(std::string_view utf8);

// What some programs write before UTF-8 text to say it is UTF-8.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Whether the bytes are well-formed UTF-8 throughout.  Russian text in Windows-1251 practically
// never is, since its letters would have to follow each other as UTF-8's lead and continuation
// bytes do.
bool isWellFormedUtf8(std::string_view bytes);

// Decodes one well-formed UTF-8 sequence at s[i] (shortest form, no surrogates, at most
// U+10FFFF) into c and advances i past it; returns false, leaving i alone, for an ill-formed one.
bool nextCodePoint(std::string_view s, std::size_t& i, char32_t& c);

}  // namespace nutrient
