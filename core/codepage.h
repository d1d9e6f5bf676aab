// Conversions between the Windows Cyrillic code page (cp1251), UTF-16 and UTF-8.
//
// Word logic works on cp1251 bytes, the editor holds UTF-16 and files and the
// console use UTF-8. Every UTF-16 code unit maps to exactly one cp1251 byte, so
// a position in a converted line is the same position in the editor's text;
// a character that cp1251 cannot hold (a surrogate half included) becomes "?".
#pragma once

#include <string>
#include <string_view>

namespace umlo {

char16_t Cp1251ToUtf16Char(unsigned char byte);
// The cp1251 byte of a UTF-16 code unit, or '?' when the code page has none.
char Utf16ToCp1251Char(char16_t unit);

std::u16string Cp1251ToUtf16(std::string_view text);
std::string Utf16ToCp1251(std::u16string_view text);

// Invalid sequences (and lone surrogates on the way out) become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
bool IsValidUtf8(std::string_view text);
// One code point added to UTF-8 text.
void AppendUtf8(std::string& out, char32_t cp);
// The value of a hexadecimal digit, or -1.
int HexDigitValue(char c);

std::string Cp1251ToUtf8(std::string_view text);
std::string Utf8ToCp1251(std::string_view text);

// Shorthand for writing cp1251 text in UTF-8 source files: Cp("ёлка").
inline std::string Cp(std::string_view utf8) {
    return Utf8ToCp1251(utf8);
}

} // namespace umlo
