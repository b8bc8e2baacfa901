#pragma once
// The inspection report in every column and narrative layout (report kind 1)
// and the summary report (report kind 0).
#include "reports/layout/StepTableGeometry.h"
#include "reports/rtf/CRTFReportFile.h"

namespace store {
class Category;
class Step;
} // namespace store

namespace reports::rtf {

class CInspectionRTFFile : public CRTFReportFile {
public:
    CInspectionRTFFile();
    ~CInspectionRTFFile() override;

    void WriteSummaryPrologue(const std::string& message) override;
    void WriteSummaryCategoryHeading(const std::string& name) override;
    bool OpenOutput() override;
    void WritePrologue(const std::string& firstTitle, const std::string& secondTitle) override;
    void WriteTableStart() override;
    void WriteSectionHeader(const std::string& name, const std::string& note) override;
    void WriteStepRow(bool bold, bool red, const std::string& number, const std::string& title,
                      const std::string& materials, const std::string& rating, const std::string& comments) override;
    void WritePicture(const std::string& path, const std::string& scaleX, const std::string& scaleY) override;
    void Export() override;
    // The prose of one category in the Full Narrative layout.
    virtual void WriteNarrativeBlock(const std::string& name, const std::string& text);

protected:
    // The title in the summary page header.
    virtual std::string SummaryTitle() const;
    // The page header's logo and company block of the full report.
    virtual void WriteHeaderCompanyBlock();
    // Whether the narrative prologue opens the two sections of the report body.
    virtual bool WritesNarrativeSections() const { return true; }
    // Whether the categories are written as one prose block each.
    virtual bool WritesFullNarrative() const { return IsFullNarrative(); }
    // The comments of a summary row (the summary shows what follows "---").
    virtual std::string SummaryComments(const std::string& comments) const;

    // One category of the full report or the summary; false when cancelled.
    bool ExportCategory(store::Category& category);
    bool Qualifies(const store::Step& step) const;
    void WriteSummaryStepRow(bool bold, bool red, const std::string& number, const std::string& title,
                             const std::string& rating, const std::string& comments);
    void WriteColumnHeading(const std::string& name, const std::string& note, bool first);
    void WriteNarrativeHeading(const std::string& name, const std::string& note);
    void WriteHeaderRow();
    // Works out the step table's cells for the layout (reports/layout).
    void LayOutStepTable();
    std::string CellEdgeList() const;
    void WriteGeneralInfoBlock();
    void WriteStandardDefinitions();
    // The width of the cell that holds the comments, for pictures placed in it.
    int CommentCellWidth() const;
    std::string MaterialsLead(const std::string& materials, const std::string& comments) const;
    void WriteComments(const std::string& comments, int pictureWidth);

    layout::StepTableGeometry m_table;
};

} // namespace reports::rtf
