#include "StepsTest.h"

#include "app/qt/DocumentCommands.h"
#include "editing/qt/CCategoryView.h"
#include "editing/qt/CInspectionListCtrl.h"
#include "editing/qt/CStepPropertySheet.h"
#include "store/Category.h"

#include <QHeaderView>
#include <QtTest/QTest>

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
    frame = std::make_unique<app::qt::CMainFrame>();
    app::qt::ConnectDocument(*frame, *doc);
    // The inspection is filled in before the setup view shows it, so that the
    // view writes back what the inspection holds.
    doc->CurrentInspection().m_DwellingAddress = "4 Oak Ave";
    doc->CurrentInspection().m_DwellingCityStateZip = "Springfield";
    ASSERT_TRUE(doc->SaveInspection());
    ASSERT_TRUE(doc->ChangeDocType("Home"));
    // These tests see the sheet with its own pages only (and the fake pages a
    // test registers), whatever the installed features register.
    editing::qt::CStepPropertySheet::SetPageFactories(nullptr, nullptr);
    frame->Start();
    doc->OnNewDocument();
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    frame->activateWindow();
}

void StepsTest::TearDown()
{
    for (QTimer* timer : qApp->findChildren<QTimer*>(QStringLiteral("dialogAnswer"), Qt::FindDirectChildrenOnly)) {
        if (timer->isActive())
            ADD_FAILURE() << "a dialog the test answers was never shown";
        delete timer;
    }
    if (doc)
        doc->SetObserver({});
    frame.reset();
    doc.reset();
    DataFilesTest::TearDown();
}

void StepsTest::OpenCategory(const QString& title)
{
    ASSERT_TRUE(frame->ShowView(app::qt::kViewCategoryList));
    auto* categories = qobject_cast<editing::qt::CCategoryView*>(frame->View(app::qt::kViewCategoryList));
    ASSERT_NE(categories, nullptr);
    QTreeWidget* list = categories->List();
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        if (list->topLevelItem(row)->text(1) == title) {
            ClickCell(list, row, 1);
            ASSERT_EQ(frame->ViewNumber(), app::qt::kViewStepList);
            return;
        }
    FAIL() << "no category " << title.toStdString();
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
