// The review comments view, the comment dialog from the list and through the
// Comment command, and F6 between the areas of a view, driven as a user would.
#include "ReviewGuiTest.h"

#include "editing/qt/CInspectionListCtrl.h"
#include "review/qt/CCommentDlg.h"
#include "review/qt/CReviewCommentsView.h"
#include "store/Step.h"

using namespace review_gui;
using app::qt::cmd::CommentEditor;
using review::qt::CCommentDlg;
using review::qt::CReviewCommentsView;

namespace {

std::string Inspected(const std::string& column)
{
    return testing_support::QueryText(review_test::kInspectionData, "SELECT " + column + " FROM Inspection");
}

class ReviewView : public ReviewGui {
protected:
    CReviewCommentsView* Show()
    {
        frame->Action(app::qt::cmd::ViewReviewComments)->trigger();
        return qobject_cast<CReviewCommentsView*>(frame->View(app::qt::kViewReviewComments));
    }
};

} // namespace

TEST_F(ReviewView, EveryViewItemIsEnabledTheListFiltersByRatingAndSummaryAndF6MovesBetweenAreas)
{
    for (int command : {app::qt::cmd::ViewInspectionList, app::qt::cmd::ViewInspectionSetup,
                        app::qt::cmd::ViewCategoryList, app::qt::cmd::ViewReviewComments})
        EXPECT_TRUE(frame->Action(command)->isEnabled()) << command;
    Rate("Driveway", "Marginal", "Cracks.");
    Rate("Patio", "Satisfactory", "Fine.");
    Rate("Walks", "Defective", "");
    Rate("Flashing", "Marginal", "Rusty.");
    CReviewCommentsView* view = Show();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(frame->ViewNumber(), app::qt::kViewReviewComments);
    EXPECT_TRUE(frame->Action(app::qt::cmd::ViewReviewComments)->isChecked());
    EXPECT_EQ(view->AddressLine()->text(), QStringLiteral("4 Oak Ave"));
    EXPECT_EQ(ColumnTexts(view->List(), 0), QStringList({"1", "2", "4"}));

    Choose(view->RatingFilter(), QStringLiteral("Marginal"));
    EXPECT_EQ(ColumnTexts(view->List(), 2), QStringList({"Cracks.", "Rusty."}));

    QTest::mouseClick(view->SummaryOnly(), Qt::LeftButton);
    EXPECT_FALSE(view->RatingFilter()->isEnabled());
    EXPECT_EQ(view->RatingFilter()->currentIndex(), 0);
    EXPECT_EQ(ColumnTexts(view->List(), 0), QStringList({"1"})) << "the roof's Marginal is no summary rating";

    QTest::mouseClick(view->SummaryOnly(), Qt::LeftButton);
    EXPECT_TRUE(view->RatingFilter()->isEnabled());
    EXPECT_EQ(view->Filter(), "<All Ratings>");
    EXPECT_EQ(ColumnTexts(view->List(), 0).size(), 3);

    // F6 moves between the areas of the view.
    view->List()->setFocus();
    QApplication::processEvents();
    auto press = [](Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, modifiers);
        return QApplication::focusWidget();
    };
    EXPECT_EQ(press(Qt::NoModifier), view->RatingFilter());
    EXPECT_EQ(press(Qt::NoModifier), view->SummaryOnly());
    EXPECT_EQ(press(Qt::NoModifier), view->List());
    EXPECT_EQ(press(Qt::ShiftModifier), view->SummaryOnly());
}

TEST_F(ReviewView, AnEditFromTheListIsSavedAndTheListKeepsItsTopRow)
{
    store::Step step;
    for (int i = 10; i < 50; ++i) {
        step.New();
        step.m_CategoryID = CategoryID("Grounds");
        step.m_StepNumber = std::to_string(i);
        step.m_StepTitle = "Item " + std::to_string(i);
        step.m_Comments = "Comment " + std::to_string(i) + ".";
        ASSERT_TRUE(step.Save());
    }
    CReviewCommentsView* view = Show();
    ASSERT_NE(view, nullptr);
    QTreeWidget* list = view->List();
    ASSERT_EQ(list->topLevelItemCount(), 40);
    list->scrollToItem(list->topLevelItem(25), QAbstractItemView::PositionAtTop);
    const int top = view->TopRow();
    ASSERT_GT(top, 10);

    const std::string number = std::to_string(10 + top + 4); // rows are steps 10, 11, ...
    AnswerDialog<CCommentDlg>([number](CCommentDlg* d) {
        EXPECT_EQ(d->windowTitle().toStdString(), number + ". Item " + number);
        d->CommentEdit()->selectAll();
        QTest::keyClicks(d->CommentEdit(), QStringLiteral("Edited far down."));
        ClickOk(d);
    });
    DoubleClickCell(list, top + 4, 2);
    EXPECT_EQ(testing_support::QueryText(review_test::kInspectionData,
                                         "SELECT Comments FROM Step WHERE StepNumber = '" + number + "'"),
              "Edited far down.");
    EXPECT_EQ(list->topLevelItem(top + 4)->text(2), QStringLiteral("Edited far down."));
    EXPECT_EQ(view->TopRow(), top);
}

TEST_F(ReviewView, TheCommentCommandEditsTheGeneralAndTheCategoryCommentAndCancelAsksFirst)
{
    OpenCategory(QStringLiteral("Grounds"));
    ASSERT_EQ(frame->ViewNumber(), app::qt::kViewStepList);
    AnswerDialog<CCommentDlg>([](CCommentDlg* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Grounds"));
        Choose(d->StockComments(), QStringLiteral("[A1]Cracked drive."));
        Choose(d->StockComments(), QStringLiteral("[Trim]Loose trim."));
        EXPECT_EQ(d->Text(), "Cracked drive.  Loose trim.");
        ClickOk(d);
    });
    Trigger(CommentEditor);
    EXPECT_EQ(CategoryText("CategoryComments", "Grounds"), "Cracked drive.  Loose trim.");
    EXPECT_EQ(CategoryText("String3", "Grounds"), "A1;Trim");

    // The setup view writes its fields first, then opens the general comment.
    ASSERT_TRUE(frame->ShowView(app::qt::kViewInspectionSetup));
    AnswerDialog<CCommentDlg>([](CCommentDlg* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("General Comment"));
        Choose(d->StockComments(), QStringLiteral("Vacant home."));
        QTest::mouseClick(d->Button(QStringLiteral(".")), Qt::LeftButton);
        QTest::mouseClick(d->Button(QStringLiteral("Add->")), Qt::LeftButton);
        EXPECT_GE(d->StockComments()->findText(QStringLiteral("Vacant home..")), 0);
        ClickOk(d);
    });
    Trigger(CommentEditor);
    EXPECT_EQ(Inspected("InspectionComments"), "Vacant home..");

    // Cancel after a change asks before the text is dropped.
    port.confirmations = {false, true};
    AnswerDialog<CCommentDlg>([this](CCommentDlg* d) {
        QTest::keyClicks(d->CommentEdit(), QStringLiteral("Typed words"));
        d->reject();
        EXPECT_TRUE(d->isVisible()) << "No keeps the dialog and its text";
        EXPECT_TRUE(port.Saw("Discard"));
        d->reject();
    });
    Trigger(CommentEditor);
    EXPECT_EQ(Inspected("InspectionComments"), "Vacant home..");
}

