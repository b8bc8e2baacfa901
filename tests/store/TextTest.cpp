// The Windows-1252 codec and the settings file.
#include "app/Settings.h"
#include "support/TempDataFiles.h"
#include "text/Windows1252.h"

#include <gtest/gtest.h>

using namespace text;

TEST(Windows1252Test, EveryByteSurvivesARoundTripAndMissingCharactersBecomeQuestionMarks)
{
    const std::string french = "Fenêtre de la cuisine: « détérioré » — 5 € ‰ œuvre";
    int replaced = -1;
    const std::string bytes = ToWindows1252(french, &replaced);
    EXPECT_EQ(replaced, 0);
    EXPECT_EQ(bytes, "Fen\xEAtre de la cuisine: \xAB d\xE9t\xE9rior\xE9 \xBB \x97 5 \x80 \x89 \x9Cuvre");
    EXPECT_EQ(FromWindows1252(bytes), french);

    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(ToWindows1252(FromWindows1252(all)), all);

    // The separators of the export file are single bytes on the 8-bit side.
    EXPECT_EQ(ToWindows1252("¤§"), "\xA4\xA7");

    replaced = 0;
    EXPECT_EQ(ToWindows1252("Ω 漢字 ok", &replaced), "? ?? ok");
    EXPECT_EQ(replaced, 3);
    EXPECT_EQ(ToWindows1252(std::string("a\xC3") + "b\xE2\x82", &replaced), "a?b??");
    EXPECT_EQ(ToWindows1252("\xC0\xAF", &replaced), "??"); // an overlong slash
    EXPECT_TRUE(EqualsIgnoreCase("4 COLUMN", "4 column"));
    EXPECT_FALSE(EqualsIgnoreCase("4 Column", "4 Columns"));
}

TEST(SettingsTest, ValuesSurviveAndMissingFileIsEmpty)
{
    testing_support::TempFolder folder;
    const std::string path = folder.File("cfg/Veltrane/Inspector.conf");
    {
        app::Settings settings(path);
        EXPECT_FALSE(settings.Get(app::kTemplatePathKey).has_value());
        settings.Set(app::kTemplatePathKey, "/data/My Documents/Template_Data.cdb");
        settings.Set(app::kInspectionPathKey, "/data/x=y.cdb");
        ASSERT_TRUE(settings.Save());
    }
    app::Settings again(path);
    EXPECT_EQ(again.Get(app::kTemplatePathKey).value_or(""), "/data/My Documents/Template_Data.cdb");
    EXPECT_EQ(again.Get(app::kInspectionPathKey).value_or(""), "/data/x=y.cdb");
}
