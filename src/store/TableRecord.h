#pragma once
// The generic record of one table. A record class names its table, declares its
// columns once as bindings of members (by ordinal) and then opens row sets, reads
// rows into its members, starts new rows and saves them.
#include "store/Database.h"
#include "store/DateTime.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace store {

// The value types a column can bind, with the codes the data files use.
enum class ValueType : std::uint16_t {
    Integer = 3,
    Double = 5,
    Date = 7,
    Text = 8,
    YesNo = 11,
    Binary = 8209,
};

using Blob = std::vector<std::uint8_t>;

struct ColumnBinding {
    int index = 0;                 // ordinal of the column in the row set
    ValueType type = ValueType::Integer;
    void* member = nullptr;        // where the value lives in the record object
    std::string name;              // column name used by creation and upgrade
    std::string sqlType;           // SQL type text used by creation and upgrade
};

// The creation defaults of a value type: SQL type and name pattern.
std::string DefaultSqlType(ValueType type);
std::string DefaultColumnName(ValueType type, int index);

// An argument of a statement format: bound as a parameter, never pasted.
using SqlArg = std::variant<std::int64_t, std::string>;

// Turns a statement format into SQL text and parameters. In the format, a
// conversion written in double quotes ("%s" or "%d") is a text value, a bare
// %d an integer value, both bound as parameters; a bare %s is a table name and
// is written into the text. Every other double quote becomes a single quote.
struct PreparedText {
    std::string sql;
    std::vector<SqlArg> params;
};
PreparedText ExpandStatement(std::string_view format, const std::vector<SqlArg>& args);

// A database error passed on to the caller (only row deletion does this).
struct DatabaseError {
    std::string message;
};

class TableRecord {
public:
    explicit TableRecord(DatabaseKind kind);
    virtual ~TableRecord();
    TableRecord(const TableRecord&) = delete;
    TableRecord& operator=(const TableRecord&) = delete;

    // Runs the stored select statement ("SELECT * FROM <table>" by default).
    bool Open();
    // Runs `statement` after turning its double quotes into single quotes.
    bool OpenSql(std::string_view statement);
    // Runs a statement format with its values bound (see ExpandStatement).
    bool OpenSql(std::string_view format, std::initializer_list<SqlArg> args);
    bool OpenSql(std::string_view format, const std::vector<SqlArg>& args);

    // Copies row `index` of the last open into the members; an index past the
    // end leaves them unchanged. Always clears the insert-pending flag.
    void Read(int index);
    // Starts a new row: text empty, numbers and flags 0, dates now, binary kept.
    void New();
    // Inserts the members as a new row after New(), otherwise updates the row
    // last read. Returns false after showing the database error.
    bool Save();
    // Deletes the row last read or saved; throws DatabaseError on failure.
    void Delete();

    int GetCount() const { return m_rowCount; }
    int GetPosition() const { return m_position; }
    const std::string& TableName() const { return m_tableName; }
    DatabaseKind Kind() const { return m_kind; }
    int ColumnCount() const { return static_cast<int>(m_bindings.size()); }
    const std::vector<ColumnBinding>& Bindings() const { return m_bindings; }

    // Makes the table match the declared columns: creates a missing table, adds
    // missing columns, stops the program on a column of the wrong type.
    void CheckStructure();
    bool CreateTable();

protected:
    void BindInteger(std::int32_t& member, std::string name = {}, std::string sqlType = {});
    void BindDouble(double& member, std::string name = {}, std::string sqlType = {});
    void BindDate(DateTime& member, std::string name = {}, std::string sqlType = {});
    void BindText(std::string& member, std::string name = {}, std::string sqlType = {});
    void BindYesNo(std::int32_t& member, std::string name = {}, std::string sqlType = {});
    void BindBinary(Blob& member, std::string name = {}, std::string sqlType = {});

    std::string m_selectStatement;
    std::string m_tableName;

private:
    // One value of the row set. Texts live in one shared buffer, so that reading
    // a large row set costs one allocation per text at most.
    struct Cell {
        union {
            std::int64_t integer = 0; // also the index into m_blobs
            double real;
            struct {
                std::uint32_t offset, length;
            };
        };
        enum Kind : std::uint8_t { Null, Integer, Real, Text, Bytes } kind = Null;
    };
    std::string_view TextOf(const Cell& c) const { return {m_text.data() + c.offset, c.length}; }
    void StoreText(Cell& c, std::string_view text);

    void Bind(ValueType type, void* member, std::string name, std::string sqlType);
    bool Run(const PreparedText& text, bool quietWhenMissing);
    const std::string& ColumnName(int index);
    std::string BuildInsertSql();
    std::string BuildUpdateSql();

    DatabaseKind m_kind;
    std::shared_ptr<Connection> m_connection;
    std::string m_databasePath;
    std::vector<ColumnBinding> m_bindings;

    // The row set of the last open, kept in memory with each row's rowid.
    int m_resultColumns = 0;          // columns of the row set, rowid not counted
    std::vector<Cell> m_values;       // row-major, m_resultColumns per row
    std::string m_text;               // the texts of the cells
    std::vector<Blob> m_blobs;        // the binary values of the cells
    std::vector<std::int64_t> m_rowids;
    int m_rowCount = 0;
    int m_position = -1;
    bool m_insertPending = false;
    std::int64_t m_currentRowid = -1;
    int m_currentRow = -1;
    std::string m_insertSql;
    std::string m_updateSql;
};

// Checks every table the program keeps in both databases, in a fixed order,
// with a progress display. Used when the data files are upgraded.
void UpdateDatabaseStructure();
// The structure version of the data files this program reads and writes.
inline constexpr const char* kDataVersion = "5.0";

// Everything UpdateDatabaseStructure checks, plus the staging tables, the void
// pairs and the options table: the full structure of two new data files.
void CreateFullStructure();
// Readies both open files for work once their structure is current: the
// indexes that keep lookups by owner linear, and write-ahead logging.
void PrepareForUse();

} // namespace store
