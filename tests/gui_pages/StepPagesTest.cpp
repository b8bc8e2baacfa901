// The comments and materials pages inside a running step sheet, driven as the
// inspector drives them: picking stock comments, filling placeholders from a
// pick list, typing shortcut words and checking materials.
#include "app/CInspectorDoc.h"
#include "editing/CommentText.h"
#include "editing/qt/CCommentsPage.h"
#include "editing/qt/CMaterialsPage.h"
#include "editing/qt/CStepPropertySheet.h"
#include "editing/qt/StepPagesInstall.h"
#include "store/StarterLibrary.h"
#include "store/Step.h"
#include "support/TempDataFiles.h"
#include "support/qt/QtTestSupport.h"

#include <memory>

using editing::qt::CCommentPickerDlg;
using editing::qt::CCommentsPage;
using editing::qt::CEnterTextDlg;
using editing::qt::CMaterialsPage;
using editing::qt::CPictureNumberDlg;
using editing::qt::CStepPropertySheet;
using testing_support::QueryInt;
using testing_support::QueryText;

namespace {

using namespace testing_support::qt;

constexpr int kTemplate = 0;
constexpr int kInspection = 1;

QPushButton* ButtonOf(QWidget* parent, const QString& caption)
{
    for (QPushButton* button : parent->findChildren<QPushButton*>())
        if (button->text() == caption)
            return button;
    ADD_FAILURE() << "no button " << caption.toStdString();
    return nullptr;
}

class StepPages : public testing_support::DataFilesTest {
protected:
    void SetUp() override
    {
        DataFilesTest::SetUp();
        ASSERT_TRUE(store::LoadStarterLibrary()) << port.AllText();
        editing::qt::InstallStepPages();
        doc = std::make_unique<app::CInspectorDoc>();
        doc->OnNewDocument();
        ASSERT_TRUE(doc->ChangeDocType("Home Inspection"));
        // Every test starts on a step with materials and stock comments.
        OpenSheet("Roof", "Roof Covering");
    }

    void TearDown() override
    {
        ExpectNoPendingAnswers();
        sheet.reset();
        doc.reset();
        DataFilesTest::TearDown();
    }

    // Opens the sheet on the step `title` of the category `category`.
    void OpenSheet(const std::string& category, const std::string& title)
    {
        const std::string where = "FROM Category WHERE CategoryTitle = '" + category +
                                  "' AND InspectionID = " + std::to_string(doc->CurrentInspection().m_InspectionID);
        const int categoryID = static_cast<int>(QueryInt(kInspection, "SELECT CategoryID " + where));
        const int templateID = static_cast<int>(QueryInt(kInspection, "SELECT CategoryTemplateID " + where));
        ASSERT_GT(doc->CreateStepsFromTemplates(templateID, categoryID), 0);
        std::vector<int> ids;
        int first = -1;
        store::Step steps;
        ASSERT_TRUE(steps.OpenByCategory(categoryID));
        for (int i = 0; i < steps.GetCount(); ++i) {
            steps.Read(i);
            if (steps.m_StepTitle == title)
                first = i;
            ids.push_back(steps.m_StepID);
        }
        ASSERT_GE(first, 0) << title;
        stepID = ids[first];
        sheet = std::make_unique<CStepPropertySheet>(*doc);
        sheet->SetSteps(ids, first);
        sheet->resize(1000, 750);
        sheet->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet.get()));
        comments = sheet->findChild<CCommentsPage*>();
        materials = sheet->findChild<CMaterialsPage*>();
        ASSERT_NE(comments, nullptr);
        ASSERT_NE(materials, nullptr);
    }

    void ShowComments()
    {
        sheet->SetActivePage(sheet->HasMaterialsPage() ? 1 : 0);
        ASSERT_EQ(sheet->Page(sheet->ActivePageIndex()), comments);
    }

    // Chooses the stock comment that contains `fragment`, as a user picks it from the list.
    void ChooseStock(const std::string& fragment)
    {
        Choose(comments->StockComments(), QString::fromStdString(fragment), Qt::MatchContains);
    }

    QCheckBox* Box(const QString& caption)
    {
        for (QCheckBox* box : materials->CheckBoxes())
            if (box->text() == caption)
                return box;
        ADD_FAILURE() << "no material " << caption.toStdString();
        return nullptr;
    }

    std::string SavedStep(const std::string& column)
    {
        return QueryText(kInspection, "SELECT " + column + " FROM Step WHERE StepID = " + std::to_string(stepID));
    }

    std::unique_ptr<app::CInspectorDoc> doc;
    std::unique_ptr<CStepPropertySheet> sheet;
    CCommentsPage* comments = nullptr;
    CMaterialsPage* materials = nullptr;
    int stepID = 0;
};

} // namespace

