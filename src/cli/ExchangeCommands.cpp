// inspector-cli export, import, staged and merge: moving inspections between
// installations through export files and the staging tables.
#include "cli/Command.h"

#include "exchange/InspectionTransfer.h"
#include "store/Inspection.h"

#include <charconv>
#include <iostream>

namespace cli {
namespace {

std::string Counted(int n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

int Export(const Args& args)
{
    // "-o FILE" arrives among the positional arguments.
    std::vector<std::string> rest;
    std::string output = args.Get("--output");
    for (std::size_t i = 0; i < args.positional.size(); ++i) {
        if (args.positional[i] == "-o") {
            if (i + 1 >= args.positional.size())
                return Usage("export");
            output = args.positional[++i];
        } else {
            rest.push_back(args.positional[i]);
        }
    }
    if (rest.size() != 1)
        return Usage("export");
    if (!OpenDataFiles(args))
        return kFailed;
    const auto id = FindInspectionID(rest[0]);
    if (!id)
        return kFailed;
    const auto format = args.Flag("--xml") ? exchange::ExportFormat::EvaluationXml : exchange::ExportFormat::ByDocType;
    const auto choice = exchange::ExportChoiceFor(*id, format);
    if (!choice)
        return kFailed;
    const std::string path = output.empty() ? choice->suggestedName : output;
    const auto outcome = exchange::ExportInspection(*id, path, choice->format);
    if (!outcome.written)
        return kFailed;
    std::cout << (outcome.xml ? "XML evaluation" : "Export file") << " written: " << path << " ("
              << Counted(outcome.categories, "category", "categories") << ", "
              << Counted(outcome.steps, "step", "steps");
    if (outcome.replaced > 0)
        std::cout << ", " << Counted(outcome.replaced, "character", "characters") << " written as \"?\"";
    if (outcome.missingItems > 0)
        std::cout << ", " << Counted(outcome.missingItems, "step", "steps") << " without an item identifier left out";
    if (outcome.missingCodes > 0)
        std::cout << ", " << Counted(outcome.missingCodes, "condition", "conditions") << " without a code left out";
    std::cout << ")\n";
    return 0;
}

int Import(const Args& args)
{
    if (args.positional.size() != 1)
        return Usage("import");
    if (!OpenDataFiles(args))
        return kFailed;
    const auto outcome = exchange::ImportInspectionFile(args.positional[0]);
    if (!outcome.imported)
        return kFailed;
    if (outcome.stagedInspectionIDs.empty()) {
        std::cout << "The file holds no inspection.\n";
        return 0;
    }
    std::cout << "Imported " << Counted(static_cast<int>(outcome.stagedInspectionIDs.size()), "inspection", "inspections")
              << " (" << Counted(outcome.categories, "category", "categories") << ", "
              << Counted(outcome.steps, "step", "steps")
              << ") into the staging tables; merge with: inspector-cli merge <staged ID> (<Doc #> | --new)\n";
    for (const auto& staged : exchange::ListStagedInspections())
        for (int id : outcome.stagedInspectionIDs)
            if (staged.inspectionID == id)
                std::cout << exchange::StagedInspections::Line(staged) << "\n";
    return 0;
}

int Staged(const Args& args)
{
    if (!args.positional.empty())
        return Usage("staged");
    if (!OpenDataFiles(args))
        return kFailed;
    const auto list = exchange::ListStagedInspections();
    if (list.empty()) {
        std::cout << "No imported inspection is waiting to be merged.\n";
        return 0;
    }
    std::cout << "ID\tClient\tAddress\tCity\tDoc #\n";
    for (const auto& staged : list)
        std::cout << exchange::StagedInspections::Line(staged) << "\n";
    return 0;
}

int MergeIntoNew(int stagedID, const Args& args)
{
    store::MERGE_Inspection staged;
    if (!staged.OpenByID(stagedID) || staged.GetCount() == 0) {
        std::cerr << "There is no imported inspection with the ID " << stagedID << " (see inspector-cli staged).\n";
        return kFailed;
    }
    staged.Read(0);
    std::string docNumber = args.Get("--doc-num", staged.m_InspectionNum);
    if (!args.Has("--doc-num")) {
        if (docNumber.empty()) {
            std::cerr << "The imported inspection has no Doc #; give one with --doc-num.\n";
            return kFailed;
        }
        if (store::Inspection::DocNumberInUse(docNumber)) {
            std::cerr << "The Doc # " << docNumber << " of the imported inspection is in use here; give another with "
                      << "--doc-num, for example --doc-num \"" << exchange::InspectionMerge::FreeDocNumber(docNumber)
                      << "\".\n";
            return kFailed;
        }
    }
    const auto outcome = exchange::MergeStagedIntoNewInspection(stagedID, docNumber);
    if (!outcome.merged)
        return kFailed;
    std::cout << "Created Doc # " << docNumber << " from the imported inspection: "
              << Counted(outcome.categoriesAdded, "category", "categories") << ", "
              << Counted(outcome.stepsAdded, "step", "steps") << "\n";
    return 0;
}

int Merge(const Args& args)
{
    const bool intoNew = args.Flag("--new");
    if (args.positional.size() != (intoNew ? 1u : 2u) || (!intoNew && args.Has("--doc-num")))
        return Usage("merge");
    int stagedID = 0;
    const std::string& text = args.positional[0];
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), stagedID);
    if (ec != std::errc() || end != text.data() + text.size()) {
        std::cerr << "The staged ID must be a number (see inspector-cli staged).\n";
        return kUsage;
    }
    if (!OpenDataFiles(args))
        return kFailed;
    if (intoNew)
        return MergeIntoNew(stagedID, args);
    const auto target = FindInspectionID(args.positional[1]);
    if (!target)
        return kFailed;
    const auto outcome = exchange::MergeStagedInspection(stagedID, *target);
    if (!outcome.merged)
        return kFailed;
    std::cout << "Merged into Doc # " << args.positional[1] << ": categories " << outcome.categoriesAdded
              << " added, " << outcome.categoriesUpdated << " updated, " << outcome.categoriesKept
              << " kept (complete); steps " << outcome.stepsAdded << " added, " << outcome.stepsUpdated
              << " updated, " << outcome.stepsKept << " kept (already filled in)\n";
    return 0;
}

} // namespace

INSPECTOR_CLI_COMMAND({"export", "<Doc #> [-o FILE] [--xml]",
                       "write an inspection as an export file, or as the XML evaluation for Minneapolis "
                       "truth-in-sale-of-housing inspections (--xml: always the XML evaluation)",
                       {"--xml"}, {}, &Export});
INSPECTOR_CLI_COMMAND({"import", "FILE", "load an export file into the staging tables, ready to be merged", {}, {},
                       &Import});
INSPECTOR_CLI_COMMAND({"staged", "", "list the imported inspections waiting to be merged", {}, {}, &Staged});
INSPECTOR_CLI_COMMAND({"merge", "<staged ID> (<Doc #> | --new [--doc-num N])",
                       "merge an imported inspection into the inspection with that Doc #, or into a new "
                       "inspection made from its header (--new; --doc-num when its Doc # is in use)",
                       {"--new"}, {}, &Merge});

} // namespace cli
