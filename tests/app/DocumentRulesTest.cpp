// The text rules of automatic comments, of the names of duplicated categories
// and steps and of files made for an inspection, and the saved window place.
#include "app/DocumentRules.h"
#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

using namespace app;

TEST(DocumentRulesTest, CommentsAreJoinedByTwoSpacesAfterAFullStopOrByTheBlankLineOption)
{
    EXPECT_EQ(AutomaticCommentText("[*]Roof seen from the ground."), "Roof seen from the ground.");
    EXPECT_EQ(AutomaticCommentText("[*ROOF] Walked on."), " Walked on.");
    // Without "]" the whole text counts, "[*" included.
    EXPECT_EQ(AutomaticCommentText("[*no closing bracket"), "[*no closing bracket");
    EXPECT_FALSE(AutomaticCommentText("[REPAIR]Not automatic."));
    EXPECT_FALSE(AutomaticCommentText("Plain text [*] later"));

    std::string text;
    AppendAutomaticComment(text, "First sentence.");
    EXPECT_EQ(text, "First sentence.");
    AppendAutomaticComment(text, "Second sentence");
    EXPECT_EQ(text, "First sentence.  Second sentence");
    // Only a full stop brings the spaces.
    AppendAutomaticComment(text, "Third.");
    EXPECT_EQ(text, "First sentence.  Second sentenceThird.");

    text = "Old text.";
    AppendMaterialComment(text, "Added.", true);
    EXPECT_EQ(text, "Old text.\r\n\r\nAdded.");
    text = "Old text without a stop";
    AppendMaterialComment(text, "Added.", false);
    EXPECT_EQ(text, "Old text without a stop  Added."); // never glued to the text before
    text.clear();
    AppendMaterialComment(text, "", true);
    EXPECT_EQ(text, "");
    AppendMaterialComment(text, "First.", true);
    EXPECT_EQ(text, "First."); // no blank line in front of the first comment
}

TEST(DocumentRulesTest, StepInformationNeedsThreeCharactersAndCopiesNumberOnlyNumberedKeywords)
{
    EXPECT_FALSE(HasStepInformation(""));
    EXPECT_FALSE(HasStepInformation("ab"));
    EXPECT_TRUE(HasStepInformation("abc"));
    // Characters, not bytes: two accented letters are four bytes.
    EXPECT_FALSE(HasStepInformation("\xC3\xA9\xC3\xA9"));
    EXPECT_EQ(MajorSystemOf(""), "Other");
    EXPECT_EQ(MajorSystemOf("Roof"), "Roof");

    // A copied step numbers its major system and title only for a numbered keyword.
    auto copy = [](const char* keyword, const char* title, int number) {
        const auto s = DuplicatedStep(keyword, title, number);
        return s.majorSystem + "|" + s.title;
    };
    EXPECT_EQ(copy("3 Bedroom-Walls", "Walls", 2), "3 2Bedroom-Walls #2|Walls #2");
    EXPECT_EQ(copy("6 Bath", "Sink", 4), "6 4Bath|Sink #4");
    // A digit above 6, no blank, or no digit first: the keyword stays.
    for (const std::string keyword : {"7 Garage", "3Bedroom", "Roof Covering", "Roof-Covering"})
        EXPECT_EQ(copy(keyword.c_str(), "Title", 2), keyword + "|Title");
    EXPECT_EQ(copy("", "Title", 2), "Other|Title");
    EXPECT_EQ(DuplicatedStepNumber("12", 3), "12.3");
    // Base names drop the copy number.
    EXPECT_EQ(DuplicateBaseName("Bedroom #2"), "Bedroom");
    EXPECT_EQ(DuplicateBaseName("Bedroom#2"), "Bedroom");
    EXPECT_EQ(DuplicateBaseName("Master Bedroom"), "Master Bedroom");
    EXPECT_EQ(DuplicateBaseName("#2"), "#2");
    EXPECT_EQ(NumberedName("Bedroom", 3), "Bedroom #3");
}

TEST(DocumentRulesTest, FileNamesTellInspectionsApartWithoutADocNumber)
{
    const struct {
        const char* docNum;
        const char* client;
        const char* address;
        const char* stem;
    } cases[] = {
        {"2024-17", "Ann Lee", "1 Main St", "2024-17"},
        {"", "Ann Lee", "1 Main St", "Ann Lee"},
        {" ", "", "12 Elm St / Unit 3", "12 Elm St - Unit 3"},
        {"", "", "", "Inspection42"},
        {"", "Côté: \"Anne\"", "", "Côté- -Anne-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stem);
        EXPECT_EQ(InspectionFileStem(c.docNum, c.client, c.address, 42), c.stem);
    }
    // A long address is cut whole characters at a time.
    const std::string longAddress = std::string(59, 'a') + "é" + "rest";
    EXPECT_EQ(InspectionFileStem("", "", longAddress, 1), std::string(59, 'a') + "é");
}

TEST(DocumentRulesTest, SavedWindowPlacesComeBackWhollyOnTheScreen)
{
    EXPECT_EQ(ParseRect("10,-20,800,600"), (Rect{10, -20, 800, 600}));
    for (const char* bad : {"", "1,2,3", "1,2,3,4,5", "a,b,c,d", "0,0,0,600", "1,2,3,4 "})
        EXPECT_FALSE(ParseRect(bad)) << bad;
    EXPECT_EQ(RectText({1, 2, 3, 4}), "1,2,3,4");

    const Rect screen{0, 0, 1280, 1024};
    EXPECT_EQ(FitOnScreen({100, 100, 800, 600}, screen), (Rect{100, 100, 800, 600}));
    EXPECT_EQ(FitOnScreen({3000, 50, 800, 600}, screen), (Rect{480, 50, 800, 600})); // a screen gone
    EXPECT_EQ(FitOnScreen({-50, -50, 3871, 700}, screen), (Rect{0, 0, 1280, 700}));  // wider than the screen
}
