#include "reports/rtf/RtfText.h"

#include "reports/layout/FormattedText.h"
#include "text/Windows1252.h"

namespace reports::rtf {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void AppendByteEscape(std::string& out, int byte)
{
    out += "\\'";
    out += kHexDigits[(byte >> 4) & 0xF];
    out += kHexDigits[byte & 0xF];
}

// "\uN?" with N the signed 16-bit value RTF expects; characters beyond the
// basic plane go as their two surrogates.
void AppendUnicode(std::string& out, char32_t cp)
{
    auto one = [&out](unsigned unit) {
        out += "\\u";
        out += std::to_string(static_cast<int>(static_cast<std::int16_t>(static_cast<std::uint16_t>(unit))));
        out += '?';
    };
    if (cp > 0xFFFF) {
        const char32_t v = cp - 0x10000;
        one(0xD800 + (v >> 10));
        one(0xDC00 + (v & 0x3FF));
    } else {
        one(cp);
    }
}

void AppendEncoded(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
        return;
    }
    const int byte = text::Windows1252Byte(cp);
    if (byte >= 0)
        AppendByteEscape(out, byte);
    else
        AppendUnicode(out, cp);
}

// Encodes the characters of `utf8`; with `escapeSyntax` every backslash and
// brace becomes a character too.
void AppendText(std::string& out, std::string_view utf8, bool escapeSyntax)
{
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const unsigned char c = static_cast<unsigned char>(utf8[pos]);
        if (c < 0x80) {
            ++pos;
            if (escapeSyntax && (c == '\\' || c == '{' || c == '}'))
                out += '\\';
            out += static_cast<char>(c);
            continue;
        }
        AppendEncoded(out, text::NextCodePoint(utf8, pos));
    }
}

void AppendStyleChange(std::string& out, const layout::TextStyle& from, const layout::TextStyle& to)
{
    if (from.bold != to.bold)
        out += to.bold ? "\\b " : "\\b0 ";
    if (from.italic != to.italic)
        out += to.italic ? "\\i " : "\\i0 ";
    if (from.underline != to.underline)
        out += to.underline ? "\\ul " : "\\ulnone ";
}

} // namespace

std::string EscapeRtf(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 8 + 8);
    layout::TextStyle style;
    for (const layout::TextRun& run : layout::ParseFormattedText(utf8)) {
        AppendStyleChange(out, style, run.style);
        style = run.style;
        switch (run.kind) {
        case layout::RunKind::Text: AppendText(out, run.text, true); break;
        case layout::RunKind::Tab: out += "\\tab "; break;
        case layout::RunKind::LineBreak: out += "\\line "; break;
        case layout::RunKind::ParagraphBreak: out += "\\par "; break;
        }
    }
    AppendStyleChange(out, style, {});
    return out;
}

std::string EscapePlainRtf(std::string_view utf8)
{
    std::string out;
    AppendText(out, utf8, true);
    return out;
}

std::string EncodeRtf(std::string_view utf8)
{
    std::string out;
    AppendText(out, utf8, false);
    return out;
}

void AppendHex(std::string& out, const std::uint8_t* data, std::size_t size)
{
    const std::size_t start = out.size();
    out.resize(start + size * 2);
    char* p = out.data() + start;
    for (std::size_t i = 0; i < size; ++i) {
        *p++ = kHexDigits[data[i] >> 4];
        *p++ = kHexDigits[data[i] & 0xF];
    }
}

} // namespace reports::rtf
