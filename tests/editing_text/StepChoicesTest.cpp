// Stock comments, ratings and materials of real steps of the starter library.
#include "app/CInspectorDoc.h"
#include "editing/CommentChoices.h"
#include "editing/CommentText.h"
#include "editing/MaterialText.h"
#include "editing/Placeholder.h"
#include "editing/Shortcuts.h"
#include "store/StarterLibrary.h"
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace editing;
using testing_support::QueryInt;
using testing_support::QueryText;

namespace {

constexpr int kTemplate = 0;

class StepChoices : public testing_support::DataFilesTest {
protected:
    void SetUp() override
    {
        DataFilesTest::SetUp();
        ASSERT_TRUE(store::LoadStarterLibrary()) << port.AllText();
    }

    static int MaterialID(const std::string& name)
    {
        return static_cast<int>(
            QueryInt(kTemplate, "SELECT ID FROM MaterialTemplate WHERE MaterialName = '" + name + "' LIMIT 1"));
    }
    static int StepOfMaterial(const std::string& name)
    {
        return static_cast<int>(
            QueryInt(kTemplate, "SELECT StepID FROM MaterialTemplate WHERE MaterialName = '" + name + "' LIMIT 1"));
    }
    static MaterialChoice Choice(const std::vector<MaterialChoice>& choices, const std::string& name)
    {
        const auto c = std::find_if(choices.begin(), choices.end(), [&](const MaterialChoice& m) { return m.name == name; });
        return c == choices.end() ? MaterialChoice{} : *c;
    }
    static bool Offers(const std::vector<StockComment>& list, const std::string& fragment)
    {
        return std::any_of(list.begin(), list.end(),
                           [&](const StockComment& c) { return c.text.find(fragment) != std::string::npos; });
    }
};

} // namespace

TEST_F(StepChoices, StockCommentsComeInGroupsWithoutVoidedOnesAndTypedOnesComeAndGo)
{
    const int cladding = StepOfMaterial("Vinyl siding");
    ASSERT_GT(cladding, 0);
    const auto all = StockCommentsFor(cladding, "");
    ASSERT_FALSE(all.empty());
    // Groups in name order, each behind its heading.
    EXPECT_EQ(all.front().text + "|" + all.front().rating, GroupHeading("Cladding damage") + "|<<Cladding damage>>");
    const auto headings = std::count_if(all.begin(), all.end(), [](const StockComment& c) { return IsGroupHeading(c.text); });
    EXPECT_EQ(headings, 3);
    EXPECT_TRUE(Offers(all, "Cracked vinyl siding panels"));
    EXPECT_TRUE(Offers(all, "Wood rot was found in the siding"));

    // Vinyl siding checked anywhere in the inspection hides the wood rot comment,
    // an unrelated material hides nothing here, garbage in the list is ignored.
    const std::string voids = std::to_string(MaterialID("Vinyl siding")) + ";junk;;" +
                              std::to_string(MaterialID("Two layers of shingles"));
    const auto narrowed = StockCommentsFor(cladding, voids);
    EXPECT_FALSE(Offers(narrowed, "Wood rot was found in the siding"));
    EXPECT_TRUE(Offers(narrowed, "Cracked vinyl siding panels"));
    EXPECT_EQ(narrowed.size(), all.size() - 3); // wood rot, stucco and mortar comments

    auto list = all;

    EXPECT_FALSE(AddStockComment(cladding, "x", "Marginal", list));
    EXPECT_FALSE(AddStockComment(cladding, list.back().text, "Marginal", list));
    ASSERT_TRUE(AddStockComment(cladding, "Hail dents on the \xC3\xA9 siding.", "Marginal", list));
    EXPECT_EQ(list.size(), all.size() + 1);
    EXPECT_EQ(list.back().rating, "Marginal");
    EXPECT_EQ(QueryText(kTemplate, "SELECT Rating FROM Comments WHERE Comments LIKE 'Hail dents%'"), "Marginal");
    EXPECT_TRUE(Offers(StockCommentsFor(cladding, ""), "Hail dents"));

    EXPECT_EQ(RemoveStockComments(cladding, {"Hail dents on the \xC3\xA9 siding.", "not a comment of this step"}), 1);
    EXPECT_FALSE(Offers(StockCommentsFor(cladding, ""), "Hail dents"));
    // The comment itself stays; only its link is detached.
    EXPECT_EQ(QueryInt(kTemplate, "SELECT COUNT(*) FROM Comments WHERE Comments LIKE 'Hail dents%'"), 1);
    EXPECT_EQ(QueryInt(kTemplate, "SELECT COUNT(*) FROM StepComment WHERE StepID = " + std::to_string(-cladding)), 1);
}

TEST_F(StepChoices, MaterialBoxesFollowTheMaterialsText)
{
    const int cladding = StepOfMaterial("Vinyl siding");
    const auto choices = LoadMaterialChoices(cladding);
    ASSERT_EQ(choices.size(), 9u);
    EXPECT_EQ(MaterialListText(choices).substr(0, 28), "Vinyl siding;Aluminum siding");

    // "Fiber cement siding" inside another entry does not check it; the Other: wording does.
    auto boxes = MaterialBoxes(choices, "Vinyl siding;other:cedar shakes;Old Fiber cement siding;");
    std::string checked;
    for (const MaterialBox& b : boxes)
        checked += b.checked ? b.label + "|" : "";
    EXPECT_EQ(checked, "Vinyl siding|other:cedar shakes|");
    EXPECT_EQ(MaterialsText(boxes), "Vinyl siding;other:cedar shakes;");
}

