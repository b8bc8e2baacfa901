#pragma once
// Pagination of the printed report: which items stand on which page, the
// page titles, and the order pages are printed in. Plain rules on heights in
// inches, kept apart from drawing so they can be checked on their own.
#include <string>
#include <vector>

namespace reports::print {

inline constexpr double kItemGap = 0.1;     // below every item
inline constexpr double kPageBreakAt = 8.5; // a page closes before the item that reaches this height

struct PageEntry {
    double height = 0;           // the item's measured height
    bool newPage = false;        // the item starts a page of its own (title page, text page, a category)
    bool keepWithNext = false;   // a heading, header row or note: never the last thing on a page
    bool furniture = true;       // the page it opens gets the header and footer
    std::string category;        // the category (or major system) the item belongs to
    bool opensCategory = false;  // the category's heading
};

struct Page {
    int first = 0;               // index of the page's first item
    int count = 0;               // number of items
    std::string title;           // the category, " (Continued)" on its later pages; empty without
    bool furniture = true;
};

// Lays the items out on pages: each item takes its height plus kItemGap; when
// the running height reaches kPageBreakAt the page closes before that item
// (an item alone on its page stays there, however tall). A page may not end
// with items marked keepWithNext: they move with the item that overflowed.
// `continued` is appended to the title of a category's later pages.
std::vector<Page> Paginate(const std::vector<PageEntry>& items, const std::string& continued = " (Continued)");

// The pages to print, 0-based, in order: every page (first == -1) or pages
// first..last (1-based, cut to the pages there are), once per copy.
std::vector<int> PrintSequence(int pageCount, int first, int last, int copies);

} // namespace reports::print
