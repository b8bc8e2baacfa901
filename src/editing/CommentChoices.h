#pragma once
// The stock comments offered for a step: those linked to its template, in
// groups, without the ones that a material checked anywhere in the inspection
// makes obsolete. Also adding a typed comment to a template's list and taking
// comments off it.
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace editing {

struct StockComment {
    std::string text;   // the display text: the comment, or a group heading
    std::string rating; // the comment's rating; "<<Group>>" for a heading
    std::int32_t id = 0; // the Comments identifier; 0 for a heading
};

// The material identifiers listed in an inspection's MaterialVoids text.
std::set<std::int32_t> ParseMaterialVoids(const std::string& materialVoids);

// The stock comments of a step template, ordered by group then text (by text
// alone when no comment has a group), a heading before each new group, and
// without the comments paired in VoidComments with a listed material.
std::vector<StockComment> StockCommentsFor(int stepTemplateID, const std::string& materialVoids);

// Adds `text` to the template's stock comments with `rating` (a new Comments
// row linked through StepComment) unless it is a single character or the
// list already holds it. The new entry is appended to `list`. True when added.
bool AddStockComment(int stepTemplateID, const std::string& text, const std::string& rating,
                     std::vector<StockComment>& list);

// Takes the picked comments off the template's list: a link whose comment
// exists once with exactly that text is detached (its StepID negated); the
// comment stays for other templates. A link whose identifier names several
// comments is reported and left. Returns how many were detached.
int RemoveStockComments(int stepTemplateID, const std::vector<std::string>& texts);

} // namespace editing
