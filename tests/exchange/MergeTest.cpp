// Merging a staged inspection into a working one.
#include "ExchangeTestData.h"

#include "exchange/InspectionExporter.h"
#include "exchange/InspectionImporter.h"
#include "exchange/InspectionMerge.h"
#include "exchange/InspectionTransfer.h"
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>

using namespace exchange_test;

namespace {

const int kInspectionDb = static_cast<int>(store::DatabaseKind::Inspection);

StepData Step(const std::string& number, const std::string& title, const std::string& result = {},
              const std::string& comments = {}, const std::string& materials = {})
{
    StepData s;
    s.number = number;
    s.title = title;
    s.result = result;
    s.comments = comments;
    s.materials = materials;
    s.majorSystem = "Other";
    return s;
}

class MergeTest : public testing_support::DataFilesTest {
protected:
    // Stages an inspection made of `categories` the way an installation
    // receives it: exported elsewhere, imported here.
    int Stage(const std::vector<CategoryData>& categories, const std::string& docNumber = "REMOTE", int docTypeID = 7)
    {
        const int source = AddInspection(docNumber, "Home Inspection", docTypeID);
        for (const auto& c : categories)
            AddCategory(source, c);
        exchange::ExportOutcome exported;
        const auto bytes = exchange::InspectionExporter().Build(source, exported);
        EXPECT_TRUE(bytes.has_value());
        const auto imported = exchange::InspectionImporter().ImportBytes(*bytes);
        EXPECT_EQ(imported.stagedInspectionIDs.size(), 1u) << port.AllText();
        return imported.stagedInspectionIDs.empty() ? -1 : imported.stagedInspectionIDs[0];
    }

