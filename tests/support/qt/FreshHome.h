#pragma once
// A home of the test's own: HOME and the settings, data, documents and runtime
// folders point into a temporary folder while the object lives, for the
// program (or a process started meanwhile) to start as on a new installation.
#include "support/TempDataFiles.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testing_support::qt {

class FreshHome {
public:
    FreshHome()
    {
        namespace fs = std::filesystem;
        const fs::path home = folder.Path();
        fs::create_directories(home / "run");
        // Qt takes a runtime folder only when no one else may enter it.
        fs::permissions(home / "run", fs::perms::owner_all, fs::perm_options::replace);
        const std::pair<const char*, fs::path> folders[] = {{"HOME", home},
                                                            {"XDG_CONFIG_HOME", home / ".config"},
                                                            {"XDG_DATA_HOME", home / ".local" / "share"},
                                                            {"XDG_DOCUMENTS_DIR", home / "Documents"},
                                                            {"XDG_RUNTIME_DIR", home / "run"}};
        for (const auto& [name, path] : folders) {
            const char* old = std::getenv(name);
            m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
            setenv(name, path.c_str(), 1);
        }
    }
    ~FreshHome()
    {
        for (const auto& [name, value] : m_saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    // Where a new installation keeps its data files.
    std::string DataFolder() const { return (folder.Path() / ".local/share/Veltrane/Inspector").string(); }

    TempFolder folder;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

} // namespace testing_support::qt
