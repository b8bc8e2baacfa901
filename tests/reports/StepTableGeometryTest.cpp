// The step tables' column geometry: the text width filled, header words whole.
#include "reports/layout/StepTableGeometry.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace reports::layout;

namespace {
constexpr std::array<double, 5> kFourColumnWidths = {0.6, 1.28, 1.12, 1.0, 1.75};
constexpr int kRowEnd = kReportTextWidth + kCellGap; // 10188
} // namespace

TEST(StepTableGeometry, EveryLayoutFillsTheTextWidthInTheConfiguredProportions)
{
    StepTableInput input;
    input.widthsInches = kFourColumnWidths;
    const auto four = StepTable(input);
    EXPECT_EQ(four.edges, (std::vector<int>{966, 3258, 5264, 7054, kRowEnd}));
    EXPECT_TRUE(four.numbered);
    EXPECT_TRUE(four.headersFit);
    EXPECT_EQ(std::accumulate(four.widths.begin(), four.widths.end(), 0), kReportTextWidth + 2 * kCellGap);

    // The same settings in the 3- and 2-column layouts: the whole line, not 4.0 or 2.9 inches.
    for (int columns : {3, 2}) {
        SCOPED_TRACE(columns);
        input.columnCount = columns;
        const auto g = StepTable(input);
        ASSERT_EQ(g.edges.size(), static_cast<std::size_t>(columns + 1));
        EXPECT_EQ(g.edges.back(), kRowEnd);
        // Number and title keep their share; the comments take what the layout leaves out.
        EXPECT_EQ(std::vector<int>(g.edges.begin(), g.edges.begin() + 2), (std::vector<int>{966, 3258}));
    }

    // No step number (width 0): the number cell takes no room, the others share the line.
    input.columnCount = 2;
    input.french = true;
    input.widthsInches = {0, 1.23, 4.19, 0, 0};
    const auto french = StepTable(input);
    EXPECT_FALSE(french.numbered);
    EXPECT_EQ(french.edges, (std::vector<int>{-108, 2229, kRowEnd}));
}

TEST(StepTableGeometry, NarrowCellsTakeRoomForTheirLongestHeaderOrRatingWord)
{
    StepTableInput input;
    input.columnCount = 2;
    input.french = true;
    input.widthsInches = {0.3, 3.0, 0.3, 0, 0};
    const auto g = StepTable(input);
    const int commentaires = EstimateWordWidth("Commentaires", 24, true) + 2 * kCellGap;
    EXPECT_GE(g.widths[2], commentaires);
    EXPECT_GE(g.widths[0], EstimateWordWidth("Etape", 24, true) + 2 * kCellGap);
    EXPECT_EQ(g.edges.back(), kRowEnd);

    // The rating cell keeps the longest rating whole, measured as the writer measures.
    input.columnCount = 3;
    input.widthsInches = {0.6, 1.28, 0.2, 4.0, 0};
    input.ratingWords = {"Functional", "Lacks Maintenance"};
    input.measure = [](std::string_view word, int, bool) { return word == "Maintenance" ? 2000 : 100; };
    const auto rated = StepTable(input);
    EXPECT_EQ(rated.widths[2], 2000 + 2 * kCellGap);

    // A line too short for the headers keeps the proportions and says so.
    input.textWidth = 1000;
    input.measure = {};
    EXPECT_FALSE(StepTable(input).headersFit);
}
