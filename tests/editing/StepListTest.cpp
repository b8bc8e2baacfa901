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
    EXPECT_EQ(status.materials, kStatusIncomplete);
    EXPECT_EQ(status.comment, kStatusIncomplete);
    EXPECT_EQ(status.picture, kStatusIncomplete);
    EXPECT_EQ(status.info, kStatusComplete);

    store::Step patio;
    Open(patio, "Patio");
    const StepRowStatus none = RowStatus(patio, TemplateHasMaterials(patio.m_StepTemplateID));
    EXPECT_EQ(none.materials, kStatusNone);
    EXPECT_EQ(none.info, kStatusNone);

    // Refreshing: Complete falls back to Incomplete once materials are gone; None stays None.
    step.m_Materials = "Concrete;";
    step.m_Comments = "Cracked.";
    step.m_BitmapPath = "/pictures/driveway.jpg";
    status = RefreshedRowStatus(status, step);
    EXPECT_EQ(status.materials, kStatusComplete);
    EXPECT_EQ(status.comment, kStatusComplete);
    EXPECT_EQ(status.picture, kStatusComplete);
    step.m_Materials.clear();
    EXPECT_EQ(RefreshedRowStatus(status, step).materials, kStatusIncomplete);
    patio.m_Comments = "Fine.";
    const StepRowStatus refreshed = RefreshedRowStatus(none, patio);
    EXPECT_EQ(refreshed.materials, kStatusNone);
    EXPECT_EQ(refreshed.comment, kStatusComplete);
}

TEST_F(StepListTest, RatingEntriesOfRowsAndPages)
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
    EXPECT_EQ(RatingOfEntry("<clear>"), "");
    EXPECT_EQ(RatingOfEntry("<no ratings>"), "");
    EXPECT_EQ(RatingOfEntry("Marginal"), "Marginal");
}

TEST_F(StepListTest, DuplicateNamesNumbersAndMajorSystem)
{
    const StepDuplicateProposal proposal =
        ProposeStepDuplicate("Bedroom #2", {"Driveway", "Bedroom", "Bedroom #2", "Patio"});
    EXPECT_EQ(proposal.baseName, "Bedroom");
    EXPECT_EQ(proposal.count, 2);
    EXPECT_EQ(proposal.name, "Bedroom #3");
    EXPECT_EQ(ProposeStepDuplicate("Patio", {"Patio"}).name, "Patio #2");
    // A "#" written without a blank in front keeps the whole word as the base.
    EXPECT_EQ(ProposeStepDuplicate("Bedroom#2", {"Bedroom", "Bedroom#2"}).name, "Bedroom #3");

    EXPECT_EQ(DuplicateStepNumber("3", 1), "3a");
    EXPECT_EQ(DuplicateStepNumber("3", 2), "3b");
    EXPECT_EQ(DuplicateStepNumber("3", 26), "3z");
    EXPECT_EQ(DuplicateStepNumber("3", 27), "3aa");

    EXPECT_EQ(DuplicateStepMajorSystem("1 Grounds-Driveway*", "Driveway #2"), "1 GroundsDriveway #2*");
    EXPECT_EQ(DuplicateStepMajorSystem("2 Roof-Cover", "Cover #2"), "2 RoofCover #2");
    EXPECT_EQ(DuplicateStepMajorSystem("Closets", "Closet #2"), "Closets");
    EXPECT_EQ(DuplicateStepMajorSystem("", "Closet #2"), "");
}

