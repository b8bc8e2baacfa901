// Finding and opening the data files for the commands.
#include "cli/Command.h"

#include "app/Settings.h"
#include "store/Database.h"

#include <filesystem>
#include <iostream>

namespace cli {

bool OpenDataFiles(const Args& args)
{
    app::Settings settings;
    const std::string templatePath =
        args.Get("--template", settings.Get(app::kTemplatePathKey).value_or(app::DefaultTemplatePath()));
    const std::string inspectionPath =
        args.Get("--inspection", settings.Get(app::kInspectionPathKey).value_or(app::DefaultInspectionPath()));
    for (const auto& path : {templatePath, inspectionPath}) {
        if (!std::filesystem::exists(path)) {
            std::cerr << "The data file " << path << " does not exist. Create it with: inspector-cli init\n";
            return false;
        }
    }
    return store::Database::Open(store::DatabaseKind::Template, templatePath) &&
           store::Database::Open(store::DatabaseKind::Inspection, inspectionPath);
}

} // namespace cli
