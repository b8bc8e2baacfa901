#include "reports/html/CHTMLReport.h"

#include "editing/PictureTags.h"
#include "reports/html/HtmlElements.h"
#include "reports/html/HtmlPictures.h"
#include "reports/html/HtmlText.h"
#include "reports/rtf/CRTFReportFile.h"
#include "reports/rtf/ReportValues.h"
#include "store/Category.h"
#include "store/Inspection.h"
#include "store/Options.h"
#include "store/Owner.h"
#include "store/Step.h"
#include "text/Windows1252.h"
#include "ui/Port.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>

namespace reports::html {
namespace {

std::string Trim(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line))
        if (!Trim(line).empty())
            lines.push_back(Trim(line));
    return lines;
}

// Values joined by "<BR>", each escaped; empty ones left out.
std::string JoinLines(std::initializer_list<const std::string*> values)
{
    std::string out;
    for (const std::string* v : values)
        if (!Trim(*v).empty())
            out += (out.empty() ? "" : "<BR>") + EscapeHtml(Trim(*v));
    return out;
}

// The explanations of the standard ratings, for a report whose options give none.
constexpr std::pair<const char*, const char*> kStandardDefinitions[] = {
    {"Functional", "Performing its function and its condition is appropriate for its age and use."},
    {"Lacks Maintenance", "Performing its function but in need of routine upkeep, cleaning or minor repair."},
    {"Marginal", "Performing its function but worn, damaged or near the end of its useful life; repair or "
                 "replacement should be planned."},
    {"Non-Functional", "Not performing its intended function; repair or replacement is needed to make FUNCTIONAL."},
    {"Hazardous", "Presents a risk to the safety or health of the occupants; correct at once."},
    {"Comments", "Information about the item; read the remarks."},
    {"N/A", "NOT APPLICABLE.  The item is not present or does not apply."},
    {"NV", "NOT VISIBLE.  All or parts were not visible."},
};

void AddHeading(CHTMLContainer& body, const std::string& text)
{
    body.Add<CHTMLMarkup>("<P><B>" + EscapeHtml(text) + "</B></P>\n");
}

// A block of text the inspector wrote, as a paragraph.
void AddParagraph(CHTMLContainer& body, const std::string& text)
{
    body.Add<CHTMLMarkup>("<P>" + FormattedHtml(text) + "</P>\n");
}

} // namespace

CHTMLReport::CHTMLReport() = default;
CHTMLReport::~CHTMLReport() = default;

void CHTMLReport::Setup(const store::Inspection& inspection, const std::string& layoutName)
{
    store::Options o;
    m_inspectionID = inspection.m_InspectionID;
    m_docNumber = inspection.m_InspectionNum;
    m_date = inspection.m_InspectionDate.DateText();
    m_clientName = inspection.m_ClientName;
    m_clientAddress1 = inspection.m_ClientAddress;
    m_clientAddress2 = inspection.m_ClientCityStateZip;
    m_dwelling1 = inspection.m_DwellingAddress;
    m_dwelling2 = inspection.m_DwellingCityStateZip;
    m_agent = inspection.m_AgentName;
    m_realEstate = inspection.m_RealEstateCompany;
    m_generalInfo = inspection.m_InspectionComments;
    m_pictureCardFolder = o.m_DefaultPictCardPath;
    // The inspection's own picture folder when it names one, else the picture card folder.
    m_pictureFolder = inspection.m_String4.empty() ? o.m_DefaultPictCardPath : inspection.m_String4;
    m_customLabelsSet = !o.m_String25.empty();
    m_customLabels = rtf::TitleLabels(o);
    m_legalText = o.m_String5;
    m_definitions = o.m_String6;
    m_materialsDelimiter = o.m_String7.empty() ? std::string(", ") : o.m_String7;
    m_hideRatings = o.m_HideRatings != 0;

    store::Owner owner;
    if (owner.Open() && owner.GetCount() > 0) {
        owner.Read(0);
        m_inspector = owner.m_Name;
        m_company = owner.m_Company;
        m_contact = owner.m_Name;
        const auto lines = Lines(owner.m_Address);
        if (!lines.empty())
            m_address1 = lines[0];
        if (lines.size() == 2)
            m_cityLine = lines[1];
        if (lines.size() > 2) {
            m_address2 = lines[1];
            for (std::size_t i = 2; i < lines.size(); ++i)
                m_cityLine += (i > 2 ? ", " : "") + lines[i];
        }
        m_phone = owner.m_WorkAreaCode.empty() ? owner.m_WorkPhone
                                               : "(" + owner.m_WorkAreaCode + ") " + owner.m_WorkPhone;
        m_fax = owner.m_FaxNumber.empty() || owner.m_FaxAreaCode.empty()
                    ? owner.m_FaxNumber
                    : "(" + owner.m_FaxAreaCode + ") " + owner.m_FaxNumber;
    }

    m_columns = text::EqualsIgnoreCase(layoutName, "4 Column") ? 4 : 2;
    m_french = layoutName == "2 Column French";
    m_marks.Load();
}

