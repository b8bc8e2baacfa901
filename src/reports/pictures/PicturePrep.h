#pragma once
// Pictures as the reports embed them. A report never embeds a user's file as it
// is: the picture is read (JPEG, PNG, BMP, TIFF, WebP, HEIC), turned upright by
// its EXIF orientation, scaled down to the size it is drawn at and encoded as
// JPEG (PNG where it has transparency). Prepared pictures are kept in an
// on-disk cache, so a second report of the same inspection does not prepare
// them again. The user's files are never modified.
#include <cstdint>
#include <optional>
#include <string>

namespace store {
struct Bitmap;
}

namespace reports::pictures {

// The resolution pictures are prepared for: sharp in print, small on disk.
inline constexpr int kPreparedDpi = 300;

enum class Encoding { Jpeg, Png };

struct PictureSize {
    int width = 0;  // pixels, upright (after the EXIF orientation)
    int height = 0;
};

struct PreparedPicture {
    Encoding encoding = Encoding::Jpeg;
    std::string bytes;  // the encoded picture
    int width = 0;      // pixels of the encoded picture
    int height = 0;
};

// The upright size of the picture in `path`, read without decoding it whole;
// nothing when the file is missing or not a picture that can be read (`error`,
// when given, says why).
std::optional<PictureSize> ReadPictureSize(const std::string& path, std::string* error = nullptr);

// The picture in `path` prepared to fit within `maxWidth` x `maxHeight` pixels,
// keeping its proportions and never scaled up. Nothing when the file is missing
// or not a picture that can be read (`error`, when given, says why).
std::optional<PreparedPicture> PreparePicture(const std::string& path, int maxWidth, int maxHeight,
                                              std::string* error = nullptr);

// A decoded picture (the logo stored in the options) prepared the same way,
// always as PNG: logos are drawings, whose edges JPEG would blur. Nothing for
// an empty bitmap.
std::optional<PreparedPicture> PrepareBitmap(const store::Bitmap& bitmap, int maxWidth, int maxHeight,
                                             std::string* error = nullptr);

// The folder of prepared pictures: $XDG_CACHE_HOME (else ~/.cache) followed by
// "Veltrane/Inspector/pictures".
std::string PictureCacheFolder();

// The most the cache keeps, in bytes (500 MB unless changed); when a new
// picture takes it over, the pictures used least recently are removed.
void SetPictureCacheLimit(std::uintmax_t bytes);

// Pixels for a length in inches at the prepared resolution.
inline int PixelsFor(double inches) { return static_cast<int>(inches * kPreparedDpi + 0.5); }

} // namespace reports::pictures
