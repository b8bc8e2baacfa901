// The step list driven as a user: opening a category, rating in the row,
// duplicating a step, applying the defaults and the "Step Properties" sheet,
// over the main frame and a small template catalogue: one document type
// "Home" whose category "Grounds" has four steps.
#include "support/qt/QtTestSupport.h"
#include "support/TempDataFiles.h"
#include "support/TemplateBuilder.h"

#include "app/CInspectorDoc.h"
#include "app/qt/CMainFrame.h"
#include "editing/qt/CPicturePage.h"
#include "editing/qt/CStepInfoPage.h"
#include "editing/qt/CStepListCtrl.h"
#include "editing/qt/CStepPropertySheet.h"
#include "editing/qt/StepListCtrlView.h"

#include <QImage>

#include <fstream>
#include <optional>

namespace {

using namespace testing_support::qt;
using editing::qt::CPicturePage;
using editing::qt::CStepInfoPage;
using editing::qt::CStepListCtrl;
using editing::qt::CStepPage;
using editing::qt::CStepPropertySheet;
using editing::qt::StepListCtrlView;
using testing_support::QueryInt;

constexpr int kTemplateData = 0;
constexpr int kInspectionData = 1;

class StepListViewTest : public testing_support::DataFilesTest {
protected:
    void SetUp() override
    {
        DataFilesTest::SetUp();
        const int standard = t.RatingType("Standard");
        t.Choice(standard, "Satisfactory", true);
        t.Choice(standard, "Marginal");
        const int home = t.DocType("Home");
        const int grounds = t.Category(home, "Grounds", 1);
        const int driveway = t.Step(grounds, "Driveway", "1", standard, "Look for cracks.", "1 Grounds-Driveway");
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
            CStepPropertySheet::SetPageFactories(nullptr, nullptr);
        });
    }
    void TearDown() override
    {
        CStepPropertySheet::SetPageFactories(nullptr, nullptr); // drops the fake pages a test registered
        CloseFrame(frame, doc.get());
        doc.reset();
        DataFilesTest::TearDown();
    }

    void OpenCategory(const QString& title)
    {
        testing_support::qt::OpenCategory(*frame, title);
        ASSERT_EQ(frame->ViewNumber(), app::qt::kViewStepList);
    }
    long long StepCount()
    {
        return QueryInt(kInspectionData, "SELECT COUNT(*) FROM Step WHERE CategoryID = " +
                                             std::to_string(doc->SelectedCategoryID()));
    }
    std::string StepText(const std::string& column, const std::string& title)
    {
        return testing_support::QueryText(kInspectionData, "SELECT " + column + " FROM Step WHERE StepTitle = '" +
                                                               title + "' AND CategoryID = " +
                                                               std::to_string(doc->SelectedCategoryID()));
    }
    bool CategoryComplete()
    {
        return QueryInt(kInspectionData, "SELECT CategoryComplete FROM Category WHERE CategoryID = " +
                                             std::to_string(doc->SelectedCategoryID())) != 0;
    }
    StepListCtrlView* View() { return qobject_cast<StepListCtrlView*>(frame->View(app::qt::kViewStepList)); }
    CStepListCtrl* List() { return View()->List(); }
    QStringList Column(int column) { return ColumnTexts(List(), column); }
    QStringList Statuses(int column)
    {
        QStringList texts;
        for (int row = 0; row < List()->topLevelItemCount(); ++row)
            texts << List()->StatusText(row, column);
        return texts;
    }
    // Chooses `entry` in the rating combo box of `row` as the user does: a
    // click on the rating cell drops the box down, then the entry is picked.
    void ChooseRating(int row, const QString& entry)
    {
        ClickCell(List(), row, CStepListCtrl::kRating);
        QComboBox* combo = List()->RatingCombo(row);
        ASSERT_NE(combo, nullptr);
        ASSERT_TRUE(combo->isVisible());
        combo->hidePopup();
        Choose(combo, entry);
    }
    // A picture file of `format` in the test's folder.
    std::string Picture(const std::string& name, const char* format)
    {
        const std::string path = folder.File(name);
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        EXPECT_TRUE(image.save(QString::fromStdString(path), format));
        return path;
    }

    app_test::TemplateBuilder t;
    std::unique_ptr<app::CInspectorDoc> doc;
    std::unique_ptr<app::qt::CMainFrame> frame;
};

