#pragma once
// The inspection list: every inspection of the inspection database. A click
// makes an inspection current, a double-click opens it in the setup view;
// inspections are duplicated, merged and deleted from here.
#include "app/qt/CView.h"

class QPushButton;

namespace app {
class CInspectorDoc;
}

namespace editing::qt {

class CInspectionListCtrl;

class CInspectionOverview : public app::qt::CView {
    Q_OBJECT
public:
    CInspectionOverview(app::qt::CMainFrame& frame, app::CInspectorDoc& doc, QWidget* parent = nullptr);

    void OnActivateView(bool activate) override;
    // Fills the list again (unless a duplication runs).
    void Refresh();

    int CurrentRow() const;
    // Rows selected in the list (0 or 1).
    int SelectedCount() const;

    CInspectionListCtrl* List() const { return m_list; }
    QPushButton* DuplicateButton() const { return m_duplicate; }
    QPushButton* MergeButton() const { return m_merge; }

    void OnDuplicateInspection();
    void OnMergeInspection();

private:
    void Fill();
    void ShowDocumentInspection();
    void OnClick(int row);
    void OnOpen(int row);

    app::CInspectorDoc& m_doc;
    CInspectionListCtrl* m_list;
    QPushButton* m_duplicate;
    QPushButton* m_merge;
    bool m_busy = false;
};

} // namespace editing::qt
