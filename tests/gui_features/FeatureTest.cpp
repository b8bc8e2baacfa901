#include "FeatureTest.h"

#include "app/qt/DocumentCommands.h"
#include "editing/qt/CInspectorView.h"
#include "store/StarterLibrary.h"

#include <QAction>
#include <QHeaderView>
#include <QtTest/QTest>

#include <fstream>
#include <sstream>

namespace feature_test {

void ClickButton(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
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
}

void FrameTest::TearDown()
{
    frame.reset();
    doc.reset();
    DataFilesTest::TearDown();
}

void FrameTest::Trigger(int command)
{
    QAction* action = frame->Action(command);
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->isEnabled()) << "command " << command << " is not wired";
    action->trigger();
}

void FrameTest::PrepareInspection(const std::string& docNum, const std::string& client, const std::string& docType)
{
    store::Inspection& inspection = doc->CurrentInspection();
    inspection.m_InspectionNum = docNum;
    inspection.m_ClientName = client;
    inspection.m_DwellingAddress = "12 Elm Street";
    ASSERT_TRUE(doc->SaveInspection());
    ASSERT_TRUE(doc->ChangeDocType(docType));
    ASSERT_GT(doc->SeedAllCategories(), 0);
    // The setup view shows what the document now holds, so that it never
    // writes older field values back.
    if (auto* setup = qobject_cast<editing::qt::CInspectorView*>(frame->ActiveView()))
        setup->ShowInspection();
}

void FrameTest::RateStep(int inspectionID, const std::string& stepTitle, const std::string& rating,
                         const std::string& comments)
{
    const std::string where = " WHERE StepTitle = '" + stepTitle +
                              "' AND CategoryID IN (SELECT CategoryID FROM Category WHERE InspectionID = " +
                              std::to_string(inspectionID) + ")";
    testing_support::Exec(1, "UPDATE Step SET InspectResult = '" + rating + "', Comments = '" + comments + "'" + where);
    ASSERT_EQ(testing_support::QueryInt(1, "SELECT COUNT(*) FROM Step" + where + " AND InspectResult = '" + rating + "'"),
              1);
}

} // namespace feature_test
