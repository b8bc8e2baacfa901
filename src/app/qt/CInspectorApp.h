#pragma once
// The desktop program's start-up and end: one copy at a time, the data files
// found (or made), their structure current, the owner named, then the document
// and the main frame with its first view.
#include "app/Settings.h"

#include <QString>

#include <memory>
#include <optional>
#include <string>

class QLockFile;

namespace app {
class CInspectorDoc;
struct DataPaths;
}

namespace app::qt {

class CMainFrame;

class CInspectorApp {
public:
    // `settingsPath` empty: the standard settings file.
    explicit CInspectorApp(std::string settingsPath = {});
    ~CInspectorApp();
    CInspectorApp(const CInspectorApp&) = delete;
    CInspectorApp& operator=(const CInspectorApp&) = delete;

    // The whole start-up; false ends the program before any window is shown.
    bool InitInstance();
    // The exit status after InitInstance returned false.
    int ExitStatus() const { return m_exitStatus; }

    CMainFrame* MainFrame() const { return m_frame.get(); }
    app::CInspectorDoc* Document() const { return m_doc.get(); }

    // The lock file that keeps a second copy from starting.
    static QString LockFilePath();

    // Keeps the main window's place and the inspection shown in the settings
    // file, for the next start. Also done when the application object ends.
    void SaveWindowState();

private:
    void RestoreWindowState();
    std::optional<app::DataPaths> ChooseDataPaths(const app::DataPaths& current);
    std::optional<std::string> AskOwnerName();

    app::Settings m_settings;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<app::CInspectorDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    int m_exitStatus = 0;
    bool m_dataOpen = false; // this copy opened the data files
    bool m_startMaximized = false;
};

} // namespace app::qt
