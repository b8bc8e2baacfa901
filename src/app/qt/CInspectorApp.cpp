#include "app/qt/CInspectorApp.h"

#include "app/CInspectorDoc.h"
#include "app/DataConfiguration.h"
#include "app/WindowPlacement.h"
#include "app/qt/CDataPathDlg.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/COwnerNameDlg.h"
#include "app/qt/DocumentCommands.h"
#include "store/Database.h"
#include "ui/qt/QtPort.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QLockFile>
#include <QStandardPaths>

#include <charconv>

namespace app::qt {

CInspectorApp::CInspectorApp(std::string settingsPath) : m_settings(std::move(settingsPath)) {}

CInspectorApp::~CInspectorApp()
{
    SaveWindowState();
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
    RestoreWindowState();
    m_frame->Start();
    m_doc->OnNewDocument();
    if (m_startMaximized)
        m_frame->showMaximized();
    else
        m_frame->show();
    return true;
}

void CInspectorApp::RestoreWindowState()
{
    // The inspection last worked on, when it still exists.
    if (const auto id = m_settings.Get(app::kLastInspectionKey); id && !id->empty()) {
        int inspectionID = 0;
        const auto [end, ec] = std::from_chars(id->data(), id->data() + id->size(), inspectionID);
        if (ec == std::errc() && end == id->data() + id->size())
            m_doc->SelectInspectionByID(inspectionID);
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const auto saved = m_settings.Get(app::kWindowGeometryKey);
    const auto rect = saved ? app::ParseRect(*saved) : std::nullopt;
    if (rect && screen) {
        // On the screen the window was on, else on the main screen; never larger than it.
        const QPoint centre(rect->x + rect->width / 2, rect->y + rect->height / 2);
        if (const QScreen* at = QGuiApplication::screenAt(centre))
            screen = at;
        const QRect area = screen->availableGeometry();
        const app::Rect fitted = app::FitOnScreen(*rect, {area.x(), area.y(), area.width(), area.height()});
        m_frame->setGeometry(fitted.x, fitted.y, fitted.width, fitted.height);
    } else if (screen) {
        m_frame->resize(m_frame->size().boundedTo(screen->availableGeometry().size()));
    }
    m_startMaximized = m_settings.Get(app::kWindowMaximizedKey) == std::optional<std::string>("1");
}

void CInspectorApp::SaveWindowState()
{
    if (!m_frame || !m_doc)
        return;
    const QRect r = m_frame->isMaximized() || m_frame->isFullScreen() ? m_frame->normalGeometry()
                                                                       : m_frame->geometry();
    if (r.isValid())
        m_settings.Set(app::kWindowGeometryKey, app::RectText({r.x(), r.y(), r.width(), r.height()}));
    m_settings.Set(app::kWindowMaximizedKey, m_frame->isMaximized() ? "1" : "0");
    if (m_doc->CurrentInspectionRow() >= 0)
        m_settings.Set(app::kLastInspectionKey, std::to_string(m_doc->CurrentInspection().m_InspectionID));
    m_settings.Save();
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
