#pragma once
// Writes a decoded picture as a PNG file image (uncompressed deflate blocks),
// the form in which the stored report logo and bitmap step pictures go into
// RTF: word processors show "\pngblip" pictures everywhere, bitmaps not.
#include "store/Bitmap.h"

#include <cstdint>
#include <vector>

namespace reports::rtf {

std::vector<std::uint8_t> EncodePng(const store::Bitmap& bitmap);

} // namespace reports::rtf
