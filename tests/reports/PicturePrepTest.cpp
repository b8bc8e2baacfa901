// Picture preparation for the reports: upright, scaled down never up, JPEG or
// PNG, pictures that are not refused, the user's file untouched, the cache.
#include "reports/PhotoMaker.h"
#include "reports/ReportFixture.h"
#include "reports/pictures/PicturePrep.h"
#include "store/Bitmap.h"
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

using namespace reports::pictures;
namespace fs = std::filesystem;

namespace {

class PicturePrep : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("XDG_CACHE_HOME", folder.File("cache").c_str(), 1);
        SetPictureCacheLimit(500ull << 20);
    }
    void TearDown() override { unsetenv("XDG_CACHE_HOME"); }

    std::size_t CachedCount() const
    {
        std::error_code ec;
        std::size_t n = 0;
        for (const auto& entry : fs::directory_iterator(PictureCacheFolder(), ec))
            n += entry.path().extension() == ".pic";
        return n;
    }

    testing_support::TempFolder folder;
};

} // namespace

TEST_F(PicturePrep, PortraitPhotoWithOrientationSixComesOutUprightAndNeverLarger)
{
    const std::string photo = folder.File("portrait.jpg");
    report_testing::MakePhoto(photo, 400, 300, 6);
    const std::string before = report_testing::ReadFile(photo);

    const auto size = ReadPictureSize(photo);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 300);
    EXPECT_EQ(size->height, 400);

    const auto small = PreparePicture(photo, 150, 150);
    ASSERT_TRUE(small);
    EXPECT_EQ(small->encoding, Encoding::Jpeg);
    EXPECT_EQ(small->height, 150);
    EXPECT_LT(small->width, small->height);
    EXPECT_EQ(small->bytes.substr(0, 2), "\xFF\xD8");

    const auto large = PreparePicture(photo, 3000, 3000); // never scaled up
    ASSERT_TRUE(large);
    EXPECT_EQ(large->width, 300);
    EXPECT_EQ(large->height, 400);
    EXPECT_EQ(report_testing::ReadFile(photo), before) << "the user's file is never modified";
}

TEST_F(PicturePrep, TransparencyGivesPngBitmapsAndStoredLogosArePrepared)
{
    const std::string png = folder.File("sign.png");
    report_testing::MakePhoto(png, 64, 32, 1, true);
    const auto prepared = PreparePicture(png, 32, 32);
    ASSERT_TRUE(prepared);
    EXPECT_EQ(prepared->encoding, Encoding::Png);
    EXPECT_EQ(prepared->width, 32);
    EXPECT_EQ(prepared->height, 16);

    // A bitmap file of 2 x 1 pixels, 24 bits per pixel (rows padded to 4 bytes).
    std::string bmp = "BM";
    auto put = [&bmp](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            bmp += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put(62, 4), put(0, 4), put(54, 4);
    put(40, 4), put(2, 4), put(1, 4), put(1, 2), put(24, 2), put(0, 4), put(8, 4);
    put(0, 4), put(0, 4), put(0, 4), put(0, 4);
    put(0x0000FF, 3), put(0xFF0000, 3), put(0, 2);
    report_testing::WriteFile(folder.File("old.bmp"), bmp);
    const auto size = ReadPictureSize(folder.File("old.bmp"));
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 2);
    const auto fromBmp = PreparePicture(folder.File("old.bmp"), 100, 100);
    ASSERT_TRUE(fromBmp);
    EXPECT_EQ(fromBmp->encoding, Encoding::Jpeg);
    EXPECT_EQ(fromBmp->width, 2);

    store::Bitmap logo;
    logo.width = 40, logo.height = 20;
    logo.pixels.assign(800, 0xFF336699u);
    const auto fromLogo = PrepareBitmap(logo, 20, 20);
    ASSERT_TRUE(fromLogo);
    EXPECT_EQ(fromLogo->encoding, Encoding::Png);
    EXPECT_EQ(fromLogo->width, 20);
    EXPECT_EQ(fromLogo->height, 10);
    EXPECT_FALSE(PrepareBitmap(store::Bitmap{}, 20, 20));
}

