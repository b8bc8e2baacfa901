#include "app/qt/DialogLockProbe.h"

#include "app/CInspectorDoc.h"
#include "app/qt/CDataPathDlg.h"
#include "app/qt/CInspectorApp.h"
#include "app/qt/CMainFrame.h"
#include "editing/qt/CPicturePage.h"
#include "exchange/InspectionTransfer.h"
#include "reports/rtf/CRTFReportFile.h"
#include "store/Options.h"
#include "ui/qt/FileDialogs.h"
#include "ui/qt/QtPort.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QPointer>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace app::qt {
namespace {

void Say(const std::string& line)
{
    std::cout << line << std::endl;
}

std::string Heard()
{
    std::string line;
    if (!std::getline(std::cin, line))
        return "quit";
    return line;
}

// Cancels the next file dialog once it has listed its folder (or after three
// seconds at most), giving the listing time to do whatever it does to files.
void CancelNextFileDialog()
{
    auto* poll = new QTimer(qApp);
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll->stop();
        poll->deleteLater();
        auto cancel = [dialog = QPointer<QFileDialog>(dialog)] {
            QTimer::singleShot(500, dialog, [dialog] {
                if (dialog && dialog->isVisible())
                    dialog->reject();
            });
        };
        if (auto* model = dialog->findChild<QFileSystemModel*>())
            QObject::connect(model, &QFileSystemModel::directoryLoaded, dialog, cancel);
        QTimer::singleShot(3000, dialog, cancel);
    });
    poll->start();
}

void Run(CInspectorApp& app, const QString& folder)
{
    QWidget* frame = app.MainFrame();
    auto* port = dynamic_cast<ui::qt::QtPort*>(&ui::CurrentPort());
    const std::vector<std::pair<std::string, std::function<void()>>> dialogs = {
        {"data-path-browse", [&] { CDataPathDlg::BrowseForDataFile(frame, folder + "/Template_Data.cdb"); }},
        {"picture-browse",
         [&] {
             port->SetStartFolder(folder);
             port->chooseOpenFile(editing::qt::CPicturePage::BrowseFilter());
         }},
        {"report-save",
         [&] {
             port->SetStartFolder(folder);
             port->chooseSaveFile("Inspection_1.rtf", reports::rtf::kRtfFilter);
         }},
        {"import-open",
         [&] {
             port->SetStartFolder(folder);
             port->chooseOpenFile(std::string(exchange::kImportFilter));
         }},
        {"folder-choice", [&] { ui::qt::GetExistingDirectory(frame, QString(), folder); }},
    };
    for (const auto& [name, show] : dialogs) {
        Say("ready " + name);
        Heard();
        CancelNextFileDialog();
        show();
        Say("closed " + name);
        Heard();
    }
    Say("dialogs done");
    for (std::string command = Heard(); command.rfind("write ", 0) == 0; command = Heard()) {
        app::CInspectorDoc& doc = *app.Document();
        doc.CurrentInspection().m_ClientName = command.substr(6);
        store::Options options;
        options.m_NextPictNumber += 1;
        Say(doc.SaveInspection() && options.Save() ? "written" : "write failed");
    }
    app.MainFrame()->close();
}

} // namespace

void StartDialogLockProbe(CInspectorApp& app)
{
    const char* folder = std::getenv("INSPECTOR_TEST_DIALOGS");
    if (!folder || !*folder)
        return;
    QTimer::singleShot(0, qApp, [&app, dir = QString::fromLocal8Bit(folder)] { Run(app, dir); });
}

} // namespace app::qt
