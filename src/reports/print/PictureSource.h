#pragma once
// Pictures for the printed pages, read through the shared picture preparation:
// upright, scaled down to the size they are drawn at, one at a time.
#include <QImage>
#include <QSize>

#include <optional>
#include <string>

namespace reports::print {

// Pictures without a stated resolution are as large as on a screen.
inline constexpr double kNaturalDpi = 96.0;

// The upright pixel size of the picture, or nothing when it cannot be read.
std::optional<QSize> PictureNaturalSize(const std::string& path);
// The picture prepared for `widthInches` x `heightInches`; null when unreadable.
QImage PreparedImage(const std::string& path, double widthInches, double heightInches);

} // namespace reports::print
