#include "app/DataConfiguration.h"

#include "app/DocumentRules.h"
#include "store/Category.h"
#include "store/CategoryComment.h"
#include "store/CategoryStep.h"
#include "store/CategoryTemplate.h"
#include "store/Comments.h"
#include "store/DataFile.h"
#include "store/Database.h"
#include "store/ExpandedText.h"
#include "store/Field.h"
#include "store/FieldTemplate.h"
#include "store/Inspection.h"
#include "store/InspectionType.h"
#include "store/InspectionTypeCategory.h"
#include "store/InspectionTypeComment.h"
#include "store/MaterialComment.h"
#include "store/MaterialTemplate.h"
#include "store/Options.h"
#include "store/Owner.h"
#include "store/Pickers.h"
#include "store/RatingChoices.h"
#include "store/RatingType.h"
#include "store/StarterLibrary.h"
#include "store/Step.h"
#include "store/StepComment.h"
#include "store/StepTemplate.h"
#include "store/TableRecord.h"
#include "store/UniqueID.h"
#include "store/VoidComments.h"
#include "text/Windows1252.h"
#include "ui/Port.h"

#include <filesystem>
#include <fstream>

namespace app {
namespace {

namespace fs = std::filesystem;
using store::DatabaseKind;

constexpr const char* kUpdateQuestion =
    "Warning! The Structure you are using needs to be updated in order to work with this version of Inspector.  "
    "Tap OK to automatically update your data files. \r\r Do you wish to proceed?";
constexpr const char* kOwnerNameTooShort = "The Owner name you entered is too short.  Please try again.";
constexpr int kShortestOwnerName = 5;

// Reads the structure version alone, so that an outdated settings table is not
// changed before the user has agreed to the upgrade.
class StoredVersion : public store::TableRecord {
public:
    StoredVersion() : TableRecord(DatabaseKind::Template)
    {
        m_tableName = "Options";
        BindText(m_DataVersion, "DataVersion", "varchar(20)");
    }
    std::string m_DataVersion;
};

bool Exists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::exists(path, ec);
}

// A missing or empty data file is one still to be made.
bool Made(const std::string& path)
{
    return !path.empty() && store::CheckDataFile(path).state != store::DataFileState::New;
}

std::string Trimmed(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

DataConfigurationResult Ending(StartupStatus status, const DataPaths& paths)
{
    store::Database::CloseAll();
    return {status, paths};
}

template <class T>
void Check()
{
    T().CheckStructure();
}

void CreateInspectionTables()
{
    Check<store::Inspection>();
    Check<store::Category>();
    Check<store::Step>();
    Check<store::Field>();
    store::UniqueID(DatabaseKind::Inspection).CheckStructure();
    Check<store::MERGE_Inspection>();
    Check<store::MERGE_Category>();
    Check<store::MERGE_Step>();
}

void CreateTemplateTables()
{
    Check<store::Owner>();
    Check<store::CategoryComment>();
    Check<store::CategoryStep>();
    Check<store::CategoryTemplate>();
    Check<store::Comments>();
    Check<store::InspectionType>();
    Check<store::InspectionTypeCategory>();
    Check<store::InspectionTypeComment>();
    Check<store::MaterialComment>();
    Check<store::MaterialTemplate>();
    Check<store::Pickers>();
    Check<store::RatingChoices>();
    Check<store::RatingType>();
    Check<store::StepComment>();
    Check<store::StepTemplate>();
    Check<store::FieldTemplate>();
    store::UniqueID(DatabaseKind::Template).CheckStructure();
    Check<store::ExpandedText>();
    Check<store::VoidComments>();
    store::Options options; // checks its own table
}

void RemoveDataFile(const std::string& path)
{
    std::error_code ec;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        fs::remove(path + suffix, ec);
}

bool CreateFile(DatabaseKind kind, const std::string& path)
{
    std::error_code ec;
    const auto folder = fs::path(path).parent_path();
    if (!folder.empty())
        fs::create_directories(folder, ec);
    if (!store::Database::Open(kind, path, true))
        return false;
    bool ok = true;
    if (kind == DatabaseKind::Inspection) {
        CreateInspectionTables();
    } else {
        CreateTemplateTables();
        auto progress = ui::CurrentPort().progress();
        ok = store::LoadStarterLibrary(progress.get());
        if (ok) {
            store::Options options;
            options.m_DataVersion = kDataVersion;
            ok = options.Save();
        }
    }
    store::StampDataFile(kind);
    store::Database::Close(kind);
    if (!ok)
        RemoveDataFile(path);
    return ok;
}

} // namespace

std::string StoredDataVersion()
{
    auto connection = store::Database::Get(DatabaseKind::Template);
    if (!connection)
        return {};
    bool hasColumn = false;
    for (const auto& column : connection->Columns("Options"))
        hasColumn = hasColumn || text::EqualsIgnoreCase(column.name, "DataVersion");
    if (!hasColumn)
        return {};
    StoredVersion version;
    if (!version.OpenSql("SELECT DataVersion FROM Options") || version.GetCount() == 0)
        return {};
    version.Read(0);
    return version.m_DataVersion;
}

bool CreateMissingDataFiles(const DataPaths& paths)
{
    for (const auto& path : {paths.templatePath, paths.inspectionPath})
        if (const auto check = store::CheckDataFile(path); !check.Usable()) {
            ui::CurrentPort().inform(check.message);
            return false;
        }
    const bool templateMissing = !Made(paths.templatePath);
    const bool inspectionMissing = !Made(paths.inspectionPath);
    if (inspectionMissing && !CreateFile(DatabaseKind::Inspection, paths.inspectionPath))
        return false;
    if (templateMissing && !CreateFile(DatabaseKind::Template, paths.templatePath)) {
        if (inspectionMissing)
            RemoveDataFile(paths.inspectionPath);
        return false;
    }
    return true;
}

DataConfigurationResult ConfigureData(Settings& settings, const StartupQuestions& questions)
{
    ui::Port& port = ui::CurrentPort();
    DataPaths paths;

    // The settings file takes the place of the registry key: it must be
    // readable when it exists, and creatable when it does not.
    const bool settingsExisted = Exists(settings.Path());
    if (settingsExisted && !std::ifstream(settings.Path())) {
        port.inform("Error in registries");
        return {StartupStatus::Failed, paths};
    }
    bool defaultsWritten = false;
    auto value = [&](const char* key, std::string (*fallback)()) {
        if (auto v = settings.Get(key))
            return *v;
        settings.Set(key, fallback());
        defaultsWritten = true;
        return fallback();
    };
    paths.templatePath = value(kTemplatePathKey, &DefaultTemplatePath);
    paths.inspectionPath = value(kInspectionPathKey, &DefaultInspectionPath);
    if (defaultsWritten && !settings.Save() && !settingsExisted) {
        port.inform("Error in registries");
        return {StartupStatus::Failed, paths};
    }

    // Both files must exist (the template file is looked for first) and open.
    // Paths the user chose are written only once both files opened: a file
    // that is not ours brings the dialog back after its message, and never
    // reaches the settings file to stop every later start.
    bool chosenByUser = false;
    for (;;) {
        const bool bothExist = Made(paths.templatePath) && Made(paths.inspectionPath);
        if (bothExist && store::Database::Open(DatabaseKind::Template, paths.templatePath) &&
            store::Database::Open(DatabaseKind::Inspection, paths.inspectionPath))
            break;
        store::Database::CloseAll();
        if (!questions.chooseDataPaths)
            return {bothExist ? StartupStatus::Failed : StartupStatus::Cancelled, paths};
        const auto chosen = questions.chooseDataPaths(paths);
        if (!chosen)
            return {StartupStatus::Cancelled, paths};
        paths = *chosen;
        chosenByUser = true;
    }
    if (chosenByUser) {
        settings.Set(kTemplatePathKey, paths.templatePath);
        settings.Set(kInspectionPathKey, paths.inspectionPath);
        settings.Save(); // a failed write is tried again at the next start
    }

    if (!text::EqualsIgnoreCase(StoredDataVersion(), kDataVersion) ||
        store::Database::IsOutdated(DatabaseKind::Inspection)) {
        if (port.ask(kUpdateQuestion, "Update Required", ui::Buttons::OkCancel, ui::Icon::Exclamation) !=
            ui::Answer::Ok)
            return Ending(StartupStatus::Cancelled, paths);
        store::UpdateDatabaseStructure();
        store::Options options;
        options.m_DataVersion = kDataVersion;
        if (!options.Save())
            return Ending(StartupStatus::Failed, paths);
    }
    store::PrepareForUse();

    store::Owner owner;
    if (!owner.Open()) {
        owner.CheckStructure();
        owner.Open();
    }
    if (owner.GetCount() > 0)
        owner.Read(0);
    else
        owner.New();
    while (CharacterCount(Trimmed(owner.m_Name)) < kShortestOwnerName) {
        const auto name = questions.askOwnerName ? questions.askOwnerName() : std::nullopt;
        if (!name)
            return Ending(StartupStatus::Cancelled, paths);
        const std::string typed = Trimmed(*name);
        if (CharacterCount(typed) < kShortestOwnerName) {
            port.inform(kOwnerNameTooShort);
            continue;
        }
        owner.m_Name = typed;
        if (!owner.Save())
            return Ending(StartupStatus::Failed, paths);
    }
    return {StartupStatus::Ready, paths};
}

} // namespace app
