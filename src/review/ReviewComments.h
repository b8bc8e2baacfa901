#pragma once
// The review of an inspection's comments: every step that has a comment, with
// its number and rating, narrowed to one rating or to the summary ratings.
#include "reports/rtf/RatingMarks.h"

#include <string>
#include <vector>

namespace review {

// The first entry of the "View Rating:" list: no narrowing.
inline constexpr const char* kAllRatings = "<All Ratings>";
// The filter while "Summary Comments Only" is checked.
inline constexpr const char* kSummaryOnly = "***Summary Only***";

// "<All Ratings>", then every choice name of every rating scale, each once,
// in the order the rating choices were read.
std::vector<std::string> RatingFilterEntries();

struct ReviewRow {
    int stepID = 0;
    std::string number;  // StepNumber
    std::string rating;  // InspectResult
    std::string comment; // Comments
};

// The commented steps of the inspection in StepNumber order (across all
// categories). A rating name keeps the steps with that rating, whatever their
// rating scale; kSummaryOnly keeps a step only when its own scale marks its
// rating for the summary (a summary choice of another scale does not count).
std::vector<ReviewRow> ReviewRows(int inspectionID, const std::string& filter,
                                  const reports::rtf::RatingMarks& marks);

} // namespace review
