#include "options/DataPathChange.h"

#include "store/DataFile.h"
#include "store/Database.h"
#include "store/InspectionType.h"
#include "store/StarterLibrary.h"
#include "ui/Port.h"

#include <sqlite3.h>

#include <filesystem>

namespace options {
namespace {

namespace fs = std::filesystem;
using store::DatabaseKind;

const char* KindName(DatabaseKind kind)
{
    return kind == DatabaseKind::Template ? "template data" : "inspection data";
}

bool SameFile(const std::string& a, const std::string& b)
{
    std::error_code ec;
    return !a.empty() && !b.empty() && (a == b || fs::equivalent(a, b, ec));
}

// Whether the SQLite file holds `table`; nothing when it cannot be read as a database.
std::optional<bool> HasTable(const std::string& path, const char* table)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return std::nullopt;
    }
    sqlite3_stmt* statement = nullptr;
    std::optional<bool> found;
    if (sqlite3_prepare_v2(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE", -1,
                           &statement, nullptr) == SQLITE_OK) {
        sqlite3_bind_text(statement, 1, table, -1, SQLITE_STATIC);
        const int rc = sqlite3_step(statement);
        if (rc == SQLITE_ROW || rc == SQLITE_DONE)
            found = rc == SQLITE_ROW;
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return found;
}

// The table only a data file of this kind holds.
const char* MarkTable(DatabaseKind kind)
{
    return kind == DatabaseKind::Template ? "InspectionType" : "Inspection";
}

} // namespace

PathCheck CheckDataPath(DatabaseKind kind, const std::string& path)
{
    const DatabaseKind other = kind == DatabaseKind::Template ? DatabaseKind::Inspection : DatabaseKind::Template;
    if (path.empty())
        return {PathState::Refused, std::string("Please enter the path of the ") + KindName(kind) + " file."};
    if (store::Database::IsOpen(kind) && SameFile(path, store::Database::Path(kind)))
        return {PathState::InUse, {}};
    if (store::Database::IsOpen(other) && SameFile(path, store::Database::Path(other)))
        return {PathState::Refused, "The file " + path + " is the " + KindName(other) + " file; the " +
                                        KindName(kind) + " needs a file of its own."};
    const store::DataFileCheck check = store::CheckDataFile(path);
    if (check.state == store::DataFileState::New) {
        std::error_code ec;
        const auto folder = fs::path(path).parent_path();
        if (!folder.empty() && fs::exists(folder, ec) && !fs::is_directory(folder, ec))
            return {PathState::Refused, "The folder of " + path + " is a file."};
        return {PathState::Missing, "The file " + path + " does not exist.\n\nCreate a new " + KindName(kind) +
                                        " file there?"};
    }
    if (!check.Usable())
        return {PathState::Refused, check.message};
    const auto mine = HasTable(path, MarkTable(kind));
    if (!mine)
        return {PathState::Refused, "The file " + path + " cannot be read as a data file of Inspector."};
    if (*mine)
        return {PathState::Ready, {}};
    if (HasTable(path, MarkTable(other)).value_or(false))
        return {PathState::Refused, "The file " + path + " holds " + KindName(other) + ", not " + KindName(kind) +
                                        "."};
    return {PathState::Refused, "The file " + path + " is not a " + KindName(kind) + " file of Inspector."};
}

bool CreateDataFile(DatabaseKind kind, const std::string& path)
{
    const std::string current = store::Database::IsOpen(kind) ? store::Database::Path(kind) : std::string();
    std::error_code ec;
    const auto folder = fs::path(path).parent_path();
    if (!folder.empty())
        fs::create_directories(folder, ec);
    bool ok = store::Database::Open(kind, path, true);
    if (ok) {
        // The other file is current, so for it this only confirms its structure.
        store::CreateFullStructure();
        if (kind == DatabaseKind::Template) {
            store::InspectionType types;
            if (types.Open() && types.GetCount() == 0) {
                auto progress = ui::CurrentPort().progress();
                ok = store::LoadStarterLibrary(progress.get());
            }
        }
        store::Database::Close(kind);
        if (!ok)
            for (const char* suffix : {"", "-wal", "-shm", "-journal"})
                fs::remove(path + suffix, ec);
    }
    if (!current.empty())
        store::Database::Open(kind, current);
    return ok;
}

app::DataPaths CurrentDataPaths(const app::Settings& settings)
{
    auto path = [&](DatabaseKind kind, const char* key, std::string (*fallback)()) {
        if (store::Database::IsOpen(kind))
            return store::Database::Path(kind);
        return settings.Get(key).value_or(fallback());
    };
    return {path(DatabaseKind::Template, app::kTemplatePathKey, &app::DefaultTemplatePath),
            path(DatabaseKind::Inspection, app::kInspectionPathKey, &app::DefaultInspectionPath)};
}

bool SaveDataPaths(app::Settings& settings, const app::DataPaths& paths)
{
    settings.Set(app::kTemplatePathKey, paths.templatePath);
    settings.Set(app::kInspectionPathKey, paths.inspectionPath);
    return settings.Save();
}

} // namespace options