TEST_F(StepChoices, ACommentMaterialAppendsItsCommentOnceAndAWordingMaterialOffersItsPickList)
{
    const int roof = StepOfMaterial("Two layers of shingles");
    const auto choices = LoadMaterialChoices(roof);
    const auto pickers = PickerLists::Load();
    auto noAsk = [](const PlaceholderPrompt&) -> std::optional<std::string> { return std::nullopt; };

    auto boxes = MaterialBoxes(choices, "");
    for (auto& b : boxes)
        if (b.material.name == "Two layers of shingles") {
            EXPECT_EQ(BoxCaption(b), "Two layers of shingles+");
            b.checked = true;
        }
    std::string comment = "Roof viewed from the ground.";
    const std::string materials = ReadMaterials(boxes, "", comment, false, pickers, noAsk);
    EXPECT_EQ(materials, "Two layers of shingles;");
    EXPECT_EQ(comment.substr(0, 45), "Roof viewed from the ground.  A second layer ");
    // Reading again with the material already in the text adds nothing.
    const std::string once = comment;
    ReadMaterials(boxes, materials, comment, false, pickers, noAsk);
    EXPECT_EQ(comment, once);

    // A wording material offers the pick list of its comment.
    const auto service = LoadMaterialChoices(StepOfMaterial("Amperage:"));
    const auto wordings = WordingChoices(Choice(service, "Amperage:"), pickers);
    ASSERT_FALSE(wordings.empty());
    EXPECT_TRUE(std::find(wordings.begin(), wordings.end(), "100") != wordings.end());
    EXPECT_EQ(WordedLabel("Amperage:", "100"), "Amperage:100");

    // Its comment holds a placeholder: it offers wordings but is not appended.
    boxes = MaterialBoxes(service, "");
    for (auto& b : boxes)
        if (b.material.name == "Amperage:") {
            b.checked = true;
            b.label = "Amperage:100";
        }
    comment.clear();
    auto ask = [](const PlaceholderPrompt&) -> std::optional<std::string> { return std::string("100"); };
    EXPECT_EQ(ReadMaterials(boxes, "", comment, true, pickers, ask), "Amperage:100;");
    EXPECT_TRUE(comment.empty());
    EXPECT_EQ(WordingPrompt("Service"), "Enter the new material for: \r\nService");
}

TEST_F(StepChoices, PickersAndShortcutsAreReadFromTheTemplateAndVoidsKeepEachMaterialOnce)
{
    const auto pickers = PickerLists::Load();
    ASSERT_TRUE(pickers.Has("Location"));
    const auto locations = pickers.Choices("Location");
    EXPECT_TRUE(std::is_sorted(locations.begin(), locations.end()));
    EXPECT_FALSE(pickers.Has("location"));

    const auto shortcuts = ShortcutMap::Load();
    ASSERT_NE(shortcuts.Find("gfci"), nullptr);
    EXPECT_EQ(*shortcuts.Find("gfci"), "ground fault circuit interrupter (GFCI)");

    // Material voids keep each material once.
    EXPECT_EQ(UpdateMaterialVoids("", 25001, true), "25001");
    EXPECT_EQ(UpdateMaterialVoids("25001", 25001, true), "25001");
    EXPECT_EQ(UpdateMaterialVoids("7;25001;", 12, true), "7;25001;12");
    EXPECT_EQ(UpdateMaterialVoids("7;25001;12", 25001, false), "7;12");
    EXPECT_EQ(UpdateMaterialVoids("7", 8, false), "7");
    EXPECT_EQ(ParseMaterialVoids("7;x;12;"), (std::set<std::int32_t>{7, 12}));
}

TEST_F(StepChoices, AMaterialCheckedOnADuplicatedStepStaysListed)
{
    app::CInspectorDoc doc;
    doc.OnNewDocument();
    ASSERT_TRUE(doc.ChangeDocType("Home Inspection"));
    const std::string where = " FROM Category WHERE CategoryTitle = 'Roof' AND InspectionID = " +
                              std::to_string(doc.CurrentInspection().m_InspectionID);
    const int categoryID = static_cast<int>(QueryInt(1, "SELECT CategoryID" + where));
    ASSERT_GT(doc.CreateStepsFromTemplates(static_cast<int>(QueryInt(1, "SELECT CategoryTemplateID" + where)),
                                           categoryID), 0);
    const auto stepOf = [&](const std::string& title) {
        return static_cast<int>(QueryInt(1, "SELECT StepID FROM Step WHERE StepTitle = '" + title +
                                                "' AND CategoryID = " + std::to_string(categoryID)));
    };
    const int covering = stepOf("Roof Covering");
    ASSERT_GT(covering, 0);
    // A copy of the step: same template, its own row.
    testing_support::Exec(1, "INSERT INTO Step (StepID, StepNumber, StepTitle, CategoryID, StepTemplateID, Materials) "
                             "SELECT 99001, StepNumber || 'a', 'Roof Covering #2', CategoryID, StepTemplateID, "
                             "'Metal panels;Other:copper;' FROM Step WHERE StepID = " + std::to_string(covering));

    const auto choices = LoadMaterialChoices(StepOfMaterial("Metal panels"));
    auto checkedElsewhere = [&](int step, const std::string& name) {
        return MaterialCheckedOnOtherStep(doc.CurrentInspection().m_InspectionID, step, Choice(choices, name));
    };
    EXPECT_TRUE(checkedElsewhere(covering, "Metal panels"));
    EXPECT_TRUE(checkedElsewhere(covering, "Other:"));
    EXPECT_FALSE(checkedElsewhere(covering, "Slate"));
    // The copy itself is not "another step".
    EXPECT_FALSE(checkedElsewhere(99001, "Metal panels"));
}
