#pragma once
// The steps of the current category: rate them in the list, open the "Step
// Properties" sheet on a status cell, duplicate a step, apply the defaults.
// The first visit to a category makes its steps from the templates.
#include "app/qt/CView.h"
#include "editing/StepList.h"

class QLabel;
class QPushButton;

namespace app {
class CInspectorDoc;
}
namespace app::qt {
class CMainFrame;
}

namespace editing::qt {

class CStepListCtrl;

class StepListCtrlView : public app::qt::CView {
    Q_OBJECT
public:
    StepListCtrlView(app::qt::CMainFrame& frame, app::CInspectorDoc& doc, QWidget* parent = nullptr);

    void OnActivateView(bool activate) override;

    CStepListCtrl* List() const { return m_list; }
    QLabel* Header() const { return m_header; }
    QLabel* AddressLine() const { return m_address; }
    QPushButton* BackButton() const { return m_back; }
    QPushButton* DuplicateButton() const { return m_duplicate; }
    QPushButton* DefaultsButton() const { return m_defaults; }
    int ShownCategoryID() const { return m_categoryID; }

    void OnBackToCategories();
    void OnDuplicateStep();
    void OnApplyDefaults();
    // Opens the sheet on the step of `row` at `page`; 1 when it ended with OK.
    int OpenSheet(int row, editing::SheetPage page);

private:
    void Refill();
    void RefreshRow(int row);
    void RefreshAllRows();
    void OnRowClicked(int row, int column);
    void OnRowDoubleClicked(int row, int column);
    void OnRatingChosen(int row);

    app::CInspectorDoc& m_doc;
    int m_categoryID = -1;
    QLabel* m_header;
    QLabel* m_address;
    CStepListCtrl* m_list;
    QPushButton* m_back;
    QPushButton* m_duplicate;
    QPushButton* m_defaults;
};

// Gives the frame its step list (view 3).
void InstallStepList(app::qt::CMainFrame& frame, app::CInspectorDoc& doc);

} // namespace editing::qt
