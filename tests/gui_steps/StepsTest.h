#pragma once
// The main frame over two fresh data files with a small template catalogue:
// one document type "Home" whose category "Grounds" has four steps.
#include "support/qt/QtTestSupport.h"
#include "support/TemplateBuilder.h"

#include "app/CInspectorDoc.h"
#include "app/qt/CMainFrame.h"
#include "support/TempDataFiles.h"

namespace steps_test {

using namespace testing_support::qt;

inline constexpr int kTemplateData = 0;
inline constexpr int kInspectionData = 1;

class StepsTest : public testing_support::DataFilesTest {
protected:
    void SetUp() override;
    void TearDown() override;

    void OpenCategory(const QString& title);
    long long StepCount();
    std::string StepText(const std::string& column, const std::string& title);
    bool CategoryComplete();

    app_test::TemplateBuilder t;
    int standard = 0, driveway = 0;
    std::unique_ptr<app::CInspectorDoc> doc;
    std::unique_ptr<app::qt::CMainFrame> frame;
};

} // namespace steps_test
