// The picture tag functions the report writers and the comment pages use.
#include "editing/PictureTags.h"
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace editing;

TEST(PictureTags, FindStripAndListTags)
{
    const std::string text = "Cracked slab. ***Picture-3;Scaling=50*** See also ***Path=/p/a.jpg;Scaling=25***.";
    EXPECT_EQ(FindFirstTag(text), "***Picture-3;Scaling=50***");
    EXPECT_EQ(StripAllTags(text), "Cracked slab.  See also .");
    EXPECT_EQ(AllTags(text), (std::vector<std::string>{"***Picture-3;Scaling=50***", "***Path=/p/a.jpg;Scaling=25***"}));
    // A single marker holds no tag.
    EXPECT_EQ(FindFirstTag("only *** one marker"), "");
    EXPECT_EQ(StripAllTags("only *** one marker"), "only *** one marker");
}

TEST(PictureTags, KindFileScaleAndNumber)
{
    EXPECT_EQ(TagKind("***Path=/p/a.jpg;Scaling=25***"), kKnownPicture);
    EXPECT_EQ(TagKind("***Picture-3;Scaling=50***"), kGenericPicture);
    EXPECT_EQ(TagKind("***bold words***"), kTagError);
    EXPECT_EQ(TagFile("***Path=/p/a.jpg;Scaling=25***"), "/p/a.jpg");
    EXPECT_EQ(TagScale("***Picture-3;Scaling=50***"), 50);
    EXPECT_EQ(TagScale("***Picture-3***"), 100);
    EXPECT_EQ(TagPictureNumber("***Picture-3;Scaling=50***"), 3);
    EXPECT_EQ(TagPictureNumber("***Picture-12***"), 12);
    // A scale equal to the number must not eat the number.
    EXPECT_EQ(TagPictureNumber("***Picture-100;Scaling=100***"), 100);
    EXPECT_EQ(MakePictureTag(0), " ***Picture-1;Scaling=100***");
}

TEST(PictureTags, NumberedPicturesFollowTheNamesInByteOrder)
{
    testing_support::TempFolder folder;
    for (const char* name : {"b.jpg", "A.JPG", "c.txt"})
        std::ofstream(folder.File(name)) << "x";
    const std::string dir = folder.Path().string() + "/";
    EXPECT_EQ(NumberedPictureFile(dir, 1), folder.File("A.JPG"));
    EXPECT_EQ(NumberedPictureFile(dir, 2), folder.File("b.jpg"));
    EXPECT_EQ(NumberedPictureFile(dir, 3), kTagError);
    EXPECT_EQ(NumberedPictureFile(dir, 0), kTagError);
    // A camera card of more than a hundred pictures is numbered completely.
    for (int i = 0; i < 120; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%04d.JPG", i);
        std::ofstream(folder.File(name)) << "x";
    }
    EXPECT_EQ(NumberedPictureFile(dir, 122), folder.File("b.jpg"));
}

TEST(PictureTags, ImageKindByName)
{
    EXPECT_EQ(ImageKind("house.jpg"), "JPG");
    EXPECT_EQ(ImageKind("HOUSE.BMP"), "BMP");
    EXPECT_EQ(ImageKind("bmp-of.jpg"), "JPG"); // both: JPG
    EXPECT_EQ(ImageKind("jpg"), "InvalidImage"); // only after the first character
    EXPECT_EQ(ImageKind("photo.png"), "InvalidImage");
}