TEST_F(StepListViewTest, OpeningACategorySeedsAndListsItsSteps)
{
    testing_support::Exec(kTemplateData, "UPDATE Options SET YesNo37 = 1");
    testing_support::Exec(kTemplateData, "UPDATE StepTemplate SET StepName = 'Bedroom over the attached garage' "
                                         "WHERE StepName = 'Bedroom'");
    OpenCategory("Grounds");
    ASSERT_NE(View(), nullptr);
    EXPECT_EQ(View()->Header()->text(), "Steps: Grounds");
    EXPECT_EQ(View()->AddressLine()->text(), "4 Oak Ave, Springfield");
    EXPECT_EQ(StepCount(), 4);
    EXPECT_EQ(Column(CStepListCtrl::kName), (QStringList{"1. Driveway", "2. Patio",
                                                         "3. Bedroom over the attached garage", "4. Bedroom #2"}));
    // The name column fits the longest name while the list has room for it.
    EXPECT_GT(List()->columnWidth(CStepListCtrl::kName), 190);
    EXPECT_GE(List()->columnWidth(CStepListCtrl::kName),
              List()->fontMetrics().horizontalAdvance("3. Bedroom over the attached garage"));
    EXPECT_EQ(Statuses(CStepListCtrl::kMaterials), (QStringList{"Incomplete", "None", "None", "None"}));
    EXPECT_EQ(Statuses(CStepListCtrl::kComment), QStringList(4, "Incomplete"));
    EXPECT_EQ(Statuses(CStepListCtrl::kInfo), (QStringList{"Complete", "None", "None", "None"}));
    // A step without a rating type offers no rating; the others their choices and clearing.
    ASSERT_NE(List()->RatingCombo(3), nullptr);
    EXPECT_EQ(List()->RatingCombo(3)->count(), 1);
    EXPECT_EQ(List()->RatingCombo(0)->itemText(2), "<clear>");

    // Back to the categories and into the same category again: no second seeding.
    View()->BackButton()->click();
    EXPECT_EQ(frame->ViewNumber(), app::qt::kViewCategoryList);
    OpenCategory("Grounds");
    EXPECT_EQ(StepCount(), 4);
    EXPECT_EQ(List()->topLevelItemCount(), 4);

    // A category without step templates lists nothing.
    OpenCategory("Roof");
    EXPECT_EQ(View()->Header()->text(), "Steps: Roof");
    EXPECT_EQ(List()->topLevelItemCount(), 0);
}

TEST_F(StepListViewTest, RatingInTheRowIsStoredAndCompletesTheCategory)
{
    OpenCategory("Grounds");
    ChooseRating(0, "Marginal");
    EXPECT_EQ(StepText("InspectResult", "Driveway"), "Marginal");
    EXPECT_EQ(List()->topLevelItem(0)->text(CStepListCtrl::kRating), "Marginal");
    EXPECT_FALSE(List()->RatingCombo(0)->isVisible());
    EXPECT_FALSE(CategoryComplete());

    ChooseRating(1, "Satisfactory");
    ChooseRating(2, "Satisfactory");
    EXPECT_FALSE(CategoryComplete());
    testing_support::Exec(kInspectionData, "UPDATE Step SET Comments = 'Fine.' WHERE StepTitle = 'Bedroom #2'");
    ChooseRating(2, "Marginal");
    EXPECT_TRUE(CategoryComplete());

    // Closing the list without a choice puts the box away and changes nothing.
    ClickCell(List(), 2, CStepListCtrl::kRating);
    ASSERT_TRUE(List()->RatingCombo(2)->isVisible());
    List()->RatingCombo(2)->hidePopup();
    EXPECT_FALSE(List()->RatingCombo(2)->isVisible());
    EXPECT_EQ(StepText("InspectResult", "Bedroom"), "Marginal");

    // Clearing stores no rating, leaves the box without selection and the category incomplete.
    ChooseRating(2, "<clear>");
    EXPECT_EQ(StepText("InspectResult", "Bedroom"), "");
    EXPECT_EQ(List()->RatingCombo(2)->currentIndex(), -1);
    EXPECT_EQ(List()->topLevelItem(2)->text(CStepListCtrl::kRating), "");
    EXPECT_FALSE(CategoryComplete());
}

