#include "store/DataFile.h"

#include "store/Database.h"
#include "store/TableRecord.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <unistd.h>

namespace store {
namespace {

namespace fs = std::filesystem;

// Every table either data file of the program has held.
const std::set<std::string, std::less<>> kOurTables = {
    "Owner", "CategoryComment", "CategoryStep", "CategoryTemplate", "Comments", "InspectionType",
    "InspectionTypeCategory", "InspectionTypeComment", "MaterialComment", "MaterialTemplate", "Pickers",
    "RatingChoices", "RatingType", "StepComment", "StepTemplate", "FieldTemplate", "UniqueID", "ExpandedText",
    "VoidComments", "Options", "Inspection", "Category", "Step", "Field", "MERGE_Inspection", "MERGE_Category",
    "MERGE_Step"};

std::string Unchanged(const std::string& path, const std::string& why)
{
    return "The data file " + path + " " + why + " It was left unchanged.";
}

// A path as the file name of an SQLite URI.
std::string UriPath(const std::string& path)
{
    std::string out;
    for (unsigned char c : path) {
        if (c == '%' || c == '?' || c == '#' || c < 0x20) {
            char buffer[4];
            std::snprintf(buffer, sizeof buffer, "%%%02X", c);
            out += buffer;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

struct Contents {
    int applicationId = 0;
    int userVersion = 0;
    std::set<std::string> tables;
    bool hasOptionsVersion = false;
    std::string optionsVersion;
};

// Reads what the check needs through a read-only connection that writes
// nothing, not even a -shm file. False with `error` set when it cannot.
bool ReadContents(const std::string& path, bool walMode, Contents& out, std::string& error)
{
    // A file in WAL mode without a -wal file holds all its content itself and
    // is read as immutable; otherwise SQLite reads it with its -wal.
    bool immutable = walMode && !fs::exists(path + "-wal");
    for (int attempt = 0; attempt < 2; ++attempt, immutable = true) {
        const std::string uri = "file:" + UriPath(path) + (immutable ? "?immutable=1" : "?mode=ro");
        sqlite3* db = nullptr;
        int rc = sqlite3_open_v2(uri.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
                                 nullptr);
        auto integer = [&](const char* sql, int& value) {
            sqlite3_stmt* st = nullptr;
            int r = sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
            if (r == SQLITE_OK && (r = sqlite3_step(st)) == SQLITE_ROW)
                value = sqlite3_column_int(st, 0), r = SQLITE_OK;
            sqlite3_finalize(st);
            return r;
        };
        if (rc == SQLITE_OK)
            rc = integer("PRAGMA application_id", out.applicationId);
        if (rc == SQLITE_OK)
            rc = integer("PRAGMA user_version", out.userVersion);
        sqlite3_stmt* st = nullptr;
        if (rc == SQLITE_OK &&
            (rc = sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type = 'table'", -1, &st, nullptr)) ==
                SQLITE_OK) {
            while ((rc = sqlite3_step(st)) == SQLITE_ROW)
                out.tables.insert(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            rc = rc == SQLITE_DONE ? SQLITE_OK : rc;
        }
        sqlite3_finalize(st);
        st = nullptr;
        if (rc == SQLITE_OK && out.tables.count("Options") &&
            sqlite3_prepare_v2(db, "SELECT DataVersion FROM Options LIMIT 1", -1, &st, nullptr) == SQLITE_OK) {
            out.hasOptionsVersion = true;
            if (sqlite3_step(st) == SQLITE_ROW && sqlite3_column_text(st, 0))
                out.optionsVersion = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        }
        sqlite3_finalize(st);
        if (rc != SQLITE_OK)
            error = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close_v2(db);
        if (rc == SQLITE_OK)
            return true;
        if (immutable || (rc & 0xFF) == SQLITE_NOTADB || (rc & 0xFF) == SQLITE_CORRUPT)
            return false;
        out = Contents{};
    }
    return false;
}

} // namespace

int VersionNumber(const std::string& version)
{
    int major = 0, minor = 0, used = 0;
    if (std::sscanf(version.c_str(), "%d.%d%n", &major, &minor, &used) != 2 ||
        used != static_cast<int>(version.size()) || major < 0 || minor < 0 || minor > 99)
        return -1;
    return major * 100 + minor;
}

std::string VersionText(int number)
{
    return std::to_string(number / 100) + "." + std::to_string(number % 100);
}

DataFileCheck CheckDataFile(const std::string& path)
{
    DataFileCheck out;
    auto refuse = [&](DataFileState state, std::string message) {
        out.state = state;
        out.message = std::move(message);
        return out;
    };
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (path.empty())
        return refuse(DataFileState::Foreign, "No data file was named.");
    if (!fs::exists(status)) {
        out.state = DataFileState::New;
        out.missing = true;
        return out;
    }
    if (fs::is_directory(status))
        return refuse(DataFileState::Foreign, "The data file " + path + " is a folder, not a data file of Inspector.");
    out.readOnly = ::access(path.c_str(), W_OK) != 0;

    // A file this process already has open is ours: reading it by hand would
    // drop SQLite's locks on it.
    for (DatabaseKind kind : {DatabaseKind::Template, DatabaseKind::Inspection})
        if (Database::IsOpen(kind) && fs::equivalent(path, Database::Path(kind), ec)) {
            out.state = DataFileState::Current;
            out.version = kDataVersion;
            return out;
        }

    const auto size = fs::file_size(path, ec);
    if (!ec && size == 0) {
        out.state = DataFileState::New;
        return out;
    }
    std::ifstream in(path, std::ios::binary);
    unsigned char header[100] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    if (!in && in.gcount() == 0)
        return refuse(DataFileState::Foreign, "The data file " + path + " cannot be read.");
    const auto got = static_cast<std::size_t>(in.gcount());
    in.close();
    const bool sqliteMagic = got >= 16 && std::memcmp(header, "SQLite format 3", 16) == 0;
    if (got >= 19 && (std::memcmp(header + 4, "Standard Jet DB", 15) == 0 ||
                      std::memcmp(header + 4, "Standard ACE DB", 15) == 0))
        return refuse(DataFileState::Foreign,
                      Unchanged(path, "is a Microsoft Access (Jet) database. This version of Inspector keeps its "
                                      "data in SQLite files."));
    if (!sqliteMagic)
        return refuse(DataFileState::Foreign, Unchanged(path, "is not a data file of Inspector."));
    const unsigned pageSize = header[16] == 0 && header[17] == 1 ? 65536u : (header[16] << 8 | header[17]);
    if (got < 100 || pageSize < 512 || size < pageSize || size % pageSize != 0)
        return refuse(DataFileState::Foreign,
                      Unchanged(path, "is damaged: it is cut short, not a whole data file of Inspector."));

    Contents contents;
    std::string error;
    if (!ReadContents(path, header[18] == 2, contents, error))
        return refuse(DataFileState::Foreign, Unchanged(path, "cannot be read as a data file of Inspector (" +
                                                                  error + ")."));
    const bool marked = contents.applicationId == kApplicationId;
    if (!marked) {
        if (contents.applicationId != 0)
            return refuse(DataFileState::Foreign, Unchanged(path, "belongs to another program."));
        if (contents.tables.empty() && contents.userVersion == 0) {
            out.state = DataFileState::New; // an SQLite file with nothing in it
            return out;
        }
        for (const auto& table : contents.tables)
            if (!table.starts_with("sqlite_") && !kOurTables.count(table))
                return refuse(DataFileState::Foreign,
                              Unchanged(path, "is another program's database, not a data file of Inspector."));
    }

    // The template file keeps its version in the Options row; the header mark
    // is the inspection file's, and refuses any file a newer version made.
    const int ours = VersionNumber(kDataVersion);
    int version = marked ? contents.userVersion : -1;
    if (contents.hasOptionsVersion) {
        const int stored = VersionNumber(contents.optionsVersion);
        version = version > ours ? std::max(version, stored) : stored;
    }
    out.version = version >= 0 ? VersionText(version) : contents.optionsVersion;
    if (version > ours)
        return refuse(DataFileState::Newer,
                      Unchanged(path, "was made by a newer version of Inspector (structure version " + out.version +
                                          "; this version works with " + kDataVersion + ")."));
    if (version == ours)
        out.state = DataFileState::Current;
    else if (!marked && !contents.hasOptionsVersion && contents.tables.count("Inspection"))
        out.state = DataFileState::Current; // an inspection file made before files carried their version
    else
        out.state = DataFileState::Outdated;
    return out;
}

void StampDataFile(DatabaseKind kind)
{
    auto connection = Database::Get(kind);
    if (!connection || connection->ReadOnly())
        return;
    const std::string sql = "PRAGMA application_id = " + std::to_string(kApplicationId) +
                            "; PRAGMA user_version = " + std::to_string(VersionNumber(kDataVersion));
    sqlite3_exec(connection->Handle(), sql.c_str(), nullptr, nullptr, nullptr);
}

} // namespace store