    long long StagedRowsOf(int staged)
    {
        const std::string id = std::to_string(staged);
        return Count("SELECT (SELECT count(*) FROM MERGE_Inspection WHERE InspectionID = " + id +
                     ") + (SELECT count(*) FROM MERGE_Category WHERE InspectionID = " + id +
                     ") + (SELECT count(*) FROM MERGE_Step WHERE CategoryID NOT IN (SELECT CategoryID FROM "
                     "MERGE_Category))");
    }
};

TEST_F(MergeTest, CategoriesMatchByExactTitleAndOnlyUntouchedDataIsOverwritten)
{
    const int working = AddInspection("HERE", "Home Inspection");
    // "Kitchen 2" and "kitchen" come first in number order: neither may take the staged Kitchen.
    AddCategory(working, {"Kitchen 2", "1", "", "k2", 0, 0, 0, 0, {Step("1", "Sink")}});
    AddCategory(working, {"kitchen", "2", "", "lower", 0, 0, 0, 0, {Step("1", "Sink")}});
    AddCategory(working, {"Kitchen", "3", "mine", "working remarks", -1, 0, 11, 0,
                          {Step("1", "Sink", "Satisfactory"), Step("2", "Range"), Step("3", "Hood", "", "", "Metal;")}});
    AddCategory(working, {"Bath", "4", "", "", 0, 0, 0, 0, {Step("1", "Tub", "", "tub remark")}});

    StepData range = FullStep(5, "Range");
    const int staged = Stage({
        {"Kitchen", "30", "theirs", "staged remarks", 0, -1, 99, 1,
         {Step("1", "Sink", "Marginal", "staged sink remark"), range, Step("3", "Hood", "Poor"),
          Step("4", "Dishwasher", "Satisfactory", "new one"), Step("5", "Dishwasher", "Poor")}},
        {"Bath", "40", "b3", "bath remarks", -1, 0, 12, 0, {Step("1", "Tub", "Poor", "staged tub")}},
        {"Garage", "50", "g3", "garage remarks", -1, -1, 13, 2, {FullStep(1, "Door"), FullStep(2, "Opener")}},
    });
    const auto garage = ReadCategories(staged, true)[2];
    ASSERT_EQ(garage.title, "Garage");

    exchange::InspectionMerge merge;
    ASSERT_TRUE(merge.Merge(working, staged)) << port.AllText();
    const auto result = ReadCategories(working);
    ASSERT_EQ(result.size(), 5u);

    EXPECT_EQ(Describe(result[0]), "Kitchen 2|1||k2|0|0|0|0|1");
    EXPECT_EQ(Describe(result[1]), "kitchen|2||lower|0|0|0|0|1");

    // Complete: the category keeps its fields; its rated step is kept whole, the one with
    // materials keeps them, the untouched one takes every staged field (its number too).
    ASSERT_EQ(Describe(result[2]), "Kitchen|3|mine|working remarks|-1|0|11|0|4");
    EXPECT_EQ(result[2].steps, (std::vector<StepData>{Step("1", "Sink", "Satisfactory"), Step("3", "Hood", "", "", "Metal;"),
                                                      Step("4", "Dishwasher", "Satisfactory", "new one"), range}));

    // Not complete: the category takes the staged fields; a commented step keeps its own.
    ASSERT_EQ(Describe(result[3]), "Bath|40|b3|bath remarks|-1|0|12|0|1");
    EXPECT_EQ(result[3].steps[0], Step("1", "Tub", "", "tub remark"));

    // No counterpart: added with all of its fields and steps.
    EXPECT_EQ(result[4], garage);

    const auto& o = merge.Outcome();
    EXPECT_EQ(std::vector<int>({o.categoriesAdded, o.categoriesUpdated, o.categoriesKept, o.stepsAdded, o.stepsUpdated,
                                o.stepsKept}),
              std::vector<int>({1, 2, 1, 3, 1, 4})); // the second staged Dishwasher meets the rated first: kept
    EXPECT_EQ(StagedRowsOf(staged), 0);
    EXPECT_EQ(Count("SELECT count(*) FROM MERGE_Step"), 0);
}

TEST_F(MergeTest, CategoriesAndStepsWithOneTitleMergeInNumberOrderAndOtherStagedInspectionsStay)
{
    const int working = AddInspection("HERE", "Home Inspection");
    const int other = Stage({{"Porch", "1", "", "", 0, 0, 0, 0, {Step("1", "Floor", "Poor")}}}, "OTHER");
    const int staged = Stage({
        {"Bedroom", "1", "", "first", 0, 0, 0, 0, {Step("1", "Walls", "Poor"), Step("2", "Floor")}},
        {"Bedroom", "2", "", "second", 0, 0, 0, 0, {Step("1", "Walls", "Good"), Step("3", "Window", "Good")}},
    });
    ASSERT_TRUE(exchange::MergeStagedInspection(staged, working).merged) << port.AllText();
    const auto result = ReadCategories(working);
    ASSERT_EQ(result.size(), 1u);
    ASSERT_EQ(Describe(result[0]), "Bedroom|2||second|0|0|0|0|3"); // both merged, the later one last
    // Walls rated by the first, kept against the second.
    EXPECT_EQ(result[0].steps, (std::vector<StepData>{Step("1", "Walls", "Poor"), Step("2", "Floor"), Step("3", "Window", "Good")}));
    EXPECT_EQ(StagedRowsOf(staged), 0);
    EXPECT_EQ(exchange::ListStagedInspections().size(), 1u);
    EXPECT_EQ(ReadCategories(other, true).size(), 1u);

    // Steps with one title are searched in number order as the category stands at that moment: the
    // first staged outlet renumbers the working step 1 to 3, so the second finds the working step 2 first.
    const int hall = AddInspection("HALL", "Home Inspection");
    AddCategory(hall, {"Hall", "1", "", "", 0, 0, 0, 0, {Step("1", "Outlet"), Step("2", "Outlet")}});
    const int hallStaged = Stage({{"Hall", "1", "", "", 0, 0, 0, 0,
                                   {Step("3", "Outlet", "Poor", "loose"), Step("4", "Outlet", "Good", "tight")}}});
    ASSERT_TRUE(exchange::MergeStagedInspection(hallStaged, hall).merged);
    EXPECT_EQ(ReadCategories(hall)[0].steps,
              (std::vector<StepData>{Step("3", "Outlet", "Poor", "loose"), Step("4", "Outlet", "Good", "tight")}));
}

TEST_F(MergeTest, AFailingOrCancelledMergeChangesNothing)
{
    const int working = AddInspection("HERE", "Home Inspection");
    AddCategory(working, {"Attic", "1", "", "", 0, 0, 0, 0, {Step("1", "Insulation")}});
    const int staged = Stage({
        {"Attic", "1", "", "staged", 0, 0, 0, 0, {Step("1", "Insulation", "Good")}},
        {"Roof", "2", "", "", 0, 0, 0, 0, {Step("1", "Covering", "Poor"), Step("2", "boom", "Poor")}},
    });
    const auto before = ReadCategories(working);
    const auto stagedBefore = ReadCategories(staged, true);

    testing_support::Exec(kInspectionDb, "CREATE TRIGGER refuse BEFORE INSERT ON Step WHEN NEW.StepTitle = 'boom' "
                                         "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    EXPECT_FALSE(exchange::MergeStagedInspection(staged, working).merged);
    EXPECT_TRUE(port.Saw("The merge was undone; nothing was changed.")) << port.AllText();
    EXPECT_EQ(ReadCategories(working), before);
    EXPECT_EQ(ReadCategories(staged, true), stagedBefore);
    testing_support::Exec(kInspectionDb, "DROP TRIGGER refuse");

    port.cancelAfter = 2;
    const auto cancelled = exchange::MergeStagedInspection(staged, working);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(ReadCategories(working), before);
    EXPECT_EQ(ReadCategories(staged, true), stagedBefore);
    port.cancelAfter = -1;

    port.messages.clear();
    EXPECT_FALSE(exchange::MergeStagedInspection(staged + 1000, working).merged);
    EXPECT_TRUE(port.Saw("There is no imported inspection with the ID")) << port.AllText();
    EXPECT_FALSE(exchange::MergeStagedInspection(staged, working + 1000).merged);
    EXPECT_EQ(ReadCategories(staged, true), stagedBefore);

    ASSERT_TRUE(exchange::MergeStagedInspection(staged, working).merged);
    EXPECT_EQ(ReadCategories(working).size(), 2u);
}

TEST_F(MergeTest, MergeButtonNeedsASelectionAndAChosenStagedInspection)
{
    const int working = AddInspection("HERE", "Home Inspection");
    const int staged = Stage({{"Garage", "1", "", "", 0, 0, 0, 0, {Step("1", "Door", "Good")}}});
    bool asked = false;
    auto choose = [&](const std::vector<std::string>&) -> std::optional<std::string> {
        asked = true;
        return std::nullopt;
    };

    EXPECT_FALSE(exchange::MergeInspectionCommand(std::nullopt, choose).merged);
    EXPECT_FALSE(asked);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].kind + "|" + port.messages[0].caption + "|" + port.messages[0].text,
              "ask|Error|You must select an inspection before pressing the button.");

