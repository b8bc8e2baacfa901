// The rules of the Options sheet and `inspector-cli options`: values refused
// before anything is saved, columns set by name, the picture folder, the data
// path check and numbered tags without a picture folder.
#include "editing/PictureTags.h"
#include "options/DataPathChange.h"
#include "options/OptionsRules.h"
#include "store/Database.h"
#include "support/RunCommand.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>

using namespace options;
using testing_support::DataFilesTest;
using testing_support::TempFolder;

namespace {

void Touch(const std::string& path, const std::string& content = {})
{
    std::ofstream(path, std::ios::binary) << content;
}

} // namespace

TEST(OptionsRules, ValuesOutsideTheirRangeAndShortOwnerNamesAreRefused)
{
    struct Case {
        std::array<double, 5> widths;
        bool ok;
    };
    const Case cases[] = {
        {{0.73, 1.23, 4.19, 0, 0}, true},   // the two-column defaults
        {{0.6, 1.28, 1.12, 1.0, 1.75}, true}, // the four-column defaults
        {{1, 2, 2, 1, 1}, true},            // exactly the text width
        {{1, 2, 2, 1, 1.01}, false},        // wider than the page's text
        {{-0.1, 2, 2, 0, 0}, false},
        {{0, 0, 0, 0, 0}, false},
        {{std::nan(""), 1, 1, 0, 0}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.widths[0] + c.widths[4]);
        EXPECT_EQ(!CheckColumnWidths(c.widths).has_value(), c.ok);
    }
    EXPECT_FALSE(CheckFontSize(12));
    EXPECT_TRUE(CheckFontSize(11));
    EXPECT_FALSE(CheckStepSpacing(1));
    EXPECT_TRUE(CheckStepSpacing(0));
    EXPECT_FALSE(CheckDefaultStepPage(3));
    EXPECT_EQ(CheckDefaultStepPage(4).value_or(""),
              "ERROR\n\nThe preferences setting for default Step Page was invalid.\n"
              "Please write down or take a screen shot of this message.\n\n"
              "m_Options_DefaultStepPageIndex = 4\ncombo->GetCount() = 4");
    EXPECT_EQ(ParseNumber(" 1.5 "), 1.5);
    EXPECT_FALSE(ParseNumber("1,5"));
    EXPECT_FALSE(ParseNumber("12pt"));
    EXPECT_FALSE(ParseInteger(""));

    // The owner name keeps the start-up rule; area codes have three characters.
    struct OwnerCase {
        const char* name;
        const char* workCode;
        bool ok;
    };
    const OwnerCase owners[] = {
        {"Annie", "612", true},
        {"  Ann  ", "", false},                          // trimmed: 3 characters
        {"J\xC3\xA9r\xC3\xB4me", "", true},              // 6 characters in 8 bytes
        {"Abcdefghijklmnopqrstuvwxyz12345", "", false}, // 31
        {"Annie", "6125", false},
    };
    for (const auto& c : owners) {
        SCOPED_TRACE(c.name);
        store::Owner owner;
        owner.m_Name = c.name;
        owner.m_WorkAreaCode = c.workCode;
        EXPECT_EQ(!CheckOwner(owner).has_value(), c.ok);
    }
}

