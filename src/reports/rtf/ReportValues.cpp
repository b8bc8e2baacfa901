#include "reports/rtf/ReportValues.h"

#include "editing/PictureTags.h"
#include "reports/rtf/CRTFReportFile.h"
#include "store/Inspection.h"
#include "store/InspectionType.h"
#include "store/Options.h"
#include "store/Owner.h"
#include "text/Windows1252.h"

#include <sstream>
#include <vector>

namespace reports::rtf {
namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

std::string Trim(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

} // namespace

ReportValues ReadReportValues(const store::Inspection& inspection, const store::Options& o, bool fullReport)
{
    ReportValues v;
    store::InspectionType type;
    if (type.OpenByID(inspection.m_DocTypeID) && type.GetCount() > 0) {
        type.Read(0);
        v.docTypeName = type.m_InspectionType;
        v.reportLayoutOfDocType = type.m_ReportLayout;
    }
    if (v.docTypeName.empty())
        v.docTypeName = inspection.m_DocType;
    v.docNumber = inspection.m_InspectionNum;
    v.date = inspection.m_InspectionDate.DateText();
    v.time = inspection.m_InspectionDate.TimeText();
    v.clientName = inspection.m_ClientName;
    v.clientAddress1 = inspection.m_ClientAddress;
    v.clientAddress2 = inspection.m_ClientCityStateZip;
    v.dwellingAddress1 = inspection.m_DwellingAddress;
    v.dwellingAddress2 = inspection.m_DwellingCityStateZip;
    v.agent = inspection.m_AgentName;
    v.realEstateCompany = inspection.m_RealEstateCompany;
    v.generalInfo = inspection.m_InspectionComments;
    v.pictureFolder = inspection.m_String4.empty() ? o.m_DefaultPictCardPath : inspection.m_String4;
    v.labels = TitleLabels(o);

    store::Owner owner;
    if (owner.Open() && owner.GetCount() > 0) {
        owner.Read(0);
        v.inspectorName = owner.m_Name;
        v.companyName = owner.m_Company;
        v.contactLine = owner.m_Name;
        // The address is one text of lines: street lines, then the city line.
        const auto lines = Lines(owner.m_Address);
        if (lines.size() == 1) {
            v.address1 = lines[0];
        } else if (lines.size() == 2) {
            v.address1 = lines[0];
            v.cityLine = lines[1];
        } else if (lines.size() > 2) {
            v.address1 = lines[0];
            v.address2 = lines[1];
            for (std::size_t i = 2; i < lines.size(); ++i)
                v.cityLine += (i > 2 ? ", " : "") + lines[i];
        }
        v.workPhone = owner.m_WorkAreaCode.empty() ? owner.m_WorkPhone
                                                   : "(" + owner.m_WorkAreaCode + ") " + owner.m_WorkPhone;
        v.faxNumber = owner.m_FaxNumber.empty() || owner.m_FaxAreaCode.empty()
                          ? owner.m_FaxNumber
                          : "(" + owner.m_FaxAreaCode + ") " + owner.m_FaxNumber;
    }

    v.legalText = fullReport ? o.m_String5 : o.m_SummaryDisclaimer;
    v.definitionsText = o.m_String6;
    v.footerText = o.m_YesNo3 ? o.m_String4 : std::string();
    v.fontName = o.m_ReportFontName.empty() ? std::string("Times New Roman") : o.m_ReportFontName;
    v.fontSize = o.m_ReportFontSize;
    v.hideRatings = o.m_HideRatings != 0;
    v.doubleSpacing = o.m_StepSpacing == 2;
    v.sectionBreaks = o.m_YesNo35 != 0;
    v.printCompany = o.m_YesNo0 != 0;
    if (!o.m_String7.empty())
        v.materialsDelimiter = o.m_String7;
    v.columnWidths = {o.m_ColumnWidth1, o.m_ColumnWidth2, o.m_ColumnWidth3, o.m_ColumnWidth4, o.m_ColumnWidth5};
    return v;
}

std::string MaterialsDisplay(const std::string& materials, const std::string& delimiter)
{
    std::string shown;
    std::size_t start = 0;
    while (start <= materials.size()) {
        auto end = materials.find(';', start);
        if (end == std::string::npos)
            end = materials.size();
        std::string item = Trim(materials.substr(start, end - start));
        // "Other:" entries carry the inspector's own wording after the colon.
        if (item.size() >= 6 && text::EqualsIgnoreCase(item.substr(0, 6), "Other:"))
            item = Trim(item.substr(6));
        if (!item.empty())
            shown += (shown.empty() ? "" : delimiter) + item;
        start = end + 1;
    }
    return shown;
}

std::string ResolvePictureTag(const std::string& tag, const std::string& pictureCardFolder)
{
    const std::string kind = editing::TagKind(tag);
    if (kind == editing::kKnownPicture)
        return editing::TagFile(tag);
    if (kind == editing::kGenericPicture)
        return editing::NumberedPictureFile(pictureCardFolder, editing::TagPictureNumber(tag));
    return editing::kTagError;
}

const std::vector<std::pair<std::string, std::string>>& StandardDefinitions()
{
    static const std::vector<std::pair<std::string, std::string>> terms = {
        {"Functional", "Performing its function and its condition is appropriate for its age and use."},
        {"Lacks Maintenance", "Performing its function but in need of routine upkeep, cleaning or minor repair."},
        {"Marginal", "Performing its function but worn, damaged or near the end of its useful life; repair or "
                     "replacement should be planned."},
        {"Non-Functional", "Not performing its intended function; repair or replacement is needed to make "
                           "FUNCTIONAL."},
        {"Hazardous", "Presents a risk to the safety or health of the occupants; correct at once."},
        {"Comments", "Information about the item; read the remarks."},
        {"N/A", "NOT APPLICABLE.  The item is not present or does not apply."},
        {"NV", "NOT VISIBLE.  All or parts were not visible."},
    };
    return terms;
}

} // namespace reports::rtf