TEST_F(StepListViewTest, DuplicateStepNamesAndNumbersTheCopy)
{
    OpenCategory("Grounds");
    // Without a selected row nothing is asked.
    View()->DuplicateButton()->click();
    EXPECT_FALSE(port.Saw("Enter the name for the new duplicated step:"));

    // A user who takes the name offered.
    struct AcceptingPort : testing_support::ScriptedPort {
        std::optional<std::string> askText(const std::string& title, const std::string& prompt,
                                           const std::string& initial) override
        {
            ScriptedPort::askText(title, prompt, initial);
            offered = initial;
            return initial;
        }
        std::string offered;
    };
    {
        AcceptingPort user;
        ClickCell(List(), 3, CStepListCtrl::kName);
        View()->DuplicateButton()->click();
        ASSERT_EQ(user.messages.size(), 1u);
        EXPECT_EQ(user.messages[0].caption, "Duplicate Step");
        EXPECT_EQ(user.messages[0].text, "Enter the name for the new duplicated step:");
        EXPECT_EQ(user.offered, "Bedroom #3");
    }
    EXPECT_EQ(StepCount(), 5);
    EXPECT_EQ(List()->topLevelItemCount(), 5);
    EXPECT_TRUE(Column(CStepListCtrl::kName).contains("Bedroom #3"));

    ClickCell(List(), 0, CStepListCtrl::kName);
    View()->DuplicateButton()->click();
    EXPECT_EQ(StepCount(), 5);
}

TEST_F(StepListViewTest, ApplyDefaultsFillsTheRows)
{
    OpenCategory("Grounds");
    ChooseRating(1, "Marginal");
    View()->DefaultsButton()->click();
    EXPECT_EQ(Column(CStepListCtrl::kRating), (QStringList{"Satisfactory", "Marginal", "Satisfactory", ""}));
    EXPECT_EQ(List()->RatingCombo(0)->currentText(), "Satisfactory");
    EXPECT_EQ(Statuses(CStepListCtrl::kMaterials), (QStringList{"Complete", "None", "None", "None"}));
    EXPECT_EQ(List()->StatusText(0, CStepListCtrl::kComment), "Complete");
}

