#include "exchange/InspectionMerge.h"

#include "store/Category.h"
#include "store/Database.h"
#include "store/Inspection.h"
#include "store/Step.h"
#include "ui/Port.h"

#include <string>
#include <vector>

namespace exchange {
namespace {

constexpr const char* kNothingChanged = "The merge was undone; nothing was changed.";

bool Untouched(const store::Step& step)
{
    return step.m_InspectResult.empty() && step.m_Comments.empty() && step.m_Materials.empty();
}

bool Untouched(const store::Category& category)
{
    return category.m_CategoryComplete == 0;
}

void CopyStep(const store::Step& from, store::Step& to)
{
    to.m_StepNumber = from.m_StepNumber;
    to.m_StepTitle = from.m_StepTitle;
    to.m_InspectResult = from.m_InspectResult;
    to.m_Comments = from.m_Comments;
    to.m_Materials = from.m_Materials;
    to.m_StepRatingType = from.m_StepRatingType;
    to.m_String8 = from.m_String8;
    to.m_MaterialList = from.m_MaterialList;
    to.m_StepTemplateID = from.m_StepTemplateID;
    to.m_YesNo11 = from.m_YesNo11;
    to.m_MajorSystem = from.m_MajorSystem;
    to.m_StepInfoExists = from.m_StepInfoExists;
    to.m_SummaryComment = from.m_SummaryComment;
    to.m_BitmapPath = from.m_BitmapPath;
    to.m_PictureBefore = from.m_PictureBefore;
}

void CopyCategory(const store::Category& from, store::Category& to)
{
    to.m_CategoryTitle = from.m_CategoryTitle;
    to.m_CategoryNumber = from.m_CategoryNumber;
    to.m_String3 = from.m_String3;
    to.m_CategoryComments = from.m_CategoryComments;
    to.m_CategoryComplete = from.m_CategoryComplete;
    to.m_CategoryTemplateID = from.m_CategoryTemplateID;
    to.m_CategoryNotPresent = from.m_CategoryNotPresent;
    to.m_Type = from.m_Type;
}

// Step numbers order as the text column does: letter case of ASCII letters aside.
int CompareNumbers(const std::string& a, const std::string& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

// A working step of the category being merged, as the search by title sees it.
struct WorkingStep {
    std::string number;
    std::string title;
    int row;     // row in the category's step set, -1 for a step added by this merge
    int stepID;
};

} // namespace

bool InspectionMerge::Merge(int workingInspectionID, int stagedInspectionID)
{
    ui::Port& port = ui::CurrentPort();
    m_outcome = MergeOutcome{};
    // The working categories are read afresh by each merge and forgotten after it.
    m_indexedInspection = -1;
    struct Forget {
        int& indexed;
        ~Forget() { indexed = -1; }
    } forget{m_indexedInspection};
    store::MERGE_Inspection staged;
    if (!staged.OpenByID(stagedInspectionID) || staged.GetCount() == 0) {
        port.inform("There is no imported inspection with the ID " + std::to_string(stagedInspectionID) + ".");
        return false;
    }
    store::Inspection working;
    if (!working.OpenByID(workingInspectionID) || working.GetCount() == 0) {
        port.inform("The inspection to merge into (ID " + std::to_string(workingInspectionID) + ") does not exist.");
        return false;
    }

    store::Transaction transaction(store::DatabaseKind::Inspection);
    auto fail = [&] {
        port.inform(kNothingChanged);
        m_outcome = MergeOutcome{};
        return false;
    };
    if (!transaction.Active())
        return fail();

    store::MERGE_Category categories;
    if (!categories.OpenByInspection(stagedInspectionID))
        return fail();
    const int n = categories.GetCount();
    auto progress = port.progress();
    progress->setTitle("Merging Inspections...");
    progress->setStatus("Merging Categories...");
    progress->setRange(0, n);
    progress->setPosition(0);
    for (int i = 0; i < n; ++i) {
        categories.Read(i);
        if (!MergeCategory(categories.m_CategoryID, workingInspectionID))
            return fail();
        progress->setPosition(i + 1);
        if (progress->cancelled()) {
            m_outcome = MergeOutcome{};
            m_outcome.cancelled = true;
            return false;
        }
    }
    if (!categories.DeleteByInspection(stagedInspectionID))
        return fail();
    try {
        for (int i = 0; i < staged.GetCount(); ++i) {
            staged.Read(i);
            staged.Delete();
        }
    } catch (const store::DatabaseError& e) {
        port.inform(e.message);
        return fail();
    }
    if (!transaction.Commit())
        return fail();
    m_outcome.merged = true;
    return true;
}

bool InspectionMerge::MergeCategory(int stagedCategoryID, int workingInspectionID)
{
    store::Transaction transaction(store::DatabaseKind::Inspection);
    store::MERGE_Category staged;
    if (!staged.OpenByID(stagedCategoryID))
        return false;
    if (staged.GetCount() == 0)
        return true;
    staged.Read(0);

    store::Category working;
    if (m_indexedInspection != workingInspectionID) {
        if (!working.OpenByInspection(workingInspectionID))
            return false;
        m_categoriesByTitle.clear();
        for (int i = 0; i < working.GetCount(); ++i) {
            working.Read(i);
            m_categoriesByTitle[working.m_CategoryTitle].push_back({working.m_CategoryNumber, working.m_CategoryID});
        }
        m_indexedInspection = workingInspectionID;
    }
    // The first of that title in number order, as the categories stand now.
    auto& sameTitle = m_categoriesByTitle[staged.m_CategoryTitle];
    WorkingCategory* match = nullptr;
    for (auto& c : sameTitle)
        if (!match || CompareNumbers(c.number, match->number) < 0)
            match = &c;
    int workingCategoryID = match ? match->categoryID : -1;
    if (workingCategoryID < 0) {
        working.New();
        working.m_CategoryTitle = staged.m_CategoryTitle;
        working.m_InspectionID = workingInspectionID;
        if (!working.Save())
            return false;
        workingCategoryID = working.m_CategoryID;
        sameTitle.push_back({working.m_CategoryNumber, workingCategoryID});
        match = &sameTitle.back();
        ++m_outcome.categoriesAdded;
    }
    const int updated = m_outcome.categoriesUpdated;
    if (!MergeSteps(workingCategoryID, stagedCategoryID))
        return false;
    if (m_outcome.categoriesUpdated > updated)
        match->number = staged.m_CategoryNumber; // it took the staged category's number
    return transaction.Commit();
}

bool InspectionMerge::MergeSteps(int workingCategoryID, int stagedCategoryID)
{
    store::Transaction transaction(store::DatabaseKind::Inspection);
    store::MERGE_Category stagedCategory;
    store::Category workingCategory;
    if (!stagedCategory.OpenByID(stagedCategoryID) || !workingCategory.OpenByID(workingCategoryID))
        return false;
    if (stagedCategory.GetCount() == 0 || workingCategory.GetCount() == 0)
        return true;
    stagedCategory.Read(0);
    workingCategory.Read(0);
    if (Untouched(workingCategory)) {
        CopyCategory(stagedCategory, workingCategory);
        if (!workingCategory.Save())
            return false;
        ++m_outcome.categoriesUpdated;
    } else {
        ++m_outcome.categoriesKept;
    }

    store::MERGE_Step stagedSteps;
    store::Step workingSteps;
    if (!stagedSteps.OpenByCategory(stagedCategoryID) || !workingSteps.OpenByCategory(workingCategoryID))
        return false;
    // The working steps are searched in memory; the numbers are kept up to date
    // as staged numbers are copied, so every search sees the category as it
    // stands at that moment.
    std::vector<WorkingStep> steps;
    steps.reserve(static_cast<std::size_t>(workingSteps.GetCount() + stagedSteps.GetCount()));
    for (int i = 0; i < workingSteps.GetCount(); ++i) {
        workingSteps.Read(i);
        steps.push_back({workingSteps.m_StepNumber, workingSteps.m_StepTitle, i, workingSteps.m_StepID});
    }

    store::Step added;
    for (int i = 0; i < stagedSteps.GetCount(); ++i) {
        stagedSteps.Read(i);
        WorkingStep* match = nullptr;
        for (auto& s : steps)
            if (s.title == stagedSteps.m_StepTitle && (!match || CompareNumbers(s.number, match->number) < 0))
                match = &s;
        if (!match) {
            added.New();
            added.m_CategoryID = workingCategoryID;
            CopyStep(stagedSteps, added);
            if (!added.Save())
                return false;
            steps.push_back({added.m_StepNumber, added.m_StepTitle, -1, added.m_StepID});
            ++m_outcome.stepsAdded;
            continue;
        }
        if (match->row >= 0) {
            workingSteps.Read(match->row);
            if (!Untouched(workingSteps)) {
                ++m_outcome.stepsKept;
                continue;
            }
            CopyStep(stagedSteps, workingSteps);
            if (!workingSteps.Save())
                return false;
            match->number = workingSteps.m_StepNumber;
            ++m_outcome.stepsUpdated;
        } else {
            const int updated = m_outcome.stepsUpdated;
            if (!MergeStep(match->stepID, stagedSteps.m_StepID))
                return false;
            if (m_outcome.stepsUpdated > updated)
                match->number = stagedSteps.m_StepNumber;
        }
    }
    if (!stagedSteps.DeleteByCategory(stagedCategoryID))
        return false;
    return transaction.Commit();
}

bool InspectionMerge::MergeStep(int workingStepID, int stagedStepID)
{
    store::MERGE_Step staged;
    store::Step working;
    if (!staged.OpenByID(stagedStepID) || !working.OpenByID(workingStepID))
        return false;
    if (staged.GetCount() == 0 || working.GetCount() == 0)
        return true;
    staged.Read(0);
    working.Read(0);
    if (!Untouched(working)) {
        ++m_outcome.stepsKept;
        return true;
    }
    CopyStep(staged, working);
    if (!working.Save())
        return false;
    ++m_outcome.stepsUpdated;
    return true;
}

} // namespace exchange
