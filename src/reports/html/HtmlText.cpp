#include "reports/html/HtmlText.h"

#include "reports/html/HtmlElements.h"

#include <cctype>

namespace reports::html {
namespace {

struct Switches {
    bool bold = false, italic = false, underline = false;
    bool operator==(const Switches&) const = default;
};

void Open(std::string& out, const Switches& s)
{
    if (s.bold)
        out += "<B>";
    if (s.italic)
        out += "<I>";
    if (s.underline)
        out += "<U>";
}

void Close(std::string& out, const Switches& s)
{
    if (s.underline)
        out += "</U>";
    if (s.italic)
        out += "</I>";
    if (s.bold)
        out += "</B>";
}

bool IsAlpha(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

bool IsDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

} // namespace

std::string FormattedHtml(std::string_view text)
{
    std::string out, plain;
    Switches shown, wanted;
    // Text waits in `plain` until a word changes the switches or the text ends.
    auto flush = [&] {
        if (plain.empty())
            return;
        if (!(shown == wanted)) {
            Close(out, shown);
            Open(out, wanted);
            shown = wanted;
        }
        out += EscapeHtml(plain);
        plain.clear();
    };
    auto lineBreak = [&] {
        flush();
        out += "<BR>";
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lineBreak();
        } else if (c == '\n') {
            lineBreak();
        } else if (text.substr(i, 2) == "\xC2\xAC") { // the sign the RTF writers also read as a paragraph mark
            ++i;
            lineBreak();
        } else if (c == '{' || c == '}') {
            // Group braces of the formatting words: not text.
        } else if (c == '\\' && i + 1 < text.size() && !IsAlpha(text[i + 1])) {
            const char next = text[++i];
            if (next == '\\' || next == '{' || next == '}')
                plain += next;
            else if (next == '~')
                plain += "\xC2\xA0";
        } else if (c == '\\' && i + 1 < text.size()) {
            std::size_t j = i + 1;
            while (j < text.size() && IsAlpha(text[j]))
                ++j;
            const std::string word(text.substr(i + 1, j - i - 1));
            std::size_t k = j;
            if (k < text.size() && text[k] == '-')
                ++k;
            while (k < text.size() && IsDigit(text[k]))
                ++k;
            const std::string number(text.substr(j, k - j));
            if (k < text.size() && text[k] == ' ')
                ++k; // the delimiter belongs to the word
            i = k - 1;
            // The text before the word keeps the switches it was typed under.
            flush();
            const bool on = number.empty() || number != "0";
            if (word == "b")
                wanted.bold = on;
            else if (word == "i")
                wanted.italic = on;
            else if (word == "ul")
                wanted.underline = on;
            else if (word == "ulnone")
                wanted.underline = false;
            else if (word == "plain")
                wanted = Switches{};
            else if (word == "par" || word == "line")
                lineBreak();
            else if (word == "tab")
                plain += ' ';
        } else {
            plain += c;
        }
    }
    flush();
    Close(out, shown);
    return out;
}

std::string SafeFileName(std::string_view name)
{
    std::string safe;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.') {
            safe += static_cast<char>(c);
        } else if (c >= 0x80) {
            // One "_" for the whole multi-byte character.
            while (i + 1 < name.size() && (static_cast<unsigned char>(name[i + 1]) & 0xC0) == 0x80)
                ++i;
            safe += '_';
        } else {
            safe += '_';
        }
    }
    if (safe.empty() || safe.front() == '.')
        safe.insert(safe.begin(), '_');
    return safe;
}

std::string ProposedFolderName(const std::string& docNumber, const std::string& client, const std::string& address)
{
    for (const std::string* value : {&docNumber, &client, &address}) {
        const auto first = value->find_first_not_of(" \t\r\n");
        if (first == std::string::npos)
            continue;
        const auto last = value->find_last_not_of(" \t\r\n");
        return SafeFileName(value->substr(first, last - first + 1));
    }
    return "Inspection";
}

} // namespace reports::html
