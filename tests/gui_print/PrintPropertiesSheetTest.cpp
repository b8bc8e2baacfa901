// The "Print Properties" sheet driven as a user drives it: its "Report" page
// (report kind, page range, numbering, copies, name, rating) and its
// "Categories" page (a click takes a category out of the print and back in).
#include "reports/print/qt/CPrintPropertyDlg.h"
#include "reports/print/qt/CReportPropertyPage.h"
#include "reports/print/qt/CSelectCategoriesPage.h"
#include "support/qt/QtTestSupport.h"

#include <QAbstractButton>
#include <QSpinBox>
#include <QTabWidget>

using namespace reports::print;
using reports::print::qt::CPrintPropertyDlg;
using testing_support::qt::ClickButton;

namespace {

void Type(QSpinBox* box, int value)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QString::number(value));
}

void ClickRow(QTreeWidget* list, int row)
{
    const QRect rect = list->visualItemRect(list->topLevelItem(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

} // namespace

TEST(PrintPropertiesSheet, TheReportPageStoresWhatTheUserChose)
{
    CPrintPropertyDlg sheet({}, {"Roof", "Heating"}, {"Hazardous", "Marginal", "<All Ratings>"});
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));

    auto* page = sheet.ReportPage();
    EXPECT_TRUE(page->InspectionButton()->isChecked());
    EXPECT_TRUE(page->AllButton()->isChecked());
    QComboBox* ratings = page->RatingBox();
    ASSERT_EQ(ratings->count(), 3); // listed once, "<All Ratings>" last and chosen
    EXPECT_EQ(ratings->currentText(), "<All Ratings>");

    // Pages typed, then "All" chosen: every page prints.
    ClickButton(page->PagesButton());
    Type(page->FromBox(), 2);
    Type(page->ToBox(), 4);
    EXPECT_EQ(sheet.Settings().firstPage, 2);
    EXPECT_EQ(sheet.Settings().lastPage, 4);
    ClickButton(page->AllButton());
    EXPECT_EQ(sheet.Settings().firstPage, -1);
    EXPECT_EQ(sheet.Settings().lastPage, -1);
    EXPECT_FALSE(page->FromBox()->isEnabled());

    ClickButton(page->SummaryButton());
    Type(page->StartingPageBox(), 7);
    Type(page->CopiesBox(), 3);
    QTest::keyClicks(page->ReportNameEdit(), "Pre-Listing Report");
    ClickButton(page->ContinuousBox());
    ratings->setCurrentIndex(0);
    const PrintSettings s = sheet.Settings();
    EXPECT_EQ(s.reportKind, PrintReport::Summary);
    EXPECT_EQ(s.startingPageNumber, 7);
    EXPECT_EQ(s.copies, 3);
    EXPECT_EQ(s.reportName, "Pre-Listing Report");
    EXPECT_TRUE(s.continuous);
    EXPECT_FALSE(s.borders);
    EXPECT_EQ(s.ratingFilter, "Hazardous");
}

TEST(PrintPropertiesSheet, AClickOnACategoryTakesItOutAndAnotherPutsItBack)
{
    CPrintPropertyDlg sheet({}, {"Roof", "Heating", "Attic"}, {"<All Ratings>"});
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    sheet.Tabs()->setCurrentIndex(1);
    QTreeWidget* list = sheet.CategoriesPage()->List();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_TRUE(sheet.Settings().allCategories);

    ClickRow(list, 1);
    EXPECT_EQ(list->topLevelItem(1)->data(0, Qt::UserRole).toString(), "false");
    PrintSettings s = sheet.Settings();
    EXPECT_FALSE(s.allCategories);
    EXPECT_EQ(s.selectedCategories, (std::vector<std::string>{"Roof", "Attic"}));

    ClickRow(list, 1);
    s = sheet.Settings();
    EXPECT_TRUE(s.allCategories);
    EXPECT_EQ(s.selectedCategories, (std::vector<std::string>{"Roof", "Heating", "Attic"}));
}
