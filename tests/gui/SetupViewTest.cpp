// The inspection setup view: typing saves, the document type makes the
// categories, the pick lists and their editor, labels and the date format, a
// Doc # in use, a long address.
#include "GuiTest.h"

#include "editing/qt/CCategoryView.h"
#include "editing/qt/CEditListDlg.h"
#include "editing/qt/CEditPickerChoiceDlg.h"
#include "editing/qt/CInspectionListCtrl.h"
#include "editing/qt/CInspectorView.h"
#include "editing/qt/CSelectPickerDlg.h"
#include "ui/qt/ElidedLabel.h"

#include <QDateTimeEdit>
#include <QRegularExpression>

namespace gui_test {
namespace {

using namespace app::qt;
using editing::qt::CInspectorView;
using testing_support::QueryInt;
using testing_support::QueryText;

class SetupViewTest : public FrameTest {
protected:
    CInspectorView* SetupView() { return View<CInspectorView>(kViewInspectionSetup); }
    std::string Column(const std::string& column)
    {
        return QueryText(1, "SELECT " + column + " FROM Inspection WHERE InspectionID = " +
                                std::to_string(CurrentInspectionID()));
    }
    void ChooseDocType(const QString& name) { Choose(SetupView()->DocTypeCombo(), name); }
    long long TemplateCategories(const std::string& docType)
    {
        return QueryInt(0, "SELECT COUNT(*) FROM InspectionTypeCategory l JOIN InspectionType t ON t.ID = "
                           "l.InspectionTypeID WHERE t.InspectionType = '" + docType + "'");
    }
};

TEST_F(SetupViewTest, TypingSavesAtOnceAndTheDocTypeMakesTheCategories)
{
    CInspectorView* setup = SetupView();
    QTest::keyClicks(setup->DwellingAddressEdit(), "12 Elm St");
    EXPECT_EQ(Column("DwellingAddress"), "12 Elm St");
    QTest::keyClicks(setup->PickList(CInspectorView::DwellingCityStateZip)->lineEdit(), "Edina, MN 55424");
    EXPECT_EQ(Column("DwellingCityStateZip"), "Edina, MN 55424");
    QTest::keyClicks(setup->ClientNameEdit(), "Ann O'Neil");
    EXPECT_EQ(Column("ClientName"), "Ann O'Neil");
    QTest::keyClicks(setup->PickList(CInspectorView::RealEstateCompany)->lineEdit(), "Acme Realty");
    EXPECT_EQ(Column("RealEstateCompany"), "Acme Realty");

    // A first document type needs no question and makes its categories.
    EXPECT_EQ(CategoryCount(), 0);
    ChooseDocType("Home Inspection");
    EXPECT_FALSE(port.Saw("Data Alert")) << port.AllText();
    EXPECT_EQ(Column("DocType"), "Home Inspection");
    const long long expected = TemplateCategories("Home Inspection");
    ASSERT_GT(expected, 0);
    // The typed fields survived the change.
    EXPECT_EQ(Column("DwellingAddress"), "12 Elm St");

    Trigger(cmd::ViewCategoryList);
    auto* categories = View<editing::qt::CCategoryView>(kViewCategoryList);
    EXPECT_EQ(categories->List()->topLevelItemCount(), expected);
    EXPECT_EQ(categories->AddressLine()->text(), "12 Elm St, Edina, MN 55424");
}

TEST_F(SetupViewTest, CancelOnDataAlertKeepsEverything)
{
    ChooseDocType("Home Inspection");
    const std::string ids = QueryText(1, "SELECT group_concat(CategoryID) FROM Category");
    QComboBox* types = SetupView()->DocTypeCombo();
    ASSERT_GT(types->count(), 1);
    const QString other = types->itemText(types->currentIndex() == 0 ? 1 : 0);

    port.answers = {ui::Answer::Cancel};
    ChooseDocType(other);
    EXPECT_TRUE(port.Saw("Warning! Changing the Doc Type will remove all categories and steps for this inspection"));
    EXPECT_EQ(port.messages.back().caption, "Data Alert");
    EXPECT_EQ(Column("DocType"), "Home Inspection");
    EXPECT_EQ(SetupView()->DocTypeCombo()->currentText(), "Home Inspection");
    EXPECT_EQ(QueryText(1, "SELECT group_concat(CategoryID) FROM Category"), ids);

    // Choosing the same type again changes nothing and asks nothing.
    port.messages.clear();
    ChooseDocType("Home Inspection");
    EXPECT_TRUE(port.messages.empty()) << port.AllText();
    EXPECT_EQ(QueryText(1, "SELECT group_concat(CategoryID) FROM Category"), ids);

    // OK replaces the categories with those of the other type.
    port.answers = {ui::Answer::Ok};
    ChooseDocType(other);
    EXPECT_EQ(Column("DocType"), other.toStdString());
    EXPECT_NE(QueryText(1, "SELECT group_concat(CategoryID) FROM Category"), ids);
}

TEST_F(SetupViewTest, EditListKeepsTheFieldAndStoresTheList)
{
    QComboBox* city = SetupView()->PickList(CInspectorView::DwellingCityStateZip);
    QTest::keyClicks(city->lineEdit(), "Duluth, MN 55802");
    ASSERT_EQ(Column("DwellingCityStateZip"), "Duluth, MN 55802");
    EXPECT_EQ(city->itemText(city->count() - 1), CInspectorView::kEditList);

    // Edit List...: add an entry through "New Item", then OK.
    AnswerDialog<editing::qt::CEditListDlg>([](editing::qt::CEditListDlg* list) {
        AnswerDialog<editing::qt::CEditPickerChoiceDlg>([](editing::qt::CEditPickerChoiceDlg* item) {
            EXPECT_EQ(item->windowTitle(), "New Item");
            item->TextEdit()->setText("Aitkin, MN 56431");
            item->accept();
        });
        list->findChild<QPushButton*>("add")->click();
        EXPECT_EQ(list->List()->item(list->List()->count() - 1)->text(), "Aitkin, MN 56431");
        list->accept();
    });
    Choose(city, CInspectorView::kEditList);

    // The field keeps its text; the list is stored and shown in its order.
    EXPECT_EQ(city->currentText(), "Duluth, MN 55802");
    EXPECT_EQ(Column("DwellingCityStateZip"), "Duluth, MN 55802");
    EXPECT_EQ(QueryInt(0, "SELECT COUNT(*) FROM Pickers WHERE PickerName = 'EvalCityStateZip' AND "
                          "PickerChoice = 'Aitkin, MN 56431'"),
              1);
    EXPECT_EQ(city->itemText(0), "Aitkin, MN 56431");
    EXPECT_EQ(city->itemText(city->count() - 1), CInspectorView::kEditList);

    Choose(city, "Aitkin, MN 56431");
    EXPECT_EQ(Column("DwellingCityStateZip"), "Aitkin, MN 56431");

    // A label list with entries is shown instead, but Edit List still edits the own list.
    testing_support::Exec(0, "INSERT INTO Pickers (PickerName, PickerChoice, ID) VALUES ('Label01', 'Zed', 99001)");
    EXPECT_EQ(CInspectorView::ListShownIn(CInspectorView::DwellingCityStateZip), "Label01");
    EXPECT_STREQ(CInspectorView::EditedList(CInspectorView::DwellingCityStateZip), "EvalCityStateZip");
    EXPECT_EQ(CInspectorView::ListShownIn(CInspectorView::ClientCityStateZip), "ClientCityStateZip");
}

TEST_F(SetupViewTest, EditListCancelAndDeleteEverythingThenSelectAPickerListsEveryNameOnce)
{
    const long long realtors = QueryInt(0, "SELECT COUNT(*) FROM Pickers WHERE PickerName = 'Realtor'");
    ASSERT_GT(realtors, 0);
    editing::qt::CEditListDlg cancelled("Realtor");
    cancelled.List()->setCurrentRow(0);
    cancelled.OnDelete();
    cancelled.reject();
    EXPECT_EQ(QueryInt(0, "SELECT COUNT(*) FROM Pickers WHERE PickerName = 'Realtor'"), realtors);

    editing::qt::CEditListDlg emptied("Realtor");
    EXPECT_EQ(emptied.List()->count(), realtors);
    while (emptied.List()->count() > 0) {
        emptied.List()->setCurrentRow(0);
        emptied.OnDelete();
    }
    emptied.OnDelete(); // nothing selected: nothing happens
    emptied.accept();
    EXPECT_EQ(QueryInt(0, "SELECT COUNT(*) FROM Pickers WHERE PickerName = 'Realtor'"), 0);
    EXPECT_EQ(editing::qt::ReadPickerChoices("Realtor").size(), 0);

    // Select a Picker lists every name once, in the data files' order.
    testing_support::Exec(0, "INSERT INTO Pickers (PickerName, PickerChoice, ID) VALUES ('AAA Test', 'b', 99101), "
                             "('AAA Test', 'a', 99102)");
    editing::qt::CSelectPickerDlg dialog;
    const QStringList names = editing::qt::ReadPickerNames();
    EXPECT_EQ(names.count("AAA Test"), 1);
    EXPECT_EQ(names.count("Location"), 1);
    QStringList sorted = names;
    sorted.sort(Qt::CaseInsensitive); // names are compared as the data files compare them
    EXPECT_EQ(names, sorted);
    EXPECT_EQ(dialog.List()->count(), names.size());
    EXPECT_EQ(dialog.PickerName(), "") << "nothing selected";
    dialog.List()->setCurrentRow(static_cast<int>(names.indexOf("Location")));
    EXPECT_EQ(dialog.PickerName(), "Location");
}

TEST_F(SetupViewTest, LabelsDateFormatAndTabOrder)
{
    CInspectorView* setup = SetupView();
    EXPECT_EQ(setup->Label(0)->text(), "*Dwelling Address");
    EXPECT_EQ(setup->Label(7)->text(), "Date Time");
    const QString shown = setup->DateTimeEdit()->text();
    EXPECT_TRUE(QRegularExpression("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d (AM|PM)$").match(shown).hasMatch())
        << shown.toStdString();

    setup->DateTimeEdit()->setDateTime(QDateTime(QDate(2024, 3, 9), QTime(14, 5)));
    EXPECT_EQ(Column("InspectionDate"), "2024-03-09 14:05:00");
    EXPECT_EQ(setup->DateTimeEdit()->text(), "03/09/2024 02:05 PM");

    // Tab walks the form from top to bottom.
    frame->activateWindow();
    setup->DwellingAddressEdit()->setFocus();
    QStringList order;
    for (int i = 0; i < 10; ++i) {
        QWidget* w = QApplication::focusWidget();
        ASSERT_NE(w, nullptr);
        if (qobject_cast<QComboBox*>(w->parentWidget()))
            w = w->parentWidget(); // the editable combo's own line edit
        order << w->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order, (QStringList{"dwellingAddress", "dwellingCityStateZip", "agentName", "realEstateCompany",
                                  "clientName", "clientAddress", "clientCityStateZip", "docType", "docNum",
                                  "dateTime"}));

    // Custom labels: all eight come from the settings once the first is set, empty ones included.
    testing_support::Exec(0, "UPDATE Options SET String25 = 'Property', String26 = '', String32 = 'When'");
    CInspectorView custom(*frame, *doc);
    EXPECT_EQ(custom.Label(0)->text(), "Property");
    EXPECT_EQ(custom.Label(1)->text(), "");
    EXPECT_EQ(custom.Label(7)->text(), "When");
}

TEST_F(SetupViewTest, ADocNumAnotherInspectionHasIsShownAsAnErrorAndNotSaved)
{
    CInspectorView* setup = SetupView();
    QTest::keyClicks(setup->DocNumEdit(), "AB-7");
    ASSERT_EQ(Column("InspectionNum"), "AB-7");
    doc->NewInspection();
    ASSERT_EQ(Column("InspectionNum"), "");

    // The same Doc # in other letters: an error beside the field, the row keeps its own.
    QTest::keyClicks(setup->DocNumEdit(), "ab-7");
    QTest::keyClicks(setup->ClientNameEdit(), "Bo");
    EXPECT_TRUE(setup->DocNumError()->isVisible());
    EXPECT_TRUE(setup->DocNumError()->text().contains("already used")) << setup->DocNumError()->text().toStdString();
    EXPECT_EQ(Column("InspectionNum"), "ab-");
    EXPECT_EQ(Column("ClientName"), "Bo") << "the other fields are saved";
    // Made unique, it is saved and the error goes.
    QTest::keyClicks(setup->DocNumEdit(), "b");
    EXPECT_FALSE(setup->DocNumError()->isVisible());
    EXPECT_EQ(Column("InspectionNum"), "ab-7b");
}

TEST_F(SetupViewTest, ALongAddressIsElidedAndNeverWidensTheWindow)
{
    const int widthBefore = frame->width();
    const QString address = QString("1234 Very Long Street Name Avenue ").repeated(18);
    QTest::keyClicks(SetupView()->DwellingAddressEdit(), address.left(600));
    ChooseDocType("Home Inspection");
    Trigger(cmd::ViewCategoryList);
    auto* categories = View<editing::qt::CCategoryView>(kViewCategoryList);
    ASSERT_NE(categories, nullptr);
    QApplication::processEvents();
    EXPECT_EQ(frame->width(), widthBefore);
    EXPECT_EQ(categories->AddressLine()->text().size(), 600) << "the label keeps the whole text";
    const auto* shown = qobject_cast<ui::qt::ElidedLabel*>(categories->AddressLine());
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->ShownText().endsWith(QStringLiteral("…"))) << shown->ShownText().toStdString();
}

} // namespace
} // namespace gui_test
