#include "exchange/InspectionExporter.h"

#include "exchange/ExportFileFormat.h"
#include "exchange/ExportFileWriter.h"
#include "exchange/OutputFile.h"
#include "store/Category.h"
#include "store/Inspection.h"
#include "store/Owner.h"
#include "store/Step.h"
#include "ui/Port.h"

namespace exchange {
namespace {

// The company block as the export file's INSPECTIONCOMPANY element carries it.
struct CompanyBlock {
    std::string company;
    std::string inspectorName; // the owner's contact text up to the first "#"
    std::string licence;       // from the first "#" on, "#" included
    std::string address;
    std::string cityLine;
    std::string workPhone;
    std::string fax;
};

std::string Phone(const std::string& areaCode, const std::string& number)
{
    if (areaCode.empty())
        return number;
    if (number.empty())
        return areaCode;
    return "(" + areaCode + ") " + number;
}

CompanyBlock ReadCompanyBlock()
{
    CompanyBlock block;
    store::Owner owner;
    if (!owner.Open() || owner.GetCount() == 0)
        return block;
    owner.Read(0);
    block.company = owner.m_Company;
    const auto hash = owner.m_Name.find('#');
    block.inspectorName = owner.m_Name.substr(0, hash);
    if (hash != std::string::npos)
        block.licence = owner.m_Name.substr(hash);
    // The address keeps its street lines first and the city line last.
    std::string text = owner.m_Address;
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\r')
            continue;
        if (c == '\n') {
            if (!line.empty())
                lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    if (lines.size() >= 2) {
        block.cityLine = lines.back();
        lines.pop_back();
    }
    for (const auto& l : lines)
        block.address += (block.address.empty() ? "" : ", ") + l;
    block.workPhone = Phone(owner.m_WorkAreaCode, owner.m_WorkPhone);
    block.fax = Phone(owner.m_FaxAreaCode, owner.m_FaxNumber);
    return block;
}

// Values are written as stored: readers of the file take the text between the
// double quotes as it stands. Only what the element cannot carry is replaced:
// the double quote (it would end the value) by an apostrophe, and the
// separator characters of the file by a blank. `replaced` counts them.
std::string AttributeValue(const std::string& value, int& replaced)
{
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '"') {
            out += '\'';
            ++replaced;
        } else if (value.compare(i, 2, "\xC2\xA4") == 0 || value.compare(i, 2, "\xC2\xA7") == 0) {
            out += ' ';
            ++replaced;
            ++i;
        } else {
            out += value[i];
        }
    }
    return out;
}

std::string CompanyElement(const CompanyBlock& b, int& replaced)
{
    std::string e = "<InspectionCompany";
    auto attribute = [&](const char* name, const std::string& value) {
        e += " ";
        e += name;
        e += "= \"" + AttributeValue(value, replaced) + "\"";
    };
    attribute("Name", b.company);
    attribute("ContactName", b.inspectorName);
    attribute("Address", b.address);
    attribute("CSZ", b.cityLine);
    attribute("Phone_Work", b.workPhone);
    attribute("Phone_Fax", b.fax);
    attribute("Email", "Not currently supported.");
    e += " />";
    return e;
}

std::string InspectionPlace(const store::Inspection& inspection)
{
    if (!inspection.m_InspectionNum.empty())
        return "the inspection Doc # " + inspection.m_InspectionNum;
    return "the inspection with the ID " + std::to_string(inspection.m_InspectionID);
}

constexpr std::size_t kRefusedListed = 12;

} // namespace

