#include "reports/rtf/CInspectionRTFFile.h"

#include "editing/PictureTags.h"
#include "reports/rtf/RtfText.h"
#include "store/Category.h"
#include "store/Inspection.h"
#include "store/RatingChoices.h"
#include "store/Step.h"

#include <algorithm>
#include <filesystem>

namespace reports::rtf {
namespace {

// The part of a file name that a document number may safely give.
std::string FileStem(std::string stem)
{
    for (char& c : stem)
        if (c == '/' || c == '\\' || c == ':')
            c = '-';
    return stem;
}

} // namespace

CInspectionRTFFile::CInspectionRTFFile() = default;
CInspectionRTFFile::~CInspectionRTFFile() = default;

bool CInspectionRTFFile::OpenOutput()
{
    const char* prefix = m_reportKind == kSummaryReport ? "Summary_"
                         : m_reportKind == kMajorSystemsReport ? "MajorSystems_"
                                                               : "Inspection_";
    return CreateOutput(prefix + FileStem(m_fileStem) + ".rtf");
}

std::string CInspectionRTFFile::SummaryTitle() const
{
    return "SUMMARY REPORT";
}

// ------------------------------------------------------------------ export

void CInspectionRTFFile::Export()
{
    if (!BeginExport())
        return;
    LayOutStepTable();

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
        if (!Excluded(categories.m_CategoryTitle) && !categories.m_CategoryNotPresent)
            cancelled = !ExportCategory(categories);
        AdvanceProgress();
    }
    if (!cancelled) {
        if (m_firstSectionPending)
            WriteSummaryPrologue(kNoSummaryItems);
        WriteDocumentEnd();
    }
    FinishOutput(cancelled);
}

bool CInspectionRTFFile::Qualifies(const store::Step& step) const
{
    if (step.m_InspectResult == "Omit")
        return false;
    if (m_ratingFilter == kAllRatings)
        return m_marks.IsSummary(step.m_InspectResult, step.m_StepRatingType);
    return step.m_InspectResult == m_ratingFilter;
}

bool CInspectionRTFFile::ExportCategory(store::Category& category)
{
    store::Step steps;
    steps.OpenByCategory(category.m_CategoryID);
    const int count = steps.GetCount();
    const std::string& name = category.m_CategoryTitle;
    const std::string& note = category.m_CategoryComments;

    if (m_reportKind != kInspectionReport) {
        bool headed = false;
        for (int i = 0; i < count; ++i) {
            if (Cancelled())
                return false;
            steps.Read(i);
            if (!Qualifies(steps))
                continue;
            if (!headed)
                WriteSectionHeader(name, note);
            headed = true;
            WriteStepRow(m_marks.IsBold(steps.m_InspectResult, steps.m_StepRatingType),
                         m_marks.IsRed(steps.m_InspectResult, steps.m_StepRatingType), steps.m_StepNumber,
                         steps.m_StepTitle, steps.m_Materials, steps.m_InspectResult, steps.m_Comments);
        }
        return true;
    }

    if (WritesFullNarrative()) {
        if (count == 0)
            return true;
        std::string text;
        for (int i = 0; i < count; ++i) {
            if (Cancelled())
                return false;
            steps.Read(i);
            if (steps.m_InspectResult == "Omit")
                continue;
            text += (text.empty() ? "" : " ") + steps.m_Comments;
        }
        WriteNarrativeBlock(name, text);
        return true;
    }

    for (int i = 0; i < count; ++i) {
        if (Cancelled())
            return false;
        steps.Read(i);
        if (i == 0)
            WriteSectionHeader(name, note);
        if (steps.m_InspectResult == "Omit")
            continue;
        WriteStepRow(m_marks.IsBold(steps.m_InspectResult, steps.m_StepRatingType),
                     m_marks.IsRed(steps.m_InspectResult, steps.m_StepRatingType), steps.m_StepNumber,
                     steps.m_StepTitle, steps.m_Materials, steps.m_InspectResult, steps.m_Comments);
        WritePicture(steps.m_BitmapPath, "100", "100");
    }
    return true;
}

