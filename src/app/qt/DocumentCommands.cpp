#include "app/qt/DocumentCommands.h"

#include "app/CInspectorDoc.h"
#include "app/qt/CMainFrame.h"
#include "editing/qt/CCategoryView.h"
#include "editing/qt/CInspectionOverview.h"
#include "editing/qt/CInspectorView.h"
#include "ui/Port.h"

namespace app::qt {
namespace {

constexpr const char* kNoDocType =
    "Please select a DocType for this inspection before selecting the Category List view.";

editing::qt::CInspectionOverview* InspectionList(CMainFrame& frame)
{
    return qobject_cast<editing::qt::CInspectionOverview*>(frame.View(kViewInspectionList));
}

} // namespace

void ConnectDocument(CMainFrame& frame, app::CInspectorDoc& doc)
{
    frame.SetViewFactory(kViewInspectionSetup,
                         [&doc](CMainFrame& f) { return new editing::qt::CInspectorView(f, doc); });
    frame.SetViewFactory(kViewCategoryList,
                         [&doc](CMainFrame& f) { return new editing::qt::CCategoryView(f, doc); });
    frame.SetViewFactory(kViewInspectionList,
                         [&doc](CMainFrame& f) { return new editing::qt::CInspectionOverview(f, doc); });

    // The category list needs the categories of a document type.
    frame.SetViewGuard(kViewCategoryList, [&doc] {
        if (doc.CurrentInspection().m_DocType.empty()) {
            ui::CurrentPort().inform(kNoDocType);
            return false;
        }
        doc.SaveInspection();
        return true;
    });

    frame.EnableCommand(cmd::NewInspection, [&doc] { doc.NewInspection(); });
    frame.EnableCommand(cmd::ConfirmNewInspection, [&doc] { doc.ConfirmNewInspection(); });
    frame.EnableCommand(cmd::DeleteInspection, [&frame, &doc] {
        auto* list = InspectionList(frame);
        const bool fromList = list && frame.ViewNumber() == kViewInspectionList;
        doc.OnDeleteInspection(fromList, fromList ? list->SelectedCount() : 0, fromList ? list->CurrentRow() : -1);
    });
    // Deleting everything is as dangerous as deleting one: only where the
    // inspections are listed.
    frame.EnableCommand(cmd::DeleteAllInspections, [&frame, &doc] {
        if (frame.ViewNumber() != kViewInspectionList) {
            ui::CurrentPort().inform("Please delete inspections from the Inspection List view only.");
            return;
        }
        doc.OnDeleteAllInspections();
    });

    app::CInspectorDoc::Observer observer;
    observer.showView = [&frame](int view) { frame.ShowView(view); };
    observer.showInspection = [&frame] {
        if (auto* setup = qobject_cast<editing::qt::CInspectorView*>(frame.ActiveView()))
            setup->ShowInspection();
    };
    observer.inspectionListChanged = [&frame] {
        if (auto* list = InspectionList(frame))
            list->Refresh();
    };
    observer.viewMenuChanged = [&frame] { frame.UpdateViewMenu(); };
    doc.SetObserver(std::move(observer));

    InstallFeatures(frame, doc);
}

} // namespace app::qt
