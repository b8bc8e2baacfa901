#include "reports/layout/StepTableGeometry.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace reports::layout {
namespace {

// Widths when none is configured, in the proportions of the starter settings.
constexpr std::array<double, 5> kDefaultWidths = {0.6, 1.3, 1.2, 1.0, 2.9};

// Advance widths in thousandths of the em, close to Arial's (wider than Times).
int CharWidth(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return c == 'I' ? 280 : (c == 'M' || c == 'W') ? 940 : 730;
    if (c >= '0' && c <= '9')
        return 560;
    switch (c) {
    case 'i': case 'j': case 'l': return 280;
    case 'f': case 't': case 'r': return 390;
    case 'm': return 890;
    case 'w': return 780;
    case ' ': return 280;
    case '.': case ',': case ':': case ';': case '\'': case '!': case '|': return 280;
    case '(': case ')': case '[': case ']': case '-': case '/': return 340;
    case '#': return 560;
    default: return c >= 0x80 ? 300 : 590; // a byte of a longer UTF-8 character counts partly
    }
}

std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    for (char c : text + " ") {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

} // namespace

std::vector<StepCell> StepTableCells(int columnCount)
{
    using enum StepCell;
    if (columnCount == 4)
        return {Number, Title, Materials, Rating, Comments};
    if (columnCount == 3)
        return {Number, Title, Rating, Comments};
    return {Number, Title, Comments};
}

std::vector<std::string> StepTableHeaders(int columnCount, bool french)
{
    if (columnCount == 4)
        return {"Step #", "Item", "Materials", "Rating", "Remarks"};
    if (columnCount == 3)
        return {"Step #", "Component", "Rating", "Comments"};
    if (french)
        return {"Etape", "Composante", "Commentaires"};
    return {"Step #", "Component", "Comments"};
}

int EstimateWordWidth(std::string_view word, int halfPoints, bool bold)
{
    long thousandths = 0;
    for (unsigned char c : word)
        thousandths += CharWidth(c);
    if (bold)
        thousandths = thousandths * 108 / 100;
    // One em is the point size: halfPoints * 10 twips.
    return static_cast<int>((thousandths * halfPoints * 10 + 999) / 1000);
}

StepTableGeometry StepTable(const StepTableInput& input)
{
    StepTableGeometry g;
    g.cells = StepTableCells(input.columnCount);
    const std::size_t n = g.cells.size();
    const auto headers = StepTableHeaders(input.columnCount, input.french);
    const MeasureWord measure = input.measure ? input.measure : MeasureWord(&EstimateWordWidth);
    const int total = input.textWidth + 2 * kCellGap;

    // A layout with fewer columns gives the widths of the columns it leaves
    // out to its last cell, the comments, which also shows what they held.
    std::vector<double> wanted(n);
    for (std::size_t i = 0; i < input.widthsInches.size(); ++i)
        wanted[std::min(i, n - 1)] += std::max(0.0, input.widthsInches[i]);
    if (std::accumulate(wanted.begin(), wanted.end(), 0.0) <= 0)
        std::copy_n(kDefaultWidths.begin(), n, wanted.begin());
    const double sum = std::accumulate(wanted.begin(), wanted.end(), 0.0);

    std::vector<double> width(n);
    for (std::size_t i = 0; i < n; ++i)
        width[i] = wanted[i] / sum * total;
    // The number cell is shown only where it has room, as the configured
    // width says (an edge right of the margin); an unshown one takes no room.
    g.numbered = width[0] > kCellGap;
    if (!g.numbered) {
        width[0] = 0;
        const double rest = std::accumulate(width.begin() + 1, width.end(), 0.0);
        for (std::size_t i = 1; i < n; ++i)
            width[i] = rest > 0 ? width[i] / rest * total : double(total) / double(n - 1);
    }

    // The least each cell needs: its longest header word in bold, and for the
    // rating cell its longest rating word, plus the gaps.
    std::vector<double> least(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        if (i == 0 && !g.numbered)
            continue;
        std::vector<std::string> words = Words(headers[i]);
        if (g.cells[i] == StepCell::Rating)
            for (const auto& rating : input.ratingWords)
                for (auto& w : Words(rating))
                    words.push_back(w);
        for (const auto& w : words)
            least[i] = std::max(least[i], double(measure(w, input.fontHalfPoints, true)));
        least[i] += 2 * kCellGap;
    }
    const double needed = std::accumulate(least.begin(), least.end(), 0.0);
    if (needed > total) {
        g.headersFit = false;
    } else {
        // Cells short of their least take it from the others' room to spare,
        // in proportion to that room.
        double deficit = 0, spare = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (width[i] < least[i])
                deficit += least[i] - width[i];
            else
                spare += width[i] - least[i];
        }
        if (deficit > 0) {
            for (std::size_t i = 0; i < n; ++i) {
                if (width[i] < least[i])
                    width[i] = least[i];
                else
                    width[i] -= (width[i] - least[i]) / spare * deficit;
            }
        }
    }

    // Whole twips; the last edge is exactly the row's end.
    double cumulative = 0;
    int previous = g.left;
    for (std::size_t i = 0; i < n; ++i) {
        cumulative += width[i];
        const int edge = i + 1 == n ? g.left + total : g.left + static_cast<int>(std::lround(cumulative));
        g.edges.push_back(edge);
        g.widths.push_back(edge - previous);
        previous = edge;
    }
    return g;
}

} // namespace reports::layout
