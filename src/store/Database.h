#pragma once
// The two data files of the program and their connections. Each database is one
// SQLite file, opened once and kept for the process; every record object of a
// kind shares its connection.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

enum class DatabaseKind { Template = 0, Inspection = 1 };

// One declared column of a table as the file reports it.
struct TableColumn {
    std::string name;
    std::string declaredType;
};

class Connection {
public:
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens (and, when `create` is set and the file is missing, creates) the
    // file. On failure returns nullptr and fills `error` with a message for the user.
    // A read-only connection never writes the file (nor its -wal and -shm when
    // the folder cannot take them).
    static std::shared_ptr<Connection> Open(const std::string& path, bool create, std::string* error,
                                            bool readOnly = false);
    bool ReadOnly() const { return m_readOnly; }

    sqlite3* Handle() const { return m_db; }
    // Switches the file to write-ahead logging (kept by the file from then on).
    void UseWriteAheadLog();
    const std::string& Path() const { return m_path; }

    // A prepared statement for `sql`, reused across calls (reset, bindings
    // cleared). Returns nullptr with the SQLite result code in `rc` on failure.
    sqlite3_stmt* Prepare(const std::string& sql, int* rc);

    // The columns of `table` in order (empty when the table does not exist).
    const std::vector<TableColumn>& Columns(const std::string& table);
    // Called after a statement that changes the structure.
    void StructureChanged();

    // Statements whose rows cannot name their rowid (a table inside a
    // parenthesised join), remembered so they are prepared once only.
    bool ReadsWithoutRowid(const std::string& sql) const { return m_withoutRowid.count(sql) > 0; }
    void MarkReadsWithoutRowid(const std::string& sql) { m_withoutRowid.insert(sql); }

    int m_savepointDepth = 0; // nesting of store::Transaction

    // How large the row set of a statement was the last time it ran, so that
    // the next run takes its memory at once instead of growing it row by row.
    struct RowSetSize {
        std::size_t cells = 0, textBytes = 0, rows = 0;
    };
    RowSetSize& LastRowSetSize(const std::string& sql) { return m_rowSetSizes[sql]; }

private:
    Connection() = default;
    sqlite3* m_db = nullptr;
    std::string m_path;
    bool m_readOnly = false;
    std::unordered_map<std::string, sqlite3_stmt*> m_statements;
    std::map<std::string, std::vector<TableColumn>> m_columns;
    std::unordered_set<std::string> m_withoutRowid;
    std::unordered_map<std::string, RowSetSize> m_rowSetSizes;
};

// Process-wide connections of the two databases.
namespace Database {
// Opens the database of `kind` at `path`, replacing an earlier connection,
// after CheckDataFile has found it ours (or new, when `create` is set). A file
// the user may not write is opened read-only, which is said once. On failure
// shows the reason through the port and returns false.
bool Open(DatabaseKind kind, const std::string& path, bool create = false);
// True when the database of `kind` was opened read-only.
bool IsReadOnly(DatabaseKind kind);
// True when the database of `kind` was found of an older structure when opened.
bool IsOutdated(DatabaseKind kind);
void Close(DatabaseKind kind);
void CloseAll();
bool IsOpen(DatabaseKind kind);
std::shared_ptr<Connection> Get(DatabaseKind kind);
sqlite3* Handle(DatabaseKind kind);
const std::string& Path(DatabaseKind kind);
} // namespace Database

// The text of a database error as the user sees it: a read-only file and a
// full disk are said in words, naming the file; anything else in detail.
std::string DatabaseErrorText(sqlite3* db, int rc);
// Shows a database error through the port.
void ReportDatabaseError(sqlite3* db, int rc);

// The address that ends the messages of the fatal structure failures.
inline constexpr const char* kSupportContact = "support@veltrane-inspector.org";

// Shows `message` with the stop icon and ends the process with a failure status.
[[noreturn]] void Fatal(const std::string& message);

// All writes between construction and Commit() land together or not at all.
// Transactions nest (savepoints); one not committed rolls back when destroyed.
class Transaction {
public:
    explicit Transaction(DatabaseKind kind);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    bool Commit();
    bool Active() const { return m_active; }

private:
    std::shared_ptr<Connection> m_connection;
    std::string m_name;
    bool m_active = false;
};

} // namespace store
