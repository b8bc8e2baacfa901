#pragma once
// The rules of the step list and the step sheet that need no window: the
// status cells of a step's row, the rating entries offered for a step, how a
// duplicated step is named and numbered, Apply Defaults over a category, the
// category's complete flag, and the page the sheet opens on.
#include "store/Step.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace editing {

inline const std::string kStatusComplete = "Complete";
inline const std::string kStatusIncomplete = "Incomplete";
inline const std::string kStatusNone = "None";
inline const std::string kClearEntry = "<clear>";
inline const std::string kNoRatingsEntry = "<no ratings>";

// The four status cells of a step's row.
struct StepRowStatus {
    std::string materials; // Complete, Incomplete or None
    std::string comment;   // Complete or Incomplete
    std::string picture;   // Complete or Incomplete
    std::string info;      // Complete or None
};

// Whether the step template has at least one material to choose from.
bool TemplateHasMaterials(int stepTemplateID);

// The status of a step's row; `templateHasMaterials` decides between
// Incomplete and None while the step has no materials.
StepRowStatus RowStatus(const store::Step& step, bool templateHasMaterials);

// The status of a row shown before as `shown`, recomputed after the step
// changed: while the step has no materials, the Materials cell keeps what it
// showed (None or Incomplete), so no template needs reading.
StepRowStatus RefreshedRowStatus(const StepRowStatus& shown, const store::Step& step);

// The entries of a row's rating combo box: the choices of the rating type in
// their order followed by "<clear>"; "<no ratings>" alone when no rating type
// of that name exists.
std::vector<std::string> RowRatingEntries(const std::string& ratingType);

// The entries of a sheet page's rating combo box: "<no ratings>" alone when
// the rating type offers no choices, else the choices followed by "<clear>".
std::vector<std::string> PageRatingEntries(const std::string& ratingType);

// Reads each rating type's entries once during one fill of the list.
class RatingEntriesCache {
public:
    const std::vector<std::string>& Entries(const std::string& ratingType);

private:
    std::map<std::string, std::vector<std::string>> m_entries;
};

// The rating an entry stands for: "<clear>" and "<no ratings>" stand for none.
std::string RatingOfEntry(const std::string& entry);

// Whether choosing `rating` of `ratingType` asks for a comment.
bool RatingRequiresComment(const std::string& ratingType, const std::string& rating);

// What "Duplicate Step..." proposes for a step.
struct StepDuplicateProposal {
    std::string baseName; // the title without its " #n" ending
    int count = 0;        // steps of the category whose title begins with the base
    std::string name;     // "%s #%d" of base and count + 1
};
StepDuplicateProposal ProposeStepDuplicate(const std::string& title, const std::vector<std::string>& categoryTitles);

// The number of the n-th copy of a step: the source number followed by a
// letter, a for the first copy, b for the second ... z, then aa, ab and so on.
std::string DuplicateStepNumber(const std::string& sourceNumber, int n);

// The major system of a copy named `name`: for a value holding "-", the text
// before the first "-" followed by the name, with "*" appended when the value
// held one; any other value is kept.
std::string DuplicateStepMajorSystem(const std::string& sourceMajorSystem, const std::string& name);

// Adds a copy of step `sourceStepID` named `name` as the n-th copy (n being
// the proposal's count) and recomputes the category's complete flag. Returns
// the new step's identifier.
std::optional<int> DuplicateStep(int sourceStepID, const std::string& name, int n);

// Sets the category's CategoryComplete from its empty steps and saves it.
bool RecomputeCategoryComplete(int categoryID);

// Apply Defaults over the steps of a category, in one transaction: the default
// material of each step without materials, the default rating of each step
// without a rating. Returns the identifiers of
// the steps changed, or nothing when the work could not be stored.
std::optional<std::vector<int>> ApplyCategoryDefaults(int categoryID);

// The pages of the step sheet, in their fixed order.
enum class SheetPage { None = -1, Materials = 0, Comments = 1, Picture = 2, Info = 3 };

// The page a click on column `column` of the step list opens: columns 2 to 5
// name Materials, Comments, Picture and Info; a click on Materials of a step
// without materials opens nothing, as does any other column.
SheetPage PageForColumn(int column, bool stepHasMaterials);

// The page a double-click on the step name opens: the option "Default Step
// Page" (0 Materials, 1 Comments, 2 Picture, 3 Info; other values count as 0);
// Materials falls back to Comments for a step without materials.
SheetPage PageForDoubleClick(int defaultStepPage, bool stepHasMaterials);

// The position of `page` in a sheet that shows the materials page or not.
int PagePosition(SheetPage page, bool withMaterialsPage);

} // namespace editing