    EXPECT_FALSE(exchange::MergeInspectionCommand(working, choose).merged); // Cancel
    EXPECT_TRUE(asked);
    EXPECT_EQ(exchange::ListStagedInspections().size(), 1u);

    std::vector<std::string> shown;
    const auto merged = exchange::MergeInspectionCommand(working, [&](const std::vector<std::string>& lines) {
        shown = lines;
        return std::optional<std::string>(lines.at(0));
    });
    EXPECT_TRUE(merged.merged);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].substr(0, shown[0].find('\t')), std::to_string(staged));
    EXPECT_EQ(ReadCategories(working).size(), 1u);
    EXPECT_TRUE(exchange::ListStagedInspections().empty());
}

TEST_F(MergeTest, ANewInspectionTakesTheStagedHeaderInOneTransactionUnderAFreeDocNumber)
{
    const CategoryData garage{"Garage", "1", "", "", 0, 0, 0, 0, {Step("1", "Door", "Good", "Dented")}};
    const int staged = Stage({garage}, "REMOTE", 31);

    // Exported here and imported back: its Doc # is taken.
    EXPECT_FALSE(exchange::MergeStagedIntoNewInspection(staged, "remote").merged);
    EXPECT_TRUE(port.Saw("The Doc # remote is in use by another inspection; choose another, for example remote (2)."))
        << port.AllText();
    EXPECT_EQ(exchange::InspectionMerge::FreeDocNumber("REMOTE"), "REMOTE (2)");

    // A failure half-way leaves neither the new inspection nor a change to the staged one.
    testing_support::Exec(kInspectionDb, "CREATE TRIGGER refuse BEFORE INSERT ON Step BEGIN SELECT RAISE(ABORT, "
                                         "'refused'); END;");
    EXPECT_FALSE(exchange::MergeStagedIntoNewInspection(staged, "REMOTE (2)").merged);
    EXPECT_EQ(Count("SELECT count(*) FROM Inspection"), 1);
    testing_support::Exec(kInspectionDb, "DROP TRIGGER refuse");

    // Chosen in the merge chooser.
    const int source = static_cast<int>(Count("SELECT InspectionID FROM Inspection WHERE InspectionNum = 'REMOTE'"));
    const auto merged = exchange::MergeOrCreateCommand(source, [](const std::vector<std::string>& lines) {
        return std::optional<exchange::StagedChoice>({lines.at(0), true, "REMOTE (2)"});
    });
    ASSERT_TRUE(merged.merged) << port.AllText();
    const std::string id = std::to_string(merged.createdInspectionID);
    EXPECT_EQ(testing_support::QueryText(kInspectionDb,
                                         "SELECT InspectionNum || '|' || ClientName || '|' || DwellingAddress || '|' "
                                         "|| DocType || '|' || DocTypeID || '|' || InspectionDate FROM Inspection "
                                         "WHERE InspectionID = " + id),
              "REMOTE (2)|Client REMOTE|12 Elm Street|Home Inspection|31|2024-07-04 09:05:00");
    EXPECT_EQ(ReadCategories(merged.createdInspectionID), std::vector<CategoryData>{garage});
    EXPECT_EQ(StagedRowsOf(staged), 0);
}

} // namespace
