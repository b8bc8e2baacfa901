#include "ui/Port.h"

#include <iostream>

namespace ui {
namespace {

StreamPort& DefaultPort()
{
    static StreamPort port;
    return port;
}

Port* g_port = nullptr;

// Message texts end lines with carriage returns of their own; on a terminal a
// lone carriage return would write the next line over the first.
void Write(const std::string& caption, const std::string& text)
{
    if (!caption.empty())
        std::cerr << caption << ": ";
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            std::cerr << '\n';
        } else {
            std::cerr << text[i];
        }
    }
    std::cerr << '\n';
}

} // namespace

Port& CurrentPort()
{
    return g_port ? *g_port : DefaultPort();
}

Port* SetPort(Port* port)
{
    Port* previous = g_port;
    g_port = port;
    return previous;
}

void StreamPort::inform(const std::string& text, const std::string& caption)
{
    Write(caption, text);
}

bool StreamPort::confirm(const std::string& text, const std::string& caption)
{
    Write(caption, text);
    std::cerr << (m_assumeYes ? "(yes)\n" : "(no: repeat the command with --yes to proceed)\n");
    return m_assumeYes;
}

Answer StreamPort::ask(const std::string& text, const std::string& caption, Buttons buttons, Icon)
{
    Write(caption, text);
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        return m_assumeYes ? Answer::Ok : Answer::Cancel;
    case Buttons::YesNo:
        return m_assumeYes ? Answer::Yes : Answer::No;
    }
    return Answer::Cancel;
}

std::optional<std::string> StreamPort::askText(const std::string&, const std::string&, const std::string&)
{
    return std::nullopt;
}

std::optional<std::string> StreamPort::chooseSaveFile(const std::string&, const std::string&)
{
    return std::nullopt;
}

std::optional<std::string> StreamPort::chooseOpenFile(const std::string&)
{
    return std::nullopt;
}

std::unique_ptr<Progress> StreamPort::progress()
{
    return std::make_unique<NullProgress>();
}

} // namespace ui
