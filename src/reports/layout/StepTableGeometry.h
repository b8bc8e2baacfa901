#pragma once
// The column geometry of the step tables, one rule for every report writer
// (RTF, print) and for the Options checks. A layout's table fills the text
// width: the configured column widths (ColumnWidth1 to 5) are scaled in
// proportion to the line, so a layout that uses fewer columns is as wide as
// the 4-column one (its comments cell, which also shows the rating and the
// materials there, takes the widths of the columns it leaves out); a cell is never narrower than the longest word of its
// header (and, for the rating cell, of the ratings), so no header breaks
// inside a word; and every row of the table, picture rows included, uses the
// same cell edges.
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace reports::layout {

inline constexpr int kTwipsPerInch = 1440;
// The text line of the reports: letter paper with margins of 1 in (left) and
// 0.5 in (right).
inline constexpr int kReportTextWidth = 12240 - 1440 - 720;
// Every cell keeps this gap on either side of its text; rows start one gap to
// the left of the margin, so cell text lines up with the text around it.
inline constexpr int kCellGap = 108;

enum class StepCell { Number, Title, Materials, Rating, Comments };

// The cells of a step row, left to right: 4 columns have five cells (number,
// title, materials, rating, comments), 3 have four (no materials), 2 have
// three (number, title, comments with the rating in front).
std::vector<StepCell> StepTableCells(int columnCount);

// The header text of each cell, as shown (one line each).
std::vector<std::string> StepTableHeaders(int columnCount, bool french);

// The width of `word` in twips at `halfPoints` (twice the point size).
using MeasureWord = std::function<int(std::string_view word, int halfPoints, bool bold)>;

// A generous estimate of a word's width in the usual proportional fonts, for
// writers that have no font metrics (RTF): wide enough for Arial, so wide
// enough for Times.
int EstimateWordWidth(std::string_view word, int halfPoints, bool bold);

struct StepTableInput {
    int columnCount = 4;                  // 4, 3 or 2
    std::array<double, 5> widthsInches{}; // ColumnWidth1..5; only the first cells' count are used
    int textWidth = kReportTextWidth;     // twips
    int fontHalfPoints = 24;
    bool french = false;
    std::vector<std::string> ratingWords; // ratings the rating cell shows, kept whole
    MeasureWord measure;                  // empty: EstimateWordWidth
};

struct StepTableGeometry {
    std::vector<StepCell> cells;
    std::vector<int> widths; // twips per cell, gaps included; they add up to the row
    std::vector<int> edges;  // the right edge of each cell, from the row's left (-kCellGap)
    int left = -kCellGap;
    bool numbered = false;   // the number cell has room for the number
    bool headersFit = true;  // false: even the whole line cannot keep every header word whole
};

StepTableGeometry StepTable(const StepTableInput& input);

} // namespace reports::layout