// ---------------------------------------------------------------- prologue

void CInspectionRTFFile::WriteHeaderCompanyBlock()
{
    WriteLogo(40);
    const std::string n = FontHalfPoints();
    WriteString("\\s15\\qc\\widctlpar\\tqc\\tx4320\\tqr\\tx8640 {\\cs17\\b\\fs" + n + " ");
    WriteText(m_companyName);
    WriteString("} \\par ");
    WriteString("\\pard \\s15\\qc\\widctlpar\\tqc\\tx4320\\tqr\\tx8640 {\\cs17\\b\\fs" + n + " ");
    for (const std::string* line : {&m_contactLine, &m_address1, &m_address2, &m_cityLine}) {
        if (line->empty())
            continue;
        WriteText(*line);
        WriteString("\\par ");
    }
    WriteString("\\brdrt\\brdrs");
    WriteString("\\par ");
    WriteString("} \\par}");
    WriteString(" \\pard ");
}

void CInspectionRTFFile::WritePrologue(const std::string& firstTitle, const std::string&)
{
    const std::string n = FontHalfPoints();
    WriteString("{\\rtf1\\ansi\\ansicpg1252\\deff1");
    WriteString("{\\fonttbl");
    WriteString("{\\f0\\fswiss Arial;}");
    WriteString("{\\f1\\fUserFont " + EscapePlainRtf(m_fontName) + ";}");
    WriteString("}");
    WriteColorTable(false);
    WriteString("\\margr720\\margl1440");
    WriteString("{\\stylesheet");
    WriteString("{\\nowidctlpar\\widctlpar\\adjustright \\fs" + n + "\\cgrid \\snext0 Normal;}");
    WriteString("{\\*\\cs10 \\additive Default Paragraph Font;}");
    WriteString("{\\s15\\nowidctlpar\\widctlpar\\tqc\\tx4320\\tqr\\tx8640\\adjustright \\fs" + n +
                "\\cgrid \\sbasedon0 \\snext15 header;}");
    WriteString("{\\s16\\nowidctlpar\\widctlpar\\tqc\\tx4320\\tqr\\tx8640\\adjustright \\fs" + n +
                "\\cgrid \\sbasedon0 \\snext16 footer;}");
    WriteString("}");

    if (m_printCompany) {
        WriteString("{\\header \\pard\\plain \\s15\\qr\\widctlpar\\tqc\\tx4320\\tqr\\tx8640\\fs" + n +
                    "\\i {\\cs17 Page }{\\field{\\*\\fldinst {\\cs17  PAGE }}");
        WriteString("{\\fldrslt {\\cs17 1}}}");
        WriteString("{\\cs17 \\par} ");
        WriteString("\\i0\\pard ");
        WriteHeaderCompanyBlock();
    }

    WriteString("{\\footer \\pard\\plain \\qc\\widctlpar\\tx2070\\tx3240 {\\fs" + n + " ");
    WriteString("\\brdrt\\brdrs");
    WriteString("\\par ");
    WriteText(m_footerText);
    WriteString("\\par }\\pard\\plain\\s16\\qc\\widctlpar\\tqc\\tx4320\\tqr\\tx8640 \\par}");

    // Title page.
    WriteString("\\pard \\s15\\ql\\widctlpar\\tql\\tx1800\\tx3686\\tx5314{\\cs17" + Fs() + "\\par ");
    WriteText(Label(5));
    WriteString(": \\tab ");
    WriteText(m_docNumber);
    WriteString(m_french ? "\\tab Inspecteur: \\tab " : "\\tab Inspector: \\tab ");
    WriteText(m_inspectorName);
    WriteString("\\par\\par ");
    WriteText(Label(7));
    WriteString(": \\tab ");
    WriteText(m_date);
    if (m_french) {
        WriteString("\\par\\par Adresse: \\tab ");
    } else {
        WriteString("\\par\\par ");
        WriteText(Label(0));
        WriteString(": \\tab ");
    }
    WriteText(m_dwellingAddress1);
    WriteString("\\par\\tab ");
    WriteText(m_dwellingAddress2);
    WriteString("\\par\\par ");
    WriteText(Label(6));
    WriteString(": \\tab ");
    WriteText(m_clientName);
    if (!m_clientAddress1.empty()) {
        WriteString("\\par\\tab ");
        WriteText(m_clientAddress1);
    }
    WriteString("\\par\\tab ");
    WriteText(m_clientAddress2);
    if (!m_agent.empty()) {
        WriteString("\\par\\par ");
        WriteText(Label(2));
        WriteString(": \\tab ");
        WriteText(m_agent);
    }
    if (!m_realEstateCompany.empty()) {
        WriteString("\\tab ");
        WriteText(Label(4));
        WriteString(": \\tab ");
        WriteText(m_realEstateCompany);
    }
    WriteString("\\par\\par");

    // The house photo, centred.
    WriteString("\\qc ");
    if (m_includePictures && !m_pictureFolder.empty())
        WriteInlinePicture((std::filesystem::path(m_pictureFolder) / "HousePhoto.jpg").string(), 6 * 1440);
    WriteString(" \\par ");
    WriteString("\\ql ");
    WriteString(" \\par ");

    const std::string stripped = editing::StripAllTags(m_generalInfo);
    if (IsWide()) {
        WriteString("{\\cs17\\fs20\\par ");
        if (!editing::FindFirstTag(m_generalInfo).empty()) {
            WriteGeneralInfoBlock();
            WriteString("\\par\\par ");
        }
        WriteText(m_legalText);
        WriteString("}\\par}\\page");

        WriteString("\\pard \\s15\\ql\\widctlpar\\tql\\tx2160\\tx3150\\tx4410{\\cs17\\fs24\\par ");
        if (m_definitionsText.empty()) {
            // Explanations that wrap stay under their first line.
            WriteString("\\li2160\\fi-2160 ");
            WriteStandardDefinitions();
        } else {
            WriteText(m_definitionsText);
        }
        WriteString("\\par\\par");
        if (m_generalInfo.size() > 2) {
            WriteString("\\pard\\ql ");
            WriteString("\\b GENERAL INFORMATION \\b0\\par\\par\\par ");
            WriteText(stripped);
            WriteString("\\par");
        }
        WriteString("\\par}\\pard ");
        return;
    }

    if (!editing::FindFirstTag(m_generalInfo).empty())
        WriteGeneralInfoBlock();
    WriteString("\\pard\\ql" + Fs() + " ");
    WriteText(m_legalText);
    WriteString("\\par}\\page");

    WriteString("\\pard \\s15\\ql\\widctlpar\\tql\\tx2160\\tx3150\\tx4410{\\cs17" + Fs() + "\\par");
    WriteString("\\par\\par");
    if (!m_definitionsText.empty()) {
        WriteString("\\b ");
        WriteString("DEFINITION OF TERMS");
        WriteString(" \\b0\\par\\par ");
        WriteString(Fs() + " ");
        WriteText(m_definitionsText);
        WriteString("\\par\\par");
    }
    WriteString("\\pard\\ql");
    if (m_generalInfo.size() > 2) {
        WriteString(Fs());
        WriteString(m_french ? "\\b INFORMATION GENERALE" : "\\b GENERAL INFORMATION");
        WriteString("\\b0\\par\\par\\pard\\ql ");
        WriteString(Fs() + " ");
        WriteText(stripped);
    }
    // The title page's group ends here, before any section break.
    WriteString("\\par}\\pard ");

    // The narrative body: the general conditions continue the page of the
    // general information, then the first category's section begins with its
    // heading, so that the heading stands on the page of its steps.
    if (IsNarrative() && WritesNarrativeSections()) {
        const std::string conditions = m_french ? "CONDITIONS GENERALES" : "GENERAL CONDITIONS";
        WriteSectionBreak(conditions, true);
        WriteString("\\par\\par" + Fs() + "\\qc\\b " + conditions + " \\b0\\par\\ql\\par");
        WriteString("\\pard ");
        WriteSectionBreak(firstTitle);
        WriteString("\\par\\par" + Fs() + "\\qc\\b ");
        WriteText(firstTitle);
        WriteString(" \\b0\\par\\ql\\par");
        WriteString("\\pard ");
    }
}

