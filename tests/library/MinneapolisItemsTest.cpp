// The Minneapolis evaluation type of the starter library: its categories reach
// every evaluation area and its steps carry the item identifiers of the
// city's condition code table, so that the XML evaluation finds a code for
// every rated step; the measured values come first and are not rated.
#include "exchange/EvaluationCodes.h"
#include "store/CategoryTemplate.h"
#include "store/StarterLibrary.h"
#include "store/StepTemplate.h"
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace store;
using namespace testing_support;

namespace {

// The area types of the evaluation file (the condominium area is not among them).
const char* const kAreaTypes[] = {"Basement", "Electric", "Plumbing", "WaterHt", "Heating",  "Laundry",
                                  "Kitchen",  "DiningRoom", "Bathroom", "Hallway", "Bedroom", "Sunroom",
                                  "Attic",    "Exterior", "OpenPorch", "Garage", "Misc"};
const char* const kMeasured[] = {"(Amps)", "(Volts)", "(Fuel)", "(Type)", "(Depth)"};
// The measured values the export reads from the first steps of three areas.
const std::map<std::string, std::vector<std::string>> kMeasuredFirst = {
    {"Electric", {"(Amps)", "(Volts)"}}, {"Heating", {"(Fuel)", "(Type)"}}, {"Attic", {"(Type)", "(Depth)"}}};

// True when the export's code table knows `item` in an area of type `area`.
bool KnownItem(const std::string& area, const std::string& item)
{
    using exchange::ConditionType;
    for (ConditionType type : {ConditionType::MNo, ConditionType::NA, ConditionType::SC, ConditionType::B,
                               ConditionType::C, ConditionType::RRE, ConditionType::RRP, ConditionType::LIC})
        if (exchange::EvaluationCodes::Code(area, item, type))
            return true;
    return false;
}

class MinneapolisItemsTest : public DataFilesTest {};

TEST_F(MinneapolisItemsTest, EveryStepCarriesAnItemOfItsAreaAndMeasuredValuesComeFirst)
{
    ASSERT_TRUE(LoadStarterLibrary()) << port.AllText();
    CategoryTemplate categories;
    ASSERT_TRUE(categories.OpenByDocType("Minneapolis - Truth in Sale of Housing"));
    ASSERT_GT(categories.GetCount(), 0);
    std::set<std::string> areasReached;
    for (int i = 0; i < categories.GetCount(); ++i) {
        categories.Read(i);
        SCOPED_TRACE(categories.m_CategoryName);
        const auto area = exchange::EvaluationCodes::AreaOf(categories.m_CategoryName);
        const bool condo = area.type == "Condo";
        // The library names its categories after the areas, so the label stays empty.
        EXPECT_EQ(area.label, "");
        areasReached.insert(area.type);

        StepTemplate steps;
        ASSERT_TRUE(steps.OpenByCategoryTemplate(categories.m_ID));
        std::vector<std::pair<std::string, std::string>> ordered; // number, title
        for (int s = 0; s < steps.GetCount(); ++s) {
            steps.Read(s);
            ordered.emplace_back(steps.m_StepNumber, steps.m_StepName);
            // The condominium area is left out of the file; its items still come from the table.
            EXPECT_TRUE(condo ? std::any_of(std::begin(kAreaTypes), std::end(kAreaTypes),
                                            [&](const char* a) { return KnownItem(a, steps.m_Keyword); })
                              : KnownItem(area.type, steps.m_Keyword))
                << steps.m_StepName << ": \"" << steps.m_Keyword << "\"";
        }
        std::sort(ordered.begin(), ordered.end());

        const auto first = kMeasuredFirst.find(area.type);
        const auto markers = first == kMeasuredFirst.end() ? std::vector<std::string>() : first->second;
        ASSERT_GE(ordered.size(), markers.size() + 1);
        for (std::size_t m = 0; m < ordered.size(); ++m)
            for (const char* marker : kMeasured)
                EXPECT_EQ(ordered[m].second.find(marker) != std::string::npos,
                          m < markers.size() && marker == markers[m])
                    << ordered[m].second;
    }
    EXPECT_TRUE(areasReached.count("Condo"));
    for (const char* area : kAreaTypes)
        EXPECT_TRUE(areasReached.count(area)) << area << " is reached by no category";

    // A rating would become the measured value; these steps are written up with materials.
    const std::string measured = "s.StepName LIKE '%(Amps)%' OR s.StepName LIKE '%(Volts)%' OR s.StepName LIKE "
                                 "'%(Fuel)%' OR s.StepName LIKE '%(Type)%' OR s.StepName LIKE '%(Depth)%'";
    EXPECT_EQ(QueryInt(0, "SELECT COUNT(*) FROM StepTemplate s JOIN RatingChoices c ON c.RatingTypeID = "
                          "s.RatingTypeID WHERE " + measured),
              0);
    EXPECT_EQ(QueryInt(0, "SELECT COUNT(DISTINCT s.ID) FROM StepTemplate s JOIN MaterialTemplate m ON m.StepID = "
                          "s.ID WHERE " + measured),
              6);
}

} // namespace
