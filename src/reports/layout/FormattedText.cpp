#include "reports/layout/FormattedText.h"


namespace reports::layout {
namespace {

bool IsLetter(char c) { return c >= 'a' && c <= 'z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

class Builder {
public:
    void Text(std::string_view s)
    {
        if (s.empty())
            return;
        if (!m_runs.empty() && m_runs.back().kind == RunKind::Text && m_runs.back().style == m_style)
            m_runs.back().text += s;
        else
            m_runs.push_back({RunKind::Text, std::string(s), m_style});
    }
    void Mark(RunKind kind) { m_runs.push_back({kind, {}, m_style}); }
    TextStyle& Style() { return m_style; }
    std::vector<TextRun> Take() { return std::move(m_runs); }

private:
    std::vector<TextRun> m_runs;
    TextStyle m_style;
};

// Applies the formatting word `word` (letters and digits, no backslash);
// false when it is not one of the words honoured.
bool ApplyWord(std::string_view word, Builder& out)
{
    TextStyle& s = out.Style();
    if (word == "b") s.bold = true;
    else if (word == "b0") s.bold = false;
    else if (word == "i") s.italic = true;
    else if (word == "i0") s.italic = false;
    else if (word == "ul") s.underline = true;
    else if (word == "ul0" || word == "ulnone") s.underline = false;
    else if (word == "par") out.Mark(RunKind::ParagraphBreak);
    else if (word == "line") out.Mark(RunKind::LineBreak);
    else if (word == "tab") out.Mark(RunKind::Tab);
    else return false;
    return true;
}

} // namespace

std::vector<TextRun> ParseFormattedText(std::string_view text)
{
    Builder out;
    std::size_t plainStart = 0;
    std::size_t i = 0;
    auto flush = [&](std::size_t end) {
        out.Text(text.substr(plainStart, end - plainStart));
    };
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n' || c == '\t') {
            flush(i);
            out.Mark(c == '\t' ? RunKind::Tab : RunKind::ParagraphBreak);
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            plainStart = i;
            continue;
        }
        if (c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xAC') { // U+00AC
            flush(i);
            out.Mark(RunKind::ParagraphBreak);
            i += 2;
            plainStart = i;
            continue;
        }
        if (c != '\\' || i + 1 >= text.size()) {
            ++i;
            continue;
        }
        const char next = text[i + 1];
        if (next == '{' || next == '}' || next == '\\' || next == '~') {
            flush(i);
            out.Text(next == '~' ? std::string_view("\xC2\xA0") : text.substr(i + 1, 1));
            i += 2;
            plainStart = i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < text.size() && IsLetter(text[end]))
            ++end;
        if (end == i + 1) { // not a word: the backslash is a character
            ++i;
            continue;
        }
        if (end < text.size() && text[end] == '-')
            ++end;
        while (end < text.size() && IsDigit(text[end]))
            ++end;
        const std::string_view word = text.substr(i + 1, end - i - 1);
        flush(i);
        if (ApplyWord(word, out)) {
            if (end < text.size() && text[end] == ' ')
                ++end; // the space that ends a word belongs to it
            i = end;
            plainStart = i;
        } else {
            plainStart = i; // shown as typed, backslash included
            i = end;
        }
    }
    flush(text.size());
    return out.Take();
}

std::string PlainText(std::string_view text)
{
    std::string plain;
    for (const TextRun& run : ParseFormattedText(text)) {
        switch (run.kind) {
        case RunKind::Text: plain += run.text; break;
        case RunKind::Tab: plain += '\t'; break;
        case RunKind::LineBreak:
        case RunKind::ParagraphBreak: plain += '\n'; break;
        }
    }
    return plain;
}

} // namespace reports::layout
