#pragma once
// The "Export RTF..." command of the File menu.
namespace app {
class CInspectorDoc;
}
namespace app::qt {
class CMainFrame;
}

namespace reports::rtf::qt {

// Enables "Export RTF...": the dialog, then the chosen reports of the current
// inspection (or of every inspection, from the inspection list).
void InstallRtfExport(app::qt::CMainFrame& frame, app::CInspectorDoc& doc);

// The command itself: opens the dialog on `frame` and writes what was chosen.
void OnExportRtf(app::qt::CMainFrame& frame, app::CInspectorDoc& doc);

} // namespace reports::rtf::qt
