#include "editing/Placeholder.h"

#include "editing/CommentText.h"
#include "store/Pickers.h"

#include <algorithm>

namespace editing {

PickerLists PickerLists::Load()
{
    PickerLists lists;
    store::Pickers rows;
    if (rows.Open()) {
        for (int i = 0; i < rows.GetCount(); ++i) {
            rows.Read(i);
            lists.Add(rows.m_PickerName, rows.m_PickerChoice);
        }
    }
    for (auto& [name, choices] : lists.m_lists)
        std::stable_sort(choices.begin(), choices.end());
    return lists;
}

std::vector<std::string> PickerLists::Choices(const std::string& name) const
{
    const auto found = m_lists.find(name);
    return found == m_lists.end() ? std::vector<std::string>{} : found->second;
}

void PickerLists::Add(const std::string& name, const std::string& choice)
{
    m_lists[name].push_back(choice);
}

std::optional<Placeholder> FindPlaceholder(const std::string& text, const PickerLists& pickers, std::size_t from)
{
    const auto p = text.find('^', from);
    if (p == std::string::npos)
        return std::nullopt;
    Placeholder placeholder;
    placeholder.start = p;
    const auto q = text.find('^', p + 1);
    if (q != std::string::npos) {
        std::string name = text.substr(p + 1, q - p - 1);
        if (pickers.Has(name) || (!name.empty() && name.front() == '(')) {
            placeholder.length = q - p + 1;
            placeholder.name = std::move(name);
        }
    }
    return placeholder;
}

std::vector<std::string> InlineChoices(const std::string& name)
{
    std::vector<std::string> items;
    if (name.empty() || name.front() != '(')
        return items;
    std::string inner = name.substr(1);
    if (!inner.empty() && inner.back() == ')')
        inner.pop_back();
    std::size_t begin = 0;
    while (begin <= inner.size()) {
        auto comma = inner.find(',', begin);
        if (comma == std::string::npos)
            comma = inner.size();
        std::string item = inner.substr(begin, comma - begin);
        const auto first = item.find_first_not_of(' ');
        const auto last = item.find_last_not_of(' ');
        if (first != std::string::npos)
            items.push_back(item.substr(first, last - first + 1));
        begin = comma + 1;
    }
    return items;
}

PlaceholderPrompt PromptFor(const std::string& text, const Placeholder& placeholder, const PickerLists& pickers)
{
    PlaceholderPrompt prompt;
    prompt.text = text;
    prompt.name = placeholder.name;
    if (placeholder.name.empty()) {
        prompt.label = "Replace ^ with:";
    } else {
        prompt.label = "Replace ^" + placeholder.name + "^ with:";
        prompt.choices = placeholder.name.front() == '(' ? InlineChoices(placeholder.name)
                                                         : pickers.Choices(placeholder.name);
    }
    return prompt;
}

std::string AddChoice(const std::string& value, const std::string& choice)
{
    const std::string words = DropBracketCode(choice);
    return value.empty() ? words : value + ", " + words;
}

std::string FillPlaceholder(const std::string& text, const Placeholder& placeholder, std::string value)
{
    if (!value.empty() && value.back() == ' ')
        value.pop_back();
    return text.substr(0, placeholder.start) + value + text.substr(placeholder.start + placeholder.length);
}

std::string ReplaceCarets(std::string text, const PickerLists& pickers, const PlaceholderAsker& ask)
{
    std::size_t from = 0;
    while (auto placeholder = FindPlaceholder(text, pickers, from)) {
        auto value = ask(PromptFor(text, *placeholder, pickers));
        if (!value)
            break;
        if (!value->empty() && value->back() == ' ')
            value->pop_back();
        text = FillPlaceholder(text, *placeholder, *value);
        from = placeholder->start + value->size();
    }
    return text;
}

std::optional<std::string> NamedPickerIn(const std::string& text, const PickerLists& pickers)
{
    std::size_t from = 0;
    while (auto placeholder = FindPlaceholder(text, pickers, from)) {
        if (!placeholder->name.empty() && pickers.Has(placeholder->name))
            return placeholder->name;
        from = placeholder->start + placeholder->length;
    }
    return std::nullopt;
}

} // namespace editing
