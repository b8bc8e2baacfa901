#pragma once
// The words of a comment that spelling looks at. An inspector's text holds
// more than prose: RTF formatting words ("\b", "\par"), picture tags
// ("***Picture-3;Scaling=50***"), caret placeholders ("^type^"), numbers and
// Doc #s ("J-1024", "2nd"), e-mail addresses and web addresses. None of those
// is a word to check; everything else made of letters is.
#include <cstddef>
#include <string_view>
#include <vector>

namespace spelling {

struct WordSpan {
    std::size_t offset = 0;  // bytes into the UTF-8 text
    std::size_t length = 0;  // bytes
};

// The words to check in `text`, in order. A word is a run of letters (any
// script) with inner apostrophes or hyphens ("don't", "well-maintained");
// words written in capitals only ("GFCI", "HVAC") are abbreviations, and words
// with a capital inside ("HeatingFuel", "iPhone") are names: both are left out.
std::vector<WordSpan> FindWords(std::string_view text);

} // namespace spelling
