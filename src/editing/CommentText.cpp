#include "editing/CommentText.h"

#include "app/DocumentRules.h"

#include <algorithm>

namespace editing {

std::string CommentSeparator(bool blankLineBetweenComments)
{
    return blankLineBetweenComments ? "\r\n\r\n" : "  ";
}

std::string DropBracketCode(const std::string& text)
{
    if (text.empty() || text.front() != '[')
        return text;
    const auto close = text.find(']');
    if (close == std::string::npos)
        return text;
    return text.substr(close + 1);
}

std::string GroupHeading(const std::string& groupName)
{
    return std::string(kGroupMarker) + groupName + std::string(kGroupMarker);
}

std::string GroupRating(const std::string& groupName)
{
    return "<<" + groupName + ">>";
}

bool IsGroupHeading(std::string_view entry)
{
    return entry.substr(0, kGroupMarker.size()) == kGroupMarker;
}

namespace {

// Keeps a selection inside the text and in order.
void Clamp(const std::string& text, int& start, int& end)
{
    const int size = static_cast<int>(text.size());
    start = std::clamp(start, 0, size);
    end = std::clamp(end, 0, size);
    if (end < start)
        std::swap(start, end);
}

} // namespace

CommentEdit InsertComment(const CommentEdit& edit, const std::string& comment, bool blankLineBetweenComments)
{
    const std::string separator = CommentSeparator(blankLineBetweenComments);
    int start = edit.selStart;
    int end = edit.selEnd;
    Clamp(edit.text, start, end);

    CommentEdit result;
    if (start > 0 && end > 0) {
        result.text = edit.text.substr(0, start) + separator + comment + edit.text.substr(end);
        result.selStart = start + static_cast<int>(separator.size() + comment.size());
    } else if (edit.text.empty()) {
        result.text = comment;
        result.selStart = static_cast<int>(comment.size());
    } else {
        // At the very beginning: the comment goes first, still kept apart from the old text.
        result.text = comment + separator + edit.text.substr(end);
        result.selStart = static_cast<int>(comment.size() + separator.size());
    }
    result.selEnd = result.selStart;
    return result;
}

CommentEdit InsertAtCaret(const CommentEdit& edit, const std::string& text)
{
    CommentEdit result;
    if (edit.selStart < 0 || edit.selEnd < 0) {
        result.text = text + edit.text;
        result.selStart = static_cast<int>(text.size());
    } else {
        int start = edit.selStart;
        int end = edit.selEnd;
        Clamp(edit.text, start, end);
        result.text = edit.text.substr(0, start) + text + edit.text.substr(end);
        result.selStart = start + static_cast<int>(text.size());
    }
    result.selEnd = result.selStart;
    return result;
}

void AppendComment(std::string& text, const std::string& comment, bool blankLineBetweenComments)
{
    // Apply Defaults appends material comments by the same rule.
    app::AppendMaterialComment(text, comment, blankLineBetweenComments);
}

} // namespace editing
