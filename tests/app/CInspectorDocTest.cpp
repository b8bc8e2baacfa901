// The document: new inspections, selection, document type change, seeding,
// duplication of categories and inspections, deletion and Set All Defaults.
#include "DocumentFixture.h"

#include "store/Category.h"
#include "store/Field.h"
#include "store/Step.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace app_test;
using testing_support::Exec;

TEST_F(DocumentTest, DocTypeChangeMakesOrReplacesCategoriesAndJoinsAutomaticComments)
{
    const int id = doc->CurrentInspection().m_InspectionID;
    int menuChanges = 0;
    app::CInspectorDoc::Observer observer;
    observer.viewMenuChanged = [&] { ++menuChanges; };
    doc->SetObserver(observer);

    // The name is found whatever its letter case, and kept as the template writes it.
    ASSERT_TRUE(doc->ChangeDocType("home"));
    EXPECT_EQ(menuChanges, 1);
    const std::string inspection = "SELECT DocType || '|' || DocTypeID || '|' || InspectionComments FROM Inspection "
                                   "WHERE InspectionID = " + std::to_string(id);
    const std::string comments = "|First sentence.  Second sentence.  [*no bracket";
    EXPECT_EQ(Text(inspection), "Home|" + std::to_string(home) + comments);

    // Categories come by number as text: "1", "10", "20", "3".
    std::string categories;
    for (int row = 0; row < doc->GetCategoryCount(); ++row) {
        const store::Category& c = *doc->StandOnCategory(row);
        categories += c.m_CategoryNumber + " " + c.m_CategoryTitle + " " + std::to_string(c.m_Type) + " " +
                      std::to_string(c.m_CategoryTemplateID == grounds) + " " + c.m_CategoryComments + "|";
    }
    EXPECT_EQ(categories, "1 Conditions 1 0 |10 Bedroom 0 0 |20 Outbuildings 0 0 |3 Grounds 0 1 Grounds were walked.|");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Step"), 0); // steps come when a category is opened

    // A name without a template keeps the identifier, makes no categories and
    // does not add the old type's comments again.
    ASSERT_TRUE(doc->ChangeDocType("Nothing Like It"));
    EXPECT_EQ(Text(inspection), "Nothing Like It|" + std::to_string(home) + comments);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Category") + doc->GetCategoryCount(), 0);
    EXPECT_FALSE(doc->SelectCategory(0));
    EXPECT_TRUE(port.Saw("No Category records in current selection."));

    AddHomeInspection("A1");
    ASSERT_EQ(doc->SeedAllCategories(), 3 + 3 + 2 + 1);
    ASSERT_EQ(TableSizes(), "2|4|7|2");

    // Only a change that removes categories asks, and Cancel keeps everything.
    port.answers = {ui::Answer::Cancel};
    EXPECT_FALSE(doc->ConfirmDocTypeChange("Home", "Condo"));
    EXPECT_EQ(port.Last(), "ask [Data Alert] Warning! Changing the Doc Type will remove all categories and steps for "
                           "this inspection  Tap OK to continue changing the Doc Type. \r\r Do you wish to proceed?");
    EXPECT_EQ(TableSizes(), "2|4|7|2");

    port.answers = {ui::Answer::Ok};
    ASSERT_TRUE(doc->ConfirmDocTypeChange("Home", "Condo"));
    ASSERT_TRUE(doc->ChangeDocType("Condo"));
    EXPECT_EQ(TableSizes(), "2|1|0|0");
    EXPECT_EQ(doc->CurrentInspection().m_DocTypeID, condo);

    // A first choice on an inspection without categories is made without a question.
    const auto asked = port.messages.size();
    doc->NewInspection();
    EXPECT_TRUE(doc->ConfirmDocTypeChange("", "Home"));
    EXPECT_EQ(port.messages.size(), asked);
}

