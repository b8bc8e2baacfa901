// The main frame: menus, toolbar, view switching and the View menu's marks.
#include "GuiTest.h"

#include "app/qt/CAboutDlg.h"
#include "app/qt/CView.h"
#include "app/qt/LockKeys.h"
#include "editing/qt/CCategoryView.h"
#include "editing/qt/CInspectionOverview.h"
#include "editing/qt/CInspectorView.h"

#include <QAction>
#include <QStatusBar>
#include <QMenuBar>
#include <QToolBar>

namespace gui_test {
namespace {

using namespace app::qt;

QStringList MenuTitles(QMainWindow& window)
{
    QStringList titles;
    for (QAction* a : window.menuBar()->actions())
        titles << a->text();
    return titles;
}

int CheckedViewItem(CMainFrame& frame)
{
    int checked = 0;
    for (int c : {cmd::ViewInspectionList, cmd::ViewInspectionSetup, cmd::ViewCategoryList, cmd::ViewReviewComments,
                  cmd::ViewHtml}) {
        if (frame.Action(c)->isChecked()) {
            EXPECT_EQ(checked, 0) << "two View items carry the mark";
            checked = c;
        }
    }
    return checked;
}

TEST_F(FrameTest, MenusToolbarStatusBarAndCommandsAsShipped)
{
    EXPECT_EQ(MenuTitles(*frame), (QStringList{"&File", "&Edit", "&View", "Export", "&Help"}));
    EXPECT_EQ(frame->Action(cmd::NewInspection)->text(), "&New\tCtrl+N");
    // The menu's New has no key of its own: Ctrl+N belongs to the asking New.
    EXPECT_TRUE(frame->Action(cmd::NewInspection)->shortcut().isEmpty());
    EXPECT_EQ(frame->Action(cmd::ConfirmNewInspection)->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(frame->Action(cmd::DeleteInspection)->shortcut(), QKeySequence("Ctrl+D"));
    EXPECT_EQ(frame->Action(cmd::Print)->shortcut(), QKeySequence("Ctrl+P"));

    // Toolbar order: New, Delete, Print, separator, Comment, Server, Spell check.
    QStringList toolbar;
    for (QAction* a : frame->ToolBar()->actions())
        toolbar << (a->isSeparator() ? QStringLiteral("|") : QString::number(a->data().toInt()));
    EXPECT_EQ(toolbar, (QStringList{"32795", "32783", "32787", "|", "32785", "32796", "32797"}));

    // Before the features are wired their commands are visible and disabled.
    CMainFrame bare;
    for (int later : {cmd::Print, cmd::ExportRtf, cmd::Options, cmd::ImportInspection, cmd::ExportInspection,
                      cmd::CommentEditor, cmd::ConnectToServer, cmd::ViewReviewComments, cmd::ViewHtml,
                      cmd::MergeInspection, cmd::NewInspection, cmd::ViewCategoryList, cmd::SpellCheck})
        EXPECT_FALSE(bare.Action(later)->isEnabled()) << later;
    for (int ready : {cmd::Exit, cmd::About, cmd::Copy})
        EXPECT_TRUE(bare.Action(ready)->isEnabled()) << ready;
    for (int ready : {cmd::NewInspection, cmd::ConfirmNewInspection, cmd::DeleteInspection, cmd::DeleteAllInspections,
                      cmd::ViewInspectionList, cmd::ViewInspectionSetup, cmd::ViewCategoryList, cmd::SpellCheck})
        EXPECT_TRUE(frame->Action(ready)->isEnabled()) << ready;

    // A feature wires its command with one call.
    bool printed = false;
    frame->EnableCommand(cmd::Print, [&] { printed = true; });
    frame->activateWindow();
    QTest::keyClick(frame.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(printed);

    frame->statusBar()->showMessage("Print");
    frame->statusBar()->clearMessage();
    EXPECT_EQ(frame->statusBar()->currentMessage(), "Ready");

    // The lock key panes show only the keys known to be on.
    const auto state = ReadLockKeys();
    // X11 tells the state; other platforms (the tests' offscreen one) do not.
    EXPECT_EQ(state.has_value(), QGuiApplication::platformName() == "xcb");
    const std::pair<const char*, bool> panes[] = {{"indicatorCAP", state && state->capsLock},
                                                  {"indicatorNUM", state && state->numLock},
                                                  {"indicatorSCRL", state && state->scrollLock}};
    for (auto [name, on] : panes) {
        auto* pane = frame->statusBar()->findChild<QLabel*>(name);
        ASSERT_NE(pane, nullptr) << name;
        EXPECT_EQ(pane->text().isEmpty(), !on) << name;
    }

    bool aboutShown = false;
    AnswerDialog<CAboutDlg>([&](CAboutDlg* about) {
        aboutShown = about->windowTitle() == "About Veltrane";
        about->accept();
    });
    frame->Action(cmd::About)->trigger();
    EXPECT_TRUE(aboutShown);
}

TEST_F(FrameTest, ViewMenuMarkFollowsTheViewShown)
{
    EXPECT_EQ(frame->ViewNumber(), kViewInspectionSetup);
    EXPECT_EQ(CheckedViewItem(*frame), cmd::ViewInspectionSetup);
    CView* setup = frame->View(kViewInspectionSetup);
    EXPECT_EQ(frame->View(kViewInspectionList), nullptr) << "views are made on first use";

    Trigger(cmd::ViewInspectionList);
    EXPECT_EQ(frame->ViewNumber(), kViewInspectionList);
    EXPECT_EQ(CheckedViewItem(*frame), cmd::ViewInspectionList);
    CView* list = frame->View(kViewInspectionList);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    EXPECT_FALSE(setup->isVisible());

    // The view already shown: nothing made, nothing moved, the mark stays.
    Trigger(cmd::ViewInspectionList);
    EXPECT_EQ(frame->View(kViewInspectionList), list);
    EXPECT_EQ(CheckedViewItem(*frame), cmd::ViewInspectionList);

    // Without a document type the category list refuses, and the mark stays.
    Trigger(cmd::ViewInspectionSetup);
    Trigger(cmd::ViewCategoryList);
    EXPECT_EQ(frame->ViewNumber(), kViewInspectionSetup);
    EXPECT_EQ(CheckedViewItem(*frame), cmd::ViewInspectionSetup);
    EXPECT_TRUE(port.Saw("Please select a DocType for this inspection before selecting the Category List view."));
    EXPECT_EQ(frame->View(kViewCategoryList), nullptr);

    Choose(View<editing::qt::CInspectorView>(kViewInspectionSetup)->DocTypeCombo(), "Home Inspection");
    Trigger(cmd::ViewCategoryList);
    EXPECT_EQ(frame->ViewNumber(), kViewCategoryList);
    EXPECT_EQ(CheckedViewItem(*frame), cmd::ViewCategoryList);

    // Views keep their state: the setup view is the same object when shown again.
    Trigger(cmd::ViewInspectionSetup);
    EXPECT_EQ(frame->View(kViewInspectionSetup), setup);
    EXPECT_EQ(CheckedViewItem(*frame), cmd::ViewInspectionSetup);
}

TEST_F(FrameTest, DeletingWorksOnlyFromTheInspectionListAndNewAsksOnlyFromTheKeyAndToolbar)
{
    port.confirmations = {true, true};
    frame->Action(cmd::DeleteInspection)->trigger();
    frame->Action(cmd::DeleteAllInspections)->trigger();
    int refusals = 0;
    for (const auto& m : port.messages)
        refusals += m.text == "Please delete inspections from the Inspection List view only.";
    EXPECT_EQ(refusals, 2);
    EXPECT_EQ(port.confirmations.size(), 2u) << "nothing was asked";
    const long long before = testing_support::QueryInt(1, "SELECT COUNT(*) FROM Inspection");
    EXPECT_EQ(before, 1);

    Trigger(cmd::ViewInspectionList);

    port.confirmations = {false};
    QTest::keyClick(frame.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(port.Saw("Are you sure you want to create a new inspection?"));
    EXPECT_EQ(testing_support::QueryInt(1, "SELECT COUNT(*) FROM Inspection"), before);
    EXPECT_EQ(frame->ViewNumber(), kViewInspectionList);

    port.messages.clear();
    frame->Action(cmd::NewInspection)->trigger();
    EXPECT_TRUE(port.messages.empty()) << port.AllText();
    EXPECT_EQ(testing_support::QueryInt(1, "SELECT COUNT(*) FROM Inspection"), before + 1);
    // The new, empty inspection is shown in the setup view.
    EXPECT_EQ(frame->ViewNumber(), kViewInspectionSetup);
    auto* setup = View<editing::qt::CInspectorView>(kViewInspectionSetup);
    EXPECT_TRUE(setup->DwellingAddressEdit()->text().isEmpty());
    EXPECT_EQ(setup->DocTypeCombo()->currentIndex(), -1);
}

} // namespace
} // namespace gui_test
