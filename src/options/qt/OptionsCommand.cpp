#include "options/qt/OptionsCommand.h"

#include "app/qt/CMainFrame.h"
#include "app/qt/CView.h"
#include "options/qt/COptionsDlg.h"

namespace options::qt {

void OnOptions(app::qt::CMainFrame& frame)
{
    COptionsDlg dialog(&frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Every view reads the options when it fills itself: the one shown fills
    // itself again, the others when they are next shown.
    if (app::qt::CView* view = frame.ActiveView())
        view->OnActivateView(true);
}

void InstallOptions(app::qt::CMainFrame& frame, app::CInspectorDoc& doc)
{
    (void)doc;
    frame.EnableCommand(app::qt::cmd::Options, [&frame] { OnOptions(frame); });
}

} // namespace options::qt
