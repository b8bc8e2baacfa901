#pragma once
// After inspections were received or merged, the document reads the inspection
// set again (standing on the same inspection) and the views show the new data.
namespace app {
class CInspectorDoc;
}
namespace app::qt {
class CMainFrame;
}

namespace exchange::qt {

void RefreshAfterExchange(app::qt::CMainFrame& frame, app::CInspectorDoc& doc);

} // namespace exchange::qt
