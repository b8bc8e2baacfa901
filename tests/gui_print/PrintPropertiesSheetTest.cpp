// The "Print Properties" sheet driven as a user drives it: its "Report" page
// (report kind, page range, numbering, copies, name, rating) and its
// "Categories" page (a click takes a category out of the print and back in).
#include "reports/print/qt/CPrintPropertyDlg.h"
#include "reports/print/qt/CReportPropertyPage.h"
#include "reports/print/qt/CSelectCategoriesPage.h"
#include "support/qt/QtTestSupport.h"

#include <QSpinBox>
#include <QTabWidget>

using namespace reports::print;
using reports::print::qt::CPrintPropertyDlg;
using testing_support::qt::ClickButton;
using testing_support::qt::ClickCell;

namespace {

void Type(QSpinBox* box, int value)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QString::number(value));
}

// The report settings as one line: kind, pages, starting page, copies, name,
// continuous, borders, rating.
std::string Describe(const PrintSettings& s)
{
    return std::to_string(static_cast<int>(s.reportKind)) + "|" + std::to_string(s.firstPage) + ".." +
           std::to_string(s.lastPage) + "|" + std::to_string(s.startingPageNumber) + "|" + std::to_string(s.copies) +
           "|" + s.reportName + "|" + std::to_string(s.continuous) + "|" + std::to_string(s.borders) + "|" +
           s.ratingFilter;
}

} // namespace

TEST(PrintPropertiesSheet, StoresWhatTheUserChoseAndAClickOnACategoryTakesItOutAndBackIn)
{
    CPrintPropertyDlg sheet({}, {"Roof", "Heating", "Attic"}, {"Hazardous", "Marginal", "<All Ratings>"});
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
    EXPECT_EQ(Describe(sheet.Settings()), "0|2..4|1|1||0|0|<All Ratings>");
    ClickButton(page->AllButton());
    EXPECT_EQ(Describe(sheet.Settings()), "0|-1..-1|1|1||0|0|<All Ratings>");
    EXPECT_FALSE(page->FromBox()->isEnabled());

    ClickButton(page->SummaryButton());
    Type(page->StartingPageBox(), 7);
    Type(page->CopiesBox(), 3);
    QTest::keyClicks(page->ReportNameEdit(), "Pre-Listing Report");
    ClickButton(page->ContinuousBox());
    ratings->setCurrentIndex(0);
    EXPECT_EQ(Describe(sheet.Settings()), "1|-1..-1|7|3|Pre-Listing Report|1|0|Hazardous");

    // The Categories page: a click takes a category out, another puts it back.
    sheet.Tabs()->setCurrentIndex(1);
    QTreeWidget* list = sheet.CategoriesPage()->List();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_TRUE(sheet.Settings().allCategories);

    ClickCell(list, 1, 0);
    EXPECT_EQ(list->topLevelItem(1)->data(0, Qt::UserRole).toString(), "false");
    PrintSettings s = sheet.Settings();
    EXPECT_FALSE(s.allCategories);
    EXPECT_EQ(s.selectedCategories, (std::vector<std::string>{"Roof", "Attic"}));

    ClickCell(list, 1, 0);
    s = sheet.Settings();
    EXPECT_TRUE(s.allCategories);
    EXPECT_EQ(s.selectedCategories, (std::vector<std::string>{"Roof", "Heating", "Attic"}));
}
