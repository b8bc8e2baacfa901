#pragma once
// The main frame of the tests of the Export RTF, transfer and server windows,
// over two fresh data files filled with the starter library.
#include "support/qt/QtTestSupport.h"
#include "app/CInspectorDoc.h"
#include "app/qt/CMainFrame.h"
#include "support/TempDataFiles.h"

#include <QTreeWidget>

namespace feature_test {

using namespace testing_support::qt;

class FrameTest : public testing_support::DataFilesTest {
protected:
    void SetUp() override;
    void TearDown() override;

    void Trigger(int command) { testing_support::qt::Trigger(*frame, command); }
    // Gives the current inspection a Doc #, a client and a document type, and
    // makes the steps of every category.
    void PrepareInspection(const std::string& docNum, const std::string& client,
                           const std::string& docType = "Home Inspection");
    // Rates and comments the step titled `stepTitle` of inspection `inspectionID`.
    void RateStep(int inspectionID, const std::string& stepTitle, const std::string& rating,
                  const std::string& comments);
    int CurrentInspectionID() { return doc->CurrentInspection().m_InspectionID; }

    std::unique_ptr<app::CInspectorDoc> doc;
    std::unique_ptr<app::qt::CMainFrame> frame;
};

} // namespace feature_test
