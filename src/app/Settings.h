#pragma once
// The settings file that tells where the two data files are:
// $XDG_CONFIG_HOME/Veltrane/Inspector.conf (by default under ~/.config), INI
// form, shared by the desktop program and the command-line tool.
#include <map>
#include <optional>
#include <set>
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
    // Writes the values set since the last save over what the file holds now
    // (another program may have written other keys meanwhile), creating its
    // folder. False when it cannot be written.
    bool Save();

private:
    std::string m_path;
    std::map<std::string, std::string> m_values;
    std::set<std::string> m_changed;
};

inline constexpr const char* kTemplatePathKey = "TemplatePath";
inline constexpr const char* kInspectionPathKey = "InspectionPath";
// The desktop program's main window ("x,y,width,height", maximized or not) and
// the InspectionID of the inspection last worked on.
inline constexpr const char* kWindowGeometryKey = "WindowGeometry";
inline constexpr const char* kWindowMaximizedKey = "WindowMaximized";
inline constexpr const char* kLastInspectionKey = "LastInspection";

// The user's documents folder ($XDG_DOCUMENTS_DIR, else ~/Documents): where
// reports and exports are offered first.
std::string DocumentsFolder();
// The application data folder, $XDG_DATA_HOME/Veltrane/Inspector (by default
// ~/.local/share/...). New installations keep their two data files here, out of
// the folders a user browses: a file dialog shown on the data files' folder is
// the one place where another piece of code could come near them.
std::string ApplicationDataFolder();
// "Template_Data.cdb" and "Inspection_Data.cdb" in the application data folder:
// the paths of a new installation (a settings file keeps the paths it names).
std::string DefaultTemplatePath();
std::string DefaultInspectionPath();

} // namespace app
