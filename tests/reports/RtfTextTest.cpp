// Data text to RTF.
#include "reports/rtf/RtfText.h"

#include <gtest/gtest.h>

using namespace reports::rtf;

TEST(RtfText, OnlyTheHarmlessFormattingWordsPassEveryOtherBackslashIsACharacter)
{
    const struct {
        const char* text;
        const char* rtf;
    } cases[] = {
        {"{open", "\\{open"},
        {"a}}b", "a\\}\\}b"},
        // Every line end is one paragraph mark: CR LF, CR, a lone LF and the sign U+00AC.
        {"one\r\n\r\ntwo", "one\\par \\par two"},
        {"hood.\nLF-only\rCR", "hood.\\par LF-only\\par CR"},
        {"a\xC2\xAC" "b", "a\\par b"},
        // Formatting words take effect; a style left on ends with the text.
        {"\\b Danger\\b0 here", "\\b Danger\\b0 here"},
        {"\\i\\ul x\\ulnone\\line y\\tab z\\par", "\\i \\ul x\\ulnone \\line y\\tab z\\par \\i0 "},
        {"\\b bold to the end", "\\b bold to the end\\b0 "},
        // Escaped characters stay characters.
        {"\\{x\\} \\\\", "\\{x\\} \\\\"},
        // Paths, unknown and dangerous words are shown as typed.
        {"C:\\temp\\new\\file", "C:\\\\temp\\\\new\\\\file"},
        {"Apt 3\\B", "Apt 3\\\\B"},
        {"\\sect\\page\\*\\fonttbl x\\bin5 \\", "\\\\sect\\\\page\\\\*\\\\fonttbl x\\\\bin5 \\\\"},
        {"\\bold \\b2", "\\\\bold \\\\b2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(EscapeRtf(c.text), c.rtf);
    }
    EXPECT_EQ(EscapePlainRtf("Times\\b {x}"), "Times\\\\b \\{x\\}");
}

TEST(RtfText, NonAsciiIsWrittenAsWindows1252OrUnicode)
{
    EXPECT_EQ(EscapeRtf("caf\xC3\xA9"), "caf\\'e9");              // é is 0xE9
    EXPECT_EQ(EscapeRtf("\xE2\x82\xAC" "5"), "\\'805");           // € is 0x80 in Windows-1252
    EXPECT_EQ(EscapeRtf("\xCF\x88"), "\\u968?");                  // ψ has no Windows-1252 byte
    EXPECT_EQ(EscapeRtf("\xEF\xBC\xA1"), "\\u-223?");             // U+FF21 as signed 16 bits
    EXPECT_EQ(EscapeRtf("\xF0\x9F\x8F\xA0"), "\\u-10180?\\u-8224?"); // U+1F3E0 as two surrogates
}
