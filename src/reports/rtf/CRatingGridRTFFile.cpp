#include "reports/rtf/CRatingGridRTFFile.h"

#include "editing/PictureTags.h"
#include "reports/rtf/AppDataFolder.h"
#include "reports/rtf/RtfText.h"
#include "store/Category.h"
#include "store/Inspection.h"
#include "store/Step.h"

#include <algorithm>
#include <cctype>

namespace reports::rtf {
namespace {

// Single 10-twip borders on all four sides of a cell.
constexpr const char* kCellBorders =
    "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10";
// Right edges of the five rating columns and of the description. Each rating
// column is a quarter inch wide: the height of its turned header line and its
// gaps, so that LibreOffice and Word show the whole word.
constexpr int kGridEdges[6] = {252, 612, 972, 1332, 1692, 10800};
// The header row's exact height: the longest turned rating name and room to spare.
constexpr const char* kHeaderRowHeight = "\\trrh-1700";

std::string GridRowStart(bool vertical)
{
    std::string row = "\\trowd\\trgaph60\\trleft-108";
    if (vertical)
        row += kHeaderRowHeight;
    for (int i = 0; i < 6; ++i) {
        row += kCellBorders;
        if (vertical && i < 5)
            row += "\\clvertalb\\cltxbtlr";
        row += "\\cellx" + std::to_string(kGridEdges[i]);
    }
    return row + "\\intbl";
}

} // namespace

CRatingGridRTFFile::CRatingGridRTFFile() = default;
CRatingGridRTFFile::~CRatingGridRTFFile() = default;

const std::vector<std::string>& CRatingGridRTFFile::GridRatings()
{
    static const std::vector<std::string> ratings = {"Satisfactory", "Fair", "Poor/Defective", "Not Applicable",
                                                     "Not Inspected"};
    return ratings;
}

bool CRatingGridRTFFile::OpenOutput()
{
    std::string stem = m_fileStem;
    for (char& c : stem)
        if (c == '/' || c == '\\' || c == ':')
            c = '-';
    return CreateOutput("Inspection_" + stem + ".rtf");
}

void CRatingGridRTFFile::WriteSummaryPrologue(const std::string& message)
{
    // A report without categories still is a complete document.
    WritePrologue(message, {});
    m_firstSectionPending = false;
    WriteString("\\pard\\qc\\b\\fs24 ");
    WriteText(message);
    WriteString("\\b0\\fs20\\par ");
}

void CRatingGridRTFFile::WriteSummaryCategoryHeading(const std::string& name)
{
    WriteSectionHeader(name, {});
}

void CRatingGridRTFFile::WriteGridLogo(const std::string& name, int scale)
{
    WriteScaledPicture(LogoFile(name), scale, scale, 3 * 1440);
}

std::string CRatingGridRTFFile::PageTitle() const
{
    // This report is chosen by a document type whose name is the technical
    // word "RatingType"; that name is no title for the client's pages.
    const std::string& title = m_documentTypeTitle;
    std::string lower = title;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower.empty() || lower == "empty" || lower.find("ratingtype") != std::string::npos)
        return "PROPERTY INSPECTION REPORT";
    return title;
}

void CRatingGridRTFFile::WriteInfoLine(const std::string& label, const std::string& value)
{
    WriteString("\\b ");
    WriteText(label);
    WriteString(":\\b0  ");
    WriteText(value.empty() ? std::string("____________________") : value);
    WriteString("\\par ");
}

