#pragma once
// The settings file that tells where the two data files are:
// $XDG_CONFIG_HOME/Veltrane/Inspector.conf (by default under ~/.config), INI
// form, shared by the desktop program and the command-line tool.
#include <map>
#include <optional>
#include <string>

namespace app {

class Settings {
public:
    // Loads the file at `path` (the standard place when empty); a missing file is empty.
    explicit Settings(std::string path = {});

    static std::string StandardPath();
    const std::string& Path() const { return m_path; }

    std::optional<std::string> Get(const std::string& key) const;
    void Set(const std::string& key, const std::string& value);
    // Writes the file, creating its folder. False when it cannot be written.
    bool Save() const;

private:
    std::string m_path;
    std::map<std::string, std::string> m_values;
};

inline constexpr const char* kTemplatePathKey = "TemplatePath";
inline constexpr const char* kInspectionPathKey = "InspectionPath";

// The user's documents folder ($XDG_DOCUMENTS_DIR, else ~/Documents).
std::string DocumentsFolder();
// "Template_Data.cdb" and "Inspection_Data.cdb" in the documents folder.
std::string DefaultTemplatePath();
std::string DefaultInspectionPath();

} // namespace app
