#include "app/qt/CInspectorApp.h"

#include "app/CInspectorDoc.h"
#include "app/DataConfiguration.h"
#include "app/qt/CDataPathDlg.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/COwnerNameDlg.h"
#include "app/qt/DocumentCommands.h"
#include "store/Database.h"
#include "ui/qt/QtPort.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace app::qt {

CInspectorApp::CInspectorApp(std::string settingsPath) : m_settings(std::move(settingsPath)) {}

CInspectorApp::~CInspectorApp()
{
    // Views refer to the document, the document to the databases.
    if (m_doc)
        m_doc->SetObserver({});
    m_frame.reset();
    m_doc.reset();
    if (m_dataOpen)
        store::Database::CloseAll();
}

QString CInspectorApp::LockFilePath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/Inspector running.lock");
}

bool CInspectorApp::InitInstance()
{
    // Only one copy runs; a second one ends without a word. A lock left by a
    // copy that crashed is taken over.
    m_lock = std::make_unique<QLockFile>(LockFilePath());
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        m_lock.reset();
        m_exitStatus = 0;
        return false;
    }

    app::StartupQuestions questions;
    questions.chooseDataPaths = [this](const app::DataPaths& current) { return ChooseDataPaths(current); };
    questions.askOwnerName = [this] { return AskOwnerName(); };
    const app::DataConfigurationResult result = app::ConfigureData(m_settings, questions);
    if (!result) {
        m_exitStatus = result.ExitStatus();
        return false;
    }
    m_dataOpen = true;

    m_doc = std::make_unique<app::CInspectorDoc>();
    m_frame = std::make_unique<CMainFrame>();
    ui::qt::QtPort::SetMainWindow(m_frame.get());
    ConnectDocument(*m_frame, *m_doc);
    m_frame->Start();
    m_doc->OnNewDocument();
    m_frame->show();
    return true;
}

std::optional<app::DataPaths> CInspectorApp::ChooseDataPaths(const app::DataPaths& current)
{
    CDataPathDlg dialog;
    dialog.SetPaths(current.templatePath, current.inspectionPath);
    dialog.SetCreateFiles([](const std::string& templatePath, const std::string& inspectionPath) {
        return app::CreateMissingDataFiles({templatePath, inspectionPath});
    });
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return app::DataPaths{dialog.TemplatePath(), dialog.InspectionPath()};
}

std::optional<std::string> CInspectorApp::AskOwnerName()
{
    COwnerNameDlg dialog;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Name().toStdString();
}

} // namespace app::qt
