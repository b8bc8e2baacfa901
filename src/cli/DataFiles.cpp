// Finding and opening the data files for the commands.
#include "cli/Command.h"

#include "app/Settings.h"
#include "store/DataFile.h"
#include "store/Database.h"
#include "store/Inspection.h"
#include "store/TableRecord.h"

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
        const store::DataFileCheck check = store::CheckDataFile(path);
        if (check.missing || check.state == store::DataFileState::New) {
            std::cerr << "The data file " << path << (check.missing ? " does not exist" : " is empty")
                      << ". Create it with: inspector-cli init\n";
            return false;
        }
        if (!check.Usable()) {
            std::cerr << check.message << "\n";
            return false;
        }
        if (check.state == store::DataFileState::Outdated) {
            std::cerr << "The data file " << path << " has the structure version \"" << check.version
                      << "\"; this version of Inspector needs " << store::kDataVersion
                      << ". Upgrade it with: inspector-cli init\n";
            return false;
        }
    }
    if (!store::Database::Open(store::DatabaseKind::Template, templatePath) ||
        !store::Database::Open(store::DatabaseKind::Inspection, inspectionPath)) {
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
