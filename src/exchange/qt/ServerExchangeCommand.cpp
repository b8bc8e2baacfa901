#include "exchange/qt/ServerExchangeCommand.h"

#include "app/qt/CMainFrame.h"
#include "exchange/qt/CConnectToServerDlg.h"
#include "exchange/qt/DocumentRefresh.h"

#include <QStatusBar>
#include <QStringList>

namespace exchange::qt {
namespace {

QString Summary(const SyncOutcome& o)
{
    QStringList parts;
    if (o.announced > 0 || o.added > 0 || o.updated > 0)
        parts << QStringLiteral("Received %1 of %2 inspections: %3 new, %4 updated.")
                     .arg(o.added + o.updated)
                     .arg(o.announced)
                     .arg(o.added)
                     .arg(o.updated);
    if (o.sent > 0)
        parts << QStringLiteral("Sent %1 inspections; the server confirmed %2.").arg(o.sent).arg(o.confirmed);
    return parts.join(QLatin1Char(' '));
}

} // namespace

void OnConnectToServer(app::qt::CMainFrame& frame, app::CInspectorDoc& doc)
{
    CConnectToServerDlg dialog(
        [&frame, &doc](const SyncOutcome& outcome) {
            if (outcome.added > 0 || outcome.updated > 0)
                RefreshAfterExchange(frame, doc);
            const QString summary = Summary(outcome);
            if (!summary.isEmpty())
                frame.statusBar()->showMessage(summary, 15000);
        },
        &frame);
    dialog.exec();
}

void InstallServerExchange(app::qt::CMainFrame& frame, app::CInspectorDoc& doc)
{
    frame.EnableCommand(app::qt::cmd::ConnectToServer, [&frame, &doc] { OnConnectToServer(frame, doc); });
}

} // namespace exchange::qt
