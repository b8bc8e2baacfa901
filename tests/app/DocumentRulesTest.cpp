// The text rules of automatic comments and of the names of duplicated categories and steps.
#include "app/DocumentRules.h"

#include <gtest/gtest.h>

using namespace app;

TEST(DocumentRulesTest, AutomaticCommentsAreJoinedWithTwoSpacesAfterAFullStop)
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
}

TEST(DocumentRulesTest, MaterialCommentsFollowTheBlankLineOption)
{
    std::string text = "Old text.";
    AppendMaterialComment(text, "Added.", true);
    EXPECT_EQ(text, "Old text.\r\n\r\nAdded.");
    std::string other = "Old text without a stop";
    AppendMaterialComment(other, "Added.", false);
    EXPECT_EQ(other, "Old text without a stop  Added."); // never glued to the text before
    std::string empty;
    AppendMaterialComment(empty, "", true);
    EXPECT_EQ(empty, "");
    AppendMaterialComment(empty, "First.", true);
    EXPECT_EQ(empty, "First."); // no blank line in front of the first comment
}

TEST(DocumentRulesTest, StepInformationNeedsMoreThanTwoCharacters)
{
    EXPECT_FALSE(HasStepInformation(""));
    EXPECT_FALSE(HasStepInformation("ab"));
    EXPECT_TRUE(HasStepInformation("abc"));
    // Characters, not bytes: two accented letters are four bytes.
    EXPECT_FALSE(HasStepInformation("\xC3\xA9\xC3\xA9"));
    EXPECT_EQ(MajorSystemOf(""), "Other");
    EXPECT_EQ(MajorSystemOf("Roof"), "Roof");
}

TEST(DocumentRulesTest, DuplicatedStepsNumberTheirMajorSystemAndTitleOnlyForNumberedKeywords)
{
    auto s = DuplicatedStep("3 Bedroom-Walls", "Walls", 2);
    EXPECT_EQ(s.majorSystem, "3 2Bedroom-Walls #2");
    EXPECT_EQ(s.title, "Walls #2");
    s = DuplicatedStep("6 Bath", "Sink", 4);
    EXPECT_EQ(s.majorSystem, "6 4Bath");
    EXPECT_EQ(s.title, "Sink #4");
    // A digit above 6, no blank, or no digit first: the keyword stays.
    for (const char* keyword : {"7 Garage", "3Bedroom", "Roof Covering", "Roof-Covering"}) {
        s = DuplicatedStep(keyword, "Title", 2);
        EXPECT_EQ(s.majorSystem, keyword);
        EXPECT_EQ(s.title, "Title");
    }
    EXPECT_EQ(DuplicatedStep("", "Title", 2).majorSystem, "Other");
    EXPECT_EQ(DuplicatedStepNumber("12", 3), "12.3");
}

TEST(DocumentRulesTest, BaseNamesDropTheCopyNumber)
{
    EXPECT_EQ(DuplicateBaseName("Bedroom #2"), "Bedroom");
    EXPECT_EQ(DuplicateBaseName("Bedroom#2"), "Bedroom");
    EXPECT_EQ(DuplicateBaseName("Master Bedroom"), "Master Bedroom");
    EXPECT_EQ(DuplicateBaseName("#2"), "#2");
    EXPECT_EQ(NumberedName("Bedroom", 3), "Bedroom #3");
}
