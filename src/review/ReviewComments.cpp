#include "review/ReviewComments.h"

#include "store/RatingChoices.h"
#include "store/Step.h"

#include <algorithm>

namespace review {

std::vector<std::string> RatingFilterEntries()
{
    std::vector<std::string> entries{kAllRatings};
    store::RatingChoices choices;
    if (!choices.Open())
        return entries;
    for (int i = 0; i < choices.GetCount(); ++i) {
        choices.Read(i);
        if (std::find(entries.begin(), entries.end(), choices.m_ChoiceName) == entries.end())
            entries.push_back(choices.m_ChoiceName);
    }
    return entries;
}

std::vector<ReviewRow> ReviewRows(int inspectionID, const std::string& filter, const reports::rtf::RatingMarks& marks)
{
    std::vector<ReviewRow> rows;
    const bool summary = filter == kSummaryOnly;
    store::Step steps;
    const bool open = summary || filter == kAllRatings ? steps.OpenCommentedByInspection(inspectionID)
                                                       : steps.OpenCommentedByInspectionAndRating(inspectionID, filter);
    if (!open)
        return rows;
    for (int i = 0; i < steps.GetCount(); ++i) {
        steps.Read(i);
        if (summary && !marks.IsSummary(steps.m_InspectResult, steps.m_StepRatingType))
            continue;
        rows.push_back({steps.m_StepID, steps.m_StepNumber, steps.m_InspectResult, steps.m_Comments});
    }
    return rows;
}

} // namespace review
