#include "spelling/SpellChecker.h"

#include "reports/rtf/AppDataFolder.h"
#include "spelling/WordFinder.h"
#include "store/StarterLibraryFiles.h"
#include "text/Windows1252.h"

#include <hunspell/hunspell.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>
#include <sstream>

namespace spelling {
namespace {

namespace fs = std::filesystem;

// The trade words shipped with the starter library, one a line.
constexpr const char* kTradeWordsFile = "trade-words.dic";

std::vector<std::string> DictionaryFolders()
{
    if (const char* folder = std::getenv("INSPECTOR_DICTIONARIES"); folder && *folder)
        return {folder};
    return {"/usr/share/hunspell", "/usr/share/myspell/dicts", "/usr/share/myspell"};
}

// Debian names the French dictionary "fr" (with "fr_FR" beside it).
std::vector<std::string> DictionaryNames(const std::string& language)
{
    if (language == kFrench)
        return {"fr", "fr_FR"};
    return {language};
}

std::string PackageFor(const std::string& language)
{
    return language == kFrench ? "hunspell-fr" : "hunspell-en-us";
}

void ReadWords(std::istream& in, std::set<std::string>& words)
{
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (!line.empty() && line[0] != '#')
            words.insert(line);
    }
}

// Words every checker accepts: the trade list and the personal list. Shared,
// so that "Add to Dictionary" in one editor is heard in all of them.
struct SharedWords {
    std::mutex mutex;
    std::set<std::string> accepted;
    std::set<std::string> ignored;
    bool loaded = false;
};

SharedWords& Shared()
{
    static SharedWords words;
    std::lock_guard lock(words.mutex);
    if (!words.loaded) {
        words.loaded = true;
        for (const auto& file : store::StarterLibraryFiles())
            if (std::string_view(file.name) == kTradeWordsFile) {
                std::istringstream in(std::string(file.data, file.size));
                ReadWords(in, words.accepted);
            }
        std::ifstream personal(PersonalWordListPath());
        ReadWords(personal, words.accepted);
    }
    return words;
}

} // namespace

struct SpellChecker::Handle {
    Hunhandle* hunspell = nullptr;
    bool utf8 = true;
    ~Handle()
    {
        if (hunspell)
            Hunspell_destroy(hunspell);
    }
};

SpellChecker::SpellChecker(std::string language) : m_language(std::move(language))
{
    for (const auto& folder : DictionaryFolders())
        for (const auto& name : DictionaryNames(m_language)) {
            const fs::path aff = fs::path(folder) / (name + ".aff");
            const fs::path dic = fs::path(folder) / (name + ".dic");
            std::error_code ec;
            if (!fs::is_regular_file(aff, ec) || !fs::is_regular_file(dic, ec))
                continue;
            auto handle = std::make_unique<Handle>();
            handle->hunspell = Hunspell_create(aff.c_str(), dic.c_str());
            if (!handle->hunspell)
                continue;
            const std::string encoding = Hunspell_get_dic_encoding(handle->hunspell);
            handle->utf8 = encoding == "UTF-8" || encoding == "utf-8";
            m_handle = std::move(handle);
            // Known to Hunspell itself, the trade and personal words are
            // also accepted capitalized and inside hyphenated words.
            SharedWords& shared = Shared();
            std::lock_guard lock(shared.mutex);
            for (const auto& word : shared.accepted)
                AddToHunspell(word);
            return;
        }
    m_problem = "No spelling dictionary for " + m_language + " is installed; install the package " +
                PackageFor(m_language) + " to check spelling.";
}

SpellChecker::~SpellChecker() = default;

bool SpellChecker::ToDictionary(std::string_view word, std::string& out) const
{
    if (m_handle->utf8) {
        out.assign(word);
        return true;
    }
    // The other dictionaries Debian ships are in ISO 8859-1, which agrees
    // with Windows-1252 on every letter.
    int replaced = 0;
    out = text::ToWindows1252(word, &replaced);
    return replaced == 0;
}

std::string SpellChecker::FromDictionary(const char* word) const
{
    return m_handle->utf8 ? std::string(word) : text::FromWindows1252(word);
}

void SpellChecker::AddToHunspell(const std::string& word)
{
    std::string encoded;
    if (m_handle && ToDictionary(word, encoded))
        Hunspell_add(m_handle->hunspell, encoded.c_str());
}

bool SpellChecker::Accepted(std::string_view word) const
{
    SharedWords& shared = Shared();
    std::lock_guard lock(shared.mutex);
    const std::string key(word);
    return shared.accepted.count(key) > 0 || shared.ignored.count(key) > 0;
}

bool SpellChecker::IsCorrect(std::string_view word) const
{
    if (!m_handle || word.empty() || Accepted(word))
        return true;
    std::string encoded;
    if (!ToDictionary(word, encoded))
        return false;
    return Hunspell_spell(m_handle->hunspell, encoded.c_str()) != 0;
}

std::vector<Misspelling> SpellChecker::Check(std::string_view text) const
{
    std::vector<Misspelling> found;
    if (!m_handle)
        return found;
    for (const WordSpan& span : FindWords(text)) {
        const std::string_view word = text.substr(span.offset, span.length);
        if (!IsCorrect(word))
            found.push_back({span.offset, span.length, std::string(word)});
    }
    return found;
}

std::vector<std::string> SpellChecker::Suggest(std::string_view word, int max) const
{
    std::vector<std::string> suggestions;
    std::string encoded;
    if (!m_handle || !ToDictionary(word, encoded))
        return suggestions;
    char** list = nullptr;
    const int count = Hunspell_suggest(m_handle->hunspell, &list, encoded.c_str());
    for (int i = 0; i < count && static_cast<int>(suggestions.size()) < max; ++i)
        suggestions.push_back(FromDictionary(list[i]));
    if (list)
        Hunspell_free_list(m_handle->hunspell, &list, count);
    return suggestions;
}

void SpellChecker::Ignore(std::string_view word)
{
    SharedWords& shared = Shared();
    std::lock_guard lock(shared.mutex);
    shared.ignored.insert(std::string(word));
}

bool SpellChecker::AddToDictionary(std::string_view word)
{
    if (word.empty() || word.find('\n') != std::string_view::npos)
        return false;
    const fs::path path = PersonalWordListPath();
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::app | std::ios::binary);
    out << word << '\n';
    out.flush();
    if (!out)
        return false;
    AddToHunspell(std::string(word));
    SharedWords& shared = Shared();
    std::lock_guard lock(shared.mutex);
    shared.accepted.insert(std::string(word));
    return true;
}

std::string LanguageForLayout(const std::string& reportLayout)
{
    return reportLayout == "2 Column French" ? kFrench : kEnglish;
}

std::string PersonalWordListPath()
{
    return (fs::path(reports::rtf::AppDataFolder()) / "personal-words.txt").string();
}

} // namespace spelling
