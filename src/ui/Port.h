#pragma once
// The user-interaction port: everything the core asks of the user goes through
// here. The desktop program answers with dialogs, the command-line tool on the
// terminal, tests with a scripted fake.
#include <memory>
#include <optional>
#include <string>

namespace ui {

enum class Answer { Yes, No, Ok, Cancel };
enum class Buttons { Ok, OkCancel, YesNo };
enum class Icon { None, Information, Exclamation, Stop };

// The shared progress dialog: a status line, a bar with a percentage, Cancel.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void setTitle(const std::string& title) = 0;
    virtual void setStatus(const std::string& status) = 0;
    virtual void setRange(int low, int high) = 0;
    virtual void setPosition(int position) = 0;
    virtual bool cancelled() const = 0; // polled between units of work
};

class Port {
public:
    virtual ~Port() = default;
    // An information box: the application title (or the caption given) and OK.
    virtual void inform(const std::string& text, const std::string& caption = {}) = 0;
    // A confirmation box: Yes and No, exclamation icon; true only for Yes.
    virtual bool confirm(const std::string& text, const std::string& caption = "Caution") = 0;
    virtual Answer ask(const std::string& text, const std::string& caption, Buttons, Icon) = 0;
    virtual std::optional<std::string> askText(const std::string& title, const std::string& prompt,
                                               const std::string& initial) = 0;
    virtual std::optional<std::string> chooseSaveFile(const std::string& suggested,
                                                      const std::string& filter) = 0;
    virtual std::optional<std::string> chooseOpenFile(const std::string& filter) = 0;
    virtual std::unique_ptr<Progress> progress() = 0;
};

// A progress that shows nothing and is never cancelled.
class NullProgress : public Progress {
public:
    void setTitle(const std::string&) override {}
    void setStatus(const std::string&) override {}
    void setRange(int, int) override {}
    void setPosition(int) override {}
    bool cancelled() const override { return false; }
};

// The port of this process. Until a program installs its own, a port that
// writes messages to standard error and answers every question with No/Cancel.
Port& CurrentPort();
// Installs `port` (not owned; nullptr restores the default) and returns the previous one.
Port* SetPort(Port* port);

// Writes messages to standard error; confirmations answer `assumeYes`.
class StreamPort : public Port {
public:
    explicit StreamPort(bool assumeYes = false) : m_assumeYes(assumeYes) {}
    void inform(const std::string& text, const std::string& caption = {}) override;
    bool confirm(const std::string& text, const std::string& caption = "Caution") override;
    Answer ask(const std::string& text, const std::string& caption, Buttons, Icon) override;
    std::optional<std::string> askText(const std::string& title, const std::string& prompt,
                                       const std::string& initial) override;
    std::optional<std::string> chooseSaveFile(const std::string& suggested, const std::string& filter) override;
    std::optional<std::string> chooseOpenFile(const std::string& filter) override;
    std::unique_ptr<Progress> progress() override;
    void setAssumeYes(bool yes) { m_assumeYes = yes; }

private:
    bool m_assumeYes;
};

} // namespace ui
