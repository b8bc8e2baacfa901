// Step list rules against real data files: row status, rating entries,
// duplicated steps, Apply Defaults and the category's complete flag.
#include "support/TemplateBuilder.h"

#include "app/CInspectorDoc.h"
#include "editing/StepList.h"
#include "store/Category.h"
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace editing;

// A row status as "materials comment picture info".
std::string Describe(const StepRowStatus& s)
{
    return s.materials + " " + s.comment + " " + s.picture + " " + s.info;
}

// The step's fields a duplicate copies or clears, in one line.
std::string Describe(const store::Step& s)
{
    return s.m_StepTitle + "|" + s.m_StepNumber + "|" + s.m_StepRatingType + "|" + s.m_MaterialList + "|" +
           s.m_BitmapPath + "|" + std::to_string(s.m_StepInfoExists != 0) + "|" + s.m_MajorSystem + "|" +
           s.m_Comments + s.m_Materials + s.m_InspectResult + s.m_SummaryComment + "|" +
           std::to_string(s.m_PictureBefore);
}
using app_test::TemplateBuilder;

constexpr int kInspectionData = 1;

class StepListTest : public testing_support::DataFilesTest {
protected:
    void SetUp() override
    {
        DataFilesTest::SetUp();
        standard = t.RatingType("Standard");
        t.Choice(standard, "Satisfactory", true);
        t.Choice(standard, "Marginal");
        empty = t.RatingType("Empty");
        const int home = t.DocType("Home");
        const int grounds = t.Category(home, "Grounds", 1);
        driveway = t.Step(grounds, "Driveway", "1", standard, "Look for cracks.", "1 Grounds-Driveway*");
        t.Material(driveway, "Asphalt", 2, true);
        const int concrete = t.Material(driveway, "Concrete", 1, true, true);
        t.MaterialComment(concrete, "Concrete has cracks.");
        t.Step(grounds, "Bedroom", "2", empty);
        t.Step(grounds, "Bedroom #2", "3", standard);
        t.Step(grounds, "Patio", "4", 0);

        doc = std::make_unique<app::CInspectorDoc>();
        doc->OnNewDocument();
        ASSERT_TRUE(doc->ChangeDocType("Home"));
        ASSERT_TRUE(doc->SelectCategory(0));
        categoryID = doc->CategorySelection().m_CategoryID;
        ASSERT_EQ(doc->CreateStepsFromTemplates(doc->CategorySelection().m_CategoryTemplateID, categoryID), 4);
    }
    void TearDown() override
    {
        doc.reset();
        DataFilesTest::TearDown();
    }

    // Opens the step titled `title` of the category into `step`.
    void Open(store::Step& step, const std::string& title)
    {
        ASSERT_TRUE(step.OpenByCategory(categoryID));
        for (int i = 0; i < step.GetCount(); ++i) {
            step.Read(i);
            if (step.m_StepTitle == title)
                return;
        }
        FAIL() << "no step " << title;
    }
    // Sets `columns` ("Name = value, ...") of the step titled `title`.
    static void Update(const std::string& title, const std::string& columns)
    {
        testing_support::Exec(kInspectionData, "UPDATE Step SET " + columns + " WHERE StepTitle = '" + title + "'");
    }
    bool CategoryComplete()
    {
        return testing_support::QueryInt(kInspectionData, "SELECT CategoryComplete FROM Category WHERE CategoryID = " +
                                                              std::to_string(categoryID)) != 0;
    }

    TemplateBuilder t;
    int standard = 0, empty = 0, driveway = 0;
    int categoryID = 0;
    std::unique_ptr<app::CInspectorDoc> doc;
};

