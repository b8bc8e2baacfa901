// Start-up of the desktop program on a fresh home folder, a second copy, and
// the start-up dialogs.
#include "GuiTest.h"

#include "app/qt/CDataPathDlg.h"
#include "app/qt/CInspectorApp.h"
#include "app/qt/COwnerNameDlg.h"
#include "editing/qt/CInspectorView.h"
#include "store/Database.h"
#include "support/qt/FreshHome.h"


#include <filesystem>
#include <fstream>

namespace gui_test {
namespace {

using namespace app::qt;
namespace fs = std::filesystem;

using Startup = DialogTest;

TEST_F(Startup, FirstStartOnAnEmptyHomeEndsInTheSetupViewWithStarterData)
{
    FreshHome home;
    testing_support::ScriptedPort port;
    const std::string dataFolder = home.DataFolder();
    const std::string paths = dataFolder + "/Template_Data.cdb|" + dataFolder + "/Inspection_Data.cdb";

    QString shownPaths;
    int latest = -1;
    AnswerDialog<CDataPathDlg>([&](CDataPathDlg* d) {
        shownPaths = d->TemplateEdit()->text() + "|" + d->InspectionEdit()->text();
        EXPECT_TRUE(d->CreateButton()->isVisible());
        EXPECT_TRUE(d->CreateButton()->isEnabled());
        // Too short a name first, then a good one.
        AnswerDialog<COwnerNameDlg>([](COwnerNameDlg* owner) {
            QTest::keyClicks(owner->NameEdit(), "Pat");
            AnswerDialog<COwnerNameDlg>([](COwnerNameDlg* again) {
                QTest::keyClicks(again->NameEdit(), "Pat Kowalski, Certified Home Inspector #4521");
                EXPECT_EQ(again->Name().size(), 30) << "the field takes 30 characters";
                ClickOk(again);
            });
            ClickOk(owner);
        });
        d->CreateButton()->click();
    });

    {
        CInspectorApp inspector;
        ASSERT_TRUE(inspector.InitInstance()) << port.AllText();
        EXPECT_EQ(shownPaths.toStdString(), paths);

        CMainFrame* frame = inspector.MainFrame();
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(frame->isVisible());
        EXPECT_EQ(frame->ViewNumber(), kViewInspectionSetup);
        auto* setup = qobject_cast<editing::qt::CInspectorView*>(frame->ActiveView());
        ASSERT_NE(setup, nullptr);
        EXPECT_GE(setup->DocTypeCombo()->findText("Home Inspection"), 0) << "the starter library is there";
        EXPECT_GT(setup->PickList(editing::qt::CInspectorView::DwellingCityStateZip)->count(), 1);
        EXPECT_EQ(testing_support::QueryText(0, "SELECT Name FROM Owner"), "Pat Kowalski, Certified Home I");
        EXPECT_EQ(testing_support::QueryInt(1, "SELECT COUNT(*) FROM Inspection"), 1);

        // A second copy ends at once, without a word and without a window.
        port.messages.clear();
        CInspectorApp second;
        EXPECT_FALSE(second.InitInstance());
        EXPECT_EQ(second.MainFrame(), nullptr);
        EXPECT_TRUE(port.messages.empty());
        EXPECT_TRUE(store::Database::IsOpen(store::DatabaseKind::Template)) << "the first copy keeps its data";

        // The window's place and the inspection worked on last are kept for the next start.
        inspector.Document()->NewInspection();
        latest = inspector.Document()->CurrentInspection().m_InspectionID;
        frame->setGeometry(60, 70, 640, 480);
    }

    // The next start finds everything and asks nothing.
    port.messages.clear();
    bool asked = false;
    AnswerDialog<QDialog>([&](QDialog* d) {
        asked = true;
        d->reject();
    });
    CInspectorApp again;
    ASSERT_TRUE(again.InitInstance());
    EXPECT_FALSE(asked);
    EXPECT_EQ(again.Document()->CurrentInspection().m_InspectionID, latest);
    EXPECT_EQ(again.MainFrame()->geometry(), QRect(60, 70, 640, 480));
    DropPendingAnswers(); // answered only in case a dialog came up
    EXPECT_TRUE(port.messages.empty()) << port.AllText();
}

TEST_F(Startup, CancelInTheDataPathDialogEnds)
{
    FreshHome home;
    testing_support::ScriptedPort port;
    AnswerDialog<CDataPathDlg>([](CDataPathDlg* d) { d->reject(); });
    CInspectorApp inspector;
    EXPECT_FALSE(inspector.InitInstance());
    EXPECT_NE(inspector.ExitStatus(), 0);
    EXPECT_EQ(inspector.MainFrame(), nullptr);
    EXPECT_FALSE(fs::exists(home.DataFolder() + "/Template_Data.cdb"));
}

TEST_F(Startup, DataPathDialogShowsWhichFileIsMissing)
{
    testing_support::TempFolder folder;
    const std::string existing = folder.File("there.cdb");
    { std::ofstream(existing) << ""; }
    CDataPathDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), "Error finding structure");
    EXPECT_FALSE(dialog.CreateButton()->isVisible() && dialog.CreateButton()->isVisibleTo(&dialog));
    dialog.SetPaths(existing, folder.File("missing.cdb"));
    EXPECT_TRUE(dialog.findChild<QLabel*>("templatePathState")->text().isEmpty());
    EXPECT_FALSE(dialog.findChild<QLabel*>("inspectionPathState")->text().isEmpty());
    // A path typed by hand is taken as it is.
    dialog.InspectionEdit()->setText(" typed by hand ");
    EXPECT_EQ(dialog.InspectionPath(), " typed by hand ");
    EXPECT_EQ(dialog.TemplatePath(), existing);
}

} // namespace
} // namespace gui_test
