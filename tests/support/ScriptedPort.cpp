#include "support/ScriptedPort.h"

#include <iostream>

namespace testing_support {
namespace {

class ScriptedProgress : public ui::Progress {
public:
    explicit ScriptedProgress(ScriptedPort& port) : m_port(port) {}
    void setTitle(const std::string& t) override { m_port.progressLog.push_back("title: " + t); }
    void setStatus(const std::string& s) override { m_port.progressLog.push_back("status: " + s); }
    void setRange(int low, int high) override
    {
        m_port.progressLog.push_back("range: " + std::to_string(low) + "-" + std::to_string(high));
    }
    void setPosition(int p) override
    {
        ++m_steps;
        m_position = p;
    }
    bool cancelled() const override { return m_port.cancelAfter >= 0 && m_steps >= m_port.cancelAfter; }
    ~ScriptedProgress() override { m_port.progressLog.push_back("position: " + std::to_string(m_position)); }

private:
    ScriptedPort& m_port;
    int m_steps = 0;
    int m_position = 0;
};

// The next scripted answer, or `none` once the test gave no more.
template <class T>
T Next(std::deque<T>& queue, T none)
{
    if (queue.empty())
        return none;
    T next = std::move(queue.front());
    queue.pop_front();
    return next;
}

} // namespace

ScriptedPort::ScriptedPort() : m_previous(ui::SetPort(this)) {}

ScriptedPort::~ScriptedPort()
{
    ui::SetPort(m_previous);
}

void ScriptedPort::inform(const std::string& text, const std::string& caption)
{
    messages.push_back({"inform", text, caption});
}

bool ScriptedPort::confirm(const std::string& text, const std::string& caption)
{
    messages.push_back({"confirm", text, caption});
    return Next(confirmations, false);
}

ui::Answer ScriptedPort::ask(const std::string& text, const std::string& caption, ui::Buttons buttons, ui::Icon)
{
    messages.push_back({"ask", text, caption});
    // Messages that end the program are also written out, so that a test that
    // watches a child process end can read them.
    std::cerr << caption << ": " << text << std::endl;
    return Next(answers, buttons == ui::Buttons::Ok      ? ui::Answer::Ok
                         : buttons == ui::Buttons::YesNo ? ui::Answer::No
                                                         : ui::Answer::Cancel);
}

std::optional<std::string> ScriptedPort::askText(const std::string& title, const std::string& prompt,
                                                 const std::string&)
{
    messages.push_back({"askText", prompt, title});
    return Next(texts, {});
}

std::optional<std::string> ScriptedPort::chooseSaveFile(const std::string& suggested, const std::string& filter)
{
    messages.push_back({"save", suggested, filter});
    return Next(files, {});
}

std::optional<std::string> ScriptedPort::chooseOpenFile(const std::string& filter)
{
    messages.push_back({"open", filter, {}});
    return Next(files, {});
}

std::unique_ptr<ui::Progress> ScriptedPort::progress()
{
    return std::make_unique<ScriptedProgress>(*this);
}

bool ScriptedPort::Saw(const std::string& fragment) const
{
    for (const auto& m : messages)
        if (m.text.find(fragment) != std::string::npos)
            return true;
    return false;
}

std::string ScriptedPort::AllText() const
{
    std::string all;
    for (const auto& m : messages)
        all += "[" + m.kind + "|" + m.caption + "] " + m.text + "\n";
    return all;
}

std::string ScriptedPort::Last() const
{
    if (messages.empty())
        return {};
    return messages.back().kind + " [" + messages.back().caption + "] " + messages.back().text;
}

} // namespace testing_support