// The first "***" block of the general information: a picture when it is a
// picture tag, otherwise RTF the inspector wrote for the title page.
void CInspectionRTFFile::WriteGeneralInfoBlock()
{
    const std::string block = editing::FindFirstTag(m_generalInfo);
    if (editing::TagKind(block) != editing::kTagError) {
        const std::string file = ResolveTag(block);
        const int scale = editing::TagScale(block);
        if (m_includePictures && file != editing::kTagError)
            WriteScaledPicture(file, scale > 0 ? scale : 100, scale > 0 ? scale : 100, 6 * 1440);
        return;
    }
    WriteText(block.substr(3, block.size() - 6));
}

void CInspectionRTFFile::WriteStandardDefinitions()
{
    WriteString("\\b Functional \\b0\\tab Performing its function and its condition is appropriate for its age "
                "\\tab\\tab and use.\\par\\par ");
    WriteString("\\b Lacks Maintenance \\b0\\tab Performing its function but in need of routine upkeep, "
                "cleaning or minor repair.\\par\\par ");
    WriteString("\\b Marginal \\b0\\tab Performing its function but worn, damaged or near the end of its "
                "useful life; repair or replacement should be planned.\\par\\par ");
    WriteString("\\b Non-Functional \\b0\\tab Not performing its intended function; repair or replacement "
                "is needed\tto make FUNCTIONAL.\\par\\par ");
    WriteString("\\b Hazardous \\b0\\tab Presents a risk to the safety or health of the occupants; "
                "correct at once.\\par\\par ");
    WriteString("\\b Comments \\b0\\tab Information about the item; read the remarks.\\par\\par ");
    WriteString("\\b N/A \\b0\\tab NOT APPLICABLE.  The item is not present or does not apply.\\par\\par ");
    WriteString("\\b NV \\b0\\tab NOT VISIBLE.  All or parts were not visible.");
}

