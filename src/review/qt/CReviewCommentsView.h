#pragma once
// "REVIEW COMMENTS": every commented step of the current inspection with its
// number and rating, narrowed to one rating or to the summary ratings; a
// double-click corrects a comment in the comment dialog.
#include "app/qt/CView.h"

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;

namespace app {
class CInspectorDoc;
}

namespace editing::qt {
class CInspectionListCtrl;
}

namespace review::qt {

class CReviewCommentsView : public app::qt::CView {
    Q_OBJECT
public:
    CReviewCommentsView(app::qt::CMainFrame& frame, app::CInspectorDoc& doc, QWidget* parent = nullptr);

    void OnActivateView(bool activate) override;

    editing::qt::CInspectionListCtrl* List() const { return m_list; }
    QComboBox* RatingFilter() const { return m_filter; }
    QCheckBox* SummaryOnly() const { return m_summary; }
    QLabel* AddressLine() const { return m_address; }
    const std::string& Filter() const { return m_filterText; }
    // The row shown at the top of the list.
    int TopRow() const;
    // The step of a row, 0 when there is no such row.
    int StepID(int row) const;

    void OnFilterChosen(int index);
    void OnSummaryOnly(bool checked);
    // Opens the comment dialog on the step of `row`; the list keeps its top row.
    void EditComment(int row);

private:
    void Rebuild();
    void FillFilterList();
    void Refill();

    app::CInspectorDoc& m_doc;
    int m_shownID = -1;
    std::string m_filterText;
    int m_topRow = 0;
    std::vector<int> m_stepIDs;
    QLabel* m_address;
    QComboBox* m_filter;
    QCheckBox* m_summary;
    editing::qt::CInspectionListCtrl* m_list;
};

} // namespace review::qt
