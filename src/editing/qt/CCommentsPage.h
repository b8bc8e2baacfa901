#pragma once
// The "Comments" page of the step sheet: the inspector composes the step's
// comment text from stock comments, pick-list values put into placeholders,
// shortcut words and free typing, sets the rating and moves between steps.
#include "editing/CommentChoices.h"
#include "editing/CommentText.h"
#include "editing/Placeholder.h"
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

// "Enter Text": the value of one placeholder, typed or put together from the
// offered choices. Also serves "Other Material" for a material's own wording.
class CEnterTextDlg : public QDialog {
    Q_OBJECT
public:
    CEnterTextDlg(const QString& caption, const editing::PlaceholderPrompt& prompt, QWidget* parent = nullptr);
    QString Value() const;
    QComboBox* Choices() const { return m_choices; }
    QLineEdit* ValueEdit() const { return m_value; }
    QLabel* Label() const { return m_label; }

private:
    QComboBox* m_choices;
    QLineEdit* m_value;
    QLabel* m_label;
};

// "Comment Picker": the inspector numbers several entries in the order wanted
// by clicking their "Seq #" cells. Used for stock comments and for materials.
class CCommentPickerDlg : public QDialog {
    Q_OBJECT
public:
    // With `offerDelete` the dialog also has "Delete", which ends it with kDeleteResult.
    CCommentPickerDlg(const std::vector<std::string>& entries, bool offerDelete, QWidget* parent = nullptr);
    static constexpr int kDeleteResult = 2;

    // The entries picked, in the order of their numbers.
    std::vector<std::string> Picked() const;
    QTreeWidget* List() const { return m_list; }
    // Gives the entry at `row` the next number, as a click on its "Seq #" cell does.
    void Number(int row);

private:
    void OnClicked(QTreeWidgetItem* item, int column);

    std::vector<std::string> m_entries;
    std::vector<int> m_order; // rows in the order they were numbered
    QTreeWidget* m_list;
};

// "Next Picture Number:": the number of the picture whose tag "Pict #" inserts.
class CPictureNumberDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPictureNumberDlg(int number, QWidget* parent = nullptr);
    // The number shown; never below 1.
    int Number() const;
    QLineEdit* NumberEdit() const { return m_number; }

private:
    void SetNumber(int number);
    QLineEdit* m_number;
};

// Asks through "Enter Text" for each placeholder.
editing::PlaceholderAsker EnterTextAsker(QWidget* parent);

// The comment edit shows line breaks as "\n"; the step keeps them as "\r\n".
std::string StoredText(const QString& editText);
QString EditText(const std::string& stored);

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