// ------------------------------------------------------------ summary form

void CInspectionRTFFile::WriteSummaryPrologue(const std::string& message)
{
    m_firstSectionPending = false;
    WriteString("{\\rtf1\\ansi\\ansicpg1252\\deff0");
    WriteString("{\\fonttbl{\\f0\\froman Times;}}");
    WriteColorTable(false);
    WriteString("\\margr720\\margl1440");
    WriteString("{\\stylesheet");
    WriteString("{\\nowidctlpar\\widctlpar\\adjustright \\fs20\\cgrid \\snext0 Normal;}");
    WriteString("{\\*\\cs10 \\additive Default Paragraph Font;}");
    WriteString("{\\s15\\nowidctlpar\\widctlpar\\tqc\\tx4320\\tqr\\tx8640\\adjustright \\fs20\\cgrid \\sbasedon0 "
                "\\snext15 header;}");
    WriteString("{\\s16\\nowidctlpar\\widctlpar\\tqc\\tx4320\\tqr\\tx8640\\adjustright \\fs20\\cgrid \\sbasedon0 "
                "\\snext16 footer;}");
    WriteString("}");

    WriteString("\\sectd{\\header \\pard\\plain\\qr\\s15\\widctlpar\\tqc\\tx5040\\tqr\\tx10080");
    WriteString("{\\cs17\\b\\fs20 ");
    WriteText(m_date);
    WriteString("\\fs28\\tab " + SummaryTitle() + "\\b0}{\\cs17\\fs20\\b\\tab Page: }");
    WriteString("{\\field{\\*\\fldinst {\\cs17\\fs20\\b  PAGE }}{\\fldrslt {\\cs17 1}}}{\\cs17 \\b0\\par\\par}\\pard ");

    WriteString("\\s15\\ql\\widctlpar\\tqc\\tx5040\\tqr\\tx10080");
    WriteString("{\\cs17\\b\\fs24\\tab ");
    WriteText(m_companyName);
    WriteString("\\b0}");
    WriteString("\\par");
    auto centred = [this](const std::string& value) {
        WriteString("\\pard\\s15\\qc\\widctlpar\\tqc\\tx5040\\tqr\\tx10080{\\cs17\\b\\fs24 ");
        WriteText(value);
        WriteString("\\b0}\\par");
    };
    centred(m_contactLine);
    if (!m_address1.empty())
        centred(m_address1);
    if (!m_address2.empty())
        centred(m_address2);
    centred(m_cityLine);
    WriteString("{\\cs17\\b\\fs24 ");
    WriteText(CompanyPhone());
    if (!CompanyFax().empty()) {
        WriteString(" Fax#: ");
        WriteText(CompanyFax());
    }
    WriteString("\\b0}\\par\\par}\\pard");

    WriteString("{\\footer \\pard\\plain \\qc\\widctlpar\\tx5040\\tqr\\tx10080 {\\fs20 ");
    WriteText(m_footerText);
    WriteString("\\par }\\pard\\plain\\s15\\qc\\widctlpar\\tqc\\tx5040\\tqr\\tx10080\\par}");

    WriteString("\\pard \\s15\\ql\\widctlpar\\tqc\\tx5040\\tql\\tx5846");
    const bool french = m_french && m_reportKind == kSummaryReport;
    if (french) {
        WriteString("{\\cs17\\fs24 No d'inspection: ");
    } else {
        WriteString("{\\cs17\\fs24 ");
        WriteText(Label(5));
        WriteString(": ");
    }
    WriteText(m_docNumber);
    WriteString("}");
    if (!m_clientName.empty()) {
        WriteString("{\\cs17\\fs24\\tab\\tab ");
        WriteText(Label(6));
        WriteString(": ");
        WriteText(m_clientName);
        WriteString("}");
    }
    WriteString("\\par ");
    WriteString("\\pard \\s15\\ql\\widctlpar\\tqc\\tx5040\\tql\\tx5846{\\cs17\\fs24 ");
    WriteText(Label(0));
    WriteString(":  ");
    WriteText(m_dwellingAddress1);
    WriteString(french ? "\\tab\\tab Inspecteur:  " : "\\tab\\tab Inspector:  ");
    WriteText(m_inspectorName);
    WriteString("\\par                                 ");
    WriteText(m_dwellingAddress2);
    // The group of the inspection lines ends here, also without a disclaimer.
    WriteString("\\par\\par}");
    if (!m_legalText.empty()) {
        WriteString("{\\cs17\\fs20 ");
        WriteText(m_legalText);
        WriteString("\\par\\par}");
    }
    WriteString("\\pard\\s15\\ql\\widctlpar\\tqc\\tx5040\\tqr\\tx10080{\\cs17\\fs24\\b\\ul ");
    WriteText(message);
    WriteString("\\b0\\ul0\\par\\par}\\pard ");
}

