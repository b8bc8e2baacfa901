// The settings row: read defaults and the stored logo.
#include "store/InspectionType.h"
#include "store/Options.h"
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>

using namespace store;
using namespace testing_support;

namespace {

class OptionsTest : public DataFilesTest {
protected:
    bool WantFullStructure() const override { return false; }
};

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A bitmap file of `bpp` bits, 3 x 2 pixels, with the pixel bytes given row by row bottom-up.
std::vector<std::uint8_t> BitmapFile(int bpp, const std::vector<std::uint32_t>& palette,
                                     const std::vector<std::vector<std::uint8_t>>& rows, int width = 3)
{
    const std::size_t stride = ((width * bpp + 31) / 32) * 4;
    const std::size_t offset = 14 + 40 + palette.size() * 4;
    std::vector<std::uint8_t> b(offset + stride * rows.size(), 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    Put32(b, 10, static_cast<std::uint32_t>(offset));
    Put32(b, 14, 40);
    Put32(b, 18, width);
    Put32(b, 22, static_cast<std::uint32_t>(rows.size()));
    b[26] = 1;
    b[28] = static_cast<std::uint8_t>(bpp);
    Put32(b, 46, static_cast<std::uint32_t>(palette.size()));
    for (std::size_t i = 0; i < palette.size(); ++i)
        Put32(b, 54 + i * 4, palette[i]);
    for (std::size_t r = 0; r < rows.size(); ++r)
        std::memcpy(b.data() + offset + r * stride, rows[r].data(), rows[r].size());
    return b;
}

// The row count, font size, step spacing and the five column widths.
std::string Describe(const Options& o)
{
    std::ostringstream out;
    out << o.GetCount() << "|" << o.m_ReportFontSize << "|" << o.m_StepSpacing;
    for (double width : {o.m_ColumnWidth1, o.m_ColumnWidth2, o.m_ColumnWidth3, o.m_ColumnWidth4, o.m_ColumnWidth5})
        out << "|" << width;
    return out.str();
}

std::vector<std::uint8_t> Stored(const std::vector<std::uint8_t>& file)
{
    std::vector<std::uint8_t> blob(kReportIconHeader + file.size(), 0xEE); // the object header, then the file
    std::copy(file.begin(), file.end(), blob.begin() + kReportIconHeader);
    return blob;
}

} // namespace

TEST_F(OptionsTest, EmptyTableGivesUsableDefaultsAndBadValuesAreReplaced)
{
    {
        Options fresh; // creates the table itself
        // The 2-column widths without a document type.
        EXPECT_EQ(Describe(fresh), "0|12|2|0.73|1.23|4.19|0|0");
        EXPECT_FALSE(fresh.GetReportIcon().has_value());
        fresh.m_ReportFontSize = 11;
        fresh.m_StepSpacing = 0;
        fresh.m_ColumnWidth1 = fresh.m_ColumnWidth2 = fresh.m_ColumnWidth3 = 0;
        fresh.m_DataVersion = "5.0";
        ASSERT_TRUE(fresh.Save()); // an empty table gets its first row
    }
    InspectionType type;
    type.CheckStructure();
    type.New();
    type.m_InspectionType = "Home";
    type.m_ReportLayout = "4 column";
    type.Save();

    Options again;
    EXPECT_EQ(again.m_DataVersion, "5.0");
    EXPECT_EQ(Describe(again), "1|12|2|0.6|1.28|1.12|1|1.75");
    EXPECT_EQ(QueryInt(0, "SELECT count(*) FROM Options"), 1);
}

TEST_F(OptionsTest, StoredLogoDecodesAtEveryDepthAndATruncatedOrMalformedOneIsNoPicture)
{
    const std::uint32_t black = 0xFF000000, red = 0xFFFF0000, green = 0xFF00FF00, blue = 0xFF0000FF,
                        white = 0xFFFFFFFF;
    const std::vector<std::uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    struct Case {
        int bpp;
        std::vector<std::uint32_t> palette;
        std::vector<std::vector<std::uint8_t>> rows; // bottom row first
        std::uint32_t top[3]; // the picture's row 0 is the last row stored
        std::uint32_t bottom[3];
    };
    const Case cases[] = {
        {1, {0x000000, 0xFFFFFF}, {{0b10100000}, {0b01000000}}, {black, white, black}, {white, black, white}},
        {4, palette, {{0x12, 0x30}, {0x00, 0x00}}, {black, black, black}, {red, green, blue}},
        {8, palette, {{1, 2, 3}, {0, 0, 0}}, {black, black, black}, {red, green, blue}},
        {16, {}, {{0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00}, {0, 0, 0, 0, 0, 0}}, {black, black, black}, {red, green, blue}},
        {24, {}, {{0, 0, 255, 0, 255, 0, 255, 0, 0}, {255, 255, 255, 0, 0, 0, 0, 0, 0}}, {white, black, black},
         {red, green, blue}},
        {32, {}, {{0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0}, {255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
         {white, black, black}, {red, green, blue}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bpp);
        Options options;
        options.m_ReportIcon = Stored(BitmapFile(c.bpp, c.palette, c.rows));
        const auto bitmap = options.GetReportIcon();
        ASSERT_TRUE(bitmap.has_value());
        EXPECT_EQ(std::vector<int>({bitmap->width, bitmap->height, bitmap->bitsPerPixel}),
                  std::vector<int>({3, 2, c.bpp}));
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(std::pair(bitmap->At(x, 0), bitmap->At(x, 1)), std::pair(c.top[x], c.bottom[x])) << x;
    }

    const auto file = BitmapFile(24, {}, {{0, 0, 255, 0, 255, 0, 255, 0, 0}, {1, 2, 3, 4, 5, 6, 7, 8, 9}});
    const auto whole = Stored(file);
    Options options;
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        options.m_ReportIcon.assign(whole.begin(), whole.begin() + static_cast<long>(cut));
        EXPECT_FALSE(options.GetReportIcon().has_value()) << "cut at " << cut;
    }
    // Lying header fields: a huge width, a pixel offset past the end, an unknown depth.
    auto lie = [&](std::size_t at, std::uint32_t value) {
        auto f = file;
        Put32(f, at, value);
        options.m_ReportIcon = Stored(f);
        return options.GetReportIcon().has_value();
    };
    EXPECT_FALSE(lie(18, 0x7FFFFFFF));
    EXPECT_FALSE(lie(22, 30000));
    EXPECT_FALSE(lie(10, 0xFFFFFFF0));
    EXPECT_FALSE(lie(28 - 2, 0)); // zero planes and zero depth
    auto f = file;
    f[28] = 7;
    options.m_ReportIcon = Stored(f);
    EXPECT_FALSE(options.GetReportIcon().has_value());
}
