#include "reports/rtf/qt/RtfExportCommand.h"

#include "app/CInspectorDoc.h"
#include "app/qt/CMainFrame.h"
#include "reports/rtf/RtfExport.h"
#include "reports/rtf/qt/CExportRtfDlg.h"

#include <QStatusBar>

namespace reports::rtf::qt {

void OnExportRtf(app::qt::CMainFrame& frame, app::CInspectorDoc& doc)
{
    store::Inspection& inspection = doc.CurrentInspection();
    CExportRtfDlg dialog(QString::fromStdString(inspection.m_DocType), RatingFilterChoices(), &frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    RtfExportRequest request = dialog.Request();
    request.inspectionListShown = frame.ViewNumber() == app::qt::kViewInspectionList;
    const RtfExportOutcome outcome = ExportRtfReports(inspection, request);
    if (!outcome.written.empty())
        frame.statusBar()->showMessage(
            outcome.written.size() == 1
                ? QStringLiteral("Report written: %1").arg(QString::fromStdString(outcome.written.front()))
                : QStringLiteral("%1 reports written.").arg(outcome.written.size()),
            10000);
}

void InstallRtfExport(app::qt::CMainFrame& frame, app::CInspectorDoc& doc)
{
    frame.EnableCommand(app::qt::cmd::ExportRtf, [&frame, &doc] { OnExportRtf(frame, doc); });
}

} // namespace reports::rtf::qt