void CInspectionRTFFile::WriteSummaryCategoryHeading(const std::string& name)
{
    if (m_firstSectionPending) {
        WriteSummaryPrologue(name);
        return;
    }
    WriteString("\\pard ");
    WriteString("\\par");
    WriteString("\\pard \\s15\\ql\\widctlpar\\tqc\\tx5040\\tqr\\tx10080 {\\cs17\\fs24\\b\\ul ");
    WriteText(name);
    WriteString("\\b0\\ul0\\par\\par}");
    WriteString("\\pard");
}

std::string CInspectionRTFFile::SummaryComments(const std::string& comments) const
{
    std::string shown = editing::StripAllTags(comments);
    if (const auto rule = shown.find("---"); rule != std::string::npos)
        shown = shown.substr(rule + 3);
    return shown;
}

void CInspectionRTFFile::WriteSummaryStepRow(bool bold, bool red, const std::string& number,
                                             const std::string& title, const std::string& rating,
                                             const std::string& comments)
{
    const bool major = m_reportKind == kMajorSystemsReport;
    WriteTableStart();
    if (major || m_edges[0] > 0) {
        WriteText(number);
        WriteString(". ");
    }
    WriteText(title);
    WriteString(Sp());
    WriteString("\\cell\\ql ");
    std::string prefix;
    if (rating == "Comments")
        prefix.clear();
    else if (rating == "Data" || rating.empty())
        prefix = " ";
    else
        prefix = EscapeRtf(rating) + (major ? ". " : ".  ");
    if (major) {
        if (red)
            WriteString("\\cf6 ");
        if (bold)
            WriteString("\\b ");
        WriteString(prefix);
    } else {
        if (bold)
            WriteString("\\b ");
        if (red)
            WriteString("\\cf6 ");
        if (!m_hideRatings)
            WriteString(prefix);
    }
    WriteText(SummaryComments(comments));
    if (bold)
        WriteString("\\b0");
    if (red)
        WriteString("\\cf0");
    WriteString(Sp());
    WriteString("\\cell\\row ");
}

