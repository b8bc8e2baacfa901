#pragma once
// "Export Inspection..." and "Import Inspection..." of the Export menu, and the
// inspection list's "Merge Inspection...".
namespace app {
class CInspectorDoc;
}
namespace app::qt {
class CMainFrame;
}

namespace exchange::qt {

void InstallInspectionTransfer(app::qt::CMainFrame& frame, app::CInspectorDoc& doc);

// The commands themselves.
void OnExportInspection(app::qt::CMainFrame& frame, app::CInspectorDoc& doc);
void OnImportInspection(app::qt::CMainFrame& frame);
// Merges a chosen imported inspection into the inspection selected in the list.
void OnMergeInspection(app::qt::CMainFrame& frame, app::CInspectorDoc& doc);

} // namespace exchange::qt
