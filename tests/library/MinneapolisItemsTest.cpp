// The Minneapolis evaluation type of the starter library: its categories reach
// every evaluation area and its steps carry the item identifiers of the
// city's condition code table, so that the XML evaluation finds a code for
// every rated step.
#include "exchange/EvaluationCodes.h"
#include "store/CategoryTemplate.h"
#include "store/StarterLibrary.h"
#include "store/StepTemplate.h"
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
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

std::pair<std::string, std::string> AreaOf(const std::string& title)
{
    const auto area = exchange::EvaluationCodes::AreaOf(title);
    return {area.type, area.label};
}

class MinneapolisItemsTest : public DataFilesTest {
protected:
    void SetUp() override
    {
        DataFilesTest::SetUp();
        ASSERT_TRUE(LoadStarterLibrary()) << port.AllText();
    }
};

TEST_F(MinneapolisItemsTest, AreaMappingOfTheExport)
{
    // The mapping this test relies on, on the titles of the export's own examples.
    EXPECT_EQ(AreaOf("Bedroom 2"), std::make_pair(std::string("Bedroom"), std::string(" 2")));
    EXPECT_EQ(AreaOf("Dining Room"), std::make_pair(std::string("DiningRoom"), std::string("Dining Room")));
    EXPECT_EQ(AreaOf("Condo"), std::make_pair(std::string("Condo"), std::string()));
}

TEST_F(MinneapolisItemsTest, EveryStepCarriesAnItemOfItsArea)
{
    const std::string docType = "Minneapolis - Truth in Sale of Housing";
    CategoryTemplate categories;
    ASSERT_TRUE(categories.OpenSql("SELECT CategoryTemplate.* FROM CategoryTemplate INNER JOIN InspectionTypeCategory "
                                   "ON CategoryTemplate.ID = InspectionTypeCategory.CategoryID INNER JOIN "
                                   "InspectionType ON InspectionType.ID = InspectionTypeCategory.InspectionTypeID "
                                   "WHERE InspectionType.InspectionType = \"%s\"",
                                   {docType}));
    ASSERT_GT(categories.GetCount(), 0);

    std::set<std::string> areasReached;
    bool condo = false;
    for (int i = 0; i < categories.GetCount(); ++i) {
        categories.Read(i);
        const auto [area, label] = AreaOf(categories.m_CategoryName);
        const bool isCondo = area == "Condo";
        condo = condo || isCondo;
        if (!isCondo) {
            ASSERT_NE(std::find(std::begin(kAreaTypes), std::end(kAreaTypes), area), std::end(kAreaTypes))
                << categories.m_CategoryName << " reaches no area of the evaluation";
            areasReached.insert(area);
            // The library names its categories after the areas, so the label stays empty.
            EXPECT_EQ(label, "") << categories.m_CategoryName;
        }

        StepTemplate steps;
        ASSERT_TRUE(steps.OpenSql("SELECT StepTemplate.* FROM StepTemplate INNER JOIN CategoryStep ON StepTemplate.ID "
                                  "= CategoryStep.StepID WHERE CategoryStep.CategoryID = %d",
                                  {categories.m_ID}));
        std::vector<std::pair<std::string, std::string>> ordered; // number, title
        for (int s = 0; s < steps.GetCount(); ++s) {
            steps.Read(s);
            ordered.emplace_back(steps.m_StepNumber, steps.m_StepName);
            bool known = false;
            if (isCondo) {
                // The condominium area is left out of the file; its items still come from the table.
                for (const char* a : kAreaTypes)
                    known = known || KnownItem(a, steps.m_Keyword);
            } else {
                known = KnownItem(area, steps.m_Keyword);
            }
            EXPECT_TRUE(known) << categories.m_CategoryName << " / " << steps.m_StepName << ": \"" << steps.m_Keyword
                               << "\"";
        }
        std::sort(ordered.begin(), ordered.end());

        // The measured values the export reads from the first steps of three areas.
        std::vector<const char*> markers;
        if (categories.m_CategoryName.find("Electric") != std::string::npos)
            markers = {"(Amps)", "(Volts)"};
        else if (categories.m_CategoryName.find("Heating") != std::string::npos)
            markers = {"(Fuel)", "(Type)"};
        else if (categories.m_CategoryName.find("Attic") != std::string::npos)
            markers = {"(Type)", "(Depth)"};
        ASSERT_GE(ordered.size(), markers.size() + 1);
        for (std::size_t m = 0; m < markers.size(); ++m)
            EXPECT_NE(ordered[m].second.find(markers[m]), std::string::npos)
                << categories.m_CategoryName << " step " << m + 1 << " is \"" << ordered[m].second << "\"";
        for (std::size_t m = markers.size(); m < ordered.size(); ++m)
            for (const char* marker : {"(Amps)", "(Volts)", "(Fuel)", "(Type)", "(Depth)"})
                EXPECT_EQ(ordered[m].second.find(marker), std::string::npos) << ordered[m].second;
    }
    EXPECT_TRUE(condo);
    for (const char* area : kAreaTypes)
        EXPECT_TRUE(areasReached.count(area)) << area << " is reached by no category";
}

TEST_F(MinneapolisItemsTest, MeasuredValuesAreNotRated)
{
    // A rating would become the measured value; these steps are written up with materials.
    const long long rated = QueryInt(
        static_cast<int>(DatabaseKind::Template),
        "SELECT COUNT(*) FROM StepTemplate s JOIN RatingChoices c ON c.RatingTypeID = s.RatingTypeID "
        "WHERE s.StepName LIKE '%(Amps)%' OR s.StepName LIKE '%(Volts)%' OR s.StepName LIKE '%(Fuel)%' "
        "OR s.StepName LIKE '%(Type)%' OR s.StepName LIKE '%(Depth)%'");
    EXPECT_EQ(rated, 0);
    const long long withMaterials = QueryInt(
        static_cast<int>(DatabaseKind::Template),
        "SELECT COUNT(DISTINCT s.ID) FROM StepTemplate s JOIN MaterialTemplate m ON m.StepID = s.ID "
        "WHERE s.StepName LIKE '%(Amps)%' OR s.StepName LIKE '%(Volts)%' OR s.StepName LIKE '%(Fuel)%' "
        "OR s.StepName LIKE '%(Type)%' OR s.StepName LIKE '%(Depth)%'");
    EXPECT_EQ(withMaterials, 6);
}

} // namespace
