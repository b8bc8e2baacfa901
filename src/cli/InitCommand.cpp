// inspector-cli init: creates or upgrades both data files.
#include "cli/Command.h"

#include "app/Settings.h"
#include "store/Database.h"
#include "store/InspectionType.h"
#include "store/Options.h"
#include "store/StarterLibrary.h"
#include "store/TableRecord.h"

#include <filesystem>
#include <iostream>

namespace cli {
namespace {

int Init(const Args& args)
{
    app::Settings settings;
    const std::string templatePath =
        args.Get("--template", settings.Get(app::kTemplatePathKey).value_or(app::DefaultTemplatePath()));
    const std::string inspectionPath =
        args.Get("--inspection", settings.Get(app::kInspectionPathKey).value_or(app::DefaultInspectionPath()));

    for (const auto& path : {templatePath, inspectionPath}) {
        if (auto problem = store::CheckDataFile(path)) {
            std::cerr << *problem << "\n";
            return kFailed;
        }
        std::error_code ec;
        const auto folder = std::filesystem::path(path).parent_path();
        if (!folder.empty())
            std::filesystem::create_directories(folder, ec);
    }
    if (!store::Database::Open(store::DatabaseKind::Template, templatePath, true) ||
        !store::Database::Open(store::DatabaseKind::Inspection, inspectionPath, true))
        return kFailed;

    store::CreateFullStructure();

    // A template file without document types is new: it gets the starter library.
    store::InspectionType types;
    const bool newTemplates = types.Open() && types.GetCount() == 0;
    if (newTemplates && !args.Flag("--no-starter")) {
        if (!store::LoadStarterLibrary())
            return kFailed;
        std::cout << "The starter template library was loaded into the template file.\n";
    }

    store::Options options;
    options.m_DataVersion = "5.0";
    if (!options.Save())
        return kFailed;

    settings.Set(app::kTemplatePathKey, templatePath);
    settings.Set(app::kInspectionPathKey, inspectionPath);
    if (!settings.Save())
        std::cerr << "Warning: the settings file " << settings.Path() << " could not be written.\n";

    std::cout << "Template data:   " << templatePath << "\n"
              << "Inspection data: " << inspectionPath << "\n"
              << "Settings:        " << settings.Path() << "\n";
    return 0;
}

} // namespace

INSPECTOR_CLI_COMMAND({"init", "[--template FILE] [--inspection FILE] [--no-starter]",
                       "create (or upgrade) both data files; a new template file gets the starter library "
                       "unless --no-starter is given",
                       {"--no-starter"}, {}, &Init});

} // namespace cli
