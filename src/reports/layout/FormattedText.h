#pragma once
// The inspector's formatting words. A comment, a note or an address may hold a
// few RTF formatting words typed on purpose ("\b Danger\b0"); every report
// writer (RTF, print, HTML) honours the same short list and shows every other
// backslash as the character it is, so that "C:\temp\new\file" or "Apt 3\B"
// prints as typed and can never end or damage a report.
//
// The words honoured: \b \b0 \i \i0 \ul \ul0 \ulnone (bold, italic, underline
// on and off), \par (new paragraph), \line (line break), \tab, and the escaped
// characters \{ \} \\ and \~ (a non-breaking space). A word is its letters and
// digits exactly, optionally followed by one space that belongs to the word.
// Line ends in the text (CR LF, CR, a lone LF, and the sign U+00AC) are
// paragraph breaks.
#include <string>
#include <string_view>
#include <vector>

namespace reports::layout {

struct TextStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const TextStyle&) const = default;
};

enum class RunKind {
    Text,           // `text` holds UTF-8 text, never empty, without line ends or tabs
    Tab,            // a tab stop
    LineBreak,      // a new line in the same paragraph ("\line")
    ParagraphBreak, // a new paragraph ("\par", a line end in the text)
};

struct TextRun {
    RunKind kind = RunKind::Text;
    std::string text;  // only for RunKind::Text
    TextStyle style;   // the style in force at this run
    bool operator==(const TextRun&) const = default;
};

// Splits `text` into runs. The style starts plain; neighbouring text runs of
// one style are joined. A style left on at the end stays in the last runs
// only: a renderer closes it where the text ends.
std::vector<TextRun> ParseFormattedText(std::string_view text);

// The text as a reader sees it, formatting words removed: tabs as '\t',
// breaks of either kind as '\n'.
std::string PlainText(std::string_view text);

} // namespace reports::layout