// --------------------------------------------------------- category pieces

void CInspectionRTFFile::WriteSectionHeader(const std::string& name, const std::string& note)
{
    if (m_reportKind != kInspectionReport) {
        WriteSummaryCategoryHeading(name);
        return;
    }
    const bool first = m_firstSectionPending;
    if (first) {
        WritePrologue(name, note);
        m_firstSectionPending = false;
    }
    if (IsNarrative()) {
        // The prologue's last section is headed by the first category's name;
        // later categories may open sections of their own.
        if (first && WritesNarrativeSections()) {
            if (!note.empty()) {
                WriteText(note);
                WriteString("\\par ");
            }
            return;
        }
        if (!first && m_sectionBreaks)
            WriteSectionBreak(name);
        WriteNarrativeHeading(name, note);
        return;
    }
    // The first category's heading and header row follow the prologue, so
    // that its steps stand under their own name like every other category's.
    WriteColumnHeading(name, note, first);
}

void CInspectionRTFFile::WriteNarrativeHeading(const std::string& name, const std::string& note)
{
    WriteString("\\pard \\par\\par {\\cs17\\b\\fs20 \\qc\\fs28 ");
    WriteText(name);
    WriteString("\\fs20\\par\\par}\\pard ");
    if (!note.empty()) {
        WriteString("\\ql ");
        WriteText(note);
        WriteString("\\par ");
    }
    WriteString("\\par ");
}

void CInspectionRTFFile::WriteColumnHeading(const std::string& name, const std::string& note, bool first)
{
    WriteString("\\pard ");
    if (m_sectionBreaks && !first)
        WriteSectionBreak(m_documentTypeTitle);
    else
        WriteString(" \\par ");
    // The heading and the note stay on the page of the table they open.
    WriteString("\\pard \\s15\\qc\\widctlpar\\keepn\\tqc\\tx4320\\tqr\\tx8640 {\\cs17\\b\\fs28 ");
    WriteText(name);
    WriteString("\\par}");
    WriteString(" \\pard \\s15\\ql\\widctlpar\\keepn\\tqc {\\cs17" + Fs() + "\\par ");
    WriteText(note);
    // The note's paragraph ends before the table, so that it does not become
    // the first cell of the header row.
    WriteString(IsWide() ? "\\par\\par}\\pard" : "\\par}\\pard");
    WriteHeaderRow();
}

