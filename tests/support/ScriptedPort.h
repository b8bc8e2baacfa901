#pragma once
// The user-interaction port for tests: records every message and answers from
// queues filled by the test. An empty queue answers No / Cancel / nothing.
#include "ui/Port.h"

#include <deque>
#include <string>
#include <vector>

namespace testing_support {

struct Message {
    std::string kind;    // "inform", "confirm", "ask", "askText", "save", "open"
    std::string text;
    std::string caption;
};

class ScriptedPort : public ui::Port {
public:
    // Installs itself as the process's port; the previous one comes back on destruction.
    ScriptedPort();
    ~ScriptedPort() override;

    void inform(const std::string& text, const std::string& caption = {}) override;
    bool confirm(const std::string& text, const std::string& caption = "Caution") override;
    ui::Answer ask(const std::string& text, const std::string& caption, ui::Buttons, ui::Icon) override;
    std::optional<std::string> askText(const std::string& title, const std::string& prompt,
                                       const std::string& initial) override;
    std::optional<std::string> chooseSaveFile(const std::string& suggested, const std::string& filter) override;
    std::optional<std::string> chooseOpenFile(const std::string& filter) override;
    std::unique_ptr<ui::Progress> progress() override;

    // Answers, taken in order.
    std::deque<bool> confirmations;
    std::deque<ui::Answer> answers;
    std::deque<std::optional<std::string>> texts;
    std::deque<std::optional<std::string>> files;
    // Cancel the progress after this many position changes (-1: never).
    int cancelAfter = -1;

    std::vector<Message> messages;
    // Every progress title, status and final position shown.
    std::vector<std::string> progressLog;

    // True when a recorded message contains `fragment`.
    bool Saw(const std::string& fragment) const;
    std::string AllText() const;
    // The last message as "kind [caption] text", empty when none.
    std::string Last() const;

private:
    ui::Port* m_previous;
};

} // namespace testing_support
