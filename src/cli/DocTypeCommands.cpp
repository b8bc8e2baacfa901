// inspector-cli set-doctype, seed and defaults: filling an inspection from the templates.
#include "cli/DocSupport.h"

#include "text/Windows1252.h"

#include <iostream>

namespace cli {
namespace {

int SetDocType(const Args& args)
{
    if (args.positional.size() != 2)
        return Usage("set-doctype");
    auto doc = OpenDocument(args);
    if (!doc || !SelectByDocNum(*doc, args.positional[0]))
        return kFailed;
    const auto docType = app::CInspectorDoc::FindDocType(args.positional[1]);
    if (!docType) {
        std::cerr << "There is no document type \"" << args.positional[1] << "\"; nothing was changed.\n";
        return kFailed;
    }
    const std::string docNum = doc->CurrentInspection().m_InspectionNum;
    const std::string old = doc->CurrentInspection().m_DocType;
    if (text::EqualsIgnoreCase(old, *docType) && doc->GetCategoryCount() > 0) {
        std::cout << "Doc # " << docNum << " already has the document type " << old << "; nothing was changed.\n";
        return 0;
    }
    if (!doc->ConfirmDocTypeChange(old, *docType)) {
        std::cerr << "The document type was not changed.\n";
        return kFailed;
    }
    if (!doc->ChangeDocType(*docType))
        return kFailed;
    std::cout << "Doc # " << docNum << ": document type " << *docType << ", " << doc->GetCategoryCount()
              << " categories.\n";
    return 0;
}

int Seed(const Args& args)
{
    if (args.positional.size() != 1)
        return Usage("seed");
    auto doc = OpenDocument(args);
    if (!doc || !SelectByDocNum(*doc, args.positional[0]))
        return kFailed;
    const int made = doc->SeedAllCategories();
    if (made < 0)
        return kFailed;
    std::cout << "Doc # " << doc->CurrentInspection().m_InspectionNum << ": " << made
              << " steps and fields made for " << doc->GetCategoryCount() << " categories.\n";
    return 0;
}

int Defaults(const Args& args)
{
    if (args.positional.size() != 1)
        return Usage("defaults");
    auto doc = OpenDocument(args);
    if (!doc || !SelectByDocNum(*doc, args.positional[0]))
        return kFailed;
    const auto summary = doc->OnSetAllDefaults();
    if (!summary)
        return kFailed;
    std::cout << "Doc # " << doc->CurrentInspection().m_InspectionNum << ": defaults applied to "
              << summary->stepsDefaulted << " steps in " << summary->categories << " categories ("
              << summary->stepsSeeded << " steps made first, " << summary->excluded
              << " categories excluded by their template).\n";
    return 0;
}

} // namespace

INSPECTOR_CLI_COMMAND({"set-doctype", "<Doc #> <document type> [--yes]",
                       "set the document type and make the categories afresh (replacing categories and steps "
                       "needs --yes)",
                       {}, {}, &SetDocType});
INSPECTOR_CLI_COMMAND({"seed", "<Doc #>",
                       "make the steps (or fields) of every category that has none, as opening it would",
                       {}, {}, &Seed});
INSPECTOR_CLI_COMMAND({"defaults", "<Doc #> --yes",
                       "Set All Defaults: default materials and ratings for every step without a rating",
                       {}, {}, &Defaults});

} // namespace cli