// ------------------------------------------------------------------ pages

bool CHTMLReport::Build(HtmlTarget target, const std::string& folder, PictureFolder& pictures,
                        ui::Progress* progress, HtmlPages& pages)
{
    if (progress)
        progress->setStatus("Building Categories...");
    CHTMLPage toc("Table of Contents");
    toc.Add<CHTMLText>("Table Of Contents", CHTMLText::Style{.bold = true});
    toc.Add<CHTMLBreak>();
    toc.Add<CHTMLBreak>();
    CHTMLPage report("Inspection Report");
    AddHead(report, pictures);

    store::Category categories;
    categories.OpenByInspection(m_inspectionID);
    const int count = categories.GetCount();
    if (progress)
        progress->setRange(0, count);
    std::set<std::string> anchors;
    for (int i = 0; i < count; ++i) {
        if (progress && progress->cancelled())
            return false;
        categories.Read(i);
        if (categories.m_CategoryNotPresent) {
            if (progress)
                progress->setPosition(i + 1);
            continue;
        }
        const std::string& name = categories.m_CategoryTitle;
        // The category's name, made fit for a link and different from every other.
        std::string anchor = SafeFileName(name);
        for (int n = 2; anchors.count(anchor); ++n)
            anchor = SafeFileName(name) + "-" + std::to_string(n);
        anchors.insert(anchor);

        toc.Add<CHTMLMarkup>("<A HREF=\"inspection.htm#" + EscapeHtml(anchor) + "\" TARGET=\"main\">" +
                             EscapeHtml(name) + "</A><BR>\n");

        report.Add<CHTMLMarkup>("<P>&nbsp;</P>\n<CENTER>");
        report.Add<CHTMLAnchor>(anchor).Add<CHTMLMarkup>("<FONT SIZE=4><B>" + EscapeHtml(name) + "</B></FONT>");
        report.Add<CHTMLMarkup>("</CENTER>\n");
        if (!Trim(categories.m_CategoryComments).empty())
            AddParagraph(report, categories.m_CategoryComments);

        auto& table = report.Add<CHTMLTable>();
        table.SetWidth("100%").SetBorder(1).SetCellSpacing(0).SetCellPadding(4);
        auto& header = table.AddRow();
        const std::vector<std::pair<std::string, std::string>> heads =
            m_columns == 4 ? std::vector<std::pair<std::string, std::string>>{{"Component", "22%"},
                                                                              {"Material Type", "18%"},
                                                                              {"Rating", "12%"},
                                                                              {"", "48%"}}
            : m_french     ? std::vector<std::pair<std::string, std::string>>{{"Etape", "8%"},
                                                                              {"Composante", "22%"},
                                                                              {"Commentaires", "70%"}}
                           : std::vector<std::pair<std::string, std::string>>{{"Step #", "8%"},
                                                                              {"Component", "22%"},
                                                                              {"Comments", "70%"}};
        for (const auto& [text, width] : heads)
            header.AddCell(true).SetAlign(Align::Left).SetWidth(width).Add<CHTMLText>(text);

        store::Step steps;
        steps.OpenByCategory(categories.m_CategoryID);
        for (int s = 0; s < steps.GetCount(); ++s) {
            steps.Read(s);
            if (steps.m_InspectResult != "Omit")
                AddStepRows(table, steps, pictures);
        }
        if (progress)
            progress->setPosition(i + 1);
    }

    if (progress)
        progress->setStatus("Saving to file...");
    pages.toc = toc.Rendered();
    pages.inspection = report.Rendered();
    std::string base;
    if (target == HtmlTarget::View) {
        // A folder path as a file URL: the signs a URL reads on its own are percent-encoded.
        base = "file://";
        for (const char c : std::filesystem::absolute(folder).generic_string()) {
            static const char hex[] = "0123456789ABCDEF";
            const auto u = static_cast<unsigned char>(c);
            if (u <= 0x20 || u >= 0x7F || c == '%' || c == '#' || c == '?' || c == '"')
                base += {'%', hex[u >> 4], hex[u & 15]};
            else
                base += c;
        }
        base += "/";
    }
    pages.index = "<html>\n"
                  "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
                  "<title>Inspection Report</title></head>\n"
                  "<frameset cols=\"150,*\">\n"
                  "<frame name=\"contents\" target=\"contents\" src=\"" +
                  EscapeHtml(base) + "toc.htm\">\n" + "<frame name=\"main\" src=\"" + EscapeHtml(base) +
                  "inspection.htm\" target=\"main\">\n"
                  "</frameset>\n"
                  "</html>\n";
    return true;
}