void CRatingGridRTFFile::WritePrologue(const std::string&, const std::string&)
{
    WriteString("{\\rtf1\\ansi\\ansicpg1252\\deff0");
    WriteString("{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fUserFont " + EscapePlainRtf(m_fontName) + ";}}");
    WriteColorTable(true);
    WriteString("\\margt720\\margb720\\margr720\\margl720");
    WriteString("{\\stylesheet{\\nowidctlpar\\widctlpar\\adjustright \\fs20\\cgrid \\snext0 Normal;}"
                "{\\*\\cs10 \\additive Default Paragraph Font;}}");
    WriteString("{\\header \\pard\\plain \\qr\\i\\fs20 \\par\\i0\\pard\\qc\\b\\fs24 ");
    WriteText(PageTitle());
    WriteString("\\b0\\par}");
    WriteString("{\\footer \\pard\\plain \\qc\\brdrt\\brdrs\\brdrw10\\brsp20 \\fs14 ");
    WriteText(m_footerText);
    WriteString(" Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}\\par}");

    // First page: logo, report number, then the two-column introduction.
    WriteString("\\pard\\qc ");
    WriteGridLogo("Logo1.JPG", 40);
    WriteString("\\par\\pard\\ql\\fs20 ");
    WriteGridLogo("Logo2.JPG", 40);
    WriteGridLogo("Logo3.JPG", 40);
    WriteString("\\b               Report Number:\\b0  ");
    WriteText(m_docNumber);
    WriteString("\\par\\par ");
    WriteString("\\sect\\sectd\\sbknone\\cols2\\colsx180 ");

    WriteString("\\pard\\ql\\fs20\\b\\fs24 PROPERTY INFORMATION\\b0\\fs20\\par ");
    WriteInfoLine("Address", m_dwellingAddress1 + (m_dwellingAddress2.empty() ? "" : ", " + m_dwellingAddress2));
    WriteInfoLine("Owners", {});
    WriteInfoLine("Description", m_docTypeName);
    WriteInfoLine("Reported or estimated age", {});
    WriteString("\\par\\b\\fs24 INSPECTION COMPANY\\b0\\fs20\\par ");
    WriteInfoLine("Office", m_companyName);
    WriteInfoLine("Phone", CompanyPhone());
    WriteInfoLine("Inspector", m_inspectorName);
    WriteInfoLine("Licence number", {});
    WriteString("\\column \\b\\fs24 INSPECTION DETAILS\\b0\\fs20\\par ");
    WriteInfoLine("Client", m_clientName);
    WriteInfoLine("Inspection type", m_docTypeName);
    WriteInfoLine("Date and time", m_date + " " + m_time);
    WriteInfoLine("People present", {});
    WriteInfoLine("Status", {});
    WriteInfoLine("Approximate temperature", {});
    WriteInfoLine("Weather/conditions", {});
    WriteString("\\sect\\sectd\\sbknone\\cols1 ");

    WriteString("\\pard\\ql\\fs20\\par\\b\\fs24 PURPOSE AND SCOPE OF INSPECTION\\b0\\fs20\\par ");
    WriteString("This report records a visual inspection of the readily accessible systems and components of "
                "the home on the date of the inspection. It describes their condition as observed; it is not a "
                "warranty, a code inspection or an estimate of repair costs.\\par ");
    if (!m_legalText.empty()) {
        WriteString("\\par ");
        WriteText(m_legalText);
        WriteString("\\par ");
    }
    WriteString("\\par\\b\\fs24 REPORT TERMINOLOGY\\b0\\fs20\\par ");
    const char* terms[][2] = {
        {"SATISFACTORY", "The item performs its function; its condition is typical for its age."},
        {"FAIR", "The item performs its function but shows wear; plan for upkeep or repair."},
        {"POOR/DEFECTIVE", "The item does not perform its function or needs repair or replacement."},
        {"SEE COMMENT", "Read the remarks for information about the item."},
        {"NOT APPLICABLE", "The item is not present or does not apply to this home."},
        {"NOT INSPECTED (NOT RATED)", "The item was not inspected; the remarks give the reason."},
        {"LIMITATIONS", "Conditions that limited the inspection of the item."},
        {"SIGNIFICANTLY DEFICIENT", "The item is unsafe or not functioning and needs prompt attention."},
        {"IMPORTANT NOTE", "Have every item rated Poor/Defective evaluated by a qualified contractor before closing."},
    };
    for (const auto& term : terms) {
        WriteString("\\b ");
        WriteString(term[0]);
        WriteString(" \\endash\\b0  ");
        WriteString(term[1]);
        WriteString("\\par ");
    }
}

void CRatingGridRTFFile::WriteTableStart()
{
    WriteString(GridRowStart(false));
}

void CRatingGridRTFFile::WriteSectionHeader(const std::string& name, const std::string&)
{
    if (m_firstSectionPending) {
        WritePrologue(name, {});
        m_firstSectionPending = false;
    }
    WriteString("\\pard\\sect\\sectd\\linex0\\endnhere ");
    WriteString("\\trowd\\trgaph108\\trleft-108\\clbgfdiag\\clcfpat1\\clcbpat17\\clshdng50\\cellx10800\\intbl\\ql\\b\\fs28 ");
    WriteText(name);
    WriteString("\\b0\\fs20\\cell\\row ");
    WriteString(GridRowStart(true) + "\\fs16 ");
    for (const std::string& rating : GridRatings())
        WriteString(rating + "\\cell ");
    WriteString("\\fs20\\b Item\\b0\\cell\\row ");
    m_categoryOpen = true;
}

