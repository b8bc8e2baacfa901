#pragma once
// The form of a form category (view 6): its labelled fields on two-column
// pages, each value stored as soon as it changes. Choice fields offer the pick
// list named by their label and "Edit List..." to change that list.
#include "app/qt/CView.h"
#include "form/CategoryFormFields.h"

#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace app {
class CInspectorDoc;
}

namespace form::qt {

class CCategoryForm : public app::qt::CView {
    Q_OBJECT
public:
    CCategoryForm(app::qt::CMainFrame& frame, app::CInspectorDoc& doc, QWidget* parent = nullptr);

    void OnActivateView(bool activate) override;

    QLabel* Header() const { return m_header; }
    QLabel* AddressLine() const { return m_address; }
    QLabel* EmptyNotice() const { return m_empty; }
    QPushButton* PrevButton() const { return m_prev; }
    QPushButton* NextButton() const { return m_next; }
    QPushButton* BackButton() const { return m_back; }
    int ShownCategoryID() const { return m_categoryID; }
    int Page() const { return m_page; }
    int PageCount() const { return m_layout.PageCount(); }
    // The input of field `index` (an edit or a combo box), or nullptr for a label-only field.
    QWidget* Input(int index) const;
    QLabel* FieldLabel(int index) const;

    void ShowPage(int page);

private:
    struct Controls {
        QLabel* label = nullptr;
        QWidget* input = nullptr;
    };
    void Rebuild();
    void ClearControls();
    void Store(int index, const QString& value);
    void FillChoices(int index);
    void OnChoice(int index, int entry);

    app::CInspectorDoc& m_doc;
    int m_categoryID = -1;
    int m_page = -1;
    std::vector<FormField> m_fields;
    std::vector<Controls> m_controls;
    FormLayout m_layout;
    QLabel* m_header;
    QLabel* m_address;
    QLabel* m_empty;
    QWidget* m_area;
    QPushButton* m_prev;
    QPushButton* m_next;
    QPushButton* m_back;
};

void InstallCategoryForm(app::qt::CMainFrame& frame, app::CInspectorDoc& doc);

} // namespace form::qt
