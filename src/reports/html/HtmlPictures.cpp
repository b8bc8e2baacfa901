#include "reports/html/HtmlPictures.h"

#include "reports/html/HtmlText.h"

#include <fstream>

namespace reports::html {
PictureFolder::PictureFolder(std::filesystem::path folder, PrepareFunction prepare)
    : m_folder(std::move(folder)), m_prepare(std::move(prepare))
{
    if (!m_prepare)
        m_prepare = [](const std::string& path, int w, int h) { return pictures::PreparePicture(path, w, h); };
}

std::string PictureFolder::UniqueName(const std::string& source, pictures::Encoding encoding)
{
    std::string stem = SafeFileName(std::filesystem::path(source).stem().string());
    const std::string extension = encoding == pictures::Encoding::Png ? ".png" : ".jpg";
    // The page names are the folder's own.
    for (const char* page : {"index", "toc", "inspection"})
        if (stem == page)
            stem += "_picture";
    std::string name = stem + extension;
    for (int n = 2; m_names.count(name); ++n)
        name = stem + "-" + std::to_string(n) + extension;
    m_names.insert(name);
    return name;
}

std::optional<PlacedPicture> PictureFolder::Place(const std::string& path, int maxWidth, int maxHeight)
{
    const auto key = std::make_tuple(path, maxWidth, maxHeight);
    if (const auto found = m_placed.find(key); found != m_placed.end())
        return found->second;
    std::optional<PlacedPicture> placed;
    std::error_code ec;
    if (!path.empty() && std::filesystem::is_regular_file(path, ec)) {
        if (const auto prepared = m_prepare(path, maxWidth, maxHeight)) {
            PlacedPicture picture{UniqueName(path, prepared->encoding), prepared->width, prepared->height};
            std::ofstream out(m_folder / picture.fileName, std::ios::binary | std::ios::trunc);
            out.write(prepared->bytes.data(), static_cast<std::streamsize>(prepared->bytes.size()));
            out.close();
            if (out) {
                m_written.push_back(picture.fileName);
                placed = picture;
            } else {
                m_writeFailed = true;
            }
        }
    }
    m_placed.emplace(key, placed);
    return placed;
}

} // namespace reports::html
