#include "editing/Shortcuts.h"

#include "store/ExpandedText.h"

#include <algorithm>
#include <memory>

namespace editing {

namespace {
std::unique_ptr<ShortcutMap>& SharedSlot()
{
    static std::unique_ptr<ShortcutMap> shared;
    return shared;
}
} // namespace

ShortcutMap ShortcutMap::Load()
{
    ShortcutMap map;
    store::ExpandedText rows;
    if (rows.Open()) {
        for (int i = 0; i < rows.GetCount(); ++i) {
            rows.Read(i);
            if (!rows.m_ShortCut.empty())
                map.Add(rows.m_ShortCut, rows.m_Expanded);
        }
    }
    return map;
}

const ShortcutMap& ShortcutMap::Shared()
{
    auto& shared = SharedSlot();
    if (!shared)
        shared = std::make_unique<ShortcutMap>(Load());
    return *shared;
}

void ShortcutMap::ResetShared()
{
    SharedSlot().reset();
}

const std::string* ShortcutMap::Find(const std::string& word) const
{
    const auto found = m_map.find(word);
    return found == m_map.end() ? nullptr : &found->second;
}

std::optional<ShortcutHit> FindShortcut(const std::string& text, int caret, const ShortcutMap& shortcuts)
{
    if (caret < 0 || caret > static_cast<int>(text.size()))
        return std::nullopt;
    int at = -1;
    if (caret >= 1 && text[caret - 1] == '@')
        at = caret - 1;
    else if (caret >= 2 && text[caret - 2] == '@')
        at = caret - 2;
    if (at < 1)
        return std::nullopt;
    int start = at;
    while (start > 0) {
        const char c = text[start - 1];
        if (c == ' ' || c == '\r' || c == '\n' || c == '.')
            break;
        --start;
    }
    const std::string word = text.substr(start, at - start);
    const std::string* expansion = word.empty() ? nullptr : shortcuts.Find(word);
    if (!expansion)
        return std::nullopt;
    return ShortcutHit{start, at + 1, *expansion};
}

ExpandedComment ExpandShortcut(const std::string& text, const ShortcutHit& hit, int caret)
{
    ExpandedComment result;
    result.text = text.substr(0, hit.start) + hit.expansion + text.substr(hit.end);
    result.caret = hit.start + static_cast<int>(hit.expansion.size()) + std::max(0, caret - hit.end);
    return result;
}

} // namespace editing