TEST_F(DocumentTest, SeedingMakesStepsAndFieldsFromTheTemplatesWithReservedIdentifiers)
{
    const int id = AddHomeInspection("A1");
    const int bedroomRow = CategoryRow("Bedroom");
    const store::Category& category = *doc->StandOnCategory(bedroomRow);
    const int categoryID = category.m_CategoryID;
    ASSERT_EQ(doc->CreateStepsFromTemplates(bedroom, categoryID), 3);
    // One block of identifiers: consecutive steps, the counter one past the block.
    const long long first = Count("SELECT MIN(StepID) FROM Step");
    EXPECT_EQ(Count("SELECT MAX(StepID) FROM Step"), first + 2);
    EXPECT_EQ(Count("SELECT NextID FROM UniqueID WHERE TableName = 'Step'"), first + 3);

    ASSERT_TRUE(doc->SelectCategory(bedroomRow));
    store::Step& steps = doc->StepSelection();
    ASSERT_EQ(doc->GetStepCount(), 3);
    std::string made;
    for (int row = 0; row < 3; ++row) {
        steps.Read(row);
        EXPECT_EQ(steps.m_CategoryID, categoryID);
        made += steps.m_StepTitle + " " + steps.m_StepNumber + " " + steps.m_MajorSystem + " " +
                steps.m_StepRatingType + " " + std::to_string(steps.m_StepInfoExists != 0) + " " +
                steps.m_InspectResult + steps.m_Comments + steps.m_Materials + "|";
    }
    // "ab" is not step information.
    EXPECT_EQ(made, "Walls 1 3 Bedroom-Walls Standard 0 |Ceiling 2 Other Standard 1 |Closet 3 Closets Plain 0 |");

    // Seeding the whole inspection leaves seeded categories alone and gives the
    // form category its fields instead of steps.
    ASSERT_EQ(doc->SeedAllCategories(), 3 + 2 + 1);
    ASSERT_EQ(doc->SeedAllCategories(), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Step WHERE CategoryID = " + std::to_string(categoryID)), 3);
    store::Field fields;
    ASSERT_TRUE(fields.OpenByCategory(doc->StandOnCategory(CategoryRow("Conditions"))->m_CategoryID));
    ASSERT_EQ(fields.GetCount(), 2);
    fields.Read(1);
    EXPECT_EQ(fields.m_FieldLabel + " " + std::to_string(fields.m_SequenceNumber), "Temperature 2");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Step s JOIN Category c ON s.CategoryID = c.CategoryID WHERE "
                    "c.InspectionID = " + std::to_string(id)),
              7);
}

TEST_F(DocumentTest, DuplicatedCategoriesTakeTheNextFreeNumbersOfAllInspections)
{
    // Numbers 4 and 5 are taken by another inspection.
    doc->NewInspection();
    const std::string other = std::to_string(doc->CurrentInspection().m_InspectionID);
    Exec(kInspectionData, "INSERT INTO Category (CategoryID, CategoryTitle, CategoryNumber, InspectionID) VALUES "
                          "(90001, 'Elsewhere', '4', " + other + "), (90002, 'Elsewhere', '5', " + other + ")");
    const int id = AddHomeInspection("A1");

    const int row = CategoryRow("Grounds");
    const app::DuplicateProposal proposal = doc->ProposeDuplicate(row);
    EXPECT_EQ(proposal.baseName + "|" + std::to_string(proposal.copyNumber) + "|" + proposal.name,
              "Grounds|2|Grounds #2");
    doc->SetCategoryListTopRow(3);
    ASSERT_TRUE(doc->DuplicateCategory(row, "Front Yard", proposal.copyNumber, 2, proposal.baseName));
    EXPECT_EQ(doc->CategoryListTopRow(), 0);

    const std::string mine = " FROM Category WHERE InspectionID = " + std::to_string(id);
    EXPECT_EQ(Rows("SELECT CategoryTitle, Type" + mine + " AND CategoryNumber IN ('6', '7') ORDER BY CategoryNumber"),
              "Front Yard 0|Grounds #3 0");
    EXPECT_EQ(doc->GetCategoryCount(), 6); // the selection was filled again
    const std::string copy =
        "SELECT StepNumber FROM Step WHERE CategoryID = (SELECT CategoryID" + mine + " AND CategoryNumber = '7')";
    EXPECT_EQ(Text(copy + " AND StepTitle = 'Walkways'"), "2.3");

    // A numbered keyword numbers the major system and the title of the copy.
    const int bedroomRow = CategoryRow("Bedroom");
    const auto bedroomProposal = doc->ProposeDuplicate(bedroomRow);
    ASSERT_TRUE(doc->DuplicateCategory(bedroomRow, bedroomProposal.name, bedroomProposal.copyNumber, 1,
                                       bedroomProposal.baseName));
    EXPECT_EQ(Rows("SELECT StepNumber, StepTitle, MajorSystem FROM Step WHERE CategoryID = (SELECT CategoryID" + mine +
                   " AND CategoryTitle = 'Bedroom #2') ORDER BY StepNumber"),
              "1.2 Walls #2 3 2Bedroom-Walls #2|2.2 Ceiling Other|3.2 Closet Closets");
    EXPECT_EQ(Text("SELECT CategoryNumber" + mine + " AND CategoryTitle = 'Bedroom #2'"), "11");
}

