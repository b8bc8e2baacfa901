#include "store/Database.h"

#include "store/DataFile.h"
#include "ui/Port.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace store {

Connection::~Connection()
{
    for (auto& [sql, stmt] : m_statements)
        sqlite3_finalize(stmt);
    if (m_db)
        sqlite3_close_v2(m_db);
}

std::shared_ptr<Connection> Connection::Open(const std::string& path, bool create, std::string* error,
                                             bool readOnly)
{
    if (!create && !std::filesystem::exists(path)) {
        if (error)
            *error = "The data file " + path + " does not exist.";
        return nullptr;
    }
    std::error_code sizeError;
    const bool fresh = !std::filesystem::exists(path) || std::filesystem::file_size(path, sizeError) == 0;
    std::shared_ptr<Connection> c(new Connection);
    c->m_path = path;
    c->m_readOnly = readOnly;
    // A connection is used by one thread at a time, so SQLite need not lock around every call.
    const int flags = SQLITE_OPEN_NOMUTEX | (readOnly ? SQLITE_OPEN_READONLY
                                                      : SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0));
    int rc = sqlite3_open_v2(path.c_str(), &c->m_db, flags, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(c->m_db, "PRAGMA schema_version", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK && readOnly) {
        // A WAL file in a folder we may not write either: read it as it stands.
        sqlite3_close_v2(c->m_db);
        c->m_db = nullptr;
        std::string uri = "file:";
        for (unsigned char ch : path) {
            if (ch == '%' || ch == '?' || ch == '#') {
                char hex[4];
                std::snprintf(hex, sizeof hex, "%%%02X", ch);
                uri += hex;
            } else {
                uri += static_cast<char>(ch);
            }
        }
        rc = sqlite3_open_v2((uri + "?immutable=1").c_str(), &c->m_db, flags | SQLITE_OPEN_URI, nullptr);
        if (rc == SQLITE_OK)
            rc = sqlite3_exec(c->m_db, "PRAGMA schema_version", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        if (error)
            *error = "The data file " + path + " cannot be opened: " +
                     (c->m_db ? sqlite3_errmsg(c->m_db) : sqlite3_errstr(rc));
        return nullptr;
    }
    sqlite3_busy_timeout(c->m_db, 5000);
    if (readOnly)
        return c;
    sqlite3_exec(c->m_db, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
    // An existing file is not written before the user has agreed to use it
    // (an outdated file may still be declined); a new one starts in WAL mode.
    if (fresh)
        c->UseWriteAheadLog();
    return c;
}

void Connection::UseWriteAheadLog()
{
    if (m_readOnly)
        return;
    sqlite3_exec(m_db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
}

sqlite3_stmt* Connection::Prepare(const std::string& sql, int* rc)
{
    auto it = m_statements.find(sql);
    if (it != m_statements.end()) {
        sqlite3_reset(it->second);
        sqlite3_clear_bindings(it->second);
        *rc = SQLITE_OK;
        return it->second;
    }
    sqlite3_stmt* stmt = nullptr;
    *rc = sqlite3_prepare_v3(m_db, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &stmt,
                             nullptr);
    if (*rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    if (!stmt) { // an empty statement
        *rc = SQLITE_MISUSE;
        return nullptr;
    }
    m_statements.emplace(sql, stmt);
    return stmt;
}

const std::vector<TableColumn>& Connection::Columns(const std::string& table)
{
    auto it = m_columns.find(table);
    if (it != m_columns.end())
        return it->second;
    std::vector<TableColumn> cols;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, "SELECT name, type FROM pragma_table_info(?)", -1, &stmt, nullptr) == SQLITE_OK) {
        sqlite3_bind_text(stmt, 1, table.c_str(), -1, SQLITE_TRANSIENT);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            auto text = [&](int i) {
                auto p = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
                return std::string(p ? p : "");
            };
            cols.push_back({text(0), text(1)});
        }
    }
    sqlite3_finalize(stmt);
    return m_columns.emplace(table, std::move(cols)).first->second;
}

void Connection::StructureChanged()
{
    m_columns.clear();
}

namespace {

struct Slot {
    std::shared_ptr<Connection> connection;
    std::string path;
    bool outdated = false;
};

Slot& SlotOf(DatabaseKind kind)
{
    static Slot slots[2];
    return slots[static_cast<int>(kind)];
}

} // namespace

namespace Database {

bool Open(DatabaseKind kind, const std::string& path, bool create)
{
    auto refuse = [](const std::string& message) {
        ui::CurrentPort().ask(message, "Inspector", ui::Buttons::Ok, ui::Icon::Stop);
        return false;
    };
    const DataFileCheck check = CheckDataFile(path);
    if (!check.Usable())
        return refuse(check.message);
    if (check.state == DataFileState::New && check.readOnly && create)
        return refuse("The data file " + path + " is read-only: it cannot be made into a data file of Inspector.");
    std::string error;
    const bool readOnly = check.readOnly && check.state != DataFileState::New;
    auto c = Connection::Open(path, create, &error, readOnly);
    if (!c)
        return refuse(error);
    if (readOnly)
        ui::CurrentPort().inform("The data file " + path +
                                 " is read-only: it is open for viewing, and changes to it cannot be saved.");
    SlotOf(kind).connection = std::move(c);
    SlotOf(kind).path = path;
    SlotOf(kind).outdated = check.state == DataFileState::Outdated;
    return true;
}

bool IsReadOnly(DatabaseKind kind)
{
    auto& c = SlotOf(kind).connection;
    return c && c->ReadOnly();
}

bool IsOutdated(DatabaseKind kind)
{
    return IsOpen(kind) && SlotOf(kind).outdated;
}

void Close(DatabaseKind kind)
{
    SlotOf(kind).connection.reset();
}

void CloseAll()
{
    // The inspection database goes first, then the template database.
    Close(DatabaseKind::Inspection);
    Close(DatabaseKind::Template);
}

bool IsOpen(DatabaseKind kind)
{
    return SlotOf(kind).connection != nullptr;
}

std::shared_ptr<Connection> Get(DatabaseKind kind)
{
    return SlotOf(kind).connection;
}

sqlite3* Handle(DatabaseKind kind)
{
    auto& c = SlotOf(kind).connection;
    return c ? c->Handle() : nullptr;
}

const std::string& Path(DatabaseKind kind)
{
    return SlotOf(kind).path;
}

} // namespace Database

std::string DatabaseErrorText(sqlite3* db, int rc)
{
    const int code = db ? sqlite3_extended_errcode(db) : rc;
    const char* file = db ? sqlite3_db_filename(db, "main") : nullptr;
    const std::string path = file && *file ? file : "";
    if (!path.empty() && (code & 0xFF) == SQLITE_READONLY)
        return "The data file " + path + " is read-only: the change was not saved.";
    const int systemError = db ? sqlite3_system_errno(db) : 0;
    if ((code & 0xFF) == SQLITE_FULL ||
        ((code & 0xFF) == SQLITE_IOERR && (systemError == ENOSPC || systemError == EFBIG || systemError == EDQUOT)))
        return "The disk is full: the change to the data file " + path +
               " was not saved. Make room on the disk and try again.";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%08x", static_cast<unsigned>(code));
    std::string text = "ADO Exception thrown!\n\tCode = ";
    text += buffer;
    text += "\n\tMeaning = ";
    text += sqlite3_errstr(code);
    text += "\n\tSource = SQLite ";
    text += sqlite3_libversion();
    text += "\n\tDescription=";
    text += db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    return text;
}

void ReportDatabaseError(sqlite3* db, int rc)
{
    ui::CurrentPort().inform(DatabaseErrorText(db, rc));
}

void Fatal(const std::string& message)
{
    ui::CurrentPort().ask(message, "Inspector", ui::Buttons::Ok, ui::Icon::Stop);
    std::fflush(nullptr);
    std::_Exit(EXIT_FAILURE);
}

Transaction::Transaction(DatabaseKind kind) : m_connection(Database::Get(kind))
{
    if (!m_connection)
        return;
    m_name = "tx" + std::to_string(m_connection->m_savepointDepth);
    if (sqlite3_exec(m_connection->Handle(), ("SAVEPOINT " + m_name).c_str(), nullptr, nullptr, nullptr) ==
        SQLITE_OK) {
        m_active = true;
        ++m_connection->m_savepointDepth;
    }
}

Transaction::~Transaction()
{
    if (!m_active)
        return;
    sqlite3* db = m_connection->Handle();
    sqlite3_exec(db, ("ROLLBACK TO " + m_name).c_str(), nullptr, nullptr, nullptr);
    sqlite3_exec(db, ("RELEASE " + m_name).c_str(), nullptr, nullptr, nullptr);
    --m_connection->m_savepointDepth;
}

bool Transaction::Commit()
{
    if (!m_active)
        return false;
    sqlite3* db = m_connection->Handle();
    const int rc = sqlite3_exec(db, ("RELEASE " + m_name).c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        ReportDatabaseError(db, rc);
        return false;
    }
    m_active = false;
    --m_connection->m_savepointDepth;
    return true;
}

} // namespace store