TEST_F(StepPages, PickedStockCommentsLandInTheCommentAndAreSaved)
{
    ShowComments();
    ChooseStock("Exposed nail heads were observed");
    const std::string nails = "Exposed nail heads were observed; seal them to prevent leaks.";
    EXPECT_EQ(comments->CommentEdit()->toPlainText().toStdString(), nails);
    // A group heading adds only the separator.
    ChooseStock(std::string(editing::kGroupMarker) + "Damage");
    EXPECT_EQ(sheet->CommentText(), nails + "  ");

    sheet->SaveAndClose();
    EXPECT_EQ(SavedStep("Comments"), nails + "  ");
}

TEST_F(StepPages, PlaceholderIsFilledFromThePickList)
{
    ShowComments();
    QString label;
    QStringList offered;
    auto answered = AnswerDialog<CEnterTextDlg>([&](CEnterTextDlg* dialog) {
        label = dialog->Label()->text();
        for (int i = 0; i < dialog->Choices()->count(); ++i)
            offered << dialog->Choices()->itemText(i);
        // Two choices one after the other are joined with ", ".
        emit dialog->Choices()->activated(0);
        emit dialog->Choices()->activated(1);
        dialog->accept();
    });
    ChooseStock("Missing and wind-lifted shingles");
    ASSERT_TRUE(*answered);
    EXPECT_EQ(label, "Replace ^Location^ with:");
    ASSERT_GE(offered.size(), 2);
    const std::string value = editing::DropBracketCode(offered[0].toStdString()) + ", " +
                              editing::DropBracketCode(offered[1].toStdString());
    EXPECT_EQ(sheet->CommentText(), "Missing and wind-lifted shingles were observed at the " + value + ".");
}

