#include "spelling/WordFinder.h"

#include "text/Windows1252.h"

namespace spelling {
namespace {

// One UTF-8 character: its code point and its length in bytes.
struct Char {
    char32_t code = 0;
    std::size_t size = 1;
};

Char Decode(std::string_view text, std::size_t at)
{
    std::size_t next = at;
    const char32_t code = text::NextCodePoint(text, next);
    return {code, next - at};
}

bool IsLetter(char32_t c)
{
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (c == 0xD7 || c == 0xF7 || c == 0xFFFD)  // multiplication and division signs
        return false;
    if (c >= 0x2000 && c <= 0x2BFF)  // punctuation, symbols, arrows, dashes
        return false;
    return c >= 0xC0;
}

bool IsApostrophe(char32_t c) { return c == '\'' || c == 0x2019; }
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

// Where the whitespace-delimited chunk starting at `at` ends.
std::size_t ChunkEnd(std::string_view text, std::size_t at)
{
    while (at < text.size() && !IsSpace(text[at]))
        ++at;
    return at;
}

// E-mail and web addresses, and anything holding a digit (numbers, Doc #s,
// model numbers), are skipped whole.
bool SkipsWholeChunk(std::string_view chunk)
{
    if (chunk.find('@') != std::string_view::npos || chunk.find("://") != std::string_view::npos ||
        chunk.rfind("www.", 0) == 0)
        return true;
    for (char c : chunk)
        if (c >= '0' && c <= '9')
            return true;
    return false;
}

// "HeatingFuel", "iPhone": names of things, not words of the language.
bool CapitalInside(std::string_view word)
{
    for (std::size_t i = 1; i < word.size(); ++i)
        if (word[i] >= 'A' && word[i] <= 'Z' && word[i - 1] >= 'a' && word[i - 1] <= 'z')
            return true;
    return false;
}

bool AllCapitals(std::string_view word)
{
    int capitals = 0;
    for (char c : word) {
        if (c >= 'a' && c <= 'z')
            return false;
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;  // accented letters: check the word
        if (c >= 'A' && c <= 'Z')
            ++capitals;
    }
    return capitals >= 2;
}

} // namespace

std::vector<WordSpan> FindWords(std::string_view text)
{
    std::vector<WordSpan> words;
    std::size_t i = 0;
    std::size_t chunkEnd = 0;  // the current chunk was judged up to here
    while (i < text.size()) {
        const char c = text[i];
        if (text.compare(i, 3, "***") == 0) {
            const std::size_t close = text.find("***", i + 3);
            i = close == std::string_view::npos ? text.size() : close + 3;
            chunkEnd = i;
            continue;
        }
        if (c == '^') {
            const std::size_t close = text.find('^', i + 1);
            i = close == std::string_view::npos ? text.size() : close + 1;
            chunkEnd = i;
            continue;
        }
        if (i >= chunkEnd && !IsSpace(c)) {
            chunkEnd = ChunkEnd(text, i);
            if (SkipsWholeChunk(text.substr(i, chunkEnd - i))) {
                i = chunkEnd;
                continue;
            }
        }
        if (c == '\\') {
            // A formatting word: a backslash and letters (with an optional
            // number), or a backslash and one other character.
            ++i;
            if (i < text.size() && Decode(text, i).code < 0x80 && IsLetter(static_cast<unsigned char>(text[i]))) {
                while (i < text.size() && ((text[i] >= 'a' && text[i] <= 'z') || (text[i] >= 'A' && text[i] <= 'Z')))
                    ++i;
                if (i < text.size() && text[i] == '-')
                    ++i;
                while (i < text.size() && text[i] >= '0' && text[i] <= '9')
                    ++i;
            } else if (i < text.size()) {
                i += Decode(text, i).size;
            }
            continue;
        }
        const Char ch = Decode(text, i);
        if (!IsLetter(ch.code)) {
            i += ch.size;
            continue;
        }
        // A word: letters, with apostrophes and hyphens between letters.
        const std::size_t start = i;
        std::size_t end = i;
        while (end < text.size()) {
            const Char here = Decode(text, end);
            if (IsLetter(here.code)) {
                end += here.size;
                continue;
            }
            if ((IsApostrophe(here.code) || here.code == '-') && end + here.size < text.size() &&
                IsLetter(Decode(text, end + here.size).code)) {
                end += here.size;
                continue;
            }
            break;
        }
        const std::string_view word = text.substr(start, end - start);
        if (!AllCapitals(word) && !CapitalInside(word))
            words.push_back({start, end - start});
        i = end;
    }
    return words;
}

} // namespace spelling
