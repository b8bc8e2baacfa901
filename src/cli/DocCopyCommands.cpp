// inspector-cli duplicate and duplicate-category: copies of inspections and categories.
#include "cli/DocSupport.h"

#include "store/Category.h"
#include "store/Step.h"

#include <iostream>
#include <set>

namespace cli {
namespace {

int Duplicate(const Args& args)
{
    if (args.positional.size() != 2)
        return Usage("duplicate");
    auto doc = OpenDocument(args);
    if (!doc)
        return kFailed;
    const auto row = FindInspectionRow(*doc, args.positional[0]);
    if (!row || DocNumTaken(*doc, args.positional[1]))
        return kFailed;
    const auto newID = doc->DuplicateInspection(*row, args.positional[1]);
    if (!newID)
        return kFailed;
    store::Category categories;
    store::Step steps;
    categories.OpenByInspection(*newID);
    steps.OpenByInspection(*newID);
    std::cout << "Duplicated Doc # " << doc->CurrentInspection().m_InspectionNum << " as Doc # "
              << args.positional[1] << " (InspectionID " << *newID << "): " << categories.GetCount()
              << " categories, " << steps.GetCount() << " steps.\n";
    return 0;
}

int DuplicateCategory(const Args& args)
{
    if (args.positional.size() != 2)
        return Usage("duplicate-category");
    int howMany = 1;
    if (args.Has("--count")) {
        const auto n = WholeNumber(args.Get("--count"), 1);
        if (!n || *n > 100) {
            std::cerr << "--count needs a number from 1 to 100.\n";
            return kUsage;
        }
        howMany = *n;
    }
    auto doc = OpenDocument(args);
    if (!doc || !SelectByDocNum(*doc, args.positional[0]))
        return kFailed;
    const auto row = FindCategoryRow(*doc, args.positional[1]);
    if (!row)
        return kFailed;

    std::set<int> before;
    for (int i = 0; i < doc->GetCategoryCount(); ++i)
        before.insert(doc->StandOnCategory(i)->m_CategoryID);
    const app::DuplicateProposal proposal = doc->ProposeDuplicate(*row);
    const std::string name = args.Get("--name", proposal.name);
    const bool ok = args.Flag("--with-data")
                        ? doc->DuplicateCategoryWithData(*row, name, proposal.copyNumber, howMany, proposal.baseName)
                        : doc->DuplicateCategory(*row, name, proposal.copyNumber, howMany, proposal.baseName);
    if (!ok)
        return kFailed;
    for (int i = 0; i < doc->GetCategoryCount(); ++i) {
        const store::Category& c = *doc->StandOnCategory(i);
        if (before.count(c.m_CategoryID))
            continue;
        store::Step steps;
        steps.OpenByCategory(c.m_CategoryID);
        std::cout << "Added category " << c.m_CategoryNumber << " \"" << c.m_CategoryTitle << "\" with "
                  << steps.GetCount() << " steps.\n";
    }
    return 0;
}

} // namespace

INSPECTOR_CLI_COMMAND({"duplicate", "<Doc #> <new Doc #>",
                       "copy an inspection with its categories and steps under a new Doc #", {}, {}, &Duplicate});
INSPECTOR_CLI_COMMAND({"duplicate-category", "<Doc #> <category title> [--count N] [--with-data] [--name NAME]",
                       "add copies of a category (steps from the templates, or with --with-data the category's "
                       "own steps and their data)",
                       {"--with-data"}, {}, &DuplicateCategory});

} // namespace cli
