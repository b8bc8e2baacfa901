// The category list: marks, Not Present, Duplicate, Rename, Set All Defaults,
// opening a category and the remembered top row.
#include "GuiTest.h"

#include "editing/qt/CCategoryView.h"
#include "editing/qt/CDuplicateCategoryDlg.h"
#include "editing/qt/CInspectionListCtrl.h"
#include "editing/qt/CInspectorView.h"
#include "store/Step.h"

#include <QSpinBox>

namespace gui_test {
namespace {

using namespace app::qt;
using editing::qt::CCategoryView;
using editing::qt::CDuplicateCategoryDlg;
using testing_support::QueryInt;
using testing_support::QueryText;

class CategoryViewTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        auto* setup = View<editing::qt::CInspectorView>(kViewInspectionSetup);
        QTest::keyClicks(setup->DwellingAddressEdit(), "4 Oak Ave");
        Choose(setup->DocTypeCombo(), "Home Inspection");
        Trigger(cmd::ViewCategoryList);
        view = View<CCategoryView>(kViewCategoryList);
        ASSERT_NE(view, nullptr);
        list = view->List();
        ASSERT_GT(list->topLevelItemCount(), 3);
    }
    int RowOf(const QString& title) { return static_cast<int>(ColumnTexts(list, 1).indexOf(title)); }
    std::string Db(const std::string& column, const QString& title)
    {
        return QueryText(1, "SELECT " + column + " FROM Category WHERE InspectionID = " +
                                std::to_string(CurrentInspectionID()) + " AND CategoryTitle = '" +
                                title.toStdString() + "'");
    }
    QString Status(int row) { return list->topLevelItem(row)->text(2); }

    CCategoryView* view = nullptr;
    editing::qt::CInspectionListCtrl* list = nullptr;
};

TEST_F(CategoryViewTest, MarkNotPresentAndOpen)
{
    EXPECT_EQ(view->MarkedRow(), -1);
    EXPECT_EQ(view->NotPresentButton()->text(), "Not Present");
    view->NotPresentButton()->click(); // nothing marked: nothing happens
    EXPECT_EQ(QueryInt(1, "SELECT COUNT(*) FROM Category WHERE CategoryNotPresent <> 0"), 0);

    const int roof = RowOf("Roof");
    const int pool = RowOf("Pool and Spa");
    ASSERT_GE(roof, 0);
    ASSERT_GE(pool, 0);
    ClickCell(list, roof, 0);
    EXPECT_EQ(view->MarkedRow(), roof);
    ClickCell(list, pool, 0);
    EXPECT_EQ(view->MarkedRow(), pool) << "the single mark moves";
    ClickCell(list, pool, 0);
    EXPECT_EQ(view->MarkedRow(), pool) << "a second click keeps the mark";

    // The caption tells what the button does to the marked category.
    EXPECT_EQ(view->NotPresentButton()->text(), "Set Not Present");
    view->NotPresentButton()->click();
    EXPECT_EQ(Status(pool), "Not Present");
    EXPECT_NE(Db("CategoryNotPresent", "Pool and Spa"), "0");
    EXPECT_EQ(view->NotPresentButton()->text(), "Set Present");

    // A category not present does not open; another one does.
    ClickCell(list, pool, 1);
    EXPECT_EQ(doc->SelectedCategoryID(), -1);
    ClickCell(list, roof, 1);
    EXPECT_EQ(std::to_string(doc->SelectedCategoryID()), Db("CategoryID", "Roof"));

    view->NotPresentButton()->click();
    EXPECT_EQ(Status(pool), "Incomplete");
    EXPECT_EQ(Db("CategoryNotPresent", "Pool and Spa"), "0");
    EXPECT_EQ(view->NotPresentButton()->text(), "Set Not Present");
}

