// A library with a mistake is refused with the file and line of the mistake,
// and the template database stays exactly as it was.
#include "store/Database.h"
#include "store/StarterLibrary.h"
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace store;
using namespace testing_support;

namespace {

constexpr int kTemplate = static_cast<int>(DatabaseKind::Template);

// A small library that loads; each case below breaks one line of it.
const char* kScales = "scale Plain\n"        // 1
                      "choice Good | default\n" // 2
                      "choice Poor | bold\n";   // 3
const char* kLists = "picker Spot\n" // 1
                     "entry attic\n" // 2
                     "entry garage\n";
const char* kTemplates = "doctype House | layout=4 Column\n"                            // 1
                         "uses Roof\n"                                                 // 2
                         "comment [*]Standard opening text.\n"                          // 3
                         "category Roof | number=100 | scale=Plain | system=Roof\n"    // 4
                         "step Covering\n"                                             // 5
                         "material Shingles | default\n"                               // 6
                         "material Metal\n"                                            // 7
                         "comment Worn at the ^Spot^. | rating=Poor | hiddenby=Metal\n" // 8
                         "comment Leaks ^(a little,a lot)^.\n";                        // 9

std::vector<LibraryFile> Library(const std::string& templates = kTemplates, const std::string& scales = kScales)
{
    return {{"b-scales.txt", scales}, {"c-lists.txt", kLists}, {"a-templates.txt", templates},
            {"README.md", "this | file is not read\n"}};
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const auto p = text.find(from);
    EXPECT_NE(p, std::string::npos) << from;
    if (p != std::string::npos)
        text.replace(p, from.size(), to);
    return text;
}

class LibraryErrorsTest : public DataFilesTest {
protected:
    void SetUp() override
    {
        DataFilesTest::SetUp();
        Exec(kTemplate, "DELETE FROM Options"); // start without a settings row
    }

    long long Rows()
    {
        long long n = 0;
        for (const char* table : {"InspectionType", "InspectionTypeCategory", "CategoryTemplate", "StepTemplate",
                                  "CategoryStep", "Comments", "StepComment", "InspectionTypeComment",
                                  "MaterialTemplate", "VoidComments", "RatingType", "RatingChoices", "Pickers",
                                  "ExpandedText", "Options"})
            n += QueryInt(kTemplate, std::string("SELECT COUNT(*) FROM ") + table);
        return n;
    }

