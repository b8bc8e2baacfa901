#pragma once
// The category list of the current inspection: each category with its mark
// and its status. A click opens a category; the buttons work on the marked one.
#include "app/qt/CView.h"

class QLabel;
class QTreeWidgetItem;
class QPushButton;

namespace app {
class CInspectorDoc;
}

namespace editing::qt {

class CInspectionListCtrl;

class CCategoryView : public app::qt::CView {
    Q_OBJECT
public:
    // Column texts of the status column.
    static const QString kNotPresent;
    static const QString kComplete;
    static const QString kIncomplete;

    CCategoryView(app::qt::CMainFrame& frame, app::CInspectorDoc& doc, QWidget* parent = nullptr);

    void OnActivateView(bool activate) override;

    CInspectionListCtrl* List() const { return m_list; }
    QLabel* AddressLine() const { return m_address; }
    QPushButton* DuplicateButton() const { return m_duplicate; }
    QPushButton* RenameButton() const { return m_rename; }
    QPushButton* NotPresentButton() const { return m_notPresent; }
    QPushButton* DefaultsButton() const { return m_defaults; }

    // The marked row, -1 when none.
    int MarkedRow() const;
    void Mark(int row);
    // The row shown at the top of the list.
    int TopRow() const;

    void OpenCategory(int row);
    void OnNotPresent();
    void OnDuplicateCategory();
    void OnRenameCategory();
    void OnSetAllDefaults();

private:
    void Refill();
    void RefreshStatus();
    void ScrollToRow(int row);
    void UpdateNotPresentCaption();
    void ShowPresence(QTreeWidgetItem* item);
    QString StatusOfCurrentCategory();

    app::CInspectorDoc& m_doc;
    int m_shownID = -1;
    CInspectionListCtrl* m_list;
    QLabel* m_address;
    QPushButton* m_duplicate;
    QPushButton* m_rename;
    QPushButton* m_notPresent;
    QPushButton* m_defaults;
};

} // namespace editing::qt
