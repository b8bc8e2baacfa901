// Picture preparation for the reports: upright, scaled down never up, JPEG or
// PNG, files that are no picture refused, the user's file untouched, the cache.
#include "reports/PhotoMaker.h"
#include "reports/ReportFixture.h"
#include "reports/pictures/PicturePrep.h"
#include "store/Bitmap.h"

#include <thread>

using namespace reports::pictures;
namespace fs = std::filesystem;

namespace {

// A prepared picture as "JPEG 113x150" (or "PNG ..."), "none" when there is none.
std::string Describe(const std::optional<PreparedPicture>& p)
{
    if (!p)
        return "none";
    return std::string(p->encoding == Encoding::Jpeg ? "JPEG " : "PNG ") + std::to_string(p->width) + "x" +
           std::to_string(p->height);
}

class PicturePrep : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("XDG_CACHE_HOME", folder.File("cache").c_str(), 1);
        SetPictureCacheLimit(500ull << 20);
    }
    void TearDown() override { unsetenv("XDG_CACHE_HOME"); }

    // Every cache entry's bytes (an entry names the file it was made from).
    std::vector<std::string> Cached() const
    {
        std::vector<std::string> entries;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(PictureCacheFolder(), ec))
            entries.push_back(report_testing::ReadFile(e.path().string()));
        return entries;
    }

    testing_support::TempFolder folder;
};

} // namespace

TEST_F(PicturePrep, FilesThatAreNoPictureAreRefusedPhotosComeOutUprightNeverLargerAndPngOnlyWithTransparency)
{
    const struct {
        const char* name;
        const char* bytes;
    } cases[] = {
        {"notes.jpg", "Roof notes, not a photo."},
        {"cut.jpg", "\xFF\xD8\xFF\xE0\x00\x10JFIF"},
        {"drawing.jpg", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\"/>"},
        {"doc.jpg", "%PDF-1.4\n%%EOF\n"},
        {"gone.jpg", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.bytes)
            report_testing::WriteFile(folder.File(c.name), c.bytes);
        std::string error;
        EXPECT_FALSE(PreparePicture(folder.File(c.name), 100, 100, &error));
        EXPECT_NE(error.find(c.name), std::string::npos) << error;
        EXPECT_FALSE(ReadPictureSize(folder.File(c.name)));
    }
    EXPECT_TRUE(Cached().empty());

    const std::string photo = folder.File("portrait.jpg");
    report_testing::MakePhoto(photo, 400, 300, 6);
    const std::string before = report_testing::ReadFile(photo);
    const auto size = ReadPictureSize(photo);
    ASSERT_TRUE(size);
    EXPECT_EQ(std::make_pair(size->width, size->height), std::make_pair(300, 400));

    const auto small = PreparePicture(photo, 150, 150);
    ASSERT_EQ(Describe(small), "JPEG 113x150");
    EXPECT_EQ(small->bytes.substr(0, 2), "\xFF\xD8");
    EXPECT_EQ(Describe(PreparePicture(photo, 3000, 3000)), "JPEG 300x400");
    EXPECT_EQ(report_testing::ReadFile(photo), before) << "the user's file is never modified";

    report_testing::MakePhoto(folder.File("sign.png"), 64, 32, 1, true);
    EXPECT_EQ(Describe(PreparePicture(folder.File("sign.png"), 32, 32)), "PNG 32x16");

    // A bitmap file of 2 x 1 pixels, 24 bits per pixel, goes through our own decoder.
    std::string bmp = "BM";
    for (std::uint32_t v : {62u, 0u, 54u, 40u, 2u, 1u, 0x180001u, 0u, 8u, 0u, 0u, 0u, 0u, 0xFF0000FFu, 0u})
        for (int i = 0; i < 4; ++i)
            bmp += static_cast<char>((v >> (8 * i)) & 0xFF);
    report_testing::WriteFile(folder.File("old.bmp"), bmp);
    EXPECT_EQ(Describe(PreparePicture(folder.File("old.bmp"), 100, 100)), "JPEG 2x1");

    // The stored logo is a bitmap in memory: always PNG.
    store::Bitmap logo;
    logo.width = 40, logo.height = 20;
    logo.pixels.assign(800, 0xFF336699u);
    EXPECT_EQ(Describe(PrepareBitmap(logo, 20, 20)), "PNG 20x10");
    EXPECT_EQ(Describe(PrepareBitmap(store::Bitmap{}, 20, 20)), "none");
}

TEST_F(PicturePrep, CacheServesAPictureUntilItsFileChangesAndDropsTheLeastRecentlyUsed)
{
    std::vector<std::string> photos;
    for (int i = 0; i < 3; ++i) {
        photos.push_back(folder.File("p" + std::to_string(i) + ".jpg"));
        report_testing::MakePhoto(photos.back(), 600 + 10 * i, 400);
    }
    const auto first = PreparePicture(photos[0], 200, 200);
    ASSERT_TRUE(first);
    EXPECT_EQ(PictureCacheFolder(), folder.File("cache") + "/Veltrane/Inspector/pictures");
    ASSERT_EQ(Cached().size(), 1u);
    EXPECT_EQ(PreparePicture(photos[0], 200, 200)->bytes, first->bytes);
    EXPECT_EQ(Cached().size(), 1u);

    // The file replaced by a portrait photo under the same name: prepared anew.
    report_testing::MakePhoto(photos[0], 300, 500);
    fs::last_write_time(photos[0], fs::last_write_time(photos[0]) + std::chrono::seconds(2));
    const auto changed = PreparePicture(photos[0], 200, 200);
    ASSERT_TRUE(changed);
    EXPECT_LT(changed->width, changed->height);

    // Room for about two entries: the one used least recently goes.
    fs::remove_all(PictureCacheFolder());
    const auto one = PreparePicture(photos[1], 200, 200);
    ASSERT_TRUE(one);
    SetPictureCacheLimit(5 * (one->bytes.size() + 200) / 2);
    for (int p : {2, 1, 0}) { // photos[1] used again after photos[2]
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_TRUE(PreparePicture(photos[static_cast<std::size_t>(p)], 200, 200));
    }
    std::string kept;
    for (const auto& entry : Cached())
        kept += entry;
    EXPECT_NE(kept.find(photos[1] + "|"), std::string::npos);
    EXPECT_NE(kept.find(photos[0] + "|"), std::string::npos);
    EXPECT_EQ(kept.find(photos[2] + "|"), std::string::npos);
}
