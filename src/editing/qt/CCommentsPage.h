#pragma once
// The "Comments" page of the step sheet: the inspector composes the step's
// comment text from stock comments, pick-list values put into placeholders,
// shortcut words and free typing, sets the rating and moves between steps.
#include "editing/CommentChoices.h"
#include "editing/CommentText.h"
#include "editing/Placeholder.h"
#include "editing/qt/CCommentPickerDlg.h"
#include "editing/qt/CEnterTextDlg.h"
#include "editing/qt/CPictureNumberDlg.h"
#include "editing/qt/CStepPage.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace editing::qt {

class CStepPropertySheet;

// Asks through "Enter Text" for each placeholder.
editing::PlaceholderAsker EnterTextAsker(QWidget* parent);

// The comment edit shows line breaks as "\n"; the step keeps them as "\r\n".
std::string StoredText(const QString& editText);
QString EditText(const std::string& stored);
// A comment editor's text and selection, as stored text and byte offsets.
editing::CommentEdit ReadCommentEdit(const QPlainTextEdit& editor);
// Shows `edit` in a comment editor, its selection made, the editor focused.
void ShowCommentEdit(QPlainTextEdit& editor, const editing::CommentEdit& edit);

class CCommentsPage : public CStepPage {
    Q_OBJECT
public:
    explicit CCommentsPage(CStepPropertySheet& sheet, QWidget* parent = nullptr);

    QString Caption() const override { return QStringLiteral("Comments"); }
    void LoadStep() override;
    void StoreStep() override;
    void Activated() override;

    // Inserts a stock comment where the caret is (its code dropped, its placeholders filled).
    void InsertComment(const std::string& stockText);
    // Puts text in place of the selection.
    void InsertAtCaret(const std::string& text);
    // Fills the placeholders of the whole comment text.
    void ReplaceCarets();

    QComboBox* StockComments() const { return m_stock; }
    QPlainTextEdit* CommentEdit() const { return m_edit; }
    QComboBox* RatingCombo() const { return m_rating; }
    QComboBox* StepCombo() const { return m_steps; }

private:
    void FillStockComments();
    void FillRatings();
    void FillSteps();
    void UpdateArrows();
    void GoToStep(int index);
    editing::CommentEdit CurrentEdit() const;
    void Show(const editing::CommentEdit& edit);
    void CheckShortcut();
    void OnStockComment(int index);
    void OnRating(int index);
    void OnAddToList();
    void OnPicker();
    void OnMultiPicker();
    void OnPictureNumber();

    QComboBox* m_stock;
    QPlainTextEdit* m_edit;
    QComboBox* m_rating;
    QComboBox* m_steps;
    QPushButton* m_previous;
    QPushButton* m_next;
    std::vector<editing::StockComment> m_stockList;
    bool m_filling = false;
};

} // namespace editing::qt
