// "Export Inspection...", "Import Inspection..." and the inspection list's
// "Merge Inspection..." move an inspection's data as a user drives them.
#include "GuiTest.h"

#include "editing/qt/CInspectionListCtrl.h"
#include "editing/qt/CInspectionOverview.h"
#include "exchange/qt/CSelectStagedInspectionDlg.h"

namespace gui_test {
namespace {

namespace cmd = app::qt::cmd;
using editing::qt::CInspectionOverview;
using exchange::qt::CSelectStagedInspectionDlg;
using testing_support::QueryInt;
using testing_support::QueryText;

class TransferTest : public FrameTest {
protected:
    // The imported inspections waiting to be merged, and the inspections.
    std::string Counts()
    {
        return QueryText(1, "SELECT (SELECT COUNT(*) FROM MERGE_Inspection) || ' staged, ' || "
                            "(SELECT COUNT(*) FROM Inspection) || ' inspections'");
    }
    std::string StepComments(int inspectionID, const std::string& title)
    {
        return QueryText(1, "SELECT s.Comments FROM Step s JOIN Category c ON c.CategoryID = s.CategoryID "
                            "WHERE c.InspectionID = " +
                                std::to_string(inspectionID) + " AND s.StepTitle = '" + title + "'");
    }
};

TEST_F(TransferTest, ExportImportAndMergeIntoTheSelectedInspectionOrANewOneUnderAFreeDocNumber)
{
    PrepareInspection("X-1", "Source");
    const int source = CurrentInspectionID();
    RateStep(source, "Roof Covering", "Marginal", "Granule loss on the south slope.");
    // The target has the same categories, untouched.
    doc->NewInspection();
    PrepareInspection("X-2", "Target");
    const int target = CurrentInspectionID();

    // Export the source: the save dialog suggests the export file's name.
    ASSERT_TRUE(doc->SelectInspection(0));
    ASSERT_EQ(CurrentInspectionID(), source);
    const std::string file = folder.File("moved.rtf");
    port.files.push_back(file);
    Trigger(cmd::ExportInspection);
    ASSERT_FALSE(port.messages.empty());
    EXPECT_EQ(port.messages.front().kind, "save");
    EXPECT_EQ(port.messages.front().text, "Exported_X-1.rtf");
    ASSERT_TRUE(ReadFile(file).starts_with("Veltrane Export File\xA4\xA7"));

    // Import it into the merge tables; the working tables stay as they were.
    port.files.push_back(file);
    Trigger(cmd::ImportInspection);
    EXPECT_EQ(Counts(), "1 staged, 2 inspections");

    frame->Action(cmd::ViewInspectionList)->trigger();
    auto* list = qobject_cast<CInspectionOverview*>(frame->View(app::qt::kViewInspectionList));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(ColumnTexts(list->List(), 3), (QStringList{"X-1", "X-2"}));
    ClickCell(list->List(), 1, 0);
    ASSERT_TRUE(list->MergeButton()->isEnabled());
    auto answered = AnswerDialog<CSelectStagedInspectionDlg>([](CSelectStagedInspectionDlg* dialog) {
        QTreeWidget* staged = dialog->List();
        ASSERT_EQ(staged->topLevelItemCount(), 1);
        EXPECT_EQ(staged->topLevelItem(0)->text(1) + "|" + staged->topLevelItem(0)->text(4), "Source|X-1");
        EXPECT_TRUE(dialog->OkButton()->isEnabled()) << "the first import is chosen to begin with";
        staged->clearSelection();
        EXPECT_FALSE(dialog->OkButton()->isEnabled()) << "nothing chosen";
        ClickCell(staged, 0, 1);
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
    QTest::mouseClick(list->MergeButton(), Qt::LeftButton);
    ASSERT_TRUE(*answered);

    EXPECT_EQ(StepComments(target, "Roof Covering"), "Granule loss on the south slope.");
    EXPECT_EQ(StepComments(source, "Roof Covering"), "Granule loss on the south slope.");
    EXPECT_EQ(QueryText(1, "SELECT ClientName FROM Inspection WHERE InspectionID = " + std::to_string(target)),
              "Target")
        << "the header is not merged";
    EXPECT_EQ(Counts(), "0 staged, 2 inspections") << "nothing added";
    EXPECT_EQ(CurrentInspectionID(), target) << "the document stands on the inspection merged into";

    // Nothing left to merge: the user is told instead of shown an empty chooser.
    port.messages.clear();
    QTest::mouseClick(list->MergeButton(), Qt::LeftButton);
    EXPECT_TRUE(port.Saw("There is no imported inspection to merge.")) << port.AllText();

    // Imported again, it becomes a new inspection under a Doc # of its own: X-1 is taken.
    port.files.push_back(file);
    Trigger(cmd::ImportInspection);
    answered = AnswerDialog<CSelectStagedInspectionDlg>([](CSelectStagedInspectionDlg* dialog) {
        ASSERT_NE(dialog->NewInspectionButton(), nullptr);
        QTest::mouseClick(dialog->NewInspectionButton(), Qt::LeftButton);
        EXPECT_EQ(dialog->DocNumberEdit()->text(), "X-1 (2)");
        EXPECT_TRUE(dialog->DocNumberNote()->text().contains("X-1 is in use"))
            << dialog->DocNumberNote()->text().toStdString();
        dialog->DocNumberEdit()->selectAll();
        QTest::keyClicks(dialog->DocNumberEdit(), "x-1");
        EXPECT_FALSE(dialog->OkButton()->isEnabled()) << "a Doc # in use";
        dialog->DocNumberEdit()->selectAll();
        QTest::keyClicks(dialog->DocNumberEdit(), "X-1 copy");
        ASSERT_TRUE(dialog->OkButton()->isEnabled());
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
    QTest::mouseClick(list->MergeButton(), Qt::LeftButton);
    ASSERT_TRUE(*answered);

    const int created =
        static_cast<int>(QueryInt(1, "SELECT InspectionID FROM Inspection WHERE InspectionNum = 'X-1 copy'"));
    ASSERT_GT(created, 0) << port.AllText();
    EXPECT_EQ(QueryText(1, "SELECT ClientName FROM Inspection WHERE InspectionID = " + std::to_string(created)),
              "Source");
    EXPECT_EQ(StepComments(created, "Roof Covering"), "Granule loss on the south slope.");
    EXPECT_EQ(Counts(), "0 staged, 3 inspections");
}

TEST_F(TransferTest, CancelledDialogsChangeNothingAndMergeNeedsASelectedInspection)
{
    PrepareInspection("Y-1", "Only");
    // Cancel in the save and open dialogs: no file, no message.
    Trigger(cmd::ExportInspection);
    Trigger(cmd::ImportInspection);
    ASSERT_EQ(port.messages.size(), 2u);
    EXPECT_EQ(port.messages[0].kind + "|" + port.messages[1].kind, "save|open");
    EXPECT_EQ(Counts(), "0 staged, 1 inspections");

    // Merge reached outside the inspection list has no selected inspection.
    port.messages.clear();
    Trigger(cmd::MergeInspection);
    EXPECT_TRUE(port.Saw("You must select an inspection before pressing the button.")) << port.AllText();
}

} // namespace
} // namespace gui_test