TEST_F(StepPages, CheckingMaterialsWritesMaterialsAddsCommentsAndHidesVoidedOnes)
{
    ASSERT_TRUE(sheet->HasMaterialsPage());
    ASSERT_EQ(sheet->Page(sheet->ActivePageIndex()), materials);

    QCheckBox* layers = Box("Two layers of shingles+");
    QCheckBox* metal = Box("Metal panels");
    ASSERT_TRUE(layers && metal);
    layers->click();
    metal->click();
    EXPECT_EQ(sheet->WorkingStep().m_Materials, "Metal panels;Two layers of shingles;");
    const std::string added = "A second layer of shingles was installed over the first.";
    auto occurrences = [&] {
        int n = 0;
        for (auto at = sheet->CommentText().find(added); at != std::string::npos;
             at = sheet->CommentText().find(added, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(occurrences(), 1) << "checking another material adds nothing more";

    // MaterialVoids lists the checked materials, saved at once.
    const std::string metalID = std::to_string(QueryInt(kTemplate,
        "SELECT ID FROM MaterialTemplate WHERE MaterialName = 'Metal panels' AND StepID = " +
            std::to_string(sheet->WorkingStep().m_StepTemplateID)));
    const std::string voids = QueryText(kInspection, "SELECT MaterialVoids FROM Inspection WHERE InspectionID = " +
                                                         std::to_string(doc->CurrentInspection().m_InspectionID));
    EXPECT_NE((";" + voids + ";").find(";" + metalID + ";"), std::string::npos) << voids;

    // Metal panels voids the granule loss comment on the comments page.
    ShowComments();
    QComboBox* stock = comments->StockComments();
    EXPECT_EQ(stock->findText("moderate granule loss", Qt::MatchContains), -1);
    EXPECT_GE(stock->findText("Exposed nail heads", Qt::MatchContains), 0);
    EXPECT_NE(comments->CommentEdit()->toPlainText().indexOf(QString::fromStdString(added)), -1);

    // Unchecking takes the material out of both lists; checking it again adds its comment again.
    sheet->SetActivePage(0);
    metal->click();
    layers->click();
    EXPECT_EQ(sheet->WorkingStep().m_Materials, "");
    layers->click();
    EXPECT_EQ(occurrences(), 2);
    ShowComments();
    EXPECT_GE(comments->StockComments()->findText("moderate granule loss", Qt::MatchContains), 0);

    sheet->SaveAndClose();
    EXPECT_EQ(SavedStep("Materials"), "Two layers of shingles;");
    EXPECT_NE(SavedStep("Comments").find(added), std::string::npos);
}

TEST_F(StepPages, OtherMaterialTakesTheInspectorsWordingAndMultiPickChecksThePickedOnes)
{
    QCheckBox* other = Box("Other:");
    ASSERT_TRUE(other);
    auto answered = AnswerDialog<CEnterTextDlg>([](CEnterTextDlg* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Other Material");
        // A ";" would cut the wording out of the materials list: refused with
        // a message, and the dialog stays open with the text typed.
        dialog->ValueEdit()->setText("Mahogany; café-style");
        auto refused = AnswerDialog<QMessageBox>([](QMessageBox* box) {
            EXPECT_TRUE(box->text().contains(";")) << box->text().toStdString();
            box->accept();
        });
        dialog->accept();
        EXPECT_TRUE(*refused);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->ValueEdit()->text(), "Mahogany; café-style");
        dialog->ValueEdit()->setText("cedar shakes");
        dialog->accept();
    });
    other->click();
    ASSERT_TRUE(*answered);
    EXPECT_EQ(other->text(), "Other:cedar shakes");
    EXPECT_EQ(sheet->WorkingStep().m_Materials, "Other:cedar shakes;");

    // Cancel leaves the material unchecked.
    other->click();
    auto cancelled = AnswerDialog<CEnterTextDlg>([](CEnterTextDlg* dialog) { dialog->reject(); });
    other->click();
    ASSERT_TRUE(*cancelled);
    EXPECT_FALSE(other->isChecked());
    EXPECT_EQ(other->text(), "Other:");
    EXPECT_EQ(sheet->WorkingStep().m_Materials, "");

    // "++" checks the materials picked there and only those.
    Box("Slate")->click();
    auto picked = AnswerDialog<CCommentPickerDlg>([](CCommentPickerDlg* dialog) {
        dialog->Number(5); // Metal panels
        dialog->Number(0); // Asphalt composition shingles
        dialog->accept();
    });
    ButtonOf(materials, "++")->click();
    ASSERT_TRUE(*picked);
    EXPECT_FALSE(Box("Slate")->isChecked());
    EXPECT_EQ(sheet->WorkingStep().m_Materials, "Asphalt composition shingles;Metal panels;");
}

TEST_F(StepPages, MultiPickerInsertsInTheOrderPickedAndDeletesFromTheList)
{
    ShowComments();
    QComboBox* stock = comments->StockComments();
    const int nails = stock->findText("Exposed nail heads", Qt::MatchContains);
    const int brittle = stock->findText("The shingles are brittle", Qt::MatchContains);
    ASSERT_GE(nails, 0);
    ASSERT_GE(brittle, 0);

    auto picked = AnswerDialog<CCommentPickerDlg>([&](CCommentPickerDlg* dialog) {
        EXPECT_GE(dialog->List()->topLevelItemCount(), 17);
        dialog->Number(brittle);
        dialog->Number(nails);
        dialog->Number(brittle); // numbered once only
        dialog->accept();
    });
    ButtonOf(comments, "MultiPicker")->click();
    ASSERT_TRUE(*picked);
    EXPECT_EQ(sheet->CommentText(), "The shingles are brittle, curled and cracked. The covering is at the end of its "
                                    "life and should be replaced.  Exposed nail heads were observed; seal them to "
                                    "prevent leaks.");

    // Delete takes the picked comment off this step's list after the confirmation.
    port.confirmations.push_back(false);
    port.confirmations.push_back(true);
    for (int round = 0; round < 2; ++round) {
        auto deleted = AnswerDialog<CCommentPickerDlg>([&](CCommentPickerDlg* dialog) {
            dialog->Number(comments->StockComments()->findText("Exposed nail heads", Qt::MatchContains));
            ButtonOf(dialog, "Delete")->click();
        });
        ButtonOf(comments, "MultiPicker")->click();
        ASSERT_TRUE(*deleted);
        // No keeps it, Yes removes it.
        EXPECT_EQ(stock->findText("Exposed nail heads", Qt::MatchContains) >= 0, round == 0);
    }
    EXPECT_TRUE(port.Saw("Please confirm the deleting of these comments."));
}

TEST_F(StepPages, PictNumberInsertsATagAndCountsOnAndAddToListTakesTheSelectedPart)
{
    testing_support::Exec(kTemplate, "UPDATE Options SET NextPictNumber = 0");
    ShowComments();
    QPlainTextEdit* edit = comments->CommentEdit();
    edit->setPlainText("See");
    edit->moveCursor(QTextCursor::End);
    QString offered;
    auto answered = AnswerDialog<CPictureNumberDlg>([&](CPictureNumberDlg* dialog) {
        offered = dialog->NumberEdit()->text();
        dialog->accept();
    });
    ButtonOf(comments, "Pict #")->click();
    ASSERT_TRUE(*answered);
    EXPECT_EQ(offered, "1");
    EXPECT_EQ(sheet->CommentText(), "See ***Picture-1;Scaling=100***");
    EXPECT_EQ(QueryInt(kTemplate, "SELECT NextPictNumber FROM Options"), 2);

    // Cancel inserts nothing and keeps the counter.
    auto cancelled = AnswerDialog<CPictureNumberDlg>([](CPictureNumberDlg* dialog) { dialog->reject(); });
    ButtonOf(comments, "Pict #")->click();
    ASSERT_TRUE(*cancelled);
    EXPECT_EQ(sheet->CommentText(), "See ***Picture-1;Scaling=100***");
    EXPECT_EQ(QueryInt(kTemplate, "SELECT NextPictNumber FROM Options"), 2);

    // Add to List takes the selected part of the comment with the rating.
    Choose(comments->RatingCombo(), "Marginal");
    EXPECT_EQ(sheet->Rating(), "Marginal");
    edit->setPlainText("Ridge vent is loose. Other words.");
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(20, QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
    port.confirmations.push_back(true);
    ButtonOf(comments, "Add to List")->click();
    EXPECT_GE(comments->StockComments()->findText("Ridge vent is loose."), 0);
    EXPECT_EQ(QueryText(kTemplate, "SELECT Rating FROM Comments WHERE Comments = 'Ridge vent is loose.'"), "Marginal");
}

TEST_F(StepPages, TypedShortcutWordExpandsAndMovingToAnotherStepKeepsIt)
{
    ShowComments();
    QPlainTextEdit* edit = comments->CommentEdit();
    edit->setFocus();
    QTest::keyClicks(edit, "Add a gfci@ here, not xyz@");
    const std::string expanded = "Add a ground fault circuit interrupter (GFCI) here, not xyz@";
    EXPECT_EQ(edit->toPlainText().toStdString(), expanded);
    EXPECT_EQ(sheet->CommentText(), expanded);
    ButtonOf(comments, ">>")->click();
    EXPECT_EQ(SavedStep("Comments"), expanded);
    EXPECT_NE(sheet->WorkingStep().m_StepID, stepID);
    EXPECT_EQ(sheet->CommentText(), sheet->WorkingStep().m_Comments);
    // And back: the text is shown again.
    ButtonOf(materials, "<<")->click();
    EXPECT_EQ(sheet->WorkingStep().m_StepID, stepID);
    ShowComments();
    EXPECT_EQ(comments->CommentEdit()->toPlainText().toStdString(), expanded);
}
