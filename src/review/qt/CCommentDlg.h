#pragma once
// The comment dialog: composes the comment of a step, the general comment of
// the inspection or the comment of a category from the stock comments of its
// kind, placeholders, shortcut words, picture tags and free typing, as the
// step sheet's comments page does. OK stores the text; Cancel stores nothing
// and asks first when something was changed.
#include "editing/CommentText.h"
#include "review/CommentSubject.h"

#include <QDialog>

class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace app {
class CInspectorDoc;
}

namespace review::qt {

class CCommentDlg : public QDialog {
    Q_OBJECT
public:
    CCommentDlg(app::CInspectorDoc& doc, CommentSubject subject, QWidget* parent = nullptr);

    // Inserts a stock comment at the caret; a leading code goes to the code list.
    void InsertStockComment(const std::string& entry);
    void InsertAtCaret(const std::string& text);

    const CommentSubject& Subject() const { return m_subject; }
    // The text as it would be stored.
    std::string Text() const;
    bool Changed() const;

    QComboBox* StockComments() const { return m_stock; }
    QPlainTextEdit* CommentEdit() const { return m_edit; }
    QPushButton* Button(const QString& caption) const;

    void accept() override;
    void reject() override;

private:
    void FillStockComments();
    void Show(const editing::CommentEdit& edit);
    editing::CommentEdit CurrentEdit() const;
    void CheckShortcut();
    void OnAddToList();
    void OnPicker();
    void OnPictureNumber();

    app::CInspectorDoc& m_doc;
    CommentSubject m_subject;
    const std::string m_originalText;
    const std::string m_originalCodes;
    std::vector<editing::StockComment> m_stockList;
    QComboBox* m_stock;
    QPlainTextEdit* m_edit;
    bool m_expanding = false;
};

} // namespace review::qt
