#pragma once
// The Spell Check command of the main frame.
namespace app {
class CInspectorDoc;
}
namespace app::qt {
class CMainFrame;
}

namespace spelling::qt {

// Walks the current inspection in the "Spelling Error" dialog.
void OnSpellCheck(app::qt::CMainFrame& frame, app::CInspectorDoc& doc);
void InstallSpelling(app::qt::CMainFrame& frame, app::CInspectorDoc& doc);

} // namespace spelling::qt
