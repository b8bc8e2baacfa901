#include "reports/print/PrintItems.h"

#include "reports/layout/StepTableGeometry.h"

#include <algorithm>

namespace reports::print {
namespace {

constexpr double kCellPad = 0.05;

} // namespace

double PrintItem::CalcHeight(CReportPage& page)
{
    const bool was = page.MeasureOnly();
    page.SetMeasureOnly(true);
    const double height = Print(page, 0);
    page.SetMeasureOnly(was);
    return height;
}

double TextItem::Print(CReportPage& page, double y)
{
    return page.DrawTextBox(y, m_left, std::min(m_right, page.Width()), m_flags, m_size, m_text, m_colour);
}

double PictureItem::Print(CReportPage& page, double y)
{
    double left = m_left;
    if (m_centred) {
        const QSizeF size = page.PictureSize(m_path, m_maxWidth, m_maxHeight, m_scale);
        if (!size.isEmpty())
            left += (m_maxWidth - size.width()) / 2;
    }
    return page.DrawPicture(m_path, y, left, m_maxWidth, m_maxHeight, m_scale);
}

double RowItem::Print(CReportPage& page, double y)
{
    const double pad = m_borders ? kCellPad : 0.0;
    // Text never runs into the next cell: a gap is kept at each cell's right
    // edge, as wide as the RTF writers' cell gap.
    const double gap = std::max(pad, static_cast<double>(reports::layout::kCellGap) / reports::layout::kTwipsPerInch);
    double bottom = y;
    for (const Cell& cell : m_cells) {
        const double left = cell.left + pad, right = std::min(cell.right, page.Width()) - gap;
        double below = page.DrawTextBox(y + pad, left, right, cell.flags, cell.size, cell.text, cell.colour);
        for (const auto& [file, scale] : cell.pictures)
            below = page.DrawPicture(file, below + 0.05, left, right - left, kMaxPictureHeight, scale);
        bottom = std::max(bottom, below + pad);
    }
    if (m_borders)
        for (const Cell& cell : m_cells)
            page.DrawFrame(y, cell.left, bottom, std::min(cell.right, page.Width()), 0.5);
    return bottom + m_extra;
}

double StackItem::Print(CReportPage& page, double y)
{
    double at = y;
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        const double below = m_parts[i]->Print(page, at);
        at = below > at && i + 1 < m_parts.size() ? below + m_gap : below;
    }
    return at;
}

} // namespace reports::print
