// The review list's rows and filters, and what the comment dialog does in the
// core: bracket codes and storing.
#include "ReviewFixture.h"

#include "review/CommentSubject.h"
#include "review/ReviewComments.h"
#include "store/Category.h"

#include <gtest/gtest.h>
#include <gmock/gmock.h>

using namespace review;
using review_test::kInspectionData;
using review_test::kTemplateData;
using testing::ElementsAre;

namespace {

class ReviewCore : public review_test::ReviewFixture {
protected:
    std::vector<std::string> Numbers(const std::string& filter)
    {
        reports::rtf::RatingMarks marks;
        marks.Load();
        std::vector<std::string> numbers;
        for (const auto& row : ReviewRows(doc->CurrentInspection().m_InspectionID, filter, marks))
            numbers.push_back(row.number + " " + row.rating);
        return numbers;
    }
};

} // namespace

TEST_F(ReviewCore, FilterListNamesEachRatingOnceAndRowsFollowTheFilterAndSummaryPairs)
{
    EXPECT_THAT(RatingFilterEntries(), ElementsAre("<All Ratings>", "Satisfactory", "Marginal", "Defective", "Good"));
    Rate("Driveway", "Marginal", "Cracks.");
    Rate("Patio", "Satisfactory", "Fine.");
    Rate("Walks", "Defective", ""); // rated, but no comment: never listed
    Rate("Flashing", "Marginal", "Rusty."); // "Marginal" of the roof scale is no summary choice
    const struct {
        std::string filter;
        std::vector<std::string> rows;
    } cases[] = {
        {kAllRatings, {"1 Marginal", "2 Satisfactory", "4 Marginal"}},
        {"Marginal", {"1 Marginal", "4 Marginal"}},
        {"Defective", {}},
        {kSummaryOnly, {"1 Marginal"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        EXPECT_EQ(Numbers(c.filter), c.rows);
    }
}

TEST_F(ReviewCore, BracketCodesAreCollectedOnceAndAStoredCategoryCommentSurvivesTheSelection)
{
    EXPECT_EQ(BracketCode("[A1]Cracked drive."), "A1");
    EXPECT_EQ(BracketCode("No code [A1]"), std::nullopt);
    EXPECT_EQ(BracketCode("[unclosed"), std::nullopt);
    const struct {
        std::string codes, code, expected;
    } cases[] = {{"", "A1", "A1"}, {"A1", "B2", "A1;B2"}, {"A1;B2", "A1", "A1;B2"}, {"A1;B2", "B", "A1;B2;B"},
                 {"A1", "", "A1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.codes + " + " + c.code);
        EXPECT_EQ(AddCode(c.codes, c.code), c.expected);
    }

    const int row = 0;
    ASSERT_NE(doc->StandOnCategory(row), nullptr);
    auto subject = CategorySubject(doc->CategorySelection().m_CategoryID);
    ASSERT_TRUE(subject);
    subject->text = "Edited comment.";
    subject->codes = AddCode(subject->codes, "A1");
    ASSERT_TRUE(StoreComment(*subject, *doc));
    // The category list saves its selection row later (Not Present): the comment must stay.
    store::Category* category = doc->StandOnCategory(row);
    ASSERT_NE(category, nullptr);
    category->m_CategoryNotPresent = -1;
    ASSERT_TRUE(category->Save());
    EXPECT_EQ(CategoryText("CategoryComments", subject->title), "Edited comment.");
    EXPECT_EQ(CategoryText("String3", subject->title), "A1");

    auto general = InspectionSubject(*doc);
    general.text = "General words.";
    ASSERT_TRUE(StoreComment(general, *doc));
    EXPECT_EQ(testing_support::QueryText(kInspectionData, "SELECT InspectionComments FROM Inspection"),
              "General words.");
}
