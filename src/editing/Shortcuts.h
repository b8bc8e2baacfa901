#pragma once
// Shortcut words: typing a word from the shortcut table followed by "@" in a
// comment replaces both with the word's expansion. Lookups are exact, letter
// case included.
#include <map>
#include <optional>
#include <string>

namespace editing {

class ShortcutMap {
public:
    // Reads every row of the shortcut table.
    static ShortcutMap Load();
    // The map of the process, read on first use and kept.
    static const ShortcutMap& Shared();
    // Forgets the shared map so the next use reads the table again (new data files).
    static void ResetShared();

    void Add(const std::string& word, const std::string& expansion) { m_map[word] = expansion; }
    const std::string* Find(const std::string& word) const;
    std::size_t Size() const { return m_map.size(); }

private:
    std::map<std::string, std::string> m_map;
};

// A shortcut found just before the caret: the run [start, end) holds the word
// and its "@"; `expansion` goes in its place.
struct ShortcutHit {
    int start = 0;
    int end = 0;
    std::string expansion;
};

// Looks for "word@" ending at the caret or one character before it (the
// character typed after the "@" stays). The word starts after the last blank,
// line break or "." before it.
std::optional<ShortcutHit> FindShortcut(const std::string& text, int caret, const ShortcutMap& shortcuts);

// Applies a hit: the text with the word and its "@" replaced; the caret keeps
// its place behind whatever was typed after the "@".
struct ExpandedComment {
    std::string text;
    int caret = 0;
};
ExpandedComment ExpandShortcut(const std::string& text, const ShortcutHit& hit, int caret);

} // namespace editing
