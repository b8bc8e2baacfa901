#include "reports/print/Pagination.h"

#include <algorithm>

namespace reports::print {

std::vector<Page> Paginate(const std::vector<PageEntry>& items, const std::string& continued)
{
    std::vector<Page> pages;
    double running = 0;
    const auto titleFor = [&](int index) {
        const PageEntry& e = items[static_cast<std::size_t>(index)];
        if (e.category.empty())
            return std::string();
        return e.opensCategory ? e.category : e.category + continued;
    };
    const auto open = [&](int index) {
        pages.push_back({index, 0, titleFor(index), items[static_cast<std::size_t>(index)].furniture});
        running = 0;
    };
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        const PageEntry& item = items[static_cast<std::size_t>(i)];
        const double taken = item.height + kItemGap;
        if (pages.empty() || (item.newPage && pages.back().count > 0)) {
            open(i);
        } else if (pages.back().count > 0 && running + taken >= kPageBreakAt) {
            // The closed page gives up the headings at its end, so that they
            // open the next page with their first row.
            Page& closed = pages.back();
            int moved = 0;
            while (moved < closed.count - 1 &&
                   items[static_cast<std::size_t>(closed.first + closed.count - 1 - moved)].keepWithNext)
                ++moved;
            closed.count -= moved;
            open(i - moved);
            for (int k = i - moved; k < i; ++k) {
                running += items[static_cast<std::size_t>(k)].height + kItemGap;
                ++pages.back().count;
            }
        }
        running += taken;
        ++pages.back().count;
    }
    return pages;
}

std::vector<int> PrintSequence(int pageCount, int first, int last, int copies)
{
    std::vector<int> sequence;
    int from = 1, to = pageCount;
    if (first != -1) {
        from = std::max(1, first);
        to = last == -1 ? pageCount : std::min(pageCount, last);
    }
    for (int copy = 0; copy < std::max(1, copies); ++copy)
        for (int page = from; page <= to; ++page)
            sequence.push_back(page - 1);
    return sequence;
}

} // namespace reports::print
