#pragma once
// The frame's "Options..." command: the Options sheet, and the views shown
// again with what it saved.
namespace app {
class CInspectorDoc;
}
namespace app::qt {
class CMainFrame;
}

namespace options::qt {

void OnOptions(app::qt::CMainFrame& frame);
void InstallOptions(app::qt::CMainFrame& frame, app::CInspectorDoc& doc);

} // namespace options::qt
