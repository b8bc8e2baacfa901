#pragma once
// Turning the program's UTF-8 data text into RTF text. Reports are written as
// Windows-1252 ("\ansicpg1252"): bytes above 127 as "\'hh", characters that
// Windows-1252 lacks as "\uN?".
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace reports::rtf {

// A data value as RTF: the inspector's formatting words (reports/layout/
// FormattedText.h) are written as words, every other backslash and every brace
// as a character, line ends as paragraph marks "\par ", the rest encoded. A
// style the text leaves on is switched off where the text ends, so it never
// runs into the next cell.
std::string EscapeRtf(std::string_view utf8);

// A value written as plain characters whatever it holds: every backslash and
// brace escaped, nothing honoured (font names, file names).
std::string EscapePlainRtf(std::string_view utf8);

// Encodes only (no brace or paragraph conversion): for runs of RTF that the
// user wrote on purpose.
std::string EncodeRtf(std::string_view utf8);

// Appends two lower-case hexadecimal digits per byte.
void AppendHex(std::string& out, const std::uint8_t* data, std::size_t size);

} // namespace reports::rtf
