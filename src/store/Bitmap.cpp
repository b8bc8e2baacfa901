#include "store/Bitmap.h"

#include <bit>
#include <cstring>

namespace store {
namespace {

std::uint32_t U32(const std::uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }
std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

// Scales the bits of `value` under `mask` to 0..255.
std::uint32_t Channel(std::uint32_t value, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const std::uint32_t max = mask >> shift;
    return ((value & mask) >> shift) * 255u / max;
}

} // namespace

std::optional<Bitmap> DecodeBitmapFile(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t kFileHeader = 14;
    if (!data || size < kFileHeader + 40 || data[0] != 'B' || data[1] != 'M')
        return std::nullopt;
    const std::uint32_t pixelOffset = U32(data + 10);
    const std::uint8_t* info = data + kFileHeader;
    const std::uint32_t infoSize = U32(info);
    if (infoSize < 40 || kFileHeader + infoSize > size)
        return std::nullopt;
    const std::int32_t width = static_cast<std::int32_t>(U32(info + 4));
    const std::int32_t rawHeight = static_cast<std::int32_t>(U32(info + 8));
    const int bpp = U16(info + 14);
    const std::uint32_t compression = U32(info + 16);
    std::uint32_t colours = U32(info + 32);
    if (width <= 0 || width > 32768 || rawHeight == 0 || rawHeight < -32768 || rawHeight > 32768)
        return std::nullopt;
    const bool topDown = rawHeight < 0;
    const int height = topDown ? -rawHeight : rawHeight;

    std::uint32_t rMask = 0, gMask = 0, bMask = 0, aMask = 0;
    if (compression == 3 && (bpp == 16 || bpp == 32)) {
        // The masks follow a plain info header, or stand at the same place inside a larger one.
        const std::size_t at = kFileHeader + 40;
        if (at + 12 > size)
            return std::nullopt;
        rMask = U32(data + at);
        gMask = U32(data + at + 4);
        bMask = U32(data + at + 8);
        if (infoSize >= 56 && at + 16 <= size)
            aMask = U32(data + at + 12);
    } else if (compression != 0) {
        return std::nullopt;
    } else if (bpp == 16) {
        rMask = 0x7C00, gMask = 0x03E0, bMask = 0x001F;
    } else if (bpp == 32) {
        rMask = 0x00FF0000, gMask = 0x0000FF00, bMask = 0x000000FF;
    }

    // The colour table of 1, 4 and 8 bit pictures follows the info header.
    std::vector<std::uint32_t> palette;
    if (bpp == 1 || bpp == 4 || bpp == 8) {
        const std::uint32_t maxColours = 1u << bpp;
        if (colours == 0 || colours > maxColours)
            colours = maxColours;
        const std::size_t at = kFileHeader + infoSize;
        if (at + std::size_t(colours) * 4 > size)
            return std::nullopt;
        for (std::uint32_t i = 0; i < colours; ++i) {
            const std::uint8_t* q = data + at + i * 4;
            palette.push_back(0xFF000000u | (q[2] << 16) | (q[1] << 8) | q[0]);
        }
    } else if (bpp != 16 && bpp != 24 && bpp != 32) {
        return std::nullopt;
    }

    const std::size_t stride = ((std::size_t(width) * bpp + 31) / 32) * 4;
    if (pixelOffset > size || (size - pixelOffset) / stride < std::size_t(height))
        return std::nullopt;

    Bitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.bitsPerPixel = bpp;
    bitmap.pixels.resize(std::size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = data + pixelOffset + stride * std::size_t(topDown ? y : height - 1 - y);
        std::uint32_t* out = bitmap.pixels.data() + std::size_t(y) * width;
        for (int x = 0; x < width; ++x) {
            std::uint32_t argb = 0xFF000000u;
            switch (bpp) {
            case 1:
            case 4:
            case 8: {
                const std::size_t bit = std::size_t(x) * bpp;
                const int shift = 8 - bpp - static_cast<int>(bit % 8);
                const std::uint32_t index = (row[bit / 8] >> shift) & ((1u << bpp) - 1);
                argb = index < palette.size() ? palette[index] : 0xFF000000u;
                break;
            }
            case 16: {
                const std::uint32_t v = U16(row + x * 2);
                argb = 0xFF000000u | (Channel(v, rMask) << 16) | (Channel(v, gMask) << 8) | Channel(v, bMask);
                break;
            }
            case 24: {
                const std::uint8_t* p = row + x * 3;
                argb = 0xFF000000u | (p[2] << 16) | (p[1] << 8) | p[0];
                break;
            }
            case 32: {
                const std::uint32_t v = U32(row + x * 4);
                const std::uint32_t alpha = aMask ? Channel(v, aMask) : 255u;
                argb = (alpha << 24) | (Channel(v, rMask) << 16) | (Channel(v, gMask) << 8) | Channel(v, bMask);
                break;
            }
            }
            out[x] = argb;
        }
    }
    return bitmap;
}

} // namespace store
