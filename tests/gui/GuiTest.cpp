#include "GuiTest.h"

#include "app/qt/DocumentCommands.h"
#include "store/StarterLibrary.h"

#include <QAction>
#include <QHeaderView>
#include <QtTest/QTest>

namespace gui_test {
namespace {

// The application object of the test program, made before the first test.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_gui";
        static char* argv[] = {name, nullptr};
        if (!qApp)
            m_app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

QPoint CellCentre(QTreeWidget* list, int row, int column)
{
    QTreeWidgetItem* item = list->topLevelItem(row);
    EXPECT_NE(item, nullptr) << "no row " << row;
    if (!item)
        return {};
    list->scrollToItem(item);
    return {list->header()->sectionViewportPosition(column) + list->columnWidth(column) / 2,
            list->visualItemRect(item).center().y()};
}

} // namespace

void ExpectNoPendingAnswers()
{
    for (QTimer* timer : qApp->findChildren<QTimer*>(QStringLiteral("dialogAnswer"), Qt::FindDirectChildrenOnly)) {
        if (timer->isActive())
            ADD_FAILURE() << "a dialog the test answers was never shown";
        delete timer;
    }
}

void DropPendingAnswers()
{
    qDeleteAll(qApp->findChildren<QTimer*>(QStringLiteral("dialogAnswer"), Qt::FindDirectChildrenOnly));
}

void ClickCell(QTreeWidget* list, int row, int column)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CellCentre(list, row, column));
}

void DoubleClickCell(QTreeWidget* list, int row, int column)
{
    const QPoint at = CellCentre(list, row, column);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

QStringList ColumnTexts(QTreeWidget* list, int column)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

void FrameTest::SetUp()
{
    DataFilesTest::SetUp();
    ASSERT_TRUE(store::LoadStarterLibrary());
    doc = std::make_unique<app::CInspectorDoc>();
    frame = std::make_unique<app::qt::CMainFrame>();
    app::qt::ConnectDocument(*frame, *doc);
    frame->Start();
    doc->OnNewDocument();
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    // Keys reach the frame's shortcuts only while it is the active window.
    frame->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
}

void FrameTest::TearDown()
{
    ExpectNoPendingAnswers();
    if (doc)
        doc->SetObserver({});
    frame.reset();
    doc.reset();
    DataFilesTest::TearDown();
}

void FrameTest::ChooseView(int command)
{
    QAction* action = frame->Action(command);
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->isEnabled());
    action->trigger();
}

long long FrameTest::CategoryCount()
{
    return testing_support::QueryInt(1, "SELECT COUNT(*) FROM Category WHERE InspectionID = " +
                                            std::to_string(CurrentInspectionID()));
}

} // namespace gui_test