void CInspectionRTFFile::LayOutStepTable()
{
    layout::StepTableInput input;
    input.columnCount = m_columnCount;
    input.widthsInches = m_widths;
    input.fontHalfPoints = std::stoi(FontHalfPoints());
    input.french = m_french;
    // Every rating a step may show stays whole in the rating cell.
    store::RatingChoices choices;
    if (choices.Open())
        input.ratingWords = choices.Names();
    m_table = layout::StepTable(input);
    m_pictureRowEdges = IsNarrative() ? std::vector<int>{} : m_table.edges;
}

std::string CInspectionRTFFile::CellEdgeList() const
{
    std::string list;
    for (int edge : m_table.edges)
        list += "\\cellx" + std::to_string(edge);
    return list;
}

void CInspectionRTFFile::WriteHeaderRow()
{
    // The one header row of the table: repeated at the top of each page the
    // table runs onto, and never split.
    WriteString("\\trowd\\trgaph108\\trleft-108\\trhdr\\trkeep" + Fs() + CellEdgeList() + "\\intbl");
    const bool numbered = m_table.numbered;
    if (m_columnCount == 4)
        WriteString("\\b Step #\\cell Item\\cell Materials\\par\\cell Rating\\cell Remarks\\cell\\b0\\row");
    else if (m_columnCount == 3)
        WriteString("\\b Step #\\cell Component\\par\\cell Rating\\cell Comments\\cell\\b0\\row");
    else if (m_french)
        WriteString(numbered ? "\\b Etape\\cell Composante\\par\\cell Commentaires\\cell\\b0\\row"
                             : "\\b \\cell Composante\\par\\cell Commentaires\\cell\\b0\\row");
    else
        WriteString(numbered ? "\\b Step #\\cell Component\\par\\cell Comments\\cell\\b0\\row"
                             : "\\b \\cell Component\\par\\cell Comments\\cell\\b0\\row");
}

void CInspectionRTFFile::WriteTableStart()
{
    if (m_reportKind != kInspectionReport) {
        WriteString("\\trowd \\trgaph108\\trleft-108" + Fs() + "\\cellx2390\\cellx8748 \\intbl\\ql ");
        return;
    }
    if (IsNarrative())
        return;
    // A step row is kept whole on one page; it is not a header row.
    WriteString("\\trowd\\trgaph108\\trleft-108" + Fs() + "\\trkeep" + CellEdgeList() + "\\intbl\\ql ");
}

int CInspectionRTFFile::CommentCellWidth() const
{
    if (IsNarrative() || m_table.widths.empty())
        return layout::kReportTextWidth;
    return std::max(720, m_table.widths.back() - 2 * layout::kCellGap);
}

std::string CInspectionRTFFile::MaterialsLead(const std::string& materials, const std::string& comments) const
{
    std::string shown = MaterialsDisplay(materials);
    if (shown.empty() || editing::StripAllTags(comments).empty())
        return shown;
    return shown + (shown.back() == '.' ? " " : ". ");
}

// The comments with their picture tags taken out; the tagged pictures follow
// in the same place when pictures are included.
void CInspectionRTFFile::WriteComments(const std::string& comments, int pictureWidth)
{
    WriteText(editing::StripAllTags(comments));
    WriteTaggedPictures(comments, pictureWidth, false);
}

