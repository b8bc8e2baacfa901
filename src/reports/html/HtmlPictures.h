#pragma once
// The pictures of an HTML report, copied into the folder of its pages. A page
// never links a user's file: each picture it shows is prepared (upright,
// scaled to the size it is shown at, JPEG or PNG, which every browser shows)
// and written beside the pages under a safe name of its own. Only the pictures
// the pages use are written, each once.
#include "reports/pictures/PicturePrep.h"

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace reports::html {

// Prepares the picture of a file to fit the given pixels; nothing when it
// cannot be read.
using PrepareFunction =
    std::function<std::optional<pictures::PreparedPicture>(const std::string& path, int maxWidth, int maxHeight)>;

struct PlacedPicture {
    std::string fileName; // the name in the folder, the one the page links
    int width = 0;        // pixels shown
    int height = 0;
};

class PictureFolder {
public:
    explicit PictureFolder(std::filesystem::path folder, PrepareFunction prepare = {});

    // The copy of the picture in `path` fitting `maxWidth` x `maxHeight`,
    // written on first use. Nothing when the file is missing or unreadable.
    std::optional<PlacedPicture> Place(const std::string& path, int maxWidth, int maxHeight);

    // The names written, in order.
    const std::vector<std::string>& Written() const { return m_written; }
    // True when a picture could be read but not written (the disk, not the picture).
    bool WriteFailed() const { return m_writeFailed; }

private:
    std::string UniqueName(const std::string& source, pictures::Encoding encoding);

    std::filesystem::path m_folder;
    PrepareFunction m_prepare;
    std::map<std::tuple<std::string, int, int>, std::optional<PlacedPicture>> m_placed;
    std::set<std::string> m_names;
    std::vector<std::string> m_written;
    bool m_writeFailed = false;
};

} // namespace reports::html