TEST_F(CategoryViewTest, DuplicateWithAndWithoutDataAndRename)
{
    const int bedrooms = RowOf("Bedrooms");
    ASSERT_GE(bedrooms, 0);
    const int before = list->topLevelItemCount();

    // Nothing marked: the buttons do nothing.
    view->DuplicateButton()->click();
    view->RenameButton()->click();
    EXPECT_EQ(list->topLevelItemCount(), before);

    ClickCell(list, bedrooms, 0);
    QString proposed;
    AnswerDialog<CDuplicateCategoryDlg>([&](CDuplicateCategoryDlg* d) {
        proposed = d->NameEdit()->text();
        d->HowManySpin()->setValue(2);
        d->accept();
    });
    view->DuplicateButton()->click();
    EXPECT_EQ(proposed, "Bedrooms #2");
    EXPECT_EQ(list->topLevelItemCount(), before + 2);
    EXPECT_GE(RowOf("Bedrooms #2"), 0);
    EXPECT_GE(RowOf("Bedrooms #3"), 0);
    EXPECT_EQ(view->MarkedRow(), -1) << "marks go with the refill";

    // With data: the copy carries the steps' results.
    const std::string kitchenID = Db("CategoryID", "Kitchen");
    ASSERT_TRUE(doc->SelectCategory(RowOf("Kitchen")));
    const int seeded = doc->CreateStepsFromTemplates(std::stoi(Db("CategoryTemplateID", "Kitchen")),
                                                     std::stoi(kitchenID));
    ASSERT_GT(seeded, 0);
    testing_support::Exec(1, "UPDATE Step SET InspectResult = 'Marginal' WHERE CategoryID = " + kitchenID);
    ClickCell(list, RowOf("Kitchen"), 0);
    AnswerDialog<CDuplicateCategoryDlg>([](CDuplicateCategoryDlg* d) {
        d->NameEdit()->setText("Kitchenette");
        d->WithDataCheck()->setChecked(true);
        d->accept();
    });
    view->DuplicateButton()->click();
    ASSERT_GE(RowOf("Kitchenette"), 0);
    const std::string copyID = Db("CategoryID", "Kitchenette");
    EXPECT_EQ(QueryText(1, "SELECT COUNT(*) || ' steps, ' || SUM(InspectResult = 'Marginal') || ' Marginal' FROM Step "
                           "WHERE CategoryID = " + copyID),
              std::to_string(seeded) + " steps, " + std::to_string(seeded) + " Marginal");

    ClickCell(list, RowOf("Kitchenette"), 0);
    const int count = list->topLevelItemCount();
    AnswerDialog<CDuplicateCategoryDlg>([](CDuplicateCategoryDlg* d) { d->reject(); });
    view->DuplicateButton()->click();
    EXPECT_EQ(list->topLevelItemCount(), count);

    ClickCell(list, RowOf("Kitchenette"), 0);
    QString prompt;
    AnswerDialog<CDuplicateCategoryDlg>([&](CDuplicateCategoryDlg* d) {
        EXPECT_EQ(d->windowTitle(), "Rename Category");
        EXPECT_FALSE(d->HowManySpin()->isVisible());
        prompt = d->findChild<QLabel*>()->text();
        d->NameEdit()->setText("Wet Bar");
        d->accept();
    });
    view->RenameButton()->click();
    EXPECT_EQ(prompt, "Enter the new name for Kitchenette");
    EXPECT_EQ(RowOf("Kitchenette"), -1);
    EXPECT_GE(RowOf("Wet Bar"), 0);
    EXPECT_EQ(Db("CategoryID", "Wet Bar"), copyID);
}

TEST_F(CategoryViewTest, SetAllDefaultsAsksAndUpdatesTheStatus)
{
    const QStringList before = ColumnTexts(list, 2);
    EXPECT_FALSE(before.contains("Complete"));

    port.confirmations = {false};
    view->DefaultsButton()->click();
    EXPECT_EQ(ColumnTexts(list, 2), before);

    port.confirmations = {true};
    view->DefaultsButton()->click();
    const QStringList after = ColumnTexts(list, 2);
    EXPECT_TRUE(after.contains("Complete"));
    // Every row shows what its category holds.
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        const QString title = list->topLevelItem(row)->text(1);
        EXPECT_EQ(after.at(row) == "Complete", Db("CategoryComplete", title) != "0") << title.toStdString();
    }
}

TEST_F(CategoryViewTest, ComesBackToTheRememberedTopRowFreshStatusAndANewDocumentType)
{
    const int last = list->topLevelItemCount() - 1;
    frame->resize(frame->width(), 360);
    QApplication::processEvents();
    list->scrollToItem(list->topLevelItem(last), QAbstractItemView::PositionAtBottom);
    const int top = view->TopRow();
    ASSERT_GT(top, 0);
    ClickCell(list, last, 1); // opens the category: the top row is remembered
    EXPECT_EQ(doc->CategoryListTopRow(), top);

    Trigger(cmd::ViewInspectionSetup);
    list->scrollToTop();
    // Meanwhile the category was finished elsewhere.
    const QString title = list->topLevelItem(last)->text(1);
    testing_support::Exec(1, "UPDATE Category SET CategoryComplete = 1 WHERE CategoryTitle = '" +
                                 title.toStdString() + "'");
    Trigger(cmd::ViewCategoryList);
    EXPECT_EQ(view->TopRow(), top);
    EXPECT_EQ(Status(last), "Complete");

    // A new document type of the same inspection: the new categories, no mark.
    ClickCell(list, 1, 0);
    Trigger(cmd::ViewInspectionSetup);
    QComboBox* types = View<editing::qt::CInspectorView>(kViewInspectionSetup)->DocTypeCombo();
    port.answers = {ui::Answer::Ok};
    Choose(types, types->itemText(types->currentIndex() == 0 ? 1 : 0));
    Trigger(cmd::ViewCategoryList);

    const std::string expected = QueryText(
        1, "SELECT group_concat(CategoryTitle, '|') FROM (SELECT CategoryTitle FROM Category WHERE InspectionID = " +
               std::to_string(CurrentInspectionID()) + " ORDER BY CategoryNumber, CategoryTitle)");
    EXPECT_EQ(ColumnTexts(list, 1).join("|").toStdString(), expected);
    EXPECT_EQ(view->MarkedRow(), -1);
    EXPECT_EQ(view->AddressLine()->text(), "4 Oak Ave") << "no stray comma without a city";
}

} // namespace
} // namespace gui_test