TEST_F(StepListTest, RowStatusFollowsTheStepAndItsTemplate)
{
    store::Step step;
    Open(step, "Driveway");
    StepRowStatus status = RowStatus(step, TemplateHasMaterials(step.m_StepTemplateID));
    EXPECT_EQ(Describe(status), "Incomplete Incomplete Incomplete Complete");

    store::Step patio;
    Open(patio, "Patio");
    const StepRowStatus none = RowStatus(patio, TemplateHasMaterials(patio.m_StepTemplateID));
    EXPECT_EQ(Describe(none), "None Incomplete Incomplete None");

    // Refreshing: Complete falls back to Incomplete once materials are gone; None stays None.
    step.m_Materials = "Concrete;";
    step.m_Comments = "Cracked.";
    step.m_BitmapPath = "/pictures/driveway.jpg";
    status = RefreshedRowStatus(status, step);
    EXPECT_EQ(Describe(status), "Complete Complete Complete Complete");
    step.m_Materials.clear();
    EXPECT_EQ(RefreshedRowStatus(status, step).materials, kStatusIncomplete);
    patio.m_Comments = "Fine.";
    EXPECT_EQ(Describe(RefreshedRowStatus(none, patio)), "None Complete Incomplete None");
}

TEST_F(StepListTest, RatingEntriesAndPagesOfRowsClicksAndDoubleClicks)
{
    EXPECT_EQ(RowRatingEntries("Standard"), (std::vector<std::string>{"Satisfactory", "Marginal", "<clear>"}));
    // A known rating type without choices offers only clearing; an unknown one nothing.
    EXPECT_EQ(RowRatingEntries("Empty"), std::vector<std::string>{"<clear>"});
    EXPECT_EQ(RowRatingEntries("Nowhere"), std::vector<std::string>{"<no ratings>"});
    EXPECT_EQ(RowRatingEntries(""), std::vector<std::string>{"<no ratings>"});
    EXPECT_EQ(PageRatingEntries("Empty"), std::vector<std::string>{"<no ratings>"});
    EXPECT_EQ(PageRatingEntries("Standard").back(), "<clear>");
    // A rating type named with a quote is looked up as written.
    const int quoted = t.RatingType("Owner's \"scale\"");
    t.Choice(quoted, "Good");
    EXPECT_EQ(RowRatingEntries("Owner's \"scale\""), (std::vector<std::string>{"Good", "<clear>"}));

    RatingEntriesCache cache;
    const auto& first = cache.Entries("Standard");
    EXPECT_EQ(&cache.Entries("Standard"), &first);
    EXPECT_EQ(RatingOfEntry("<clear>") + "|" + RatingOfEntry("<no ratings>") + "|" + RatingOfEntry("Marginal"),
              "||Marginal");

    // Pages by number: None -1, Materials 0, Comments 1, Picture 2, Info 3.
    std::string pages;
    for (const auto& [column, materials] : std::vector<std::pair<int, bool>>{{2, true}, {2, false}, {3, false},
                                                                            {5, true}, {0, true}, {6, true}})
        pages += std::to_string(static_cast<int>(PageForColumn(column, materials))) + " ";
    EXPECT_EQ(pages, "0 -1 1 3 -1 -1 ");
    pages.clear();
    for (const auto& [column, materials] : std::vector<std::pair<int, bool>>{{0, true}, {0, false}, {2, false},
                                                                            {3, true}, {9, false}})
        pages += std::to_string(static_cast<int>(PageForDoubleClick(column, materials))) + " ";
    EXPECT_EQ(pages, "0 1 2 3 1 ");

    EXPECT_EQ(PagePosition(SheetPage::Comments, true), 1);
    EXPECT_EQ(PagePosition(SheetPage::Comments, false), 0);
    EXPECT_EQ(PagePosition(SheetPage::Info, false), 2);
    EXPECT_EQ(PagePosition(SheetPage::Materials, false), -1);
}