TEST(OptionsRules, PictureFolderEndsInOneSeparatorAndWithoutOneNumberedTagsAreErrors)
{
    TempFolder folder;
    const std::string photo = folder.File("IMG_0001.JPG");
    Touch(photo);
    const std::string dir = folder.Path().string();
    EXPECT_EQ(PictureFolder("") + "|" + PictureFolder("/media/card") + "|" + PictureFolder("/media/card//"),
              "|/media/card/|/media/card/");
    EXPECT_EQ(PictureFolderOfChoice(photo), dir + "/");
    EXPECT_EQ(PictureFolderOfChoice(dir), dir + "/");
    EXPECT_EQ(StoredLineEnds("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(ShownLineEnds("a\r\nb\rc"), "a\nb\nc");

    // Whatever the current folder holds, an empty picture folder is no folder.
    Touch(folder.File("HousePhoto.jpg"), "\xFF\xD8\xFF\xD9");
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    const std::string empty = editing::NumberedPictureFile("", 1);
    const std::string dot = editing::NumberedPictureFile(PictureFolder("."), 1);
    std::filesystem::current_path(before);
    EXPECT_EQ(empty, editing::kTagError);
    EXPECT_NE(dot, editing::kTagError); // a folder chosen on purpose still works
    EXPECT_NE(editing::PictureFolderHint("").find("Options"), std::string::npos);
}

class OptionsRows : public DataFilesTest {};

TEST_F(OptionsRows, ColumnsSetByNameAreSavedOnlyWhenEveryRuleHolds)
{
    {
        store::Options o;
        store::Owner owner;
        LoadOwner(owner);
        EXPECT_FALSE(SetOptionValue(o, "columnwidth1", "1.0")); // names ignore case
        EXPECT_FALSE(SetOptionValue(o, "HideRatings", "yes"));
        EXPECT_FALSE(SetOptionValue(o, "String5", "Line one\nLine two"));
        EXPECT_FALSE(SetOptionValue(o, "DefaultPictCardPath", "/home/ann/Pictures"));
        EXPECT_TRUE(SetOptionValue(o, "ReportFontSize", "large"));
        EXPECT_TRUE(SetOptionValue(o, "DataVersion", "9.9")); // not a column the sheet edits
        EXPECT_FALSE(SetOwnerValue(owner, "Name", "Ann Inspector"));
        EXPECT_FALSE(SetOwnerValue(owner, "Company", "Sound Homes LLC"));
        EXPECT_FALSE(SaveRows(o, &owner));
    }
    store::Options o;
    EXPECT_EQ(o.m_ColumnWidth1, 1.0);
    EXPECT_NE(o.m_HideRatings, 0);
    EXPECT_EQ(o.m_String5, "Line one\r\nLine two");
    EXPECT_EQ(o.m_DefaultPictCardPath, "/home/ann/Pictures/");
    EXPECT_EQ(OptionValue(o, "HideRatings"), "1");
    store::Owner owner;
    LoadOwner(owner);
    EXPECT_EQ(owner.m_Company, "Sound Homes LLC");

    // A refused value leaves both rows as they were.
    store::Options bad;
    ASSERT_FALSE(SetOptionValue(bad, "ColumnWidth3", "6.5"));
    ASSERT_FALSE(SetOwnerValue(owner, "Company", "Other Co"));
    EXPECT_TRUE(SaveRows(bad, &owner));
    EXPECT_EQ(store::Options().m_ColumnWidth3, o.m_ColumnWidth3);
    store::Owner again;
    LoadOwner(again);
    EXPECT_EQ(again.m_Company, "Sound Homes LLC");
}

TEST_F(OptionsRows, DataPathsAreJudgedWithoutTouchingTheOpenFiles)
{
    using store::DatabaseKind;
    Touch(folder.File("notes.txt"), "not a database");
    EXPECT_EQ(CheckDataPath(DatabaseKind::Template, templatePath).state, PathState::InUse);
    for (const std::string& refused : {inspectionPath, folder.File("notes.txt"), folder.Path().string(), std::string()})
        EXPECT_EQ(CheckDataPath(DatabaseKind::Template, refused).state, PathState::Refused) << refused;

    const std::string fresh = folder.File("new/Template_Data.cdb");
    const PathCheck missing = CheckDataPath(DatabaseKind::Template, fresh);
    ASSERT_EQ(missing.state, PathState::Missing);
    EXPECT_NE(missing.message.find("Create"), std::string::npos);
    ASSERT_TRUE(CreateDataFile(DatabaseKind::Template, fresh));
    EXPECT_EQ(CheckDataPath(DatabaseKind::Template, fresh).state, PathState::Ready);
    EXPECT_EQ(CheckDataPath(DatabaseKind::Inspection, fresh).state, PathState::Refused);
    // The program goes on with the files it had open.
    EXPECT_EQ(store::Database::Path(DatabaseKind::Template), templatePath);
    store::Options afterwards;
    store::Owner owner;
    LoadOwner(owner);
    owner.m_Name = "Still Works";
    EXPECT_FALSE(SaveRows(afterwards, &owner));

    app::Settings settings(folder.File("config/Inspector.conf"));
    ASSERT_TRUE(SaveDataPaths(settings, {fresh, inspectionPath}));
    EXPECT_EQ(app::Settings(settings.Path()).Get(app::kTemplatePathKey), fresh);
}

TEST(OptionsCommand, SetsColumnsByNameWithTheSheetsChecks)
{
    TempFolder home;
    ASSERT_EQ(testing_support::RunCli(home, "init").status, 0);
    struct Case {
        const char* arguments;
        int status;
        const char* output;
    };
    const Case cases[] = {
        {"options --set ColumnWidth1=1.0 ReportFontSize=10 --company 'Sound Homes'", 1, "too short"},
        {"options --set ColumnWidth1=1.0 ReportFontSize=10", 0, "ColumnWidth1 = 1 "},
        {"options --owner-name 'Ann Smith' --owner WorkAreaCode=612 --company 'Sound Homes'", 0,
         "Company = Sound Homes"},
        {"options --set ColumnWidth2=wide", 2, "takes a number of inches"},
        {"options --set Bogus=1", 2, "no column Bogus"},
        {"options --set StepSpacing=3", 1, "must be 1 or 2"},
        {"options", 0, "ReportFontSize = 10 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const auto run = testing_support::RunCli(home, c.arguments);
        EXPECT_EQ(run.status, c.status) << run.output;
        EXPECT_NE(run.output.find(c.output), std::string::npos) << run.output;
    }
}