void CHTMLReport::AddHead(CHTMLContainer& body, PictureFolder& pictures)
{
    // The company block, centred.
    std::string company = "<CENTER><FONT SIZE=5><B>" + EscapeHtml(m_company) + "</B></FONT><BR>\n";
    const std::string phones = m_fax.empty() ? m_phone : m_phone + " Fax #:" + m_fax;
    const std::string lines = JoinLines({&m_contact, &m_address1, &m_address2, &m_cityLine, &phones});
    if (!lines.empty())
        company += lines;
    company += "</CENTER>\n<HR>\n";
    body.Add<CHTMLMarkup>(company);

    // The inspection block: one row per value the inspection holds.
    auto label = [this](int custom, const char* english, const char* french) {
        if (m_customLabelsSet && custom >= 0)
            return m_customLabels[static_cast<std::size_t>(custom)] + ":";
        return std::string(m_french && french ? french : english);
    };
    auto& block = body.Add<CHTMLTable>();
    block.SetBorder(0).SetCellSpacing(0).SetCellPadding(3);
    auto addLine = [&block](const std::string& name, const std::string& valueHtml) {
        if (valueHtml.empty())
            return;
        auto& row = block.AddRow();
        row.AddCell().SetVAlign(VAlign::Top).Add<CHTMLText>(name, CHTMLText::Style{.bold = true});
        row.AddCell().SetVAlign(VAlign::Top).Add<CHTMLMarkup>(valueHtml);
    };
    addLine(label(5, "Inspection No.:", "No. d'inspection:"), EscapeHtml(m_docNumber));
    addLine(label(-1, "Inspector:", "Inspecteur:"), EscapeHtml(m_inspector));
    addLine(label(7, "Inspection Date:", "Date d'inspection:"), EscapeHtml(m_date));
    addLine(label(0, "Dwelling:", "Adresse:"), JoinLines({&m_dwelling1, &m_dwelling2}));
    addLine(label(6, "Client:", nullptr), EscapeHtml(m_clientName));
    addLine(label(1, "Client Address:", nullptr), JoinLines({&m_clientAddress1, &m_clientAddress2}));
    addLine(label(2, "Client's Agent:", nullptr), EscapeHtml(m_agent));
    addLine(label(4, "Real Estate Co.:", "Courtier Immobilier:"), EscapeHtml(m_realEstate));

    // The house photo, when the picture folder holds one.
    if (!m_pictureFolder.empty()) {
        const std::string house = (std::filesystem::path(m_pictureFolder) / "HousePhoto.jpg").string();
        if (const auto placed = pictures.Place(house, kPictureBox, kPictureBox)) {
            body.Add<CHTMLMarkup>("<P ALIGN=\"CENTER\">");
            body.Add<CHTMLImage>(placed->fileName, placed->width, placed->height);
            body.Add<CHTMLMarkup>("</P>\n");
        }
    }

    if (!Trim(m_legalText).empty()) {
        AddHeading(body, "INSPECTION AGREEMENT");
        AddParagraph(body, m_legalText);
    }

    AddHeading(body, "DEFINITION OF TERMS");
    if (!Trim(m_definitions).empty()) {
        AddParagraph(body, m_definitions);
    } else {
        auto& terms = body.Add<CHTMLTable>();
        terms.SetBorder(0).SetCellSpacing(0).SetCellPadding(3);
        for (const auto& [term, meaning] : kStandardDefinitions) {
            auto& row = terms.AddRow();
            row.AddCell().SetVAlign(VAlign::Top).Add<CHTMLText>(term, CHTMLText::Style{.bold = true});
            row.AddCell().SetVAlign(VAlign::Top).Add<CHTMLText>(meaning);
        }
    }

    const std::string general = Trim(editing::StripAllTags(m_generalInfo));
    const std::string tag = editing::FindFirstTag(m_generalInfo);
    if (!general.empty() || !tag.empty()) {
        AddHeading(body, m_french ? "INFORMATION GENERALE" : "GENERAL INFORMATION");
        if (!general.empty())
            AddParagraph(body, general);
        if (!tag.empty() && editing::TagKind(tag) != editing::kTagError) {
            auto& paragraph = body.Add<CHTMLContainer>();
            paragraph.Add<CHTMLMarkup>("<P>");
            AddPicture(paragraph, ResolveTag(tag), tag, editing::TagScale(tag), pictures);
            paragraph.Add<CHTMLMarkup>("</P>\n");
        }
    }
}

