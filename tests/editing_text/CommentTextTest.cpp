// Composing comment text: separators, bracket codes, insertion at the caret,
// placeholders and shortcut words, without a database.
#include "editing/CommentText.h"
#include "editing/Placeholder.h"
#include "editing/Shortcuts.h"

#include <gtest/gtest.h>

#include <deque>

using namespace editing;

namespace {
// An edited text with its selection, as "text|start-end".
std::string Shown(const CommentEdit& e)
{
    return e.text + "|" + std::to_string(e.selStart) + "-" + std::to_string(e.selEnd);
}
} // namespace

TEST(CommentText, StockCommentGoesAfterTheCaretWithTheSeparatorAndIsNeverGlued)
{
    const std::string first = "Roof is old.";
    const int end = static_cast<int>(first.size());
    EXPECT_EQ(Shown(InsertComment({first, end, end}, "Gutters leak.", false)), "Roof is old.  Gutters leak.|27-27");

    auto blank = InsertComment({first, end, end}, "Gutters leak.", true);
    EXPECT_EQ(blank.text, "Roof is old.\r\n\r\nGutters leak.");

    // A selected range is replaced.
    EXPECT_EQ(Shown(InsertComment({"Roof is old. XX Done.", 12, 15}, "New.", false)), "Roof is old.  New. Done.|18-18");

    EXPECT_EQ(Shown(InsertComment({"", 0, 0}, "Gutters leak.", true)), "Gutters leak.|13-13");
    // At the very beginning of a text the comment goes first, still separated.
    EXPECT_EQ(Shown(InsertComment({"Roof is old.", 0, 0}, "Gutters leak.", false)),
              "Gutters leak.  Roof is old.|15-15");

    // A group heading inserts the separator alone.
    auto heading = InsertComment({"Roof is old.", 12, 12}, "", false);
    EXPECT_EQ(heading.text, "Roof is old.  ");

    // A stale selection beyond the text is kept inside it.
    auto stale = InsertComment({"Short.", 40, 50}, "More.", false);
    EXPECT_EQ(stale.text, "Short.  More.");
}

TEST(CommentText, BracketCodesAndGroupHeadings)
{
    EXPECT_EQ(DropBracketCode("[A1]Loose trim"), "Loose trim");
    EXPECT_EQ(DropBracketCode("[REPAIR]Fix [it] now"), "Fix [it] now");
    EXPECT_EQ(DropBracketCode("No code [here]"), "No code [here]");
    EXPECT_EQ(DropBracketCode("[unclosed code"), "[unclosed code");
    EXPECT_EQ(GroupHeading("Damage"), "***********************Damage***********************");
    EXPECT_TRUE(IsGroupHeading(GroupHeading("Damage")));
    EXPECT_FALSE(IsGroupHeading("**bold** comment"));
    EXPECT_EQ(GroupRating("Damage"), "<<Damage>>");
}

TEST(CommentText, InsertAtCaretAndAppend)
{
    EXPECT_EQ(Shown(InsertAtCaret({"abcdef", 2, 4}, "XY")), "abXYef|4-4");
    EXPECT_EQ(InsertAtCaret({"abc", -1, -1}, ".").text, ".abc");

    std::string text;
    AppendComment(text, "First.", true);
    EXPECT_EQ(text, "First.");
    AppendComment(text, "Second.", true);
    EXPECT_EQ(text, "First.\r\n\r\nSecond.");
    AppendComment(text, "", false);
    EXPECT_EQ(text, "First.\r\n\r\nSecond.");
    std::string typed = "No full stop";
    AppendComment(typed, "Next.", false);
    EXPECT_EQ(typed, "No full stop  Next.");
}

namespace {
PickerLists Locations()
{
    PickerLists lists;
    lists.Add("Location", "[F]front of the house");
    lists.Add("Location", "rear");
    return lists;
}
} // namespace

