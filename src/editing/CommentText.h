#pragma once
// How the comment text of a step is composed: the separator between comments,
// the bracket code a stock comment may start with, inserting a stock comment
// where the inspector left the caret, raw insertion at the caret, and appending
// a comment at the end. Positions are byte offsets into the UTF-8 text.
#include <string>
#include <string_view>

namespace editing {

// The entry of a group heading in the stock-comment list starts with this.
inline constexpr std::string_view kGroupMarker = "***********************";

// "\r\n\r\n" when a blank line goes between comments, else two spaces.
std::string CommentSeparator(bool blankLineBetweenComments);

// The text without a leading code in brackets ("[A1]Loose trim" gives "Loose trim").
std::string DropBracketCode(const std::string& text);

// The display text of a group heading entry and the rating it carries.
std::string GroupHeading(const std::string& groupName);
std::string GroupRating(const std::string& groupName);
bool IsGroupHeading(std::string_view entry);

// A comment text with the selection (caret when start == end) kept beside it.
struct CommentEdit {
    std::string text;
    int selStart = 0;
    int selEnd = 0;
};

// Inserts a stock comment (already stripped of its code and with its
// placeholders filled): with the caret after some text, the separator and the
// comment replace the selection; with the caret at the very beginning the
// comment goes first and the separator keeps it apart from the text behind
// it; into an empty text the comment goes alone. The caret ends after what
// was inserted.
CommentEdit InsertComment(const CommentEdit& edit, const std::string& comment, bool blankLineBetweenComments);

// Puts `text` in place of the selection (in front of everything when the
// selection is unknown, i.e. negative); the caret ends after it.
CommentEdit InsertAtCaret(const CommentEdit& edit, const std::string& text);

// Appends `comment` at the end of `text`, separated from what is there.
void AppendComment(std::string& text, const std::string& comment, bool blankLineBetweenComments);

} // namespace editing
