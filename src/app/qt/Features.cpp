// The features wired into the main frame after its own views. Each feature
// adds one call here, for example
//     editing::qt::InstallStepList(frame, doc);
// which gives the frame its view (SetViewFactory) and enables its commands
// (EnableCommand). Until a feature is installed its commands stay disabled.
#include "app/qt/CMainFrame.h"
#include "app/qt/DocumentCommands.h"
#include "editing/qt/StepListCtrlView.h"
#include "editing/qt/StepPagesInstall.h"
#include "exchange/qt/InspectionTransferCommands.h"
#include "exchange/qt/ServerExchangeCommand.h"
#include "form/qt/CCategoryForm.h"
#include "options/qt/OptionsCommand.h"
#include "reports/html/qt/CHTMLView.h"
#include "reports/print/qt/PrintCommands.h"
#include "reports/rtf/qt/RtfExportCommand.h"
#include "review/qt/ReviewInstall.h"
#include "spelling/qt/SpellingCommands.h"

namespace app::qt {

void InstallFeatures(CMainFrame& frame, app::CInspectorDoc& doc)
{
    (void)frame;
    (void)doc;
    reports::rtf::qt::InstallRtfExport(frame, doc);
    exchange::qt::InstallInspectionTransfer(frame, doc);
    exchange::qt::InstallServerExchange(frame, doc);
    editing::qt::InstallStepList(frame, doc);
    editing::qt::InstallStepPages();
    reports::html::qt::InstallHtmlView(frame, doc);
    options::qt::InstallOptions(frame, doc);
    spelling::qt::InstallSpelling(frame, doc);
    review::qt::InstallReview(frame, doc);
    form::qt::InstallCategoryForm(frame, doc);
    reports::print::qt::InstallPrinting(frame, doc);
}

} // namespace app::qt
