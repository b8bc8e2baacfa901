#include "GuiTest.h"

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

} // namespace gui_test
