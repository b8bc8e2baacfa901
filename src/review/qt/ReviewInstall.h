#pragma once
// Gives the frame its review comments view (view 5) and the Comment command.
namespace app {
class CInspectorDoc;
}
namespace app::qt {
class CMainFrame;
}

namespace review::qt {

// The Comment command: in the Inspection Setup (after writing the form) and in
// the Category List the general comment of the inspection, in the Step List
// the comment of its category, in the Review Comments the comment of the
// selected step; elsewhere it says where comments are edited.
void OnCommentCommand(app::qt::CMainFrame& frame, app::CInspectorDoc& doc);

void InstallReview(app::qt::CMainFrame& frame, app::CInspectorDoc& doc);

} // namespace review::qt
