#pragma once
// What the comment dialog edits: the comment of a step, the general comment
// of an inspection or the comment of a category, with the stock comments each
// kind offers, the bracket codes a category collects, and how each is stored.
#include "editing/CommentChoices.h"

#include <optional>
#include <string>
#include <vector>

namespace app {
class CInspectorDoc;
}

namespace review {

enum class CommentKind { Step, Inspection, Category };

struct CommentSubject {
    CommentKind kind = CommentKind::Step;
    int id = 0;           // StepID, InspectionID or CategoryID
    int templateID = 0;   // the StepTemplate, InspectionType (DocTypeID) or CategoryTemplate whose comments are offered
    std::string title;    // the dialog's title
    std::string text;     // the comment text
    std::string codes;    // a category's code list (column 3); empty for the other kinds
    std::string materialVoids; // of the inspection, for the step kind
};

// The subject of each kind; nothing when the row is gone.
std::optional<CommentSubject> StepSubject(int stepID);
// The general comment is that of the document's current inspection.
CommentSubject InspectionSubject(const app::CInspectorDoc& doc);
std::optional<CommentSubject> CategorySubject(int categoryID);

// The stock comments offered: the step template's as the comments page lists
// them; the document type's or the category template's ordered by group and
// text, a category's shown as "[Group]text" when it has a group.
std::vector<editing::StockComment> StockCommentsOf(const CommentSubject& subject);

// The code a chosen text begins with ("[A1]Loose" gives "A1"), or nothing.
std::optional<std::string> BracketCode(const std::string& text);
// `codes` with `code` added, joined with ";"; a code already listed is not added again.
std::string AddCode(const std::string& codes, const std::string& code);

// "Add->": the whole text as a new stock comment of the subject's kind (a new
// Comments row and a link row), appended to `list`. A text of one character
// or one the list holds is not added. True when added.
bool AddStockCommentTo(const CommentSubject& subject, const std::string& text,
                       std::vector<editing::StockComment>& list);

// Stores the text (and a category's codes in column 3) and saves the row. The
// general comment goes through the document's current inspection, and the
// document's category selection is read again, so that neither writes an
// older text back later. False when the row could not be stored.
bool StoreComment(const CommentSubject& subject, app::CInspectorDoc& doc);

} // namespace review
