// Data text to RTF, column edges and picture headers.
#include "reports/rtf/CRTFReportFile.h"
#include "reports/rtf/PictureProbe.h"
#include "reports/rtf/PngEncoder.h"
#include "reports/rtf/RtfText.h"
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

using namespace reports::rtf;

TEST(RtfText, OnlyTheHarmlessFormattingWordsPassEveryOtherBackslashIsACharacter)
{
    const struct {
        const char* text;
        const char* rtf;
    } cases[] = {
        {"{open", "\\{open"},
        {"a}}b", "a\\}\\}b"},
        // Every line end is one paragraph mark: CR LF, CR, a lone LF and the sign U+00AC.
        {"one\r\n\r\ntwo", "one\\par \\par two"},
        {"hood.\nLF-only\rCR", "hood.\\par LF-only\\par CR"},
        {"a\xC2\xAC" "b", "a\\par b"},
        // Formatting words take effect; a style left on ends with the text.
        {"\\b Danger\\b0 here", "\\b Danger\\b0 here"},
        {"\\i\\ul x\\ulnone\\line y\\tab z\\par", "\\i \\ul x\\ulnone \\line y\\tab z\\par \\i0 "},
        {"\\b bold to the end", "\\b bold to the end\\b0 "},
        // Escaped characters stay characters.
        {"\\{x\\} \\\\", "\\{x\\} \\\\"},
        // Paths, unknown and dangerous words are shown as typed.
        {"C:\\temp\\new\\file", "C:\\\\temp\\\\new\\\\file"},
        {"Apt 3\\B", "Apt 3\\\\B"},
        {"\\sect\\page\\*\\fonttbl x\\bin5 \\", "\\\\sect\\\\page\\\\*\\\\fonttbl x\\\\bin5 \\\\"},
        {"\\bold \\b2", "\\\\bold \\\\b2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(EscapeRtf(c.text), c.rtf);
    }
    EXPECT_EQ(EscapePlainRtf("Times\\b {x}"), "Times\\\\b \\{x\\}");
}

TEST(RtfText, NonAsciiIsWrittenAsWindows1252OrUnicode)
{
    EXPECT_EQ(EscapeRtf("caf\xC3\xA9"), "caf\\'e9");              // é is 0xE9
    EXPECT_EQ(EscapeRtf("\xE2\x82\xAC" "5"), "\\'805");           // € is 0x80 in Windows-1252
    EXPECT_EQ(EscapeRtf("\xCF\x88"), "\\u968?");                  // ψ has no Windows-1252 byte
    EXPECT_EQ(EscapeRtf("\xEF\xBC\xA1"), "\\u-223?");             // U+FF21 as signed 16 bits
    EXPECT_EQ(EscapeRtf("\xF0\x9F\x8F\xA0"), "\\u-10180?\\u-8224?"); // U+1F3E0 as two surrogates
}

TEST(RtfText, ColumnEdgesAreTruncatedTwipsFromMinus108)
{
    const auto edges = ColumnEdges(0.6, 1.28, 1.12, 1.0, 1.75);
    EXPECT_EQ(edges[0], 756);  // -108 + 864
    EXPECT_EQ(edges[1], 2599); // 756 + 1843.2
    EXPECT_EQ(edges[2], 4211); // 2599 + 1612.8
    EXPECT_EQ(edges[3], 5651);
    EXPECT_EQ(edges[4], 8171);
    const auto narrow = ColumnEdges(0, 1.23, 4.19, 0, 0);
    EXPECT_EQ(narrow[0], -108);
    EXPECT_EQ(narrow[1], 1663); // -108 + 1771.2
    EXPECT_EQ(narrow[2], 7696); // 1663 + 6033.6
    EXPECT_EQ(ColumnEdges(0.05, 0, 0, 0, 0)[0], -36);
}

TEST(RtfText, HexIsLowerCaseTwoDigitsPerByte)
{
    std::string out = "x";
    const std::uint8_t bytes[] = {0x00, 0x0f, 0xa0, 0xff};
    AppendHex(out, bytes, sizeof bytes);
    EXPECT_EQ(out, "x000fa0ff");
}

namespace {
PictureInfo ProbeBytes(const std::string& bytes)
{
    testing_support::TempFolder folder;
    const std::string path = folder.File("p.bin");
    std::ofstream(path, std::ios::binary) << bytes;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    const PictureInfo info = ProbePicture(f);
    std::fclose(f);
    return info;
}
} // namespace

TEST(PictureProbe, ReadsTheJpegFrameHeaderAfterOtherSegments)
{
    // SOI, JFIF at 300 dpi, a comment, SOF0 of 640 x 480, EOI.
    std::string jpeg = "\xFF\xD8";
    jpeg += std::string("\xFF\xE0\x00\x10JFIF\x00\x01\x01\x01\x01\x2C\x01\x2C\x00\x00", 18);
    jpeg += std::string("\xFF\xFE\x00\x05" "abc", 7);
    jpeg += std::string("\xFF\xC0\x00\x11\x08\x01\xE0\x02\x80\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 19);
    jpeg += "\xFF\xD9";
    const PictureInfo info = ProbeBytes(jpeg);
    EXPECT_EQ(info.format, PictureFormat::Jpeg);
    EXPECT_EQ(info.width, 640);
    EXPECT_EQ(info.height, 480);
    EXPECT_DOUBLE_EQ(info.dpiX, 300);

    // A file cut inside its header gives a JPEG of unknown size, not garbage.
    const PictureInfo cut = ProbeBytes(jpeg.substr(0, 30));
    EXPECT_EQ(cut.width, 0);
    EXPECT_EQ(ProbeBytes("not a picture").format, PictureFormat::Unknown);
}

TEST(PngEncoder, WritesSignatureHeaderAndStoredBlocks)
{
    store::Bitmap bitmap;
    bitmap.width = 2;
    bitmap.height = 1;
    bitmap.pixels = {0xFFFF0000u, 0xFF0000FFu};
    const auto png = EncodePng(bitmap);
    ASSERT_GT(png.size(), 8u + 25 + 12);
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
    // The scan line: filter 0, red pixel, blue pixel.
    const std::vector<std::uint8_t> line = {0, 255, 0, 0, 255, 0, 0, 255, 255};
    EXPECT_NE(std::search(png.begin(), png.end(), line.begin(), line.end()), png.end());
    EXPECT_EQ(std::string(png.end() - 8, png.end() - 4), "IEND");
}