    // Loads `files`, expects a refusal naming `where`, and an untouched database.
    void ExpectRefused(const std::vector<LibraryFile>& files, const std::string& where, const std::string& problem)
    {
        port.messages.clear();
        EXPECT_FALSE(LoadStarterLibrary(files));
        ASSERT_EQ(port.messages.size(), 1u) << port.AllText();
        EXPECT_NE(port.messages[0].text.find(where + ": "), std::string::npos) << port.messages[0].text;
        EXPECT_NE(port.messages[0].text.find(problem), std::string::npos) << port.messages[0].text;
        EXPECT_EQ(Rows(), 0);
    }
};

TEST_F(LibraryErrorsTest, SmallLibraryLoadsWithItsLinks)
{
    ASSERT_TRUE(LoadStarterLibrary(Library())) << port.AllText();
    EXPECT_EQ(QueryText(kTemplate, "SELECT StepNumber FROM StepTemplate"), "01");
    EXPECT_EQ(QueryInt(kTemplate, "SELECT COUNT(*) FROM VoidComments v JOIN MaterialTemplate m ON m.ID = v.MaterialID "
                                  "JOIN Comments c ON c.ID = v.CommentID WHERE m.MaterialName = 'Metal' "
                                  "AND c.Comments LIKE 'Worn%'"),
              1);
    EXPECT_EQ(QueryText(kTemplate, "SELECT Rating FROM Comments WHERE Comments LIKE 'Worn%'"), "Poor");
    EXPECT_EQ(QueryInt(kTemplate, "SELECT COUNT(*) FROM Comments WHERE Rating IS NULL AND GroupName IS NULL"), 2);
    EXPECT_EQ(QueryInt(kTemplate, "SELECT DefaultMaterial FROM MaterialTemplate WHERE MaterialName = 'Shingles'"), 1);
    EXPECT_EQ(QueryText(kTemplate, "SELECT DataVersion FROM Options"), "5.0");
}

TEST_F(LibraryErrorsTest, MistakesNameFileAndLine)
{
    ExpectRefused(Library(Replace(kTemplates, "uses Roof", "uses Attic")), "a-templates.txt, line 2",
                  "no category has the key \"Attic\"");
    ExpectRefused(Library(Replace(kTemplates, "rating=Poor", "rating=Fair")), "a-templates.txt, line 8",
                  "\"Fair\" is not a choice of the scale \"Plain\"");
    ExpectRefused(Library(Replace(kTemplates, "^Spot^", "^Place^")), "a-templates.txt, line 8", "^Place^");
    ExpectRefused(Library(Replace(kTemplates, "^(a little,a lot)^", "^ a lot")), "a-templates.txt, line 9",
                  "lone \"^\"");
    ExpectRefused(Library(Replace(kTemplates, "hiddenby=Metal", "hiddenby=Tile")), "a-templates.txt, line 8",
                  "no material \"Tile\"");
    ExpectRefused(Library(Replace(kTemplates, "material Metal", "materiel Metal")), "a-templates.txt, line 7",
                  "unknown keyword \"materiel\"");
    ExpectRefused(Library(Replace(kTemplates, "scale=Plain", "scale=Fancy")), "a-templates.txt, line 4",
                  "no scale is named \"Fancy\"");
    ExpectRefused(Library(Replace(kTemplates, "number=100", "number=7")), "a-templates.txt, line 4",
                  "three digits");
    ExpectRefused(Library(kTemplates, Replace(kScales, "choice Poor | bold", "choice Poor | default")),
                  "b-scales.txt, line 3", "already has a default");
    ExpectRefused(Library(kTemplates, Replace(kScales, "choice Poor | bold", "choice Poor | blod")),
                  "b-scales.txt, line 3", "\"blod\" is not a flag");
    ExpectRefused(Library(kTemplates, std::string("choice Stray\n") + kScales), "b-scales.txt, line 1",
                  "must follow a scale");
    // Texts end up in Windows-1252 reports: a character it lacks is refused.
    ExpectRefused(Library(Replace(kTemplates, "Standard opening", "Standard \xE2\x9C\x93 opening")),
                  "a-templates.txt, line 3", "Windows-1252");
    ExpectRefused(Library(Replace(kTemplates, "Standard opening", "Standard \xC3 opening")),
                  "a-templates.txt, line 3", "UTF-8");
}

TEST_F(LibraryErrorsTest, ACancelOrADatabaseFailureRollsEverythingBack)
{
    auto progress = port.progress();
    port.cancelAfter = 3;
    EXPECT_FALSE(LoadStarterLibrary(Library(), progress.get()));
    EXPECT_EQ(Rows(), 0);
    port.cancelAfter = -1;

    Exec(kTemplate, "INSERT INTO Options (ReportFontName) VALUES ('Geneva')"); // kept as it was
    Exec(kTemplate, "CREATE TRIGGER refuse BEFORE INSERT ON StepComment BEGIN SELECT RAISE(ABORT, 'disk full'); END");

    EXPECT_FALSE(LoadStarterLibrary(Library()));
    EXPECT_TRUE(port.Saw("disk full")) << port.AllText();
    EXPECT_EQ(Rows(), 1); // the settings row alone
    EXPECT_EQ(QueryText(kTemplate, "SELECT ReportFontName FROM Options"), "Geneva");
    EXPECT_EQ(QueryText(kTemplate, "SELECT DataVersion FROM Options"), "");

    // Once the cause is gone the same database takes the library, and the
    // settings row is filled in rather than doubled.
    Exec(kTemplate, "DROP TRIGGER refuse");
    port.messages.clear();
    EXPECT_TRUE(LoadStarterLibrary(Library())) << port.AllText();
    EXPECT_EQ(QueryInt(kTemplate, "SELECT COUNT(*) FROM Options"), 1);
    EXPECT_EQ(QueryText(kTemplate, "SELECT DataVersion FROM Options"), "5.0");
}

} // namespace
