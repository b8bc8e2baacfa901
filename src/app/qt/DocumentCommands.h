#pragma once
// Joins the main frame and the document: the views of the frame, the commands
// the document answers, and the document's requests to the frame.
namespace app {
class CInspectorDoc;
}

namespace app::qt {

class CMainFrame;

// Wires the setup view, the category list and the inspection list, the New and
// Delete commands, the Category List guard, the document's observer, and then
// every later feature (InstallFeatures). Call before CMainFrame::Start().
void ConnectDocument(CMainFrame& frame, app::CInspectorDoc& doc);

// The features that arrive after the main frame: each adds its views and
// enables its commands here (CMainFrame::SetViewFactory, EnableCommand).
void InstallFeatures(CMainFrame& frame, app::CInspectorDoc& doc);

} // namespace app::qt
