// Finding and opening the data files for the commands.
#include "cli/Command.h"

#include "app/Settings.h"
#include "app/DataConfiguration.h"
#include "store/Database.h"
#include "store/Inspection.h"
#include "store/TableRecord.h"
#include "text/Windows1252.h"

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
    if (!store::Database::Open(store::DatabaseKind::Template, templatePath) ||
        !store::Database::Open(store::DatabaseKind::Inspection, inspectionPath))
        return false;
    const std::string version = app::StoredDataVersion();
    if (!text::EqualsIgnoreCase(version, store::kDataVersion)) {
        std::cerr << "The data files have the structure version \"" << version
                  << "\"; this version of Inspector needs 5.0. Upgrade them with: inspector-cli init\n";
        store::Database::CloseAll();
        return false;
    }
    store::PrepareForUse();
    return true;
}

std::optional<int> FindInspectionID(const std::string& docNumber)
{
    store::Inspection inspection;
    if (!inspection.OpenSql("SELECT * FROM Inspection WHERE InspectionNum = \"%s\"", {docNumber}))
        return std::nullopt;
    if (inspection.GetCount() == 0) {
        std::cerr << "There is no inspection with Doc # " << docNumber << " (see inspector-cli list).\n";
        return std::nullopt;
    }
    if (inspection.GetCount() > 1) {
        std::cerr << "Doc # " << docNumber << " belongs to " << inspection.GetCount()
                  << " inspections; give each a Doc # of its own first.\n";
        return std::nullopt;
    }
    inspection.Read(0);
    return inspection.m_InspectionID;
}

} // namespace cli
