#include "app/Settings.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace app {
namespace {

std::string Home()
{
    const char* home = std::getenv("HOME");
    return home && *home ? home : ".";
}

std::string Trim(std::string s)
{
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

std::map<std::string, std::string> Read(const std::string& path)
{
    std::map<std::string, std::string> values;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == '[' || line[0] == ';' || line[0] == '#')
            continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        values[Trim(line.substr(0, eq))] = Trim(line.substr(eq + 1));
    }
    return values;
}

} // namespace

std::string Settings::StandardPath()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string base = config && *config ? config : Home() + "/.config";
    return base + "/Veltrane/Inspector.conf";
}

Settings::Settings(std::string path)
    : m_path(path.empty() ? StandardPath() : std::move(path)), m_values(Read(m_path))
{
}

std::optional<std::string> Settings::Get(const std::string& key) const
{
    auto it = m_values.find(key);
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

void Settings::Set(const std::string& key, const std::string& value)
{
    m_values[key] = value;
    m_changed.insert(key);
}

bool Settings::Save()
{
    // The desktop program and inspector-cli may both hold the file: only what
    // was set here is written over what the file holds now.
    auto values = Read(m_path);
    for (const auto& key : m_changed)
        values[key] = m_values[key];
    m_values = std::move(values);
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(m_path).parent_path(), ec);
    const std::string temp = m_path + ".new";
    {
        std::ofstream out(temp, std::ios::trunc);
        if (!out)
            return false;
        out << "[Inspector]\n";
        for (const auto& [key, value] : m_values)
            out << key << '=' << value << '\n';
        if (!out.flush())
            return false;
    }
    std::filesystem::rename(temp, m_path, ec);
    if (!ec)
        m_changed.clear();
    return !ec;
}

std::string DocumentsFolder()
{
    const char* docs = std::getenv("XDG_DOCUMENTS_DIR");
    if (docs && *docs)
        return docs;
    return Home() + "/Documents";
}

std::string ApplicationDataFolder()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    const std::string base = data && *data ? data : Home() + "/.local/share";
    return base + "/Veltrane/Inspector";
}

std::string DefaultTemplatePath()
{
    return ApplicationDataFolder() + "/Template_Data.cdb";
}

std::string DefaultInspectionPath()
{
    return ApplicationDataFolder() + "/Inspection_Data.cdb";
}

} // namespace app
