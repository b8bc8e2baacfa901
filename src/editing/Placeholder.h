#pragma once
// Caret placeholders in comment texts: places the inspector fills in when a
// comment is inserted. "^Location^" names a pick list whose choices are
// offered, "^(minor,moderate,severe)^" offers the choices written inside the
// parentheses, and a "^" that starts neither asks for a value with no choices.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace editing {

// The pick lists, read once: name to choices (in choice order).
class PickerLists {
public:
    // Reads every row of the pick list table.
    static PickerLists Load();

    bool Has(const std::string& name) const { return m_lists.count(name) != 0; }
    std::vector<std::string> Choices(const std::string& name) const;
    void Add(const std::string& name, const std::string& choice);

private:
    std::map<std::string, std::vector<std::string>> m_lists;
};

struct Placeholder {
    std::size_t start = 0;  // position of the first "^"
    std::size_t length = 1; // the whole run, carets included; 1 for a lone caret
    std::string name;       // empty for a lone caret
};

// The first placeholder at or after `from`. A run "^name^" is a placeholder
// when the name is a pick list or begins with "("; otherwise only the first
// "^" is one.
std::optional<Placeholder> FindPlaceholder(const std::string& text, const PickerLists& pickers, std::size_t from = 0);

// What the "Enter Text" dialog shows for a placeholder.
struct PlaceholderPrompt {
    std::string text;                 // the comment being filled
    std::string label;                // "Replace ^ with:" or "Replace ^name^ with:"
    std::string name;                 // empty for a lone caret: no choice list then
    std::vector<std::string> choices; // the pick list, or the items in parentheses
};
PlaceholderPrompt PromptFor(const std::string& text, const Placeholder& placeholder, const PickerLists& pickers);

// The items of an inline choice name: "(small,medium,large)" gives the three words.
std::vector<std::string> InlineChoices(const std::string& name);

// The value field after choosing `choice`: the choice without its bracket
// code, after ", " when the field already holds something.
std::string AddChoice(const std::string& value, const std::string& choice);

// Puts `value` (less one trailing space) in place of the placeholder.
std::string FillPlaceholder(const std::string& text, const Placeholder& placeholder, std::string value);

// Asks for one placeholder's value; nothing means Cancel.
using PlaceholderAsker = std::function<std::optional<std::string>(const PlaceholderPrompt&)>;

// Fills every placeholder in turn. Cancel stops and keeps the remaining
// carets. A value that itself holds a caret is taken as typed: the search goes
// on after it, so it is never asked about again.
std::string ReplaceCarets(std::string text, const PickerLists& pickers, const PlaceholderAsker& ask);

// True when the text holds a placeholder that names an existing pick list;
// that list's name is returned.
std::optional<std::string> NamedPickerIn(const std::string& text, const PickerLists& pickers);

} // namespace editing