TEST_F(StepListTest, DuplicateNamesNumbersAndMajorSystemCopyTheTemplateFieldsAndStartEmpty)
{
    const StepDuplicateProposal proposal =
        ProposeStepDuplicate("Bedroom #2", {"Driveway", "Bedroom", "Bedroom #2", "Patio"});
    EXPECT_EQ(proposal.baseName + "|" + std::to_string(proposal.count) + "|" + proposal.name, "Bedroom|2|Bedroom #3");
    EXPECT_EQ(ProposeStepDuplicate("Patio", {"Patio"}).name, "Patio #2");
    // A "#" written without a blank in front keeps the whole word as the base.
    EXPECT_EQ(ProposeStepDuplicate("Bedroom#2", {"Bedroom", "Bedroom#2"}).name, "Bedroom #3");

    std::string numbers;
    for (int copy : {1, 2, 26, 27})
        numbers += DuplicateStepNumber("3", copy) + " ";
    EXPECT_EQ(numbers, "3a 3b 3z 3aa ");

    EXPECT_EQ(DuplicateStepMajorSystem("1 Grounds-Driveway*", "Driveway #2"), "1 GroundsDriveway #2*");
    EXPECT_EQ(DuplicateStepMajorSystem("2 Roof-Cover", "Cover #2"), "2 RoofCover #2");
    EXPECT_EQ(DuplicateStepMajorSystem("Closets", "Closet #2"), "Closets");
    EXPECT_EQ(DuplicateStepMajorSystem("", "Closet #2"), "");

    Update("Driveway", "Comments = 'Cracked.', Materials = 'Concrete;', InspectResult = 'Marginal', SummaryComment = "
                       "'Repair.', BitmapPath = '/pictures/driveway.jpg', PictureBefore = -1, MaterialList = "
                       "'Concrete;Asphalt;'");
    store::Step source;
    Open(source, "Driveway");

    const auto id = DuplicateStep(source.m_StepID, "Driveway #2", 1);
    ASSERT_TRUE(id.has_value());
    store::Step copy;
    ASSERT_TRUE(copy.OpenByID(*id));
    ASSERT_EQ(copy.GetCount(), 1);
    copy.Read(0);
    EXPECT_NE(copy.m_StepID, source.m_StepID);
    EXPECT_TRUE(copy.m_CategoryID == categoryID && copy.m_StepTemplateID == source.m_StepTemplateID);
    EXPECT_EQ(Describe(copy), "Driveway #2|1a|Standard|Concrete;Asphalt;|/pictures/driveway.jpg|1|"
                              "1 GroundsDriveway #2*||0");
    // An empty copy leaves the category incomplete.
    EXPECT_FALSE(CategoryComplete());
}

TEST_F(StepListTest, ApplyDefaultsFillsMaterialsAndRatingsAndCompletesTheCategory)
{
    Update("Bedroom #2", "InspectResult = 'Marginal'");
    // A stored rating the list no longer offers is kept, not replaced by a default.
    Update("Patio", "InspectResult = 'Gone'");

    const auto changed = ApplyCategoryDefaults(categoryID);
    ASSERT_TRUE(changed.has_value());

    // A chosen rating stays; without a default there is no rating.
    EXPECT_EQ(testing_support::QueryRows(kInspectionData, "SELECT StepTitle, Materials, Comments, InspectResult FROM "
                                                          "Step ORDER BY StepNumber"),
              "Driveway Concrete; Concrete has cracks. Satisfactory|Bedroom <null> <null> <null>|"
              "Bedroom #2 <null> <null> Marginal|Patio <null> <null> Gone");
    EXPECT_EQ(changed->size(), 1u); // Driveway
    // Bedroom is still empty.
    EXPECT_FALSE(CategoryComplete());

    Update("Bedroom", "Comments = 'Fine.'");
    ASSERT_TRUE(RecomputeCategoryComplete(categoryID));
    EXPECT_TRUE(CategoryComplete());
    // A second run changes nothing.
    const auto again = ApplyCategoryDefaults(categoryID);
    ASSERT_TRUE(again.has_value());
    EXPECT_TRUE(again->empty());
    EXPECT_TRUE(CategoryComplete());
}

} // namespace
