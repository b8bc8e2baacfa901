#include "GuiTest.h"

#include "app/qt/DocumentCommands.h"
#include "store/StarterLibrary.h"

#include <QAction>
#include <QHeaderView>
#include <QtTest/QTest>

namespace gui_test {

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