TEST_F(PicturePrep, FilesThatAreNoPictureOrNoneWeOpenAreRefused)
{
    const struct {
        const char* name;
        const char* bytes;
    } cases[] = {
        {"notes.jpg", "Roof notes, not a photo."},
        {"cut.jpg", "\xFF\xD8\xFF\xE0\x00\x10JFIF"},
        {"drawing.jpg", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\"/>"},
        {"doc.jpg", "%PDF-1.4\n%%EOF\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        report_testing::WriteFile(folder.File(c.name), c.bytes);
        std::string error;
        EXPECT_FALSE(PreparePicture(folder.File(c.name), 100, 100, &error));
        EXPECT_NE(error.find(c.name), std::string::npos) << error;
        EXPECT_FALSE(ReadPictureSize(folder.File(c.name)));
    }
    std::string error;
    EXPECT_FALSE(PreparePicture(folder.File("gone.jpg"), 100, 100, &error));
    EXPECT_NE(error.find("gone.jpg"), std::string::npos);
    EXPECT_EQ(CachedCount(), 0u);
}

TEST_F(PicturePrep, CacheServesTheSamePictureUntilTheFileChangesAndDropsTheLeastRecentlyUsed)
{
    std::vector<std::string> photos;
    for (int i = 0; i < 3; ++i) {
        photos.push_back(folder.File("p" + std::to_string(i) + ".jpg"));
        report_testing::MakePhoto(photos.back(), 600 + 10 * i, 400);
    }
    const auto first = PreparePicture(photos[0], 200, 200);
    ASSERT_TRUE(first);
    EXPECT_EQ(PictureCacheFolder(), folder.File("cache") + "/Veltrane/Inspector/pictures");
    EXPECT_EQ(CachedCount(), 1u);
    const auto again = PreparePicture(photos[0], 200, 200);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->bytes, first->bytes);
    EXPECT_EQ(again->width, first->width);
    EXPECT_EQ(CachedCount(), 1u);
    ASSERT_TRUE(PreparePicture(photos[0], 100, 100)); // another size is another entry
    EXPECT_EQ(CachedCount(), 2u);

    // The photo replaced by a portrait one under the same name: prepared anew.
    report_testing::MakePhoto(photos[0], 300, 500);
    fs::last_write_time(photos[0], fs::last_write_time(photos[0]) + std::chrono::seconds(2));
    const auto changed = PreparePicture(photos[0], 200, 200);
    ASSERT_TRUE(changed);
    EXPECT_LT(changed->width, changed->height);

    // Limited to about two entries: the one used least recently goes.
    fs::remove_all(PictureCacheFolder());
    const auto one = PreparePicture(photos[1], 200, 200);
    ASSERT_TRUE(one);
    const std::uintmax_t entry = one->bytes.size() + 200;
    SetPictureCacheLimit(2 * entry + entry / 2);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(PreparePicture(photos[2], 200, 200));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(PreparePicture(photos[1], 200, 200)); // used again: now the most recent
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(PreparePicture(photos[0], 200, 200)); // over the limit: photos[2] goes
    EXPECT_EQ(CachedCount(), 2u);
    // An entry names its file: photos[1] and photos[0] are kept, photos[2] is gone.
    std::string kept;
    for (const auto& e : fs::directory_iterator(PictureCacheFolder()))
        kept += report_testing::ReadFile(e.path().string());
    EXPECT_NE(kept.find(photos[1] + "|"), std::string::npos);
    EXPECT_NE(kept.find(photos[0] + "|"), std::string::npos);
    EXPECT_EQ(kept.find(photos[2] + "|"), std::string::npos);
}
