// The inspection list: filling, cutting long texts, opening, duplicating and deleting.
#include "GuiTest.h"

#include "editing/qt/CInspectionListCtrl.h"
#include "editing/qt/CInspectionOverview.h"
#include "editing/qt/CInspectorView.h"

#include <QAction>

namespace gui_test {
namespace {

using namespace app::qt;
using editing::qt::CInspectionOverview;
using testing_support::QueryInt;

class InspectionListTest : public FrameTest {
protected:
    CInspectionOverview* List()
    {
        Trigger(cmd::ViewInspectionList);
        return View<CInspectionOverview>(kViewInspectionList);
    }
};

TEST_F(InspectionListTest, ShowsEveryInspectionAndCutsLongTexts)
{
    const std::string longName(80, 'W');
    auto* setup = View<editing::qt::CInspectorView>(kViewInspectionSetup);
    QTest::keyClicks(setup->ClientNameEdit(), QString::fromStdString(longName));
    QTest::keyClicks(setup->DwellingAddressEdit(), "1 Main");
    QTest::keyClicks(setup->DocNumEdit(), "A-1");
    auto* list = List()->List();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(3), "A-1");

    const QString shown = list->ShownText(0, 0);
    EXPECT_TRUE(shown.endsWith("...")) << shown.toStdString();
    EXPECT_TRUE(QString::fromStdString(longName).startsWith(shown.chopped(3)));
    const QFontMetrics metrics(list->topLevelItem(0)->font(0));
    EXPECT_LE(metrics.horizontalAdvance(shown) + 16, 165);
    // One more character would not fit.
    const QString longer = QString::fromStdString(longName).left(shown.size() - 3 + 1) + "...";
    EXPECT_GT(metrics.horizontalAdvance(longer) + 16, 165);
    EXPECT_EQ(list->ShownText(0, 1), "1 Main");
    EXPECT_EQ(editing::qt::CutToColumn(metrics, "WWWW", 1), "W...") << "at least one character stays";

    // Inspections added meanwhile appear when the list is shown again.
    Trigger(cmd::ViewInspectionSetup);
    frame->Action(cmd::NewInspection)->trigger();
    EXPECT_EQ(List()->List()->topLevelItemCount(), 2);
}

TEST_F(InspectionListTest, ClickSelectsDoubleClickOpens)
{
    auto* setup = View<editing::qt::CInspectorView>(kViewInspectionSetup);
    QTest::keyClicks(setup->DocNumEdit(), "FIRST");
    frame->Action(cmd::NewInspection)->trigger();
    QTest::keyClicks(setup->DocNumEdit(), "SECOND");
    CInspectionOverview* view = List();
    auto* list = view->List();
    ASSERT_EQ(list->topLevelItemCount(), 2);
    const int first = static_cast<int>(ColumnTexts(list, 3).indexOf("FIRST"));
    ASSERT_GE(first, 0);

    EXPECT_TRUE(list->topLevelItem(1 - first)->font(0).bold()) << "the document's inspection stands out";
    EXPECT_FALSE(list->topLevelItem(first)->font(0).bold());
    ClickCell(list, first, 0);
    EXPECT_EQ(view->CurrentRow(), first);
    EXPECT_TRUE(list->topLevelItem(first)->font(0).bold());
    EXPECT_FALSE(list->topLevelItem(1 - first)->font(0).bold());
    EXPECT_EQ(doc->CurrentInspection().m_InspectionNum, "FIRST");
    EXPECT_EQ(frame->ViewNumber(), kViewInspectionList) << "a click only selects";

    const int second = 1 - first;
    DoubleClickCell(list, second, 2);
    EXPECT_EQ(frame->ViewNumber(), kViewInspectionSetup);
    EXPECT_EQ(setup->DocNumEdit()->text(), "SECOND");
}

TEST_F(InspectionListTest, DuplicateAndDelete)
{
    auto* setup = View<editing::qt::CInspectorView>(kViewInspectionSetup);
    QTest::keyClicks(setup->ClientNameEdit(), "Lee");
    QTest::keyClicks(setup->DocNumEdit(), "D-1");
    CInspectionOverview* view = List();
    auto* list = view->List();

    // Without a row nothing is duplicated.
    view->DuplicateButton()->click();
    EXPECT_EQ(QueryInt(1, "SELECT COUNT(*) FROM Inspection"), 1);

    ClickCell(list, 0, 0);
    port.texts = {std::string("D-2")};
    view->DuplicateButton()->click();
    EXPECT_TRUE(port.Saw("Enter the Doc # of the new Inspection:"));
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_TRUE(ColumnTexts(list, 3).contains("D-2"));

    // Delete one: asked with the inspection's data; No keeps it.
    const int copy = static_cast<int>(ColumnTexts(list, 3).indexOf("D-2"));
    ClickCell(list, copy, 0);
    port.confirmations = {false};
    QTest::keyClick(frame.get(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_TRUE(port.Saw("Doc #: D-2"));
    EXPECT_EQ(list->topLevelItemCount(), 2);
    port.confirmations = {true};
    frame->Action(cmd::DeleteInspection)->trigger();
    EXPECT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(ColumnTexts(list, 3), (QStringList{"D-1"}));

    // Delete all: one new, empty inspection in the setup view.
    port.confirmations = {true};
    frame->Action(cmd::DeleteAllInspections)->trigger();
    EXPECT_TRUE(port.Saw("Done deleting all inspections."));
    EXPECT_EQ(frame->ViewNumber(), kViewInspectionSetup);
    EXPECT_EQ(List()->List()->topLevelItemCount(), 1);
    EXPECT_EQ(List()->List()->topLevelItem(0)->text(0), "");
}

TEST_F(InspectionListTest, MergeButtonFollowsItsCommand)
{
    CInspectionOverview* view = List();
    frame->DisableCommand(cmd::MergeInspection);
    EXPECT_FALSE(view->MergeButton()->isEnabled()) << "Merge waits for its feature";
    int merged = 0;
    frame->EnableCommand(cmd::MergeInspection, [&] { ++merged; });
    EXPECT_TRUE(view->MergeButton()->isEnabled());
    view->MergeButton()->click();
    EXPECT_TRUE(port.Saw("You must select an inspection before pressing the button."));
    EXPECT_EQ(merged, 0);
    ClickCell(view->List(), 0, 0);
    view->MergeButton()->click();
    EXPECT_EQ(merged, 1);
}

} // namespace
} // namespace gui_test
