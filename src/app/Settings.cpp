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

} // namespace

std::string Settings::StandardPath()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string base = config && *config ? config : Home() + "/.config";
    return base + "/Veltrane/Inspector.conf";
}

Settings::Settings(std::string path) : m_path(path.empty() ? StandardPath() : std::move(path))
{
    std::ifstream in(m_path);
    std::string line;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == '[' || line[0] == ';' || line[0] == '#')
            continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        m_values[Trim(line.substr(0, eq))] = Trim(line.substr(eq + 1));
    }
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
}

bool Settings::Save() const
{
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
    return !ec;
}

std::string DocumentsFolder()
{
    const char* docs = std::getenv("XDG_DOCUMENTS_DIR");
    if (docs && *docs)
        return docs;
    return Home() + "/Documents";
}

std::string DefaultTemplatePath()
{
    return DocumentsFolder() + "/Template_Data.cdb";
}

std::string DefaultInspectionPath()
{
    return DocumentsFolder() + "/Inspection_Data.cdb";
}

} // namespace app
