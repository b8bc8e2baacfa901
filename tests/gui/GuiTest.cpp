#include "GuiTest.h"

#include "editing/qt/CInspectorView.h"
#include "store/StarterLibrary.h"

namespace gui_test {

void FrameTest::SetUp()
{
    DataFilesTest::SetUp();
    ASSERT_TRUE(store::LoadStarterLibrary());
    doc = std::make_unique<app::CInspectorDoc>();
    frame = StartFrame(*doc);
}

void FrameTest::TearDown()
{
    CloseFrame(frame, doc.get());
    doc.reset();
    DataFilesTest::TearDown();
}

long long FrameTest::CategoryCount()
{
    return testing_support::QueryInt(1, "SELECT COUNT(*) FROM Category WHERE InspectionID = " +
                                            std::to_string(CurrentInspectionID()));
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

} // namespace gui_test