TEST_F(DocumentTest, DuplicatingACategoryWithDataCopiesItsStepsFieldsAndStatus)
{
    AddHomeInspection("A1", true);
    Exec(kInspectionData, "UPDATE Step SET InspectResult = 'Marginal', Comments = 'Cracked.', Materials = "
                          "'Asphalt;', SummaryComment = 'Repair', BitmapPath = 'p1.jpg', PictureBefore = 1, "
                          "String8 = 'x' WHERE StepTitle = 'Patio'");
    Exec(kInspectionData, "UPDATE Category SET CategoryNotPresent = 1, CategoryComplete = 1 WHERE CategoryTitle = "
                          "'Grounds'");
    Exec(kInspectionData, "UPDATE Field SET AssignedValue = 'Sunny' WHERE FieldLabel = 'Weather'");
    // The template of the second step is gone: that step is reported and skipped.
    Exec(kTemplateData, "DELETE FROM StepTemplate WHERE ID = " + std::to_string(walkways));

    doc->FillCategorySelection();
    const int row = CategoryRow("Grounds");
    ASSERT_TRUE(doc->DuplicateCategoryWithData(row, "Grounds #2", 2, 1, "Grounds"));
    EXPECT_TRUE(port.Saw("Incorrect number of  StepTemplate records for this step. ERROR INFO: i = 1"));
    EXPECT_EQ(Text("SELECT CategoryNotPresent || CategoryComplete FROM Category WHERE CategoryTitle = 'Grounds #2'"),
              "11");
    EXPECT_EQ(Rows("SELECT StepTitle, StepNumber, InspectResult, Comments, Materials, SummaryComment, BitmapPath, "
                   "String8, PictureBefore, StepRatingType, StepInfoExists FROM Step WHERE CategoryID = (SELECT "
                   "CategoryID FROM Category WHERE CategoryTitle = 'Grounds #2') ORDER BY StepNumber"),
              "Driveway 1.2 <null> <null> <null> <null> <null> <null> 0 Standard 1|"
              "Patio 3.2 Marginal Cracked. Asphalt; Repair p1.jpg x 1 Standard 0");

    // A form category copies its fields with their values.
    doc->FillCategorySelection();
    ASSERT_TRUE(doc->DuplicateCategoryWithData(CategoryRow("Conditions"), "Conditions #2", 2, 1, "Conditions"));
    EXPECT_EQ(Text("SELECT AssignedValue FROM Field WHERE CategoryID = (SELECT CategoryID FROM Category WHERE "
                   "CategoryTitle = 'Conditions #2') AND FieldLabel = 'Weather'"),
              "Sunny");
    EXPECT_EQ(Count("SELECT COUNT(DISTINCT ID) FROM Field"), 4);
}