void CRatingGridRTFFile::WriteStepRow(bool bold, bool red, const std::string&, const std::string& title,
                                      const std::string& materials, const std::string& rating,
                                      const std::string& comments)
{
    WriteTableStart();
    WriteString("\\qc ");
    for (const std::string& column : GridRatings())
        WriteString(rating == column ? "\\b X\\b0\\cell " : "\\cell ");
    WriteString("\\ql ");
    if (red)
        WriteString("\\cf6 ");
    WriteString("\\b ");
    WriteText(title);
    WriteString("\\b0 ");
    if (bold)
        WriteString("\\b ");
    const std::string shown = MaterialsDisplay(materials);
    if (!shown.empty()) {
        WriteString("\\par ");
        WriteText(shown);
    }
    const std::string text = editing::StripAllTags(comments);
    if (!text.empty()) {
        WriteString("\\par ");
        WriteText(text);
    }
    if (bold)
        WriteString("\\b0");
    if (red)
        WriteString("\\cf0");
    WriteString("\\cell\\row ");
}

void CRatingGridRTFFile::WriteCategoryEnd(const std::string& note)
{
    if (!m_categoryOpen)
        return;
    m_categoryOpen = false;
    WriteString("\\pard\\ql\\fs20 ");
    if (!m_limitations.empty()) {
        WriteString("\\par \\b LIMITATIONS:\\b0 ");
        for (const Item& item : m_limitations) {
            WriteString("\\par ");
            WriteText(item.title);
            WriteString("\\par MATERIALS = ");
            WriteText(MaterialsDisplay(item.materials));
            WriteString("\\par COMMENTS  = ");
            WriteText(editing::StripAllTags(item.comments));
        }
        WriteString("\\par ");
    }
    if (!m_supplemental.empty()) {
        WriteString("\\par SUPPLEMENTAL INFORMATION - Review details related to the following items in Appendix:\\par ");
        for (const Item& item : m_supplemental) {
            WriteString("\\trowd\\trgaph108\\trleft-108");
            WriteString(kCellBorders);
            WriteString("\\cellx10800\\intbl\\ql ");
            WriteText(item.title);
            WriteString("\\cell\\row ");
        }
        WriteString("\\pard\\ql ");
    }
    WriteString("\\par\\brdrt\\brdrs\\brdrw10\\brdrl\\brdrs\\brdrw10\\brdrb\\brdrs\\brdrw10\\brdrr\\brdrs\\brdrw10"
                "\\brsp40 \\b NOTE:\\b0  ");
    WriteText(note);
    WriteString("\\par\\pard ");
    m_limitations.clear();
    m_supplemental.clear();
}

void CRatingGridRTFFile::Export()
{
    if (!BeginExport())
        return;

    store::Category categories;
    categories.OpenByInspection(m_inspection->m_InspectionID);
    const int count = categories.GetCount();
    StartProgress(count);
    bool cancelled = false;
    for (int i = 0; i < count && !cancelled; ++i) {
        if (Cancelled()) {
            cancelled = true;
            break;
        }
        categories.Read(i);
        if (!Excluded(categories.m_CategoryTitle) && !categories.m_CategoryNotPresent) {
            store::Step steps;
            steps.OpenByCategory(categories.m_CategoryID);
            for (int s = 0; s < steps.GetCount(); ++s) {
                if (Cancelled()) {
                    cancelled = true;
                    break;
                }
                steps.Read(s);
                if (s == 0)
                    WriteSectionHeader(categories.m_CategoryTitle, categories.m_CategoryComments);
                const std::string& rating = steps.m_InspectResult;
                if (rating == "Omit")
                    continue;
                if (rating == "Limitations") {
                    m_limitations.push_back({steps.m_StepTitle, steps.m_Materials, steps.m_Comments});
                    continue;
                }
                if (rating == "Supplemental") {
                    m_supplemental.push_back({steps.m_StepTitle, steps.m_Materials, steps.m_Comments});
                    continue;
                }
                WriteStepRow(m_marks.IsBold(rating, steps.m_StepRatingType),
                             m_marks.IsRed(rating, steps.m_StepRatingType), steps.m_StepNumber, steps.m_StepTitle,
                             steps.m_Materials, rating, steps.m_Comments);
            }
            if (!cancelled)
                WriteCategoryEnd(categories.m_CategoryComments);
        }
        AdvanceProgress();
    }
    if (!cancelled) {
        if (m_firstSectionPending)
            WriteSummaryPrologue(kNoSummaryItems);
        WriteDocumentEnd();
    }
    FinishOutput(cancelled);
}

} // namespace reports::rtf
