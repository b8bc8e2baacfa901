#pragma once
// Spelling on Hunspell with the system's dictionaries (Debian's hunspell-en-us
// and hunspell-fr). One checker serves one language; it also knows the trade
// words shipped with the starter library (GFCI, soffit, efflorescence, ...),
// the words the inspector added to the personal word list, and the words
// ignored for the rest of the session.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace spelling {

inline constexpr const char* kEnglish = "en_US";
inline constexpr const char* kFrench = "fr";
// The most suggestions a menu or the dialog offers.
inline constexpr int kMaxSuggestions = 7;

struct Misspelling {
    std::size_t offset = 0;  // bytes into the UTF-8 text
    std::size_t length = 0;
    std::string word;
};

class SpellChecker {
public:
    // A checker for `language` ("en_US", "fr"), with the dictionaries found in
    // INSPECTOR_DICTIONARIES (when set) or the system's hunspell folders.
    explicit SpellChecker(std::string language);
    ~SpellChecker();
    SpellChecker(const SpellChecker&) = delete;
    SpellChecker& operator=(const SpellChecker&) = delete;

    // False when the language's dictionary is not installed; Problem() then
    // says which package to install, and every word counts as correct.
    bool Available() const { return m_handle != nullptr; }
    const std::string& Problem() const { return m_problem; }
    const std::string& Language() const { return m_language; }

    bool IsCorrect(std::string_view word) const;
    // The misspelled words of `text`, in order.
    std::vector<Misspelling> Check(std::string_view text) const;
    // At most `max` suggestions for `word`, best first.
    std::vector<std::string> Suggest(std::string_view word, int max = kMaxSuggestions) const;

    // Accepts `word` until the program ends.
    void Ignore(std::string_view word);
    // Accepts `word` from now on, in every language, and keeps it in the
    // personal word list. False when the list cannot be written.
    bool AddToDictionary(std::string_view word);

private:
    bool Accepted(std::string_view word) const;
    void AddToHunspell(const std::string& word);
    // `word` in the dictionary's encoding; false when it cannot be written in it.
    bool ToDictionary(std::string_view word, std::string& out) const;
    std::string FromDictionary(const char* word) const;

    std::string m_language;
    std::string m_problem;
    struct Handle;
    std::unique_ptr<Handle> m_handle;
};

// The dictionary language of an inspection whose document type has the
// report layout `reportLayout`: French for "2 Column French", else English.
std::string LanguageForLayout(const std::string& reportLayout);

// The personal word list: "personal-words.txt" in the application data
// folder, one word a line, UTF-8.
std::string PersonalWordListPath();

} // namespace spelling