std::optional<std::string> InspectionExporter::Build(int inspectionID, ExportOutcome& outcome)
{
    ui::Port& port = ui::CurrentPort();
    store::Inspection inspection;
    if (!inspection.OpenByID(inspectionID) || inspection.GetCount() == 0) {
        port.inform("The inspection to export (ID " + std::to_string(inspectionID) + ") does not exist.");
        return std::nullopt;
    }
    inspection.Read(0);

    // A database error is shown by the table layer; the export then stops
    // rather than write an inspection with categories or steps missing.
    store::Category category;
    if (!category.OpenByInspection(inspectionID))
        return std::nullopt;
    const int categoryCount = category.GetCount();

    auto progress = port.progress();
    progress->setTitle("Exporting Inspection...");
    progress->setRange(0, categoryCount);
    progress->setPosition(0);

    ExportFileWriter w;
    w.WriteHeader();

    const CompanyBlock company = ReadCompanyBlock();
    w.SetPlace("the company and inspector details of the Options");
    w.BeginRecord(kCompanyKeyword);
    w.Text(CompanyElement(company, outcome.companyReplaced), "company block");
    w.Text("", "company block");
    w.EndRecord();

    const std::string inspectionPlace = InspectionPlace(inspection);
    w.SetPlace(inspectionPlace);
    w.BeginRecord(kInspectionKeyword);
    w.Text(inspection.m_DwellingAddress, "Dwelling Address");
    w.Text(inspection.m_ClientName, "Client Name");
    w.Text(inspection.m_AgentName, "Client's Agent");
    w.Text(inspection.m_String4, "String4");
    w.Text(inspection.m_InspectionComments, "General Comment");
    w.Text(inspection.m_DateText, "Date");
    w.Text(inspection.m_TimeText, "Time");
    w.Text(inspection.m_DocType, "Doc Type");
    w.YesNo(inspection.m_YesNo8);
    w.YesNo(inspection.m_YesNo9);
    w.Number(inspection.m_Number10);
    w.Text(inspection.m_InspectionNum, "Doc #");
    w.Text(inspection.m_String12, "String12");
    w.Text(inspection.m_DwellingCityStateZip, "Dwelling City/State/Zip");
    w.Text(inspection.m_ClientAddress, "Client Address");
    w.Text(inspection.m_ClientCityStateZip, "Client City/State/Zip");
    w.Number(inspection.m_DocTypeID);
    w.Text(inspection.m_RealEstateCompany, "Real Estate Company");
    w.SetPlace("the company and inspector details of the Options");
    w.Text(company.licence, "inspector's name");
    w.EndRecord();

    store::Step step;
    for (int c = 0; c < categoryCount; ++c) {
        category.Read(c);
        const std::string categoryPlace = "the category \"" + category.m_CategoryTitle + "\" of " + inspectionPlace;
        w.SetPlace(categoryPlace);
        w.BeginRecord(kCategoryKeyword);
        w.Text(category.m_CategoryTitle, "Title");
        w.Text(category.m_CategoryNumber, "Number");
        w.Text(category.m_String3, "String3");
        w.Text(category.m_CategoryComments, "Comments");
        w.YesNo(category.m_CategoryComplete);
        w.YesNo(category.m_CategoryNotPresent);
        w.Number(category.m_CategoryTemplateID);
        w.Number(category.m_Type);
        w.EndRecord();
        ++outcome.categories;

        if (!step.OpenByCategory(category.m_CategoryID))
            return std::nullopt;
        for (int s = 0; s < step.GetCount(); ++s) {
            step.Read(s);
            w.SetPlace("the step \"" + step.m_StepTitle + "\" of " + categoryPlace);
            w.BeginRecord(kStepKeyword);
            w.Text(step.m_StepNumber, "Number");
            w.Text(step.m_StepTitle, "Title");
            w.Text(step.m_InspectResult, "Rating");
            w.Text(step.m_Comments, "Comments");
            w.Text(step.m_Materials, "Materials");
            w.Text(step.m_StepRatingType, "Rating Type");
            w.Text(step.m_String8, "String8");
            w.Text(step.m_MaterialList, "Material List");
            w.Number(step.m_StepTemplateID);
            w.YesNo(step.m_YesNo11);
            w.Text(step.m_MajorSystem, "Major System");
            w.Number(step.m_StepInfoExists);
            w.Text(step.m_SummaryComment, "Summary Comment");
            w.Text(step.m_BitmapPath, "Picture");
            w.Number(step.m_PictureBefore);
            w.EndRecord();
            ++outcome.steps;
        }
        progress->setPosition(c + 1);
        if (progress->cancelled()) {
            outcome.cancelled = true;
            return std::nullopt;
        }
    }

    if (!w.Refused().empty()) {
        const auto& refused = w.Refused();
        std::string text = "The inspection was not exported: the export file cannot carry the characters \xC2\xA4 "
                           "and \xC2\xA7, which separate its fields and records. Remove them from:\n";
        for (std::size_t i = 0; i < refused.size() && i < kRefusedListed; ++i)
            text += "\n- " + refused[i];
        if (refused.size() > kRefusedListed)
            text += "\n- and " + std::to_string(refused.size() - kRefusedListed) + " more";
        port.inform(text);
        return std::nullopt;
    }
    outcome.replaced = w.Replaced();
    return w.Bytes();
}

ExportOutcome InspectionExporter::ExportInspection(int inspectionID, const std::string& path)
{
    ExportOutcome outcome;
    auto bytes = Build(inspectionID, outcome);
    if (!bytes || !WriteOutputFile(path, *bytes))
        return outcome;
    outcome.written = true;
    if (outcome.companyReplaced > 0)
        ui::CurrentPort().inform("In the company details written to the file, " +
                                 std::to_string(outcome.companyReplaced) +
                                 (outcome.companyReplaced == 1 ? " character was" : " characters were") +
                                 " replaced: a double quote by an apostrophe, \xC2\xA4 and \xC2\xA7 by a blank. "
                                 "The company details cannot carry them.");
    if (outcome.replaced > 0)
        ui::CurrentPort().inform(std::to_string(outcome.replaced) +
                                 (outcome.replaced == 1 ? " character was" : " characters were") +
                                 " written as \"?\": the export file holds Windows-1252 text, which lacks " +
                                 (outcome.replaced == 1 ? "it." : "them."));
    return outcome;
}

} // namespace exchange