TEST_F(DocumentTest, DuplicatingAnInspectionKeepsEverythingUnderNewIdentifiers)
{
    const int source = AddHomeInspection("A1", true);
    Exec(kInspectionData, "UPDATE Inspection SET ClientName = 'Jane Roe', DwellingAddress = '12 Elm St', YesNo8 = -1, "
                          "MaterialVoids = '4;5' WHERE InspectionNum = 'A1'");
    Exec(kInspectionData, "UPDATE Step SET InspectResult = 'Marginal', Comments = 'Cracked.', YesNo11 = 1 WHERE "
                          "StepTitle = 'Patio'");
    Exec(kInspectionData, "UPDATE Field SET AssignedValue = 'Sunny' WHERE FieldLabel = 'Weather'");
    Exec(kInspectionData, "UPDATE Category SET CategoryNotPresent = 1 WHERE CategoryTitle = 'Outbuildings'");
    doc->NewInspection(); // another inspection after the source
    const int sourceRow = 1;
    ASSERT_TRUE(doc->SelectInspection(sourceRow));
    ASSERT_EQ(doc->CurrentInspection().m_InspectionID, source);

    // Cancelling the question duplicates nothing.
    EXPECT_FALSE(doc->OnDuplicateInspection(sourceRow));
    EXPECT_EQ(port.Last(), "askText [Duplicate Inspection] Enter the Doc # of the new Inspection:");

    // A Doc # another inspection has, in any letter case, is refused and asked
    // for again; the empty Doc # of a blank inspection is never in use.
    EXPECT_FALSE(doc->DuplicateInspection(sourceRow, "a1"));
    EXPECT_FALSE(store::Inspection::DocNumberInUse(""));
    listChanges = 0;
    port.texts = {std::string("a1"), std::string("A2")};
    const auto copy = doc->OnDuplicateInspection(sourceRow);
    ASSERT_TRUE(copy);
    EXPECT_NE(port.AllText().find("Doc # \"a1\" is already used by another inspection"), std::string::npos)
        << port.AllText();
    EXPECT_EQ(listChanges, 1);
    EXPECT_EQ(doc->CurrentInspection().m_InspectionID, source); // the document stays on the source
    EXPECT_EQ(doc->GetInspectionCount(), 4);

    const std::string row = "SELECT InspectionNum || '|' || ClientName || '|' || DwellingAddress || '|' || DocType || "
                            "'|' || DocTypeID || '|' || InspectionComments || '|' || YesNo8 || '|' || "
                            "ifnull(MaterialVoids, '') || '|' || InspectionDate FROM Inspection WHERE InspectionID = ";
    EXPECT_EQ(Text(row + std::to_string(*copy)),
              "A2|Jane Roe|12 Elm St|Home|" + std::to_string(home) + "|First sentence.  Second sentence.  " +
                  "[*no bracket|0||" + Text("SELECT InspectionDate FROM Inspection WHERE InspectionID = " +
                                            std::to_string(source)));

    const std::string of = " FROM Category WHERE InspectionID = ";
    auto categoriesOf = [&](int inspection) {
        return Text("SELECT group_concat(c, '|') FROM (SELECT CategoryNumber || CategoryTitle || Type || "
                    "CategoryComplete || CategoryNotPresent || ifnull(CategoryComments, '') AS c" +
                    of + std::to_string(inspection) + " ORDER BY CategoryNumber)");
    };
    EXPECT_EQ(categoriesOf(*copy), "1Conditions100|10Bedroom000|20Outbuildings001|3Grounds000Grounds were walked.");
    EXPECT_EQ(categoriesOf(*copy), categoriesOf(source));
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Category a JOIN Category b ON a.CategoryID = b.CategoryID WHERE "
                    "a.InspectionID = " + std::to_string(source) + " AND b.InspectionID = " + std::to_string(*copy)),
              0);

    EXPECT_EQ(Text("SELECT COUNT(*) || '|' || COUNT(DISTINCT StepID) FROM Step"), "14|14");
    EXPECT_EQ(Text("SELECT s.InspectResult || s.Comments || s.StepRatingType || s.MajorSystem || s.YesNo11 FROM "
                   "Step s JOIN Category c ON s.CategoryID = c.CategoryID WHERE s.StepTitle = 'Patio' AND "
                   "c.InspectionID = " + std::to_string(*copy)),
              "MarginalCracked.StandardOther0");

    // The fields of the form category come along with new identifiers.
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Field f JOIN Category c ON f.CategoryID = c.CategoryID WHERE "
                    "c.InspectionID = " + std::to_string(*copy) + " AND f.AssignedValue = 'Sunny'"),
              1);
    EXPECT_EQ(Text("SELECT COUNT(*) || '|' || COUNT(DISTINCT ID) FROM Field"), "4|4");

    const std::vector<std::string> started{"title: Duplicating Inspection...", "range: 0-12",
                                           "status: Duplicating Categories...", "status: Duplicating Steps..."};
    const auto& log = port.progressLog;
    EXPECT_NE(std::search(log.begin(), log.end(), started.begin(), started.end()), log.end());
}

