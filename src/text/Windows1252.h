#pragma once
// The one codec between the program's UTF-8 text and the 8-bit Windows-1252 text
// of the export file, the server protocol and RTF.
#include <cstdint>
#include <string>
#include <string_view>

namespace text {

// UTF-8 to Windows-1252. A character that Windows-1252 lacks (and a malformed
// UTF-8 sequence) becomes '?'; `replaced`, when given, receives how many did.
std::string ToWindows1252(std::string_view utf8, int* replaced = nullptr);

// Windows-1252 to UTF-8. The five bytes Windows-1252 leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value, so every
// byte string survives a round trip.
std::string FromWindows1252(std::string_view bytes);

// The Windows-1252 byte of one Unicode code point, or -1 when there is none.
int Windows1252Byte(char32_t codePoint);

// The Unicode code point of one Windows-1252 byte.
char32_t Windows1252CodePoint(unsigned char byte);

// Decodes the UTF-8 sequence at `pos`, advancing it; malformed input gives
// U+FFFD and advances one byte.
char32_t NextCodePoint(std::string_view utf8, std::size_t& pos);

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t codePoint);

// Letter case of ASCII letters only, as the data files compare names.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

} // namespace text
