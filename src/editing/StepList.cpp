#include "editing/StepList.h"

#include "app/DocumentRules.h"
#include "app/StepDefaults.h"
#include "store/Category.h"
#include "store/Database.h"
#include "store/MaterialTemplate.h"
#include "store/Options.h"
#include "store/RatingChoices.h"
#include "store/RatingType.h"

#include <algorithm>

namespace editing {

bool TemplateHasMaterials(int stepTemplateID)
{
    store::MaterialTemplate materials;
    return materials.OpenByStep(stepTemplateID) && materials.GetCount() > 0;
}

StepRowStatus RowStatus(const store::Step& step, bool templateHasMaterials)
{
    StepRowStatus status;
    if (!step.m_Materials.empty())
        status.materials = kStatusComplete;
    else
        status.materials = templateHasMaterials ? kStatusIncomplete : kStatusNone;
    status.comment = step.m_Comments.empty() ? kStatusIncomplete : kStatusComplete;
    status.picture = step.m_BitmapPath.empty() ? kStatusIncomplete : kStatusComplete;
    status.info = step.m_StepInfoExists ? kStatusComplete : kStatusNone;
    return status;
}

StepRowStatus RefreshedRowStatus(const StepRowStatus& shown, const store::Step& step)
{
    // A cell that read Complete had materials to choose from, so it falls back to Incomplete.
    const bool hadMaterials = shown.materials != kStatusNone;
    StepRowStatus status = RowStatus(step, hadMaterials);
    if (step.m_Materials.empty() && shown.materials != kStatusComplete)
        status.materials = shown.materials;
    return status;
}

namespace {

std::vector<std::string> ChoicesOf(const std::string& ratingType)
{
    store::RatingChoices choices;
    return choices.OpenByType(ratingType) ? choices.Names() : std::vector<std::string>{};
}

bool RatingTypeExists(const std::string& ratingType)
{
    store::RatingType type;
    return type.OpenSql("SELECT * FROM RatingType WHERE RatingType.RatingType = \"%s\"", {ratingType}) &&
           type.GetCount() > 0;
}

} // namespace

std::vector<std::string> RowRatingEntries(const std::string& ratingType)
{
    if (!RatingTypeExists(ratingType))
        return {kNoRatingsEntry};
    std::vector<std::string> entries = ChoicesOf(ratingType);
    entries.push_back(kClearEntry);
    return entries;
}

std::vector<std::string> PageRatingEntries(const std::string& ratingType)
{
    std::vector<std::string> entries = ChoicesOf(ratingType);
    if (entries.empty())
        return {kNoRatingsEntry};
    entries.push_back(kClearEntry);
    return entries;
}

const std::vector<std::string>& RatingEntriesCache::Entries(const std::string& ratingType)
{
    auto found = m_entries.find(ratingType);
    if (found == m_entries.end())
        found = m_entries.emplace(ratingType, RowRatingEntries(ratingType)).first;
    return found->second;
}

std::string RatingOfEntry(const std::string& entry)
{
    if (entry == kClearEntry || entry == kNoRatingsEntry)
        return {};
    return entry;
}

bool RatingRequiresComment(const std::string& ratingType, const std::string& rating)
{
    if (rating.empty())
        return false;
    store::RatingChoices choice;
    if (!choice.OpenByTypeAndName(ratingType, rating) || choice.GetCount() == 0)
        return false;
    choice.Read(0);
    return choice.m_CommentRequired != 0;
}

StepDuplicateProposal ProposeStepDuplicate(const std::string& title, const std::vector<std::string>& categoryTitles)
{
    StepDuplicateProposal proposal;
    proposal.baseName = app::DuplicateBaseName(title);
    proposal.count = static_cast<int>(std::count_if(categoryTitles.begin(), categoryTitles.end(),
        [&](const std::string& t) { return t.rfind(proposal.baseName, 0) == 0; }));
    // The source step always counts, even when its title lost its base (an empty title).
    proposal.count = std::max(proposal.count, 1);
    proposal.name = app::NumberedName(proposal.baseName, proposal.count + 1);
    return proposal;
}

std::string DuplicateStepNumber(const std::string& sourceNumber, int n)
{
    // Letters a to z, then two letters (aa, ab ...) so that copies never run
    // into punctuation past z.
    std::string suffix;
    for (int k = std::max(n, 1); k > 0; k = (k - 1) / 26)
        suffix.insert(suffix.begin(), static_cast<char>('a' + (k - 1) % 26));
    return sourceNumber + suffix;
}

std::string DuplicateStepMajorSystem(const std::string& sourceMajorSystem, const std::string& name)
{
    const auto dash = sourceMajorSystem.find('-');
    if (sourceMajorSystem.empty() || dash == std::string::npos)
        return sourceMajorSystem;
    std::string result = sourceMajorSystem.substr(0, dash) + name;
    if (sourceMajorSystem.find('*') != std::string::npos)
        result += '*';
    return result;
}

bool RecomputeCategoryComplete(int categoryID)
{
    store::Category category;
    if (!category.OpenByID(categoryID) || category.GetCount() == 0)
        return false;
    category.Read(0);
    store::Step empty;
    if (!empty.OpenEmptyByCategory(categoryID))
        return false;
    category.m_CategoryComplete = empty.GetCount() == 0 ? -1 : 0;
    return category.Save();
}

std::optional<int> DuplicateStep(int sourceStepID, const std::string& name, int n)
{
    store::Step source;
    if (!source.OpenByID(sourceStepID) || source.GetCount() == 0)
        return std::nullopt;
    source.Read(0);

    store::Transaction transaction(store::DatabaseKind::Inspection);
    store::Step copy;
    copy.New();
    copy.m_CategoryID = source.m_CategoryID;
    copy.m_MaterialList = source.m_MaterialList;
    copy.m_StepRatingType = source.m_StepRatingType;
    copy.m_String8 = source.m_String8;
    copy.m_StepTemplateID = source.m_StepTemplateID;
    copy.m_StepInfoExists = source.m_StepInfoExists;
    copy.m_BitmapPath = source.m_BitmapPath;
    copy.m_StepTitle = name;
    copy.m_StepNumber = DuplicateStepNumber(source.m_StepNumber, n);
    copy.m_MajorSystem = DuplicateStepMajorSystem(source.m_MajorSystem, name);
    const int id = copy.m_StepID;
    if (!copy.Save() || !RecomputeCategoryComplete(source.m_CategoryID) || !transaction.Commit())
        return std::nullopt;
    return id;
}

std::optional<std::vector<int>> ApplyCategoryDefaults(int categoryID)
{
    const bool blankLine = store::Options().m_YesNo36 != 0;
    store::Transaction transaction(store::DatabaseKind::Inspection);
    store::Step steps;
    if (!steps.OpenByCategory(categoryID))
        return std::nullopt;
    std::vector<int> changed;
    for (int i = 0; i < steps.GetCount(); ++i) {
        steps.Read(i);
        bool stepChanged = app::ApplyDefaultMaterial(steps, blankLine);
        // Only a step without a rating gets the default: a stored rating the
        // row's list no longer offers is kept rather than silently replaced.
        if (steps.m_InspectResult.empty() && app::ApplyDefaultRating(steps))
            stepChanged = true;
        if (!stepChanged)
            continue;
        if (!steps.Save())
            return std::nullopt;
        changed.push_back(steps.m_StepID);
    }
    if (!RecomputeCategoryComplete(categoryID) || !transaction.Commit())
        return std::nullopt;
    return changed;
}

SheetPage PageForColumn(int column, bool stepHasMaterials)
{
    switch (column) {
    case 2:
        return stepHasMaterials ? SheetPage::Materials : SheetPage::None;
    case 3:
        return SheetPage::Comments;
    case 4:
        return SheetPage::Picture;
    case 5:
        return SheetPage::Info;
    default:
        return SheetPage::None;
    }
}

SheetPage PageForDoubleClick(int defaultStepPage, bool stepHasMaterials)
{
    SheetPage page = SheetPage::Materials;
    if (defaultStepPage >= 1 && defaultStepPage <= 3)
        page = static_cast<SheetPage>(defaultStepPage);
    if (page == SheetPage::Materials && !stepHasMaterials)
        page = SheetPage::Comments;
    return page;
}

int PagePosition(SheetPage page, bool withMaterialsPage)
{
    if (page == SheetPage::None)
        return -1;
    const int position = static_cast<int>(page);
    if (withMaterialsPage)
        return position;
    return page == SheetPage::Materials ? -1 : position - 1;
}

} // namespace editing