TEST_F(StepListTest, DuplicateStepCopiesTheTemplateFieldsAndStartsEmpty)
{
    store::Step source;
    Open(source, "Driveway");
    source.m_Comments = "Cracked.";
    source.m_Materials = "Concrete;";
    source.m_InspectResult = "Marginal";
    source.m_SummaryComment = "Repair.";
    source.m_BitmapPath = "/pictures/driveway.jpg";
    source.m_PictureBefore = -1;
    source.m_MaterialList = "Concrete;Asphalt;";
    ASSERT_TRUE(source.Save());

    const auto id = DuplicateStep(source.m_StepID, "Driveway #2", 1);
    ASSERT_TRUE(id.has_value());
    store::Step copy;
    ASSERT_TRUE(copy.OpenByID(*id));
    ASSERT_EQ(copy.GetCount(), 1);
    copy.Read(0);
    EXPECT_NE(copy.m_StepID, source.m_StepID);
    EXPECT_EQ(copy.m_StepTitle, "Driveway #2");
    EXPECT_EQ(copy.m_StepNumber, "1a");
    EXPECT_EQ(copy.m_CategoryID, categoryID);
    EXPECT_EQ(copy.m_StepTemplateID, source.m_StepTemplateID);
    EXPECT_EQ(copy.m_StepRatingType, "Standard");
    EXPECT_EQ(copy.m_MaterialList, "Concrete;Asphalt;");
    EXPECT_EQ(copy.m_BitmapPath, "/pictures/driveway.jpg");
    EXPECT_NE(copy.m_StepInfoExists, 0);
    EXPECT_EQ(copy.m_MajorSystem, "1 GroundsDriveway #2*");
    EXPECT_EQ(copy.m_Comments + copy.m_Materials + copy.m_InspectResult + copy.m_SummaryComment, "");
    EXPECT_EQ(copy.m_PictureBefore, 0);
    // An empty copy leaves the category incomplete.
    EXPECT_FALSE(CategoryComplete());
}

TEST_F(StepListTest, ApplyDefaultsFillsMaterialsAndRatingsAndCompletesTheCategory)
{
    store::Step bedroom2;
    Open(bedroom2, "Bedroom #2");
    bedroom2.m_InspectResult = "Marginal";
    ASSERT_TRUE(bedroom2.Save());
    // A stored rating the list no longer offers is kept, not replaced by a default.
    store::Step patio;
    Open(patio, "Patio");
    patio.m_InspectResult = "Gone";
    ASSERT_TRUE(patio.Save());

    const auto changed = ApplyCategoryDefaults(categoryID);
    ASSERT_TRUE(changed.has_value());

    store::Step step;
    Open(step, "Driveway");
    EXPECT_EQ(step.m_Materials, "Concrete;");
    EXPECT_EQ(step.m_Comments, "Concrete has cracks.");
    EXPECT_EQ(step.m_InspectResult, "Satisfactory");
    Open(step, "Bedroom #2");
    EXPECT_EQ(step.m_InspectResult, "Marginal"); // a chosen rating stays
    Open(step, "Bedroom");
    EXPECT_EQ(step.m_InspectResult, "");         // no default: no rating
    Open(step, "Patio");
    EXPECT_EQ(step.m_InspectResult, "Gone");
    EXPECT_EQ(changed->size(), 1u); // Driveway
    // Bedroom is still empty.
    EXPECT_FALSE(CategoryComplete());

    Open(step, "Bedroom");
    step.m_Comments = "Fine.";
    ASSERT_TRUE(step.Save());
    ASSERT_TRUE(RecomputeCategoryComplete(categoryID));
    EXPECT_TRUE(CategoryComplete());
    // A second run changes nothing.
    const auto again = ApplyCategoryDefaults(categoryID);
    ASSERT_TRUE(again.has_value());
    EXPECT_TRUE(again->empty());
    EXPECT_TRUE(CategoryComplete());
}

TEST_F(StepListTest, PageChoiceOfClicksAndDoubleClicks)
{
    EXPECT_EQ(PageForColumn(2, true), SheetPage::Materials);
    EXPECT_EQ(PageForColumn(2, false), SheetPage::None);
    EXPECT_EQ(PageForColumn(3, false), SheetPage::Comments);
    EXPECT_EQ(PageForColumn(5, true), SheetPage::Info);
    EXPECT_EQ(PageForColumn(0, true), SheetPage::None);
    EXPECT_EQ(PageForColumn(6, true), SheetPage::None);

    EXPECT_EQ(PageForDoubleClick(0, true), SheetPage::Materials);
    EXPECT_EQ(PageForDoubleClick(0, false), SheetPage::Comments);
    EXPECT_EQ(PageForDoubleClick(2, false), SheetPage::Picture);
    EXPECT_EQ(PageForDoubleClick(3, true), SheetPage::Info);
    EXPECT_EQ(PageForDoubleClick(9, false), SheetPage::Comments);

    EXPECT_EQ(PagePosition(SheetPage::Comments, true), 1);
    EXPECT_EQ(PagePosition(SheetPage::Comments, false), 0);
    EXPECT_EQ(PagePosition(SheetPage::Info, false), 2);
    EXPECT_EQ(PagePosition(SheetPage::Materials, false), -1);
}

} // namespace
