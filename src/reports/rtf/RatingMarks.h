#pragma once
// How a step's rating prints: bold, red, and whether the step belongs in the
// summary reports. Each mark is a flag of the rating choice, so a step matches
// when both its rating and its rating type name a flagged choice.
#include <set>
#include <string>
#include <utility>

namespace reports::rtf {

class RatingMarks {
public:
    // Reads the three lists of flagged choices from the template database.
    // A writer loads them once per export, so a changed rating scale shows in
    // the next report without restarting the program.
    void Load();

    bool IsBold(const std::string& rating, const std::string& ratingType) const;
    bool IsRed(const std::string& rating, const std::string& ratingType) const;
    bool IsSummary(const std::string& rating, const std::string& ratingType) const;
    // The distinct names of the choices marked for the summary, sorted
    // (the rating filter list of the Export RTF dialog).
    static std::set<std::string> SummaryChoiceNames();

private:
    using Pairs = std::set<std::pair<std::string, std::string>>;
    Pairs m_bold, m_red, m_summary;
};

} // namespace reports::rtf
