#include "reports/rtf/PictureProbe.h"

#include <cstdint>
#include <cstdlib>

namespace reports::rtf {
namespace {

int ReadByte(std::FILE* f)
{
    return std::fgetc(f);
}

long ReadBig16(std::FILE* f)
{
    const int a = ReadByte(f), b = ReadByte(f);
    return a < 0 || b < 0 ? -1 : (a << 8) | b;
}

bool ReadBytes(std::FILE* f, unsigned char* out, std::size_t n)
{
    return std::fread(out, 1, n, f) == n;
}

std::uint32_t Big32(const unsigned char* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

std::int32_t Little32(const unsigned char* p)
{
    return static_cast<std::int32_t>(std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) |
                                     (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24));
}

bool IsStartOfFrame(int marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the marker segments up to the first frame header.
void ProbeJpeg(std::FILE* f, PictureInfo& info)
{
    for (int guard = 0; guard < 1000; ++guard) {
        int c = ReadByte(f);
        while (c >= 0 && c != 0xFF)
            c = ReadByte(f);
        while (c == 0xFF)
            c = ReadByte(f);
        if (c < 0 || c == 0xD9 || c == 0xDA)
            return;
        if (c == 0x01 || (c >= 0xD0 && c <= 0xD8))
            continue;
        const long length = ReadBig16(f);
        if (length < 2)
            return;
        if (c == 0xE0 && length >= 16) {
            unsigned char app[14];
            if (!ReadBytes(f, app, sizeof app))
                return;
            if (app[0] == 'J' && app[1] == 'F' && app[2] == 'I' && app[3] == 'F' && app[4] == 0) {
                const int units = app[7];
                const double x = (app[8] << 8) | app[9], y = (app[10] << 8) | app[11];
                const double perInch = units == 1 ? 1.0 : units == 2 ? 2.54 : 0.0;
                if (perInch > 0 && x > 0 && y > 0)
                    info.dpiX = x * perInch, info.dpiY = y * perInch;
            }
            if (std::fseek(f, length - 2 - 14, SEEK_CUR) != 0)
                return;
            continue;
        }
        if (IsStartOfFrame(c)) {
            unsigned char frame[5];
            if (!ReadBytes(f, frame, sizeof frame))
                return;
            info.height = (frame[1] << 8) | frame[2];
            info.width = (frame[3] << 8) | frame[4];
            return;
        }
        if (std::fseek(f, length - 2, SEEK_CUR) != 0)
            return;
    }
}

} // namespace

PictureInfo ProbePicture(std::FILE* file)
{
    PictureInfo info;
    unsigned char head[26] = {};
    const std::size_t got = std::fread(head, 1, 2, file);
    if (got == 2 && head[0] == 0xFF && head[1] == 0xD8) {
        info.format = PictureFormat::Jpeg;
        ProbeJpeg(file, info);
    } else if (got == 2 && head[0] == 0x89 && head[1] == 'P') {
        if (ReadBytes(file, head + 2, 22) && head[2] == 'N' && head[3] == 'G' && head[12] == 'I' &&
            head[13] == 'H' && head[14] == 'D' && head[15] == 'R') {
            info.format = PictureFormat::Png;
            info.width = static_cast<int>(Big32(head + 16));
            info.height = static_cast<int>(Big32(head + 20));
        }
    } else if (got == 2 && head[0] == 'B' && head[1] == 'M') {
        if (ReadBytes(file, head + 2, 24)) {
            info.format = PictureFormat::Bmp;
            info.width = Little32(head + 18);
            info.height = std::abs(Little32(head + 22));
        }
    }
    if (info.width <= 0 || info.height <= 0)
        info.width = info.height = 0;
    return info;
}

} // namespace reports::rtf
