#include "reports/rtf/AppDataFolder.h"

#include "app/Settings.h"
#include "text/Windows1252.h"

#include <cstdlib>
#include <filesystem>

namespace reports::rtf {

std::string AppDataFolder()
{
    if (const char* own = std::getenv("INSPECTOR_APPDATA"); own && *own)
        return own;
    return app::ApplicationDataFolder();
}

std::string LogoFile(const std::string& name)
{
    const auto folder = std::filesystem::path(AppDataFolder()) / "Logos";
    const auto exact = folder / name;
    std::error_code ec;
    if (std::filesystem::is_regular_file(exact, ec))
        return exact.string();
    // Logo files copied from another system may differ in letter case.
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (text::EqualsIgnoreCase(it->path().filename().string(), name))
            return it->path().string();
    return exact.string();
}

} // namespace reports::rtf
