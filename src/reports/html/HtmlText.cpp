#include "reports/html/HtmlText.h"

#include "reports/html/HtmlElements.h"
#include "reports/layout/FormattedText.h"

#include <cctype>

namespace reports::html {
namespace {

void Open(std::string& out, const layout::TextStyle& s)
{
    if (s.bold)
        out += "<B>";
    if (s.italic)
        out += "<I>";
    if (s.underline)
        out += "<U>";
}

void Close(std::string& out, const layout::TextStyle& s)
{
    if (s.underline)
        out += "</U>";
    if (s.italic)
        out += "</I>";
    if (s.bold)
        out += "</B>";
}

} // namespace

std::string FormattedHtml(std::string_view text)
{
    std::string out;
    layout::TextStyle shown;
    for (const layout::TextRun& run : layout::ParseFormattedText(text)) {
        if (run.kind != layout::RunKind::Text) {
            out += run.kind == layout::RunKind::Tab ? "&nbsp;&nbsp;&nbsp; " : "<BR>";
            continue;
        }
        // Tags are closed and opened again at each change, so they always nest.
        if (!(run.style == shown)) {
            Close(out, shown);
            Open(out, run.style);
            shown = run.style;
        }
        out += EscapeHtml(run.text);
    }
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