TEST_F(DocumentTest, SelectingPastTheEndChangesNothing)
{
    doc->NewInspection();
    EXPECT_EQ(shownViews, std::vector<int>{app::kInspectionSetupView});
    const int current = doc->CurrentInspection().m_InspectionID;
    EXPECT_EQ(doc->CurrentInspectionRow(), 1);
    EXPECT_FALSE(doc->SelectInspection(2));
    EXPECT_TRUE(port.Saw("Attempting to select a record that does not exist."));
    EXPECT_EQ(doc->CurrentInspection().m_InspectionID, current);

    doc->SetCategoryListTopRow(5);
    ASSERT_TRUE(doc->SelectInspection(0));
    EXPECT_EQ(doc->CategoryListTopRow(), 0);
    EXPECT_NE(doc->CurrentInspection().m_InspectionID, current);
    // Edits of the current inspection land in its own row.
    doc->CurrentInspection().m_ClientName = "First";
    ASSERT_TRUE(doc->SaveInspection());
    EXPECT_EQ(Text("SELECT ClientName FROM Inspection WHERE InspectionID = " + std::to_string(current)), "");
}

TEST_F(DocumentTest, DeletingAnInspectionRemovesItsDataAndNothingElse)
{
    const int first = AddHomeInspection("A1", true);
    Exec(kInspectionData, "UPDATE Inspection SET ClientName = 'Jane Roe', DwellingAddress = '12 Elm St', "
                          "DwellingCityStateZip = 'Minneapolis, MN' WHERE InspectionNum = 'A1'");
    const int second = AddHomeInspection("A2", true);
    const int firstRow = 1;

    EXPECT_FALSE(doc->OnDeleteInspection(false, 1, firstRow));
    EXPECT_TRUE(port.Saw("Please delete inspections from the Inspection List view only."));
    EXPECT_FALSE(doc->OnDeleteInspection(true, 2, firstRow));
    EXPECT_TRUE(port.Saw("Only one inspection can be deleted at a time."));
    port.confirmations = {false};
    EXPECT_FALSE(doc->OnDeleteInspection(true, 1, firstRow));
    EXPECT_EQ(port.Last(), "confirm [Warning] Are you sure you want to delete this inspection?\n\nClient Name: Jane "
                           "Roe\nDwelling Address: 12 Elm St\nCity State Zip: Minneapolis, MN\nDoc #: A1");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Inspection"), 3);

    port.confirmations = {true};
    ASSERT_TRUE(doc->OnDeleteInspection(true, 1, firstRow));
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Inspection WHERE InspectionID = " + std::to_string(first)), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Category WHERE InspectionID = " + std::to_string(second)), 4);
    EXPECT_EQ(TableSizes(), "2|4|7|2");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Step WHERE CategoryID NOT IN (SELECT CategoryID FROM Category)"), 0);
    EXPECT_EQ(doc->GetInspectionCount(), 2);
    EXPECT_NE(doc->CurrentInspection().m_InspectionID, first);
    EXPECT_NE(std::find(port.progressLog.begin(), port.progressLog.end(), "title: Deleting Inspection..."),
              port.progressLog.end());

    // The last inspection gives way to a new, empty one.
    for (int n = 0; n < 2; ++n) {
        port.confirmations = {true};
        ASSERT_TRUE(doc->OnDeleteInspection(true, 1, 0));
    }
    EXPECT_EQ(TableSizes(), "1|0|0|0");
    EXPECT_EQ(doc->CurrentInspection().m_DocTypeID, -1);
}