TEST_F(StepListViewTest, SheetStoresEachStepItLeavesAndBrowsesForAPictureThatExists)
{
    OpenCategory("Grounds");
    const std::string picture = Picture("driveway.bmp", "BMP");

    auto answered = AnswerDialog<CStepPropertySheet>([&](CStepPropertySheet* sheet) {
        EXPECT_EQ(sheet->windowTitle(), "1. Driveway");
        auto* page = qobject_cast<CPicturePage*>(sheet->Page(sheet->ActivePageIndex()));
        ASSERT_NE(page, nullptr);
        EXPECT_FALSE(page->PreviousButton()->isEnabled());
        page->PathEdit()->setText(QString::fromStdString(picture));
        emit page->PathEdit()->editingFinished();
        EXPECT_TRUE(page->HasPicture());
        EXPECT_FALSE(page->Display()->pixmap().isNull());
        page->PrintBeforeBox()->setChecked(true);
        Choose(page->RatingCombo(), "Marginal");
        page->NextButton()->click();

        // The step left is stored; the next one is shown on the first page.
        EXPECT_EQ(StepText("BitmapPath || '|' || InspectResult || '|' || (PictureBefore <> 0)", "Driveway"),
                  picture + "|Marginal|1");
        EXPECT_EQ(sheet->CurrentIndex(), 1);
        EXPECT_EQ(sheet->windowTitle(), "2. Patio");
        EXPECT_EQ(sheet->ActivePageIndex(), 0);

        // The info page shows the template's text and rates the step shown.
        auto* info = qobject_cast<CStepInfoPage*>(sheet->PageOfKind(CStepPropertySheet::kInfoPage));
        ASSERT_NE(info, nullptr);
        sheet->SetActivePage(sheet->Tabs()->indexOf(info));
        EXPECT_EQ(info->InfoEdit()->toPlainText(), "");
        Choose(info->RatingCombo(), "Satisfactory");
        info->PreviousButton()->click();
        EXPECT_EQ(StepText("InspectResult", "Patio"), "Satisfactory");
        EXPECT_EQ(sheet->CurrentIndex(), 0);
        sheet->SetActivePage(sheet->Tabs()->indexOf(info));
        EXPECT_EQ(info->InfoEdit()->toPlainText(), "Look for cracks.");
        EXPECT_EQ(info->RatingCombo()->currentText(), "Marginal");

        // Cancel with a change not stored asks first: going on editing keeps
        // the sheet; discarding keeps what was stored on the way and stores
        // nothing more.
        Choose(info->RatingCombo(), "<clear>");
        EXPECT_EQ(info->RatingCombo()->currentIndex(), -1);
        auto asked = AnswerDialog<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Cancel)->click(); });
        sheet->reject();
        EXPECT_TRUE(*asked);
        EXPECT_TRUE(sheet->isVisible());
        asked = AnswerDialog<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Discard)->click(); });
        sheet->reject();
        EXPECT_TRUE(*asked);
    });
    ClickCell(List(), 0, CStepListCtrl::kPicture);
    EXPECT_TRUE(*answered);
    EXPECT_EQ(StepText("InspectResult", "Driveway"), "Marginal");
    // The list shows what the sheet stored.
    EXPECT_EQ(List()->StatusText(0, CStepListCtrl::kPicture), "Complete");
    EXPECT_EQ(List()->topLevelItem(1)->text(CStepListCtrl::kRating), "Satisfactory");

    // OK stores the step shown.
    answered = AnswerDialog<CStepPropertySheet>([&](CStepPropertySheet* sheet) {
        auto* page = qobject_cast<CPicturePage*>(sheet->PageOfKind(CStepPropertySheet::kPicturePage));
        ASSERT_NE(page, nullptr);
        page->ClearButton()->click();
        sheet->SaveAndClose();
    });
    ClickCell(List(), 0, CStepListCtrl::kPicture);
    EXPECT_TRUE(*answered);
    EXPECT_EQ(StepText("BitmapPath", "Driveway"), "");
    EXPECT_EQ(List()->StatusText(0, CStepListCtrl::kPicture), "Incomplete");

    // Browsing takes a file that exists, and keeps one that does not load.
    const std::string jpeg = Picture("patio.jpg", "JPG");
    const std::string notPicture = folder.File("notes.txt");
    std::ofstream(notPicture) << "not a picture";

    port.files.push_back(folder.File("missing.jpg"));
    port.files.push_back(jpeg);
    port.files.push_back(notPicture);
    answered = AnswerDialog<CStepPropertySheet>([&](CStepPropertySheet* sheet) {
        auto* page = qobject_cast<CPicturePage*>(sheet->PageOfKind(CStepPropertySheet::kPicturePage));
        ASSERT_NE(page, nullptr);
        // A file that is not there is not taken.
        page->BrowseButton()->click();
        EXPECT_EQ(page->Path(), "");
        page->BrowseButton()->click();
        EXPECT_EQ(page->Path().toStdString(), jpeg);
        EXPECT_TRUE(page->HasPicture());
        // A file that does not load shows nothing and keeps its path.
        page->BrowseButton()->click();
        EXPECT_EQ(page->Path().toStdString(), notPicture);
        EXPECT_FALSE(page->HasPicture());
        EXPECT_TRUE(page->Display()->pixmap().isNull());
        sheet->SaveAndClose();
    });
    ClickCell(List(), 1, CStepListCtrl::kPicture);
    EXPECT_TRUE(*answered);
    // Every format the page shows is offered.
    for (const char* pattern : {"*.jpg", "*.png", "*.gif", "*.bmp"})
        EXPECT_NE(CPicturePage::BrowseFilter().find(pattern), std::string::npos) << pattern;
    EXPECT_TRUE(port.Saw(CPicturePage::BrowseFilter())) << port.AllText();
    EXPECT_EQ(StepText("BitmapPath", "Patio"), notPicture);
}

// A materials page of the test's own: it marks the steps it stores, and has
// more to show than any window.
class FakeMaterialsPage : public CStepPage {
public:
    explicit FakeMaterialsPage(CStepPropertySheet& sheet) : CStepPage(sheet) { setMinimumSize(1600, 1200); }
    QString Caption() const override { return QStringLiteral("Materials"); }
    void LoadStep() override {}
    void StoreStep() override { Sheet().WorkingStep().m_Materials = "Fake;"; }
};

