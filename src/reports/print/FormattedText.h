#pragma once
// The inspector's formatting words inside data text ("\b" bold, "\i" italic,
// "\ul" underline, "\par" and "\line" breaks, and their "0" forms) as runs of
// plain text with a style. Every other code is dropped, never shown.
#include <string>
#include <string_view>
#include <vector>

namespace reports::print {

struct TextRun {
    std::string text; // UTF-8; "\n" is a line break, "\t" a tab
    bool bold = false, italic = false, underline = false;
};

std::vector<TextRun> FormattedRuns(std::string_view text);

} // namespace reports::print
