#include "reports/rtf/RatingMarks.h"

#include "store/RatingChoices.h"
#include "store/RatingType.h"

#include <map>

namespace reports::rtf {
namespace {

using Pairs = std::set<std::pair<std::string, std::string>>;

// (choice name, rating type name) of every row of the open choices.
Pairs PairsOf(store::RatingChoices& choices, const std::map<int, std::string>& typeNames)
{
    Pairs pairs;
    for (int i = 0; i < choices.GetCount(); ++i) {
        choices.Read(i);
        auto it = typeNames.find(choices.m_RatingTypeID);
        pairs.emplace(choices.m_ChoiceName, it == typeNames.end() ? std::string() : it->second);
    }
    return pairs;
}

} // namespace

void RatingMarks::Load()
{
    std::map<int, std::string> typeNames;
    store::RatingType types;
    if (types.Open())
        for (int i = 0; i < types.GetCount(); ++i) {
            types.Read(i);
            typeNames.emplace(types.m_ID, types.m_RatingType);
        }
    store::RatingChoices choices;
    m_bold = choices.OpenBold() ? PairsOf(choices, typeNames) : Pairs{};
    m_red = choices.OpenRed() ? PairsOf(choices, typeNames) : Pairs{};
    m_summary = choices.OpenSummary() ? PairsOf(choices, typeNames) : Pairs{};
}

bool RatingMarks::IsBold(const std::string& rating, const std::string& ratingType) const
{
    return m_bold.count({rating, ratingType}) > 0;
}

bool RatingMarks::IsRed(const std::string& rating, const std::string& ratingType) const
{
    return m_red.count({rating, ratingType}) > 0;
}

bool RatingMarks::IsSummary(const std::string& rating, const std::string& ratingType) const
{
    return m_summary.count({rating, ratingType}) > 0;
}

std::set<std::string> RatingMarks::SummaryChoiceNames()
{
    std::set<std::string> names;
    store::RatingChoices choices;
    if (choices.OpenSummary())
        for (int i = 0; i < choices.GetCount(); ++i) {
            choices.Read(i);
            names.insert(choices.m_ChoiceName);
        }
    return names;
}

} // namespace reports::rtf
