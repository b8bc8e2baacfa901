// inspector-cli init: creates or upgrades both data files.
#include "cli/Command.h"

#include "app/Settings.h"
#include "store/DataFile.h"
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

    // Only new files are created and only our own files upgraded: another
    // program's database is never adopted.
    bool made[2] = {false, false}, missing[2] = {false, false};
    int i = 0;
    for (const auto& path : {templatePath, inspectionPath}) {
        const store::DataFileCheck check = store::CheckDataFile(path);
        if (!check.Usable()) {
            std::cerr << check.message << "\n";
            return kFailed;
        }
        if (check.readOnly && check.state != store::DataFileState::Current) {
            std::cerr << "The data file " << path << " is read-only: it cannot be "
                      << (check.state == store::DataFileState::New ? "created" : "upgraded") << ".\n";
            return kFailed;
        }
        made[i] = check.state == store::DataFileState::New;
        missing[i++] = check.missing;
        std::error_code ec;
        const auto folder = std::filesystem::path(path).parent_path();
        if (!folder.empty())
            std::filesystem::create_directories(folder, ec);
    }
    // What init made is taken away again when it fails (a full disk, say), so
    // that no half-made file or stray -wal and -shm stay behind.
    auto undo = [&] {
        store::Database::CloseAll();
        int k = 0;
        for (const auto& path : {templatePath, inspectionPath}) {
            std::error_code ec;
            if (made[k]) {
                for (const char* suffix : {"-wal", "-shm", "-journal"})
                    std::filesystem::remove(path + suffix, ec);
                if (missing[k])
                    std::filesystem::remove(path, ec);
                else
                    std::filesystem::resize_file(path, 0, ec);
            }
            ++k;
        }
        return kFailed;
    };
    // Everything lands in one transaction per file, so a failure leaves nothing half-made.
    bool starterLoaded = false;
    auto build = [&] {
        store::Transaction templates(store::DatabaseKind::Template);
        store::Transaction inspections(store::DatabaseKind::Inspection);
        store::CreateFullStructure();
        // A template file without document types is new: it gets the starter library.
        store::InspectionType types;
        const bool newTemplates = types.Open() && types.GetCount() == 0;
        if (newTemplates && !args.Flag("--no-starter")) {
            if (!store::LoadStarterLibrary())
                return false;
            starterLoaded = true;
        }
        store::Options options;
        options.m_DataVersion = store::kDataVersion;
        return options.Save() && templates.Commit() && inspections.Commit();
    };
    if (!store::Database::Open(store::DatabaseKind::Template, templatePath, true) ||
        !store::Database::Open(store::DatabaseKind::Inspection, inspectionPath, true))
        return undo();
    // Read-only files passed the checks above only when they are current: nothing to write.
    if (!store::Database::IsReadOnly(store::DatabaseKind::Template) &&
        !store::Database::IsReadOnly(store::DatabaseKind::Inspection)) {
        if (!build())
            return undo();
        store::PrepareForUse(); // write-ahead logging is switched on outside a transaction
        if (starterLoaded)
            std::cout << "The starter template library was loaded into the template file.\n";
    }

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
