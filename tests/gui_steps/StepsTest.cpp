#include "StepsTest.h"

#include "editing/qt/CStepPropertySheet.h"

namespace steps_test {

void StepsTest::SetUp()
{
    DataFilesTest::SetUp();
    standard = t.RatingType("Standard");
    t.Choice(standard, "Satisfactory", true);
    t.Choice(standard, "Marginal");
    const int home = t.DocType("Home");
    const int grounds = t.Category(home, "Grounds", 1);
    driveway = t.Step(grounds, "Driveway", "1", standard, "Look for cracks.", "1 Grounds-Driveway");
    const int concrete = t.Material(driveway, "Concrete", 1, true, true);
    t.MaterialComment(concrete, "Concrete has cracks.");
    t.Step(grounds, "Patio", "2", standard);
    t.Step(grounds, "Bedroom", "3", standard);
    t.Step(grounds, "Bedroom #2", "4", 0);
    t.Category(home, "Roof", 2);

    doc = std::make_unique<app::CInspectorDoc>();
    frame = StartFrame(*doc, [this](app::qt::CMainFrame&) {
        // The inspection is filled in before the setup view shows it, so that
        // the view writes back what the inspection holds.
        doc->CurrentInspection().m_DwellingAddress = "4 Oak Ave";
        doc->CurrentInspection().m_DwellingCityStateZip = "Springfield";
        ASSERT_TRUE(doc->SaveInspection());
        ASSERT_TRUE(doc->ChangeDocType("Home"));
        // These tests see the sheet with its own pages only (and the fake pages
        // a test registers), whatever the installed features register.
        editing::qt::CStepPropertySheet::SetPageFactories(nullptr, nullptr);
    });
}

void StepsTest::TearDown()
{
    editing::qt::CStepPropertySheet::SetPageFactories(nullptr, nullptr); // drops the fake pages a test registered
    CloseFrame(frame, doc.get());
    doc.reset();
    DataFilesTest::TearDown();
}

void StepsTest::OpenCategory(const QString& title)
{
    testing_support::qt::OpenCategory(*frame, title);
    ASSERT_EQ(frame->ViewNumber(), app::qt::kViewStepList);
}

long long StepsTest::StepCount()
{
    return testing_support::QueryInt(kInspectionData, "SELECT COUNT(*) FROM Step WHERE CategoryID = " +
                                                          std::to_string(doc->SelectedCategoryID()));
}

std::string StepsTest::StepText(const std::string& column, const std::string& title)
{
    return testing_support::QueryText(kInspectionData, "SELECT " + column + " FROM Step WHERE StepTitle = '" + title +
                                                           "' AND CategoryID = " +
                                                           std::to_string(doc->SelectedCategoryID()));
}

bool StepsTest::CategoryComplete()
{
    return testing_support::QueryInt(kInspectionData, "SELECT CategoryComplete FROM Category WHERE CategoryID = " +
                                                          std::to_string(doc->SelectedCategoryID())) != 0;
}

} // namespace steps_test