TEST(Placeholder, FindsNamedInlineAndLoneCarets)
{
    const auto pickers = Locations();
    auto named = FindPlaceholder("Rot at the ^Location^ wall.", pickers);
    ASSERT_TRUE(named);
    EXPECT_EQ(std::to_string(named->start) + "+" + std::to_string(named->length) + " " + named->name, "11+10 Location");
    auto prompt = PromptFor("Rot at the ^Location^ wall.", *named, pickers);
    EXPECT_EQ(prompt.label, "Replace ^Location^ with:");
    EXPECT_EQ(prompt.choices, (std::vector<std::string>{"[F]front of the house", "rear"}));

    auto inline_ = FindPlaceholder("A ^(minor, moderate,severe)^ crack", pickers);
    ASSERT_TRUE(inline_);
    EXPECT_EQ(PromptFor("", *inline_, pickers).choices, (std::vector<std::string>{"minor", "moderate", "severe"}));

    // A run that names no list: only the first caret is a placeholder.
    auto unknown = FindPlaceholder("Cost ^Nowhere^ dollars", pickers);
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->length, 1u);
    EXPECT_TRUE(unknown->name.empty());
    auto lonePrompt = PromptFor("x", *unknown, pickers);
    EXPECT_EQ(lonePrompt.label, "Replace ^ with:");
    EXPECT_TRUE(lonePrompt.choices.empty());

    EXPECT_FALSE(FindPlaceholder("nothing to fill", pickers));
}

TEST(Placeholder, ChoicesCombineAndFillInTurn)
{
    const auto pickers = Locations();
    EXPECT_EQ(AddChoice(AddChoice("", "[F]front of the house"), "rear"), "front of the house, rear");

    std::vector<std::string> labels;
    std::deque<std::optional<std::string>> answers{"front ", "12"};
    auto ask = [&](const PlaceholderPrompt& prompt) {
        labels.push_back(prompt.label);
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    };
    EXPECT_EQ(ReplaceCarets("At the ^Location^, ^ feet up.", pickers, ask), "At the front, 12 feet up.");
    EXPECT_EQ(labels, (std::vector<std::string>{"Replace ^Location^ with:", "Replace ^ with:"}));

    // Cancel keeps the remaining carets.
    int asked = 0;
    auto cancelSecond = [&](const PlaceholderPrompt&) -> std::optional<std::string> {
        return ++asked == 1 ? std::optional<std::string>("rear") : std::nullopt;
    };
    EXPECT_EQ(ReplaceCarets("^Location^ and ^Location^", pickers, cancelSecond), "rear and ^Location^");

    // A value holding a caret is kept as typed and not asked about again.
    int rounds = 0;
    auto caretValue = [&](const PlaceholderPrompt&) -> std::optional<std::string> {
        ++rounds;
        return std::string("2^3");
    };
    EXPECT_EQ(ReplaceCarets("x ^ y", pickers, caretValue), "x 2^3 y");
    EXPECT_EQ(rounds, 1);
}

TEST(Shortcuts, ExpandAtTheCaretOnlyForKnownWords)
{
    ShortcutMap shortcuts;
    shortcuts.Add("gfci", "ground fault circuit interrupter (GFCI)");

    const std::string typed = "Install a gfci@";
    auto hit = FindShortcut(typed, static_cast<int>(typed.size()), shortcuts);
    ASSERT_TRUE(hit);
    auto expanded = ExpandShortcut(typed, *hit, static_cast<int>(typed.size()));
    EXPECT_EQ(expanded.text, "Install a ground fault circuit interrupter (GFCI)");
    EXPECT_EQ(expanded.caret, static_cast<int>(expanded.text.size()));

    // The character typed after the "@" stays, and the caret stays behind it.
    const std::string after = "Test.gfci@ outlets";
    auto later = FindShortcut(after, 11, shortcuts);
    ASSERT_TRUE(later);
    auto kept = ExpandShortcut(after, *later, 11);
    EXPECT_EQ(kept.text, "Test.ground fault circuit interrupter (GFCI) outlets");
    EXPECT_EQ(kept.text.substr(0, kept.caret), "Test.ground fault circuit interrupter (GFCI) ");

    EXPECT_FALSE(FindShortcut("a GFCI@", 7, shortcuts)); // letter case counts
    EXPECT_FALSE(FindShortcut("a xyz@", 6, shortcuts));
    EXPECT_FALSE(FindShortcut("@", 1, shortcuts));
    EXPECT_FALSE(FindShortcut("gfci@ is far back", 17, shortcuts));
}
