// inspector-cli delete and delete-all.
#include "cli/DocSupport.h"

#include <iostream>

namespace cli {
namespace {

int Delete(const Args& args)
{
    if (args.positional.size() != 1)
        return Usage("delete");
    auto doc = OpenDocument(args);
    if (!doc)
        return kFailed;
    const auto row = FindInspectionRow(*doc, args.positional[0]);
    if (!row || !doc->OnDeleteInspection(true, 1, *row))
        return kFailed;
    std::cout << "Deleted the inspection with Doc # " << args.positional[0] << "; " << doc->GetInspectionCount()
              << (doc->GetInspectionCount() == 1 ? " inspection remains.\n" : " inspections remain.\n");
    return 0;
}

int DeleteAll(const Args& args)
{
    if (!args.positional.empty())
        return Usage("delete-all");
    auto doc = OpenDocument(args);
    if (!doc)
        return kFailed;
    const int count = doc->GetInspectionCount();
    if (!doc->OnDeleteAllInspections())
        return kFailed;
    std::cout << "Deleted " << count << (count == 1 ? " inspection" : " inspections")
              << "; started a new, empty inspection (InspectionID " << doc->CurrentInspection().m_InspectionID
              << ").\n";
    return 0;
}

} // namespace

INSPECTOR_CLI_COMMAND({"delete", "<Doc #> --yes", "delete an inspection with its categories and steps", {}, {},
                       &Delete});
INSPECTOR_CLI_COMMAND({"delete-all", "--yes", "delete every inspection and start one new, empty inspection", {}, {},
                       &DeleteAll});

} // namespace cli
