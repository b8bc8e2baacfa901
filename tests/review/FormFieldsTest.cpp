// The fields of a form category: seeding on first load, storing,
// finding a field by label, and the page layout.
#include "ReviewFixture.h"

#include "form/CategoryFormFields.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace form;
using review_test::kInspectionData;
using review_test::kTemplateData;
using testing::ElementsAre;

namespace {

class FormFields : public review_test::ReviewFixture {};

} // namespace

TEST_F(FormFields, SeededOnceFromTheTemplateInSequenceOrderStoredAndLaidOutInTwoColumns)
{
    t.Field(conditions, "Weather", 1, 2);
    t.Field(conditions, "Temperature", 0, 1);
    t.Field(conditions, "Notes heading", 5, 3);
    const int id = CategoryID("Conditions");
    auto fields = LoadFormFields(*doc, id);
    ASSERT_TRUE(fields);
    ASSERT_EQ(fields->size(), 3u);
    EXPECT_EQ((*fields)[0].label, "Temperature");
    EXPECT_EQ((*fields)[1].type, kChoiceField);
    EXPECT_FALSE(TakesValue((*fields)[2].type));

    ASSERT_TRUE(StoreFieldValue((*fields)[0].id, "72 F"));
    fields = LoadFormFields(*doc, id);
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->size(), 3u) << "a second load makes no second set";
    EXPECT_EQ((*fields)[0].value, "72 F");
    EXPECT_EQ(testing_support::QueryInt(kInspectionData, "SELECT COUNT(*) FROM Field"), 3);

    EXPECT_EQ(FieldIndexByLabel(*fields, "weather"), 1);
    EXPECT_EQ(FieldIndexByLabel(*fields, "Wind"), -1);

    // Fields fill the left column, then the right, then a new page.
    const struct {
        int fields;
        int pages;
        int lastPage, lastX, lastY;
    } cases[] = {
        {0, 0, 0, 0, 0},
        {1, 1, 0, kLeftX, 60},
        {6, 1, 0, kLeftX, 310},
        {7, 1, 0, kRightX, 60},
        {12, 1, 0, kRightX, 310},
        {13, 2, 1, kLeftX, 60},
        {25, 3, 2, kLeftX, 60},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fields);
        const FormLayout layout = LayOutFields(c.fields);
        EXPECT_EQ(layout.PageCount(), c.pages);
        ASSERT_EQ(static_cast<int>(layout.places.size()), c.fields);
        if (c.fields == 0)
            continue;
        const auto& last = layout.places.back();
        EXPECT_EQ(std::make_tuple(last.page, last.x, last.y, layout.pageStarts.back()),
                  std::make_tuple(c.lastPage, c.lastX, c.lastY, c.lastPage * 12));
    }
}
