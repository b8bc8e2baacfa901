// The category form opened from the category list: fields seeded, filled on
// two pages and stored at once; a choice field's pick list and "Edit List...".
#include "ReviewGuiTest.h"

#include "editing/qt/CEditListDlg.h"
#include "form/qt/CCategoryForm.h"

using namespace review_gui;
using form::qt::CCategoryForm;

namespace {

class CategoryForm : public ReviewGui {
protected:
    CCategoryForm* Open()
    {
        OpenCategory(QStringLiteral("Conditions"));
        EXPECT_EQ(frame->ViewNumber(), app::qt::kViewCategoryForm);
        return qobject_cast<CCategoryForm*>(frame->View(app::qt::kViewCategoryForm));
    }
    std::string Value(const std::string& label)
    {
        return testing_support::QueryText(review_test::kInspectionData,
                                          "SELECT AssignedValue FROM Field WHERE FieldLabel = '" + label + "'");
    }
};

} // namespace

TEST_F(CategoryForm, FieldsAreFilledOnTwoPagesAndStoredAtOnce)
{
    t.Field(conditions, "Weather", 1, 1);
    for (int i = 2; i <= 13; ++i)
        t.Field(conditions, "Field " + std::to_string(i), 0, i);
    testing_support::Exec(review_test::kTemplateData, "INSERT INTO Pickers (PickerName, PickerChoice, ID) VALUES "
                                                      "('Weather', 'Sunny', 1), ('Weather', 'Cloudy', 2)");
    CCategoryForm* form = Open();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Header()->text(), QStringLiteral("Conditions"));
    EXPECT_EQ(form->PageCount(), 2);
    EXPECT_FALSE(form->PrevButton()->isVisible());
    EXPECT_TRUE(form->NextButton()->isVisible());

    auto* weather = qobject_cast<QComboBox*>(form->Input(0));
    ASSERT_NE(weather, nullptr);
    EXPECT_EQ(ComboTexts(weather), QStringList({"Cloudy", "Sunny", "Edit List..."}));
    Choose(weather, QStringLiteral("Sunny"));
    EXPECT_EQ(Value("Weather"), "Sunny");

    auto* second = qobject_cast<QLineEdit*>(form->Input(1));
    ASSERT_NE(second, nullptr);
    QTest::keyClicks(second, QStringLiteral("72 F"));
    EXPECT_EQ(Value("Field 2"), "72 F");

    auto* last = qobject_cast<QLineEdit*>(form->Input(12));
    ASSERT_NE(last, nullptr);
    EXPECT_FALSE(last->isVisible());
    QTest::mouseClick(form->NextButton(), Qt::LeftButton);
    EXPECT_TRUE(last->isVisible());
    EXPECT_FALSE(second->isVisible());
    EXPECT_TRUE(form->PrevButton()->isVisible());
    EXPECT_FALSE(form->NextButton()->isVisible());
    QTest::keyClicks(last, QStringLiteral("Last page"));
    EXPECT_EQ(Value("Field 13"), "Last page");

    QTest::mouseClick(form->BackButton(), Qt::LeftButton);
    EXPECT_EQ(frame->ViewNumber(), app::qt::kViewCategoryList);
}

TEST_F(CategoryForm, EditListChangesThePickListAndKeepsTheValue)
{
    t.Field(conditions, "Roof Access", 1, 1);
    CCategoryForm* form = Open();
    ASSERT_NE(form, nullptr);
    auto* combo = qobject_cast<QComboBox*>(form->Input(0));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(ComboTexts(combo), QStringList({"Edit List..."})) << "no pick list of that name yet";
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("Ladder"));
    EXPECT_EQ(Value("Roof Access"), "Ladder");

    AnswerDialog<editing::qt::CEditListDlg>([](editing::qt::CEditListDlg* d) {
        d->List()->addItem(QStringLiteral("Walked"));
        d->List()->addItem(QStringLiteral("Binoculars"));
        d->accept();
    });
    Choose(combo, QStringLiteral("Edit List..."));
    EXPECT_EQ(ComboTexts(combo), QStringList({"Binoculars", "Walked", "Edit List..."}));
    EXPECT_EQ(combo->currentText(), QStringLiteral("Ladder"));
    EXPECT_EQ(Value("Roof Access"), "Ladder");
}

TEST_F(CategoryForm, AFormWithoutFieldsSaysSo)
{
    CCategoryForm* form = Open();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->EmptyNotice()->isVisible());
    EXPECT_FALSE(form->PrevButton()->isVisible());
    EXPECT_FALSE(form->NextButton()->isVisible());
}
