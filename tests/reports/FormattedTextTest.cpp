// The inspector's formatting words as runs, the rule every report writer shares.
#include "reports/layout/FormattedText.h"

#include <gtest/gtest.h>

using namespace reports::layout;

TEST(FormattedText, RunsCarryTheStyleBreaksAndLiteralBackslashes)
{
    const TextStyle plain, bold{true, false, false}, boldItalic{true, true, false}, under{false, false, true};
    const std::vector<TextRun> expected = {
        {RunKind::Text, "Roof ", plain},
        {RunKind::Text, "worn", bold},
        {RunKind::Tab, {}, bold},
        {RunKind::Text, "C:\\temp", boldItalic},
        {RunKind::ParagraphBreak, {}, boldItalic},
        {RunKind::Text, "{x}\xC2\xA0" "and", plain},
        {RunKind::LineBreak, {}, plain},
        {RunKind::Text, "u", under},
        {RunKind::ParagraphBreak, {}, under},
        {RunKind::ParagraphBreak, {}, under},
        {RunKind::Text, "end\\", under},
    };
    // CR LF then a lone LF: two paragraph breaks.
    EXPECT_EQ(ParseFormattedText("Roof \\b worn\\tab\\i C:\\temp\r\n\\b0\\i0 \\{x\\}\\~and\\line\\ul u\r\n\nend\\"),
              expected);
    EXPECT_EQ(PlainText("a\\b b\\b0\\tab c\\par d\\line e\nf\\x"), "ab\tc\nd\ne\nf\\x");
    EXPECT_TRUE(ParseFormattedText("").empty());
}
