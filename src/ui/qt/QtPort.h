#pragma once
// The user-interaction port of the desktop program: Qt message boxes, text
// prompts, file dialogs and the shared progress dialog.
#include "ui/Port.h"

#include <QString>

class QWidget;

namespace ui::qt {

// The caption of information boxes without their own caption.
inline constexpr const char* kApplicationTitle = "Inspector";

// Turns a message of the core into display text: lone carriage returns and
// CR LF pairs become line breaks.
QString DisplayText(const std::string& text);
// Turns a file filter written as "Name (*.x)|*.x|" pairs into the Qt form;
// a filter already in the Qt form is returned unchanged.
QString QtFilter(const std::string& filter);

class QtPort : public ui::Port {
public:
    // Installs itself as the process's port; the previous one comes back on destruction.
    QtPort();
    ~QtPort() override;
    QtPort(const QtPort&) = delete;
    QtPort& operator=(const QtPort&) = delete;

    void inform(const std::string& text, const std::string& caption = {}) override;
    bool confirm(const std::string& text, const std::string& caption = "Caution") override;
    Answer ask(const std::string& text, const std::string& caption, Buttons, Icon) override;
    std::optional<std::string> askText(const std::string& title, const std::string& prompt,
                                       const std::string& initial) override;
    std::optional<std::string> chooseSaveFile(const std::string& suggested, const std::string& filter) override;
    std::optional<std::string> chooseOpenFile(const std::string& filter) override;
    std::unique_ptr<Progress> progress() override;

    // The window that owns boxes and dialogs: the active modal dialog, else
    // the active window, else the main window set here.
    static QWidget* Owner();
    static void SetMainWindow(QWidget* window);
    // The folder the next file dialog opens in (until the user picks a file elsewhere).
    void SetStartFolder(const QString& folder) { m_lastFolder = folder; }

private:
    QString StartPath(const std::string& suggested);
    void Remember(const QString& file);

    ui::Port* m_previous;
    QString m_lastFolder;
};

} // namespace ui::qt