TEST_F(DocumentTest, AnEmptyDatabaseAndDeleteAllLeaveExactlyOneNewEmptyInspection)
{
    EXPECT_EQ(InspectionState(), "1|0||-1");
    EXPECT_EQ(Count("SELECT DocTypeID FROM Inspection"), -1);
    EXPECT_EQ(app::CInspectorDoc::Current(), doc.get());

    for (const char* docNum : {"A1", "A2", "A3"})
        AddHomeInspection(docNum, true);
    port.confirmations = {false};
    EXPECT_FALSE(doc->OnDeleteAllInspections());
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Inspection"), 4);

    shownViews.clear();
    port.confirmations = {true};
    ASSERT_TRUE(doc->OnDeleteAllInspections());
    EXPECT_TRUE(port.Saw("Would you like to delete all inspections."));
    EXPECT_TRUE(port.Saw("Done deleting all inspections."));
    EXPECT_EQ(TableSizes(), "1|0|0|0");
    EXPECT_EQ(Text("SELECT DocTypeID || ifnull(DocType, '') || ifnull(InspectionNum, '') FROM Inspection"), "-1");
    EXPECT_EQ(InspectionState(), "1|0||-1");
    EXPECT_EQ(doc->CurrentInspection().m_InspectionID, Count("SELECT InspectionID FROM Inspection"));
    EXPECT_EQ(shownViews, std::vector<int>{app::kInspectionSetupView});
    // A second document on the same file adds none.
    doc = std::make_unique<app::CInspectorDoc>();
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Inspection"), 1);
}

TEST_F(DocumentTest, SetAllDefaultsFillsOnlyUnratedStepsOfIncludedCategories)
{
    const int id = AddHomeInspection("A1");
    // Grounds and Outbuildings have their steps; Bedroom gets them from the defaults.
    doc->FillCategorySelection();
    for (const char* title : {"Grounds", "Outbuildings"}) {
        const store::Category& c = *doc->StandOnCategory(CategoryRow(title));
        ASSERT_GT(doc->CreateStepsFromTemplates(c.m_CategoryTemplateID, c.m_CategoryID), 0);
    }
    Exec(kInspectionData, "UPDATE Step SET Comments = 'Looked at.' WHERE StepTitle = 'Driveway'");
    Exec(kInspectionData, "UPDATE Step SET InspectResult = 'Marginal' WHERE StepTitle = 'Patio'");

    port.confirmations = {false};
    EXPECT_FALSE(doc->OnSetAllDefaults());
    EXPECT_TRUE(port.Saw("Please confirm the applying of all defaults. This action can not be undone."));
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Step WHERE InspectResult IS NOT NULL"), 1);

    port.confirmations = {true};
    const auto summary = doc->OnSetAllDefaults();
    ASSERT_TRUE(summary);
    EXPECT_TRUE(port.Saw("Done!"));
    EXPECT_EQ(std::to_string(summary->excluded) + "|" + std::to_string(summary->stepsSeeded), "1|3");

    // Driveway: the default material first in material order, its comment after the existing text.
    // Walkways: a scale without a default choice leaves the rating empty. Patio: a rated step is left
    // as it was. Closet: nothing to fill. Shed: the excluded category is untouched.
    EXPECT_EQ(Rows("SELECT s.StepTitle, s.Materials, s.Comments, s.InspectResult FROM Step s JOIN Category c ON "
                   "s.CategoryID = c.CategoryID WHERE c.InspectionID = " + std::to_string(id) +
                   " ORDER BY c.CategoryNumber, s.StepNumber"),
              "Walls <null> <null> Satisfactory|Ceiling <null> <null> Satisfactory|Closet <null> <null> <null>|"
              "Shed <null> <null> <null>|Driveway Concrete; Looked at.  Concrete has cracks. Satisfactory|"
              "Walkways Pavers; <null> <null>|Patio <null> <null> Marginal");

    // Bedroom's closet has nothing.
    EXPECT_EQ(Rows("SELECT CategoryTitle, CategoryComplete FROM Category WHERE InspectionID = " + std::to_string(id) +
                   " AND CategoryTitle IN ('Grounds', 'Bedroom', 'Outbuildings') ORDER BY CategoryTitle"),
              "Bedroom 0|Grounds 1|Outbuildings 0");
    // The selection shows the new status.
    EXPECT_NE(doc->StandOnCategory(CategoryRow("Grounds"))->m_CategoryComplete, 0);
}
