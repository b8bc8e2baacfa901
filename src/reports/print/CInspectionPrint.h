#pragma once
// The print classes: one object serves one print run of one inspection. It
// builds the pages once (title page, text page, one section per category with
// its step table or narrative, pictures), then draws the pages in range for
// every copy onto a paged device (a printer, the preview, a PDF writer).
//   CInspectionPrint      the inspection report in the column and narrative layouts
//   CAffiliatePrint       the affiliate report: the affiliate title line in place of the logo
//   CFullNarrativePrint   one prose block per category; no logo, the house photo on the title page
//   CSummaryPrint         the summary (steps of a summary rating, or of the chosen rating)
//   CMajorSystemsPrint    the steps of a summary rating grouped by major system
#include "reports/print/PrintItems.h"
#include "reports/print/PrintSettings.h"
#include "reports/print/PrinterDispatch.h"
#include "reports/rtf/RatingMarks.h"
#include "reports/rtf/ReportValues.h"
#include "ui/Port.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace store {
class Inspection;
class Step;
} // namespace store

namespace reports::print {

enum class PrintResult { Printed, Cancelled, Failed };

class CInspectionPrint {
public:
    // `layout` is a layout name ("4 Column", "Narrative", ...); others print as "2 Column".
    CInspectionPrint(store::Inspection& inspection, PrintSettings settings, std::string layout);
    virtual ~CInspectionPrint();

    // Prints pages first..last (1-based; -1 for all) `copies` times onto
    // `device`. Cancel is polled between pages and items; on cancel `abort`
    // (when given) is called before the painter ends, so the job is dropped.
    PrintResult Print(QPagedPaintDevice& device, int first, int last, int copies,
                      const std::function<void()>& abort = {});

    // Builds the pages for `device` without printing (tests, preview page counts).
    void BuildPages(QPagedPaintDevice& device);
    int PageCount() const { return static_cast<int>(m_pages.size()); }
    const std::vector<Page>& Pages() const { return m_pages; }
    const Items& PrintItems() const { return m_items; }
    // The name of the printer document and the caption of the progress window.
    virtual std::string DocumentName() const { return "Print Inspection"; }
    virtual std::string Caption() const { return "Printing Inspection..."; }

protected:
    // --- building ---
    virtual void BuildTitlePage();
    virtual void BuildTextPage();
    virtual void BuildBody();
    virtual std::string Continued() const { return " (Continued)"; }
    // The title under the page line (report name, else the document type).
    virtual std::string HeaderTitle() const;
    virtual bool ShowsLogo() const { return true; }
    virtual bool ShowsHousePhoto() const { return false; }
    virtual std::string TitleLine() const { return {}; }
    bool FullNarrative() const { return m_fullNarrative; }

    void BuildCategory(int categoryID, const std::string& name, const std::string& note, bool firstCategory);
    void AddHeading(const std::string& name, const std::string& note, bool newPage);
    void AddHeaderRow(const std::string& category);
    void AddStep(const store::Step& step, const std::string& category);
    void AddSummaryRow(const store::Step& step, const std::string& category);
    void AddCompanyBlock(double size);
    bool Included(const std::string& categoryTitle) const;
    bool QualifiesForSummary(const store::Step& step) const;
    // The file of a picture tag, or "ERROR"; an unknown tag is reported once.
    std::string TagFile(const std::string& tag);
    std::vector<std::pair<std::string, int>> TaggedPictures(const std::string& text);
    PrintItem& Add(std::unique_ptr<PrintItem> item, const std::string& category = {});
    bool Cancelled() const;

    // --- drawing ---
    void DrawPage(CReportPage& page, int index);
    void DrawHeader(CReportPage& page, int index);
    void DrawFooter(CReportPage& page);

    // --- geometry ---
    double Right() const { return m_right; }
    // The column edges of the step table (the shared geometry rule, measured on the device).
    void LayOutStepTable(CReportPage& page, QPaintDevice& device);

    store::Inspection& m_inspection;
    PrintSettings m_settings;
    std::string m_layout;
    int m_columns = 2;
    bool m_french = false;
    bool m_fullNarrative = false; // one prose block per category
    reports::rtf::ReportValues m_values;
    reports::rtf::RatingMarks m_marks;
    std::string m_pictureCardFolder;
    double m_size = 10;    // report font size, points
    double m_right = 8.0;  // right edge of the body
    std::array<double, 5> m_edges{}; // right edge of each step table cell, in inches
    bool m_numbered = true;          // the number cell has room for the number
    bool m_unknownTagShown = false;
    std::unique_ptr<ui::Progress> m_progress;
    Items m_items;
    std::vector<Page> m_pages;
    std::vector<int> m_bodyNumbers; // printed number of each page
};

class CAffiliatePrint : public CInspectionPrint {
public:
    using CInspectionPrint::CInspectionPrint;

protected:
    bool ShowsLogo() const override { return false; }
    std::string TitleLine() const override;
};

class CFullNarrativePrint : public CInspectionPrint {
public:
    using CInspectionPrint::CInspectionPrint;

protected:
    bool ShowsLogo() const override { return false; }
    bool ShowsHousePhoto() const override { return true; }
};

class CSummaryPrint : public CInspectionPrint {
public:
    using CInspectionPrint::CInspectionPrint;
    std::string Caption() const override { return "Printing Summary..."; }

protected:
    void BuildTitlePage() override;
    void BuildTextPage() override {}
    void BuildBody() override;
    std::string HeaderTitle() const override { return "SUMMARY REPORT"; }
};

class CMajorSystemsPrint : public CSummaryPrint {
public:
    using CSummaryPrint::CSummaryPrint;
    std::string DocumentName() const override { return "Print Summary"; }
    std::string Caption() const override { return "Printing Major Systems..."; }

protected:
    void BuildBody() override;
    std::string Continued() const override { return " (continued)"; }
    std::string HeaderTitle() const override { return "MAJOR SYSTEMS REPORT"; }
};

// The print object the Print command's table picks for the report kind of
// `settings` and the document type's ReportLayout of `inspection`.
std::unique_ptr<CInspectionPrint> MakePrint(store::Inspection& inspection, const PrintSettings& settings);

} // namespace reports::print