void CInspectionRTFFile::WriteStepRow(bool bold, bool red, const std::string& number, const std::string& title,
                                      const std::string& materials, const std::string& rating,
                                      const std::string& comments)
{
    if (m_reportKind != kInspectionReport) {
        WriteSummaryStepRow(bold, red, number, title, rating, comments);
        return;
    }
    if (IsNarrative()) {
        WriteString("\\pard \\par\\par");
        WriteString("\\fs20 ");
        WriteString("\\b ");
        WriteText(title);
        WriteString("\\b0");
        WriteString("\\fs20 ");
        WriteString("\\par ");
        if (!m_hideRatings) {
            WriteString("\\i ");
            WriteText(rating);
            WriteString("\\i0 ");
            WriteString("\\par ");
        }
        if (!materials.empty() || !comments.empty()) {
            if (bold)
                WriteString("\\b ");
            if (red)
                WriteString("\\cf6 ");
            const std::string shown = MaterialsDisplay(materials);
            if (!shown.empty()) {
                WriteText(shown);
                WriteString(" ");
            }
            WriteComments(comments, CommentCellWidth());
            if (bold)
                WriteString("\\b0 ");
            if (red)
                WriteString("\\cf0 ");
        }
        return;
    }

    WriteTableStart();
    if (m_table.numbered) {
        WriteText(number);
        WriteString(Sp());
    }
    WriteString("\\cell\\ql ");
    WriteText(title);
    WriteString(Sp());
    WriteString("\\cell\\ql ");
    if (m_columnCount == 4) {
        WriteText(MaterialsDisplay(materials));
        WriteString(Sp());
        WriteString("\\cell ");
        if (bold)
            WriteString("\\b ");
        if (red)
            WriteString("\\cf6 ");
        if (!m_hideRatings)
            WriteText(rating);
        WriteString(Sp());
        WriteString("\\cell\\ql ");
        WriteComments(comments, CommentCellWidth());
        if (bold)
            WriteString("\\b0");
        if (red)
            WriteString("\\cf0 ");
    } else if (m_columnCount == 3) {
        if (bold)
            WriteString("\\b ");
        if (red)
            WriteString("\\cf6 ");
        if (!m_hideRatings)
            WriteText(rating);
        WriteString(Sp());
        WriteString("\\cell\\ql ");
        WriteText(MaterialsLead(materials, comments));
        WriteComments(comments, CommentCellWidth());
        if (bold)
            WriteString("\\b0");
        if (red)
            WriteString("\\cf0 ");
    } else {
        const bool plain = rating == "Comments" || rating == "Data" || rating.empty();
        if (bold)
            WriteString("\\b ");
        if (red)
            WriteString("\\cf6 ");
        if (!plain && !m_hideRatings) {
            WriteText(rating);
            WriteString(". ");
        }
        WriteText(MaterialsLead(materials, comments));
        WriteComments(comments, CommentCellWidth());
        if (bold)
            WriteString("\\b0 ");
        if (red)
            WriteString("\\cf0 ");
    }
    WriteString(Sp());
    WriteString("\\cell\\row ");
}

void CInspectionRTFFile::WritePicture(const std::string& path, const std::string& scaleX, const std::string& scaleY)
{
    // A narrative step's text is still an open paragraph: end it so that it
    // does not join the picture's row.
    if (IsNarrative() && !path.empty() && m_includePictures)
        WriteString("\\par ");
    CRTFReportFile::WritePicture(path, scaleX, scaleY);
}

void CInspectionRTFFile::WriteNarrativeBlock(const std::string& name, const std::string& text)
{
    if (m_firstSectionPending) {
        // The report body's opening section is headed by the report's name.
        WritePrologue(m_documentTypeTitle.empty() ? m_docTypeName : m_documentTypeTitle, {});
        m_firstSectionPending = false;
    } else {
        WriteString("\\par\\par ");
        WriteString("\\pard ");
    }
    WriteString(" \\qc ");
    WriteString("\\fs32 ");
    WriteString("\\b ");
    WriteText(name);
    WriteString("\\b0");
    WriteString("\\par");
    WriteString(" \\fs24 ");
    WriteString("\\ql ");
    WriteString("\\par ");
    WriteComments(text, layout::kReportTextWidth);
}

} // namespace reports::rtf
