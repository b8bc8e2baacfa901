#pragma once
// The main frame of the desktop program over two fresh data files filled with
// the starter library.
#include "support/qt/QtTestSupport.h"
#include "app/CInspectorDoc.h"
#include "app/qt/CMainFrame.h"
#include "support/TempDataFiles.h"

namespace gui_test {

using namespace testing_support::qt;

// A test whose dialogs are answered with AnswerDialog.
class DialogTest : public ::testing::Test {
protected:
    void TearDown() override { ExpectNoPendingAnswers(); }
};

class FrameTest : public testing_support::DataFilesTest {
protected:
    void SetUp() override;
    void TearDown() override;

    void Trigger(int command) { testing_support::qt::Trigger(*frame, command); }
    template <class V>
    V* View(int number)
    {
        return qobject_cast<V*>(frame->View(number));
    }
    // The categories of the current inspection in the database.
    long long CategoryCount();
    int CurrentInspectionID() { return doc->CurrentInspection().m_InspectionID; }
    // Gives the current inspection a Doc #, a client and a document type, and
    // makes the steps of every category.
    void PrepareInspection(const std::string& docNum, const std::string& client,
                           const std::string& docType = "Home Inspection");
    // Rates and comments the step titled `stepTitle` of inspection `inspectionID`.
    void RateStep(int inspectionID, const std::string& stepTitle, const std::string& rating,
                  const std::string& comments);

    std::unique_ptr<app::CInspectorDoc> doc;
    std::unique_ptr<app::qt::CMainFrame> frame;
};

} // namespace gui_test
