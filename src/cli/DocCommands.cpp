// inspector-cli list, show and new: the inspections of the inspection file.
#include "cli/DocSupport.h"

#include "app/DocumentRules.h"
#include "store/DateTime.h"
#include "store/Step.h"

#include <algorithm>
#include <iostream>
#include <vector>

namespace cli {
namespace {

std::string Padded(const std::string& text, int width)
{
    return text + std::string(static_cast<std::size_t>(std::max(0, width - app::CharacterCount(text))), ' ');
}

int List(const Args& args)
{
    if (!args.positional.empty())
        return Usage("list");
    auto doc = OpenDocument(args);
    if (!doc)
        return kFailed;
    const char* headers[] = {"Client Name", "Dwelling Address", "City, State Zip", "Doc #"};
    std::vector<std::vector<std::string>> rows;
    for (const auto& i : doc->InspectionList())
        rows.push_back({i.clientName, i.dwellingAddress, i.dwellingCityStateZip, i.docNum});
    int widths[4];
    for (int c = 0; c < 4; ++c) {
        widths[c] = app::CharacterCount(headers[c]);
        for (const auto& r : rows)
            widths[c] = std::max(widths[c], app::CharacterCount(r[static_cast<std::size_t>(c)]));
    }
    for (int c = 0; c < 4; ++c)
        std::cout << (c < 3 ? Padded(headers[c], widths[c]) + "  " : std::string(headers[c]) + "\n");
    for (const auto& r : rows)
        for (int c = 0; c < 4; ++c)
            std::cout << (c < 3 ? Padded(r[static_cast<std::size_t>(c)], widths[c]) + "  " : r[3] + "\n");
    std::cout << rows.size() << (rows.size() == 1 ? " inspection\n" : " inspections\n");
    return 0;
}

// A text of several lines, every line after the first indented.
std::string Indented(const std::string& text, const std::string& indent)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r')
            continue;
        out += text[i];
        if (text[i] == '\n')
            out += indent;
    }
    return out;
}

int Show(const Args& args)
{
    if (args.positional.size() != 1)
        return Usage("show");
    auto doc = OpenDocument(args);
    if (!doc || !SelectByDocNum(*doc, args.positional[0]))
        return kFailed;
    const store::Inspection& i = doc->CurrentInspection();
    std::cout << "Doc # " << i.m_InspectionNum << "  (InspectionID " << i.m_InspectionID << ")\n"
              << "Client:           " << i.m_ClientName << "\n"
              << "Client address:   " << i.m_ClientAddress << (i.m_ClientCityStateZip.empty() ? "" : ", ")
              << i.m_ClientCityStateZip << "\n"
              << "Dwelling:         " << i.m_DwellingAddress << (i.m_DwellingCityStateZip.empty() ? "" : ", ")
              << i.m_DwellingCityStateZip << "\n"
              << "Agent:            " << i.m_AgentName << "\n"
              << "Real estate:      " << i.m_RealEstateCompany << "\n"
              << "Date:             " << i.m_DateText << " " << i.m_TimeText << "\n"
              << "Doc Type:         " << i.m_DocType << "\n";
    if (!i.m_InspectionComments.empty())
        std::cout << "Comments:         " << Indented(i.m_InspectionComments, "                  ") << "\n";

    const int count = doc->GetCategoryCount();
    int steps = 0;
    for (int c = 0; c < count; ++c) {
        const store::Category& category = *doc->StandOnCategory(c);
        std::cout << "\n" << category.m_CategoryNumber << "  " << category.m_CategoryTitle << "  ["
                  << CategoryStatus(category) << "]\n";
        if (!category.m_CategoryComments.empty())
            std::cout << "    " << Indented(category.m_CategoryComments, "    ") << "\n";
        store::Step step;
        step.OpenByCategory(category.m_CategoryID);
        for (int s = 0; s < step.GetCount(); ++s, ++steps) {
            step.Read(s);
            std::cout << "  " << step.m_StepNumber << ". " << step.m_StepTitle;
            if (!step.m_InspectResult.empty())
                std::cout << "  | rating: " << step.m_InspectResult;
            if (!step.m_Materials.empty())
                std::cout << "  | materials: " << step.m_Materials;
            std::cout << "\n";
            if (!step.m_Comments.empty())
                std::cout << "      " << Indented(step.m_Comments, "      ") << "\n";
        }
    }
    std::cout << "\n" << count << " categories, " << steps << " steps\n";
    return 0;
}

