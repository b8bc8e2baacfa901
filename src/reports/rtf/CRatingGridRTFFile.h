#pragma once
// A one-column report with a rating grid per category: a column for each of
// the ratings Satisfactory, Fair, Poor/Defective, Not Applicable and Not
// Inspected, marked for each step, then the limitations, the supplemental
// items and a note box.
#include "reports/rtf/CRTFReportFile.h"

#include <vector>

namespace reports::rtf {

class CRatingGridRTFFile : public CRTFReportFile {
public:
    CRatingGridRTFFile();
    ~CRatingGridRTFFile() override;

    void WriteSummaryPrologue(const std::string& message) override;
    void WriteSummaryCategoryHeading(const std::string& name) override;
    bool OpenOutput() override;
    void WritePrologue(const std::string& firstTitle, const std::string& secondTitle) override;
    void WriteTableStart() override;
    void WriteSectionHeader(const std::string& name, const std::string& note) override;
    void WriteStepRow(bool bold, bool red, const std::string& number, const std::string& title,
                      const std::string& materials, const std::string& rating, const std::string& comments) override;
    void Export() override;

    // The ratings that have a column of the grid, left to right.
    static const std::vector<std::string>& GridRatings();

private:
    struct Item {
        std::string title, materials, comments;
    };
    void WriteCategoryEnd(const std::string& note);
    void WriteInfoLine(const std::string& label, const std::string& value);
    void WriteGridLogo(const std::string& name, int scale);
    // The title of every page header.
    std::string PageTitle() const;

    std::vector<Item> m_limitations;
    std::vector<Item> m_supplemental;
    bool m_categoryOpen = false;
};

} // namespace reports::rtf