TEST_F(StepListViewTest, MaterialsPageComesAndGoesAndAClickOrDoubleClickChoosesThePage)
{
    testing_support::Exec(kTemplateData, "UPDATE Options SET DefStepTab = 3");
    CStepPropertySheet::SetPageFactories([](CStepPropertySheet& s) { return new FakeMaterialsPage(s); }, nullptr);
    OpenCategory("Grounds");

    // A click on the Materials cell of a step without materials opens nothing.
    ClickCell(List(), 1, CStepListCtrl::kMaterials);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    frame->resize(760, 540);
    auto answered = AnswerDialog<CStepPropertySheet>([&](CStepPropertySheet* sheet) {
        // One size for every step, within the main window.
        const QSize size = sheet->size();
        EXPECT_LE(size.width(), frame->width());
        EXPECT_LE(size.height(), frame->height());
        EXPECT_TRUE(sheet->HasMaterialsPage());
        ASSERT_EQ(sheet->PageCount(), 3);
        EXPECT_EQ(sheet->ActivePageIndex(), 0);
        EXPECT_NE(dynamic_cast<FakeMaterialsPage*>(sheet->Page(0)), nullptr);

        sheet->SetStepByIndex(1);
        EXPECT_FALSE(sheet->HasMaterialsPage());
        EXPECT_EQ(sheet->PageCount(), 2);
        EXPECT_EQ(sheet->PageOfKind(CStepPropertySheet::kMaterialsPage), nullptr);
        EXPECT_EQ(StepText("Materials", "Driveway"), "Fake;");

        QApplication::processEvents();
        EXPECT_EQ(sheet->size(), size);
        sheet->SetStepByIndex(0);
        EXPECT_TRUE(sheet->HasMaterialsPage());
        EXPECT_EQ(sheet->PageCount(), 3);
        EXPECT_EQ(sheet->ActivePageIndex(), 0);
        EXPECT_NE(dynamic_cast<FakeMaterialsPage*>(sheet->Page(0)), nullptr);
        sheet->reject();
    });
    ClickCell(List(), 0, CStepListCtrl::kMaterials);
    EXPECT_TRUE(*answered);
    // Patio never had the materials page: nothing was written into its materials.
    EXPECT_EQ(StepText("Materials", "Patio"), "");
    EXPECT_EQ(List()->StatusText(0, CStepListCtrl::kMaterials), "Complete");

    // The Comment column of a step without materials, with no comments page
    // registered, opens the sheet on its first page.
    answered = AnswerDialog<CStepPropertySheet>([&](CStepPropertySheet* sheet) {
        EXPECT_EQ(sheet->ActivePageIndex(), 0);
        EXPECT_NE(qobject_cast<CPicturePage*>(sheet->Page(0)), nullptr);
        sheet->reject();
    });
    ClickCell(List(), 1, CStepListCtrl::kComment);
    EXPECT_TRUE(*answered);

    // A double click opens the default step page (Info here).
    answered = AnswerDialog<CStepPropertySheet>([&](CStepPropertySheet* sheet) {
        EXPECT_NE(qobject_cast<CStepInfoPage*>(sheet->Page(sheet->ActivePageIndex())), nullptr);
        sheet->reject();
    });
    DoubleClickCell(List(), 1, CStepListCtrl::kName);
    EXPECT_TRUE(*answered);
}

class FakeCommentsPage : public CStepPage {
public:
    using CStepPage::CStepPage;
    QString Caption() const override { return QStringLiteral("Comments"); }
    void LoadStep() override {}
    void StoreStep() override { Sheet().CommentText() = "Needs attention."; }
};

TEST_F(StepListViewTest, RatingThatRequiresACommentOpensTheCommentsPage)
{
    testing_support::Exec(kTemplateData, "UPDATE RatingChoices SET CommentRequired = 1 WHERE ChoiceName = 'Marginal'");
    CStepPropertySheet::SetPageFactories(nullptr, [](CStepPropertySheet& s) { return new FakeCommentsPage(s); });
    OpenCategory("Grounds");

    // A rating that needs no comment opens nothing.
    ChooseRating(1, "Satisfactory");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    auto answered = AnswerDialog<CStepPropertySheet>([&](CStepPropertySheet* sheet) {
        EXPECT_EQ(sheet->CurrentIndex(), 1);
        EXPECT_NE(dynamic_cast<FakeCommentsPage*>(sheet->Page(sheet->ActivePageIndex())), nullptr);
        EXPECT_EQ(sheet->Rating(), "Marginal");
        sheet->SaveAndClose();
    });
    ChooseRating(1, "Marginal");
    EXPECT_TRUE(*answered);
    EXPECT_EQ(StepText("InspectResult", "Patio"), "Marginal");
    EXPECT_EQ(StepText("Comments", "Patio"), "Needs attention.");
    EXPECT_EQ(List()->StatusText(1, CStepListCtrl::kComment), "Complete");
}

} // namespace
