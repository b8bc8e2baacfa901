#include "options/ReportLogo.h"

#include "reports/rtf/AppDataFolder.h"

#include <filesystem>

namespace options {

std::string LogoPath()
{
    return (std::filesystem::path(reports::rtf::AppDataFolder()) / "Logos" / "logo1.jpg").string();
}

std::string CurrentLogo()
{
    const std::string file = reports::rtf::LogoFile("logo1.jpg");
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec) ? file : std::string();
}

bool ClearLogo()
{
    // A logo copied in by hand may be named Logo1.JPG; every spelling goes.
    for (int i = 0; i < 16; ++i) {
        const std::string file = CurrentLogo();
        if (file.empty())
            return true;
        std::error_code ec;
        if (!std::filesystem::remove(file, ec))
            return false;
    }
    return CurrentLogo().empty();
}

} // namespace options