// ------------------------------------------------------------------ steps

std::string CHTMLReport::MaterialsDisplay(const std::string& materials) const
{
    return reports::rtf::MaterialsDisplay(materials, m_materialsDelimiter);
}

void CHTMLReport::AddStepRows(CHTMLTable& table, const store::Step& step, PictureFolder& pictures)
{
    const bool bold = m_marks.IsBold(step.m_InspectResult, step.m_StepRatingType);
    const bool red = m_marks.IsRed(step.m_InspectResult, step.m_StepRatingType);
    const std::string rating = m_hideRatings ? std::string() : step.m_InspectResult;
    const std::string comments = FormattedHtml(editing::StripAllTags(step.m_Comments));
    const std::string materials = MaterialsDisplay(step.m_Materials);
    // QTextBrowser reads a colour only with its "#"; browsers take both.
    const std::string ratingOpen = red ? "<font color=\"#FF0000\"><B>" : "<font color=\"#000000\"><B>";
    const std::string ratingClose = "</B></font>";

    auto& row = table.AddRow();
    auto cell = [&row]() -> CHTMLCell& { return row.AddCell().SetVAlign(VAlign::Top).SetAlign(Align::Left); };
    if (m_columns == 4) {
        const std::string numbered = step.m_StepNumber.empty() ? step.m_StepTitle
                                                                 : step.m_StepNumber + ". " + step.m_StepTitle;
        cell().Add<CHTMLText>(numbered);
        cell().Add<CHTMLText>(materials);
        auto& ratingCell = cell();
        if (!rating.empty()) {
            if (red)
                ratingCell.Add<CHTMLMarkup>(ratingOpen + EscapeHtml(rating) + ratingClose);
            else
                ratingCell.Add<CHTMLText>(rating, CHTMLText::Style{.bold = bold});
        }
        cell().Add<CHTMLMarkup>(comments);
    } else {
        cell().Add<CHTMLText>(step.m_StepNumber);
        cell().Add<CHTMLText>(step.m_StepTitle);
        // "Comments" and "Data" say nothing a client reads as a rating.
        const bool plain = rating.empty() || rating == "Comments" || rating == "Data";
        std::string text;
        if (!plain)
            text += ratingOpen + EscapeHtml(rating) + ". " + ratingClose;
        if (!materials.empty())
            text += EscapeHtml(materials) + (materials.back() == '.' ? " " : ". ");
        if (bold || red)
            text += "<font color=\"" + std::string(red ? "#FF0000" : "#000000") + "\">" +
                    (bold ? "<B>" + comments + "</B>" : comments) + "</font>";
        else
            text += comments;
        cell().Add<CHTMLMarkup>(text);
    }

    const std::string span = std::to_string(m_columns == 4 ? 4 : 3);
    CHTMLContainer picturesCell;
    if (AddPictures(picturesCell, step, pictures))
        table.AddRawRow("<TR><TD VALIGN=TOP COLSPAN=" + span + " ALIGN=LEFT>" + picturesCell.Rendered() +
                        "</TD></TR>\n");
    else
        table.AddRawRow("<TR><TD COLSPAN=" + span + "><FONT SIZE=2>&nbsp;</FONT></TD></TR>\n");
}