// "YYYY-MM-DD" or "YYYY-MM-DD HH:MM".
std::optional<store::DateTime> ParseDate(const std::string& text)
{
    auto date = store::DateTime::FromIso(text.size() == 16 ? text + ":00" : text);
    if (!date || date->month < 1 || date->month > 12 || date->day < 1 || date->day > 31)
        return std::nullopt;
    return store::DateTime::Make(date->year, date->month, date->day, date->hour, date->minute, date->second);
}

int New(const Args& args)
{
    if (!args.positional.empty())
        return Usage("new");
    std::optional<store::DateTime> date;
    if (args.Has("--date") && !(date = ParseDate(args.Get("--date")))) {
        std::cerr << "--date needs a date written YYYY-MM-DD or YYYY-MM-DD HH:MM.\n";
        return kUsage;
    }
    auto doc = OpenDocument(args);
    if (!doc)
        return kFailed;
    const std::string docNum = args.Get("--doc-num");
    if (!docNum.empty() && DocNumTaken(*doc, docNum))
        return kFailed;
    std::optional<std::string> docType;
    if (args.Has("--doctype") && !(docType = app::CInspectorDoc::FindDocType(args.Get("--doctype")))) {
        std::cerr << "There is no document type \"" << args.Get("--doctype") << "\"; nothing was created.\n";
        return kFailed;
    }

    // A data file without inspections gets one blank inspection when the
    // document opens it; the first inspection created here fills that one in
    // instead of leaving it beside the new one.
    const store::Inspection& current = doc->CurrentInspection();
    const bool onlyBlank = doc->InspectionList().size() == 1 && current.m_InspectionNum.empty() &&
                           current.m_ClientName.empty() && current.m_DwellingAddress.empty() &&
                           current.m_DocType.empty() && doc->GetCategoryCount() == 0;
    if (!onlyBlank)
        doc->NewInspection();
    store::Inspection& i = doc->CurrentInspection();
    i.m_InspectionNum = docNum;
    i.m_ClientName = args.Get("--client");
    i.m_ClientAddress = args.Get("--client-address");
    i.m_ClientCityStateZip = args.Get("--client-city-state-zip");
    i.m_DwellingAddress = args.Get("--address");
    i.m_DwellingCityStateZip = args.Get("--city-state-zip");
    i.m_AgentName = args.Get("--agent");
    i.m_RealEstateCompany = args.Get("--real-estate");
    if (date)
        i.m_InspectionDate = *date;
    if (!doc->SaveInspection())
        return kFailed;
    std::cout << "Created inspection Doc # " << docNum << " (InspectionID " << i.m_InspectionID << ").\n";
    if (docType) {
        if (!doc->ChangeDocType(*docType))
            return kFailed;
        std::cout << "Document type " << *docType << ": " << doc->GetCategoryCount() << " categories.\n";
    }
    return 0;
}

} // namespace

INSPECTOR_CLI_COMMAND({"list", "", "list the inspections: client, dwelling address, city/state/zip and Doc #",
                       {}, {}, &List});
INSPECTOR_CLI_COMMAND({"show", "<Doc #>",
                       "show an inspection with its categories (and their status) and steps (rating, materials, "
                       "comment)",
                       {}, {}, &Show});
INSPECTOR_CLI_COMMAND({"new",
                       "[--doc-num N] [--client NAME] [--client-address TEXT] [--client-city-state-zip TEXT] "
                       "[--address TEXT] [--city-state-zip TEXT] [--agent NAME] [--real-estate NAME] "
                       "[--date YYYY-MM-DD[ HH:MM]] [--doctype TYPE]",
                       "create an inspection from the setup fields (with --doctype, also its categories)",
                       {}, {}, &New});

} // namespace cli
