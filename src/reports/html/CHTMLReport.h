#pragma once
// The HTML report of one inspection: the frameset page, the table of contents
// and the report page, built in memory as element trees and rendered to text.
// The same pages serve the HTML view (links to its fixed folder) and the export
// (relative links, so that the folder can be handed on). The report takes the
// same values, settings and rating marks as the RTF inspection report.
#include "reports/rtf/RatingMarks.h"

#include <array>
#include <memory>
#include <string>

namespace store {
class Inspection;
class Options;
class Step;
} // namespace store

namespace ui {
class Progress;
}

namespace reports::html {

class CHTMLContainer;
class CHTMLRow;
class CHTMLTable;
class PictureFolder;

enum class HtmlTarget { View, Export };

struct HtmlPages {
    std::string index, toc, inspection;
};

// The widest and tallest a picture is shown at 100 %, in pixels.
inline constexpr int kPictureBox = 640;

class CHTMLReport {
public:
    CHTMLReport();
    ~CHTMLReport();

    // Reads the inspection's values, the owner, the options and the rating
    // marks; `layoutName` is a report layout name ("4 Column", "2 Column
    // French", ...); the four-column form serves "4 Column" only.
    void Setup(const store::Inspection& inspection, const std::string& layoutName);

    // Builds the three pages. `folder` is where they will stand (the view's
    // frameset links it); pictures are placed through `pictures`. `progress`
    // (may be null) advances after each category; false when it was cancelled.
    bool Build(HtmlTarget target, const std::string& folder, PictureFolder& pictures, ui::Progress* progress,
               HtmlPages& pages);

    bool IsFourColumn() const { return m_columns == 4; }
    bool IsFrench() const { return m_french; }

private:
    void AddHead(CHTMLContainer& body, PictureFolder& pictures);
    void AddStepRows(CHTMLTable& table, const store::Step& step, PictureFolder& pictures);
    // The pictures of a step (its own, then those its comments name) into
    // `cell`; false when it has none.
    bool AddPictures(CHTMLContainer& cell, const store::Step& step, PictureFolder& pictures);
    void AddPicture(CHTMLContainer& cell, const std::string& path, const std::string& shownName, int scale,
                    PictureFolder& pictures);
    std::string MaterialsDisplay(const std::string& materials) const;
    std::string ResolveTag(const std::string& tag) const;

    int m_inspectionID = 0;
    int m_columns = 2;
    bool m_french = false;
    bool m_hideRatings = false;
    std::string m_docNumber, m_date, m_clientName, m_clientAddress1, m_clientAddress2, m_dwelling1, m_dwelling2;
    std::string m_agent, m_realEstate, m_generalInfo, m_inspector, m_pictureFolder, m_pictureCardFolder;
    std::string m_company, m_contact, m_address1, m_address2, m_cityLine, m_phone, m_fax;
    std::string m_legalText, m_definitions, m_materialsDelimiter;
    std::array<std::string, 8> m_customLabels;
    bool m_customLabelsSet = false;
    rtf::RatingMarks m_marks;
};

} // namespace reports::html
