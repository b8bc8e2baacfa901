#include "exchange/OutputFile.h"

#include "ui/Port.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace exchange {

bool WriteOutputFile(const std::string& path, std::string_view bytes)
{
    namespace fs = std::filesystem;
    const std::string temporary = path + ".part";
    std::string reason;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            reason = std::strerror(errno);
        } else {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.close();
            if (!out)
                reason = "the data could not be written completely";
        }
    }
    std::error_code ec;
    if (reason.empty()) {
        fs::rename(temporary, path, ec);
        if (!ec)
            return true;
        reason = ec.message();
    }
    fs::remove(temporary, ec);
    ui::CurrentPort().inform("The file " + path + " could not be written: " + reason + ".");
    return false;
}

std::string WithDefaultExtension(const std::string& path, std::string_view extension)
{
    if (std::filesystem::path(path).has_extension())
        return path;
    return path + "." + std::string(extension);
}

std::string SuggestedFileName(std::string_view prefix, const std::string& docNumber, std::string_view extension)
{
    std::string name(prefix);
    for (char c : docNumber)
        name += (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' ||
                 c == '|' || static_cast<unsigned char>(c) < 0x20)
                    ? '_'
                    : c;
    name += '.';
    name += extension;
    return name;
}

} // namespace exchange
