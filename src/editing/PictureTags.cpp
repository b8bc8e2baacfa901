#include "editing/PictureTags.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace editing {
namespace {

constexpr std::string_view kMarker = "***";

void RemoveAll(std::string& text, std::string_view what)
{
    if (what.empty())
        return;
    for (auto pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos))
        text.erase(pos, what.size());
}

// The decimal number at the start of `text` (digits only); 0 when none.
int LeadingNumber(std::string_view text)
{
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > 1000000000)
            break;
    }
    return static_cast<int>(value);
}

} // namespace

std::string FindFirstTag(std::string_view text)
{
    const auto a = text.find(kMarker);
    if (a == std::string_view::npos)
        return {};
    const auto b = text.find(kMarker, a + kMarker.size());
    if (b == std::string_view::npos)
        return {};
    return std::string(text.substr(a, b + kMarker.size() - a));
}

std::string StripAllTags(std::string text)
{
    for (std::string tag = FindFirstTag(text); !tag.empty(); tag = FindFirstTag(text))
        RemoveAll(text, tag);
    return text;
}

std::vector<std::string> AllTags(std::string_view text)
{
    std::vector<std::string> tags;
    std::string rest(text);
    for (std::string tag = FindFirstTag(rest); !tag.empty(); tag = FindFirstTag(rest)) {
        tags.push_back(tag);
        RemoveAll(rest, tag);
    }
    return tags;
}

std::string TagKind(std::string_view tag)
{
    if (tag.find("Path=") != std::string_view::npos)
        return kKnownPicture;
    if (tag.find("Picture-") != std::string_view::npos)
        return kGenericPicture;
    return kTagError;
}

std::string TagFile(std::string_view tag)
{
    std::string body(tag);
    if (body.rfind(kMarker, 0) == 0)
        body = body.size() >= 6 ? body.substr(3, body.size() - 6) : std::string();
    if (const auto semicolon = body.find(';'); semicolon != std::string::npos)
        body.erase(semicolon);
    RemoveAll(body, "Path=");
    return body;
}

int TagScale(std::string_view tag)
{
    std::string body(tag);
    RemoveAll(body, "*");
    const auto at = body.find(";Scaling=");
    if (at == std::string::npos)
        return 100;
    std::string_view rest = std::string_view(body).substr(at + 1);
    rest = rest.substr(rest.find('=') + 1);
    return LeadingNumber(rest);
}

int TagPictureNumber(std::string_view tag)
{
    std::string body(tag);
    RemoveAll(body, "Picture-");
    RemoveAll(body, kMarker);
    const int scale = TagScale(tag);
    RemoveAll(body, ";Scaling=" + std::to_string(scale));
    // A scale written with leading zeros, or without digits, leaves its rest behind.
    if (const auto at = body.find(";Scaling="); at != std::string::npos)
        body.erase(at);
    return LeadingNumber(body);
}

std::string NumberedPictureFile(const std::string& folder, int n)
{
    // No folder chosen yet is no folder at all: never the program's current
    // folder, whose stray JPEGs would become numbered pictures of a report.
    if (folder.empty())
        return kTagError;
    // Every JPEG of the folder counts, however many the camera card holds.
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.find(".JPG") != std::string::npos || name.find(".jpg") != std::string::npos)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    if (n < 1 || static_cast<std::size_t>(n) > names.size())
        return kTagError;
    return (std::filesystem::path(folder) / names[static_cast<std::size_t>(n) - 1]).string();
}

std::string ImageKind(std::string_view fileName)
{
    const std::string_view rest = fileName.empty() ? fileName : fileName.substr(1);
    if (rest.find("jpg") != std::string_view::npos || rest.find("JPG") != std::string_view::npos)
        return "JPG";
    if (rest.find("bmp") != std::string_view::npos || rest.find("BMP") != std::string_view::npos)
        return "BMP";
    return "InvalidImage";
}

std::string MakePictureTag(int n)
{
    return " ***Picture-" + std::to_string(n < 1 ? 1 : n) + ";Scaling=100***";
}

std::string PictureFolderHint(const std::string& folder)
{
    if (folder.empty())
        return "No picture folder is set, so numbered pictures print as missing. Choose the folder under "
               "File, Options..., Header/Footer, Default Picture Card Path.";
    return "Numbered pictures are the JPEG files of " + folder + " in the order of their names.";
}

} // namespace editing
