#pragma once
// The texts of one inspection that spelling walks, in the order of the report:
// the general comment, then per category its comment, the text values of its
// form fields and each step's comment and summary comment. The step
// information text comes from the template and is not stored, so it is not
// walked. Changes are written back to the rows they came from.
#include "spelling/SpellChecker.h"

#include <optional>
#include <string>
#include <vector>

namespace spelling {

enum class TextKind { GeneralComment, CategoryComment, FormField, StepComment, SummaryComment };

struct TextPlace {
    TextKind kind = TextKind::GeneralComment;
    int rowID = 0;          // InspectionID, CategoryID, Field ID or StepID
    std::string category;   // the category's title; empty for the general comment
    std::string item;       // the step's title or the field's label
    std::string text;
};

// Where a text is, as the inspector reads it: "General Comment",
// "Roof / Flashing (summary)", "Inspection Conditions / Weather (field)".
std::string Describe(const TextPlace& place);

// Every non-empty text of the inspection. Nothing when it cannot be read.
std::optional<std::vector<TextPlace>> InspectionTexts(int inspectionID);

// The dictionary language of the inspection: the settings file's
// "SpellingLanguage" when set, else the one its document type's layout asks for.
std::string InspectionLanguage(int inspectionID);

// `text` with the `length` bytes at `offset` replaced.
std::string ReplaceAt(const std::string& text, std::size_t offset, std::size_t length, const std::string& by);

// Writes `place.text` back to its row. False (and the reason on the port) when
// it cannot be written.
bool SaveText(const TextPlace& place);

// Replaces every misspelled occurrence of `word` by `replacement` in all
// `places` and writes the changed ones in one transaction: all of them or
// none. The number of replacements made, or nothing when the write failed
// (then `places` are as they were).
std::optional<int> ChangeAll(std::vector<TextPlace>& places, const SpellChecker& checker, const std::string& word,
                             const std::string& replacement);

// The settings file key that overrides the dictionary language.
inline constexpr const char* kSpellingLanguageKey = "SpellingLanguage";

// The choices of the Options sheet's "Spelling language": the empty code lets
// each inspection's document type decide.
struct LanguageChoice {
    const char* code;
    const char* caption;
};
inline constexpr LanguageChoice kLanguageChoices[] = {
    {"", "By document type"}, {kEnglish, "English (US)"}, {kFrench, "French"}};

} // namespace spelling
