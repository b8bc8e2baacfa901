#pragma once
// Turning the program's UTF-8 data text into RTF text. Reports are written as
// Windows-1252 ("\ansicpg1252"): bytes above 127 as "\'hh", characters that
// Windows-1252 lacks as "\uN?".
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace reports::rtf {

// A data value as RTF: "{" and "}" get a backslash, a carriage return and the
// sign U+00AC become a paragraph mark "\par ", the rest is encoded. A backslash
// passes unchanged, so control words the inspector typed ("\b" for bold) take
// effect; a brace or backslash the inspector already escaped stays as typed.
std::string EscapeRtf(std::string_view utf8);

// Encodes only (no brace or paragraph conversion): for runs of RTF that the
// user wrote on purpose.
std::string EncodeRtf(std::string_view utf8);

// Appends two lower-case hexadecimal digits per byte.
void AppendHex(std::string& out, const std::uint8_t* data, std::size_t size);

} // namespace reports::rtf
