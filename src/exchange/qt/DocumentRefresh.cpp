#include "exchange/qt/DocumentRefresh.h"

#include "app/CInspectorDoc.h"
#include "app/qt/CMainFrame.h"
#include "editing/qt/CInspectionOverview.h"
#include "editing/qt/CInspectorView.h"

namespace exchange::qt {

void RefreshAfterExchange(app::qt::CMainFrame& frame, app::CInspectorDoc& doc)
{
    // Received inspections may have been added anywhere in the set: find the
    // current one again by its identifier, not by its old row.
    const int current = doc.CurrentInspection().m_InspectionID;
    const std::vector<app::InspectionSummary> inspections = doc.InspectionList();
    int row = doc.CurrentInspectionRow();
    for (const app::InspectionSummary& summary : inspections)
        if (summary.inspectionID == current) {
            row = summary.row;
            break;
        }
    if (row >= 0 && row < static_cast<int>(inspections.size()))
        doc.SelectInspection(row);

    if (auto* list = qobject_cast<editing::qt::CInspectionOverview*>(frame.View(app::qt::kViewInspectionList)))
        list->Refresh();
    if (auto* setup = qobject_cast<editing::qt::CInspectorView*>(frame.ActiveView()))
        setup->ShowInspection();
}

} // namespace exchange::qt
