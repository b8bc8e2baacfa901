#pragma once
// The choices of one print run, filled by the "Print Properties" sheet (or the
// command line) and handed to every printer. Report kinds count here as the
// Print command counts them, which is not how the RTF writers count theirs.
#include <string>
#include <vector>

namespace reports::print {

enum class PrintReport : int { Inspection = 0, Summary = 1, MajorSystems = 2 };

inline constexpr const char* kAllRatings = "<All Ratings>";

struct PrintSettings {
    PrintReport reportKind = PrintReport::Inspection;
    int firstPage = 1;           // -1: every page
    int lastPage = 99;           // -1: every page
    int startingPageNumber = 1;  // the number printed on the first page; later pages count on
    int copies = 1;              // each copy is a whole run through the pages
    std::string reportName;      // the title under the page line; the document type's name when empty
    bool continuous = false;     // off: every category starts a page; on: categories follow each other
    bool borders = false;        // cell borders around the step table
    std::string ratingFilter;    // the summary's rating; empty or "<All Ratings>" for every summary rating
    // The titles of the categories to print; nothing printed for the others.
    std::vector<std::string> selectedCategories;
    bool allCategories = true;   // true: selectedCategories is not consulted
};

} // namespace reports::print
