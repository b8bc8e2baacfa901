#pragma once
// The toolbar's "Connect To Server".
namespace app {
class CInspectorDoc;
}
namespace app::qt {
class CMainFrame;
}

namespace exchange::qt {

void InstallServerExchange(app::qt::CMainFrame& frame, app::CInspectorDoc& doc);

// Opens "Connect To Server"; received inspections show in the views at once.
void OnConnectToServer(app::qt::CMainFrame& frame, app::CInspectorDoc& doc);

} // namespace exchange::qt
