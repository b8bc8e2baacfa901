#pragma once
// A decoded picture in plain memory: rows top to bottom, pixels as 0xAARRGGBB.
#include <cstdint>
#include <optional>
#include <vector>

namespace store {

struct Bitmap {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0; // of the stored picture
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Decodes a bitmap file (file header, info header, colour table, pixel rows)
// of 1, 4, 8, 16, 24 or 32 bits per pixel, uncompressed (16 and 32 bits also
// with bit-field masks). Anything truncated or malformed gives nothing.
std::optional<Bitmap> DecodeBitmapFile(const std::uint8_t* data, std::size_t size);

} // namespace store