std::string CHTMLReport::ResolveTag(const std::string& tag) const
{
    const std::string kind = editing::TagKind(tag);
    if (kind == editing::kKnownPicture)
        return editing::TagFile(tag);
    if (kind == editing::kGenericPicture)
        return editing::NumberedPictureFile(m_pictureCardFolder, editing::TagPictureNumber(tag));
    return editing::kTagError;
}

bool CHTMLReport::AddPictures(CHTMLContainer& cell, const store::Step& step, PictureFolder& pictures)
{
    bool any = false;
    if (!Trim(step.m_BitmapPath).empty()) {
        AddPicture(cell, step.m_BitmapPath, step.m_BitmapPath, 100, pictures);
        any = true;
    }
    if (step.m_Comments.find("***") == std::string::npos)
        return any;
    for (const std::string& tag : editing::AllTags(step.m_Comments)) {
        if (editing::TagKind(tag) == editing::kTagError)
            continue;
        if (any)
            cell.Add<CHTMLMarkup>(" ");
        AddPicture(cell, ResolveTag(tag), tag, editing::TagScale(tag), pictures);
        any = true;
    }
    return any;
}

void CHTMLReport::AddPicture(CHTMLContainer& cell, const std::string& path, const std::string& shownName, int scale,
                             PictureFolder& pictures)
{
    if (scale <= 0)
        scale = 100;
    const int box = kPictureBox * std::min(scale, 200) / 100;
    if (path != editing::kTagError) {
        if (const auto placed = pictures.Place(path, box, box)) {
            cell.Add<CHTMLImage>(placed->fileName, placed->width, placed->height);
            return;
        }
    }
    // No broken picture in the page: the name of what is missing, in small type.
    std::string name = path != editing::kTagError ? std::filesystem::path(path).filename().string() : shownName;
    if (name.size() >= 6 && name.compare(0, 3, "***") == 0)
        name = name.substr(3, name.size() - 6);
    cell.Add<CHTMLText>(name, CHTMLText::Style{.small = true});
}

} // namespace reports::html
