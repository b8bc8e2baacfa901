#include "store/TableRecord.h"

#include "ui/Port.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace store {

std::string DefaultSqlType(ValueType type)
{
    switch (type) {
    case ValueType::Integer: return "integer";
    case ValueType::Double: return "double";
    case ValueType::Date: return "datetime";
    case ValueType::Text: return "varchar (255)";
    case ValueType::YesNo: return "bit";
    case ValueType::Binary: return "Long Varbinary";
    }
    return {};
}

std::string DefaultColumnName(ValueType type, int index)
{
    const char* stem = "";
    switch (type) {
    case ValueType::Integer: stem = "Number"; break;
    case ValueType::Double: stem = "Double"; break;
    case ValueType::Date: stem = "DateTime"; break;
    case ValueType::Text: stem = "String"; break;
    case ValueType::YesNo: stem = "YesNo"; break;
    case ValueType::Binary: stem = "Binary"; break;
    }
    return stem + std::to_string(index);
}

namespace {

// A number kept as text, clamped to the 32-bit range (0 when it is no number).
std::int32_t IntegerOfText(std::string_view text)
{
    const long long value = std::strtoll(std::string(text).c_str(), nullptr, 10);
    return static_cast<std::int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

// The rowid of a row read through a statement that cannot name it.
constexpr std::int64_t kNoRowid = -2;

bool IsIdentifier(std::string_view s)
{
    if (s.empty())
        return false;
    for (char c : s)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    return true;
}

std::string ArgText(const SqlArg& a)
{
    if (auto p = std::get_if<std::string>(&a))
        return *p;
    return std::to_string(std::get<std::int64_t>(a));
}

// Provider type codes of a declared SQL type, as the structure check compares them.
int ProviderType(std::string declared)
{
    for (auto& c : declared)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    auto has = [&](const char* w) { return declared.find(w) != std::string::npos; };
    if (has("binary") || has("blob") || has("image") || has("ole"))
        return 205;
    if (has("bit") || has("bool") || has("yesno") || has("logical"))
        return 11;
    if (has("date") || has("time"))
        return 7;
    if (has("int") || has("long") || has("counter"))
        return 3;
    if (has("double") || has("float") || has("real") || has("numeric") || has("decimal") || has("currency"))
        return 5;
    if (has("text") || has("memo") || has("clob"))
        return 203;
    if (has("char") || has("string"))
        return 202;
    return 0;
}

bool Accepts(ValueType type, int provider)
{
    switch (type) {
    case ValueType::Integer: return provider == 3;
    case ValueType::Double: return provider == 5;
    case ValueType::Date: return provider == 7;
    case ValueType::Text: return provider == 202 || provider == 203;
    case ValueType::YesNo: return provider == 11;
    case ValueType::Binary: return provider == 205;
    }
    return false;
}

// Text columns compare without regard to letter case, as inspectors type names
// in any case and expect to find them.
std::string ColumnDefinition(const std::string& name, const std::string& sqlType, ValueType type)
{
    std::string def = name + " " + sqlType;
    if (type == ValueType::Text)
        def += " COLLATE NOCASE";
    return def;
}

bool StartsWithWord(std::string_view sql, std::string_view word)
{
    std::size_t i = 0;
    while (i < sql.size() && std::isspace(static_cast<unsigned char>(sql[i])))
        ++i;
    if (sql.size() - i < word.size())
        return false;
    for (std::size_t k = 0; k < word.size(); ++k)
        if (std::toupper(static_cast<unsigned char>(sql[i + k])) != word[k])
            return false;
    return sql.size() - i == word.size() || !std::isalnum(static_cast<unsigned char>(sql[i + word.size()]));
}

// Puts the rowid of the selected table first, so that a row read can be saved
// back. Returns true when it did.
bool InjectRowid(std::string& sql)
{
    std::size_t i = 0;
    while (i < sql.size() && std::isspace(static_cast<unsigned char>(sql[i])))
        ++i;
    if (!StartsWithWord(sql, "SELECT"))
        return false;
    std::size_t p = i + 6;
    while (p < sql.size() && std::isspace(static_cast<unsigned char>(sql[p])))
        ++p;
    if (p < sql.size() && sql[p] == '*') {
        sql.insert(p, "_ROWID_, ");
        return true;
    }
    std::size_t q = p;
    while (q < sql.size() && (std::isalnum(static_cast<unsigned char>(sql[q])) || sql[q] == '_'))
        ++q;
    if (q > p && q + 1 < sql.size() && sql[q] == '.' && sql[q + 1] == '*') {
        const std::string table = sql.substr(p, q - p);
        sql.insert(p, table + "._ROWID_, ");
        return true;
    }
    return false;
}

} // namespace

PreparedText ExpandStatement(std::string_view f, const std::vector<SqlArg>& args)
{
    PreparedText out;
    out.sql.reserve(f.size() + 16);
    std::size_t next = 0;
    auto take = [&]() -> SqlArg { return next < args.size() ? args[next++] : SqlArg(std::string()); };
    for (std::size_t i = 0; i < f.size(); ++i) {
        const char c = f[i];
        if (c == '"' && i + 3 < f.size() && f[i + 1] == '%' && (f[i + 2] == 's' || f[i + 2] == 'd') &&
            f[i + 3] == '"') {
            out.sql += '?';
            out.params.emplace_back(ArgText(take()));
            i += 3;
        } else if (c == '%' && i + 1 < f.size() && f[i + 1] == 'd') {
            SqlArg a = take();
            if (auto s = std::get_if<std::string>(&a))
                a = static_cast<std::int64_t>(std::strtoll(s->c_str(), nullptr, 10));
            out.sql += '?';
            out.params.push_back(std::move(a));
            ++i;
        } else if (c == '%' && i + 1 < f.size() && f[i + 1] == 's') {
            SqlArg a = take();
            std::string s = ArgText(a);
            if (IsIdentifier(s)) {
                out.sql += s;
            } else {
                out.sql += '?';
                out.params.emplace_back(std::move(s));
            }
            ++i;
        } else if (c == '%' && i + 1 < f.size() && f[i + 1] == '%') {
            out.sql += '%';
            ++i;
        } else if (c == '"') {
            out.sql += '\'';
        } else {
            out.sql += c;
        }
    }
    return out;
}

TableRecord::TableRecord(DatabaseKind kind)
    : m_kind(kind), m_connection(Database::Get(kind)), m_databasePath(Database::Path(kind))
{
}

TableRecord::~TableRecord() = default;

void TableRecord::Bind(ValueType type, void* member, std::string name, std::string sqlType)
{
    const int index = static_cast<int>(m_bindings.size());
    if (name.empty())
        name = DefaultColumnName(type, index);
    if (sqlType.empty())
        sqlType = DefaultSqlType(type);
    m_bindings.push_back({index, type, member, std::move(name), std::move(sqlType)});
}

void TableRecord::BindInteger(std::int32_t& m, std::string n, std::string t) { Bind(ValueType::Integer, &m, std::move(n), std::move(t)); }
void TableRecord::BindDouble(double& m, std::string n, std::string t) { Bind(ValueType::Double, &m, std::move(n), std::move(t)); }
void TableRecord::BindDate(DateTime& m, std::string n, std::string t) { Bind(ValueType::Date, &m, std::move(n), std::move(t)); }
void TableRecord::BindText(std::string& m, std::string n, std::string t) { Bind(ValueType::Text, &m, std::move(n), std::move(t)); }
void TableRecord::BindYesNo(std::int32_t& m, std::string n, std::string t) { Bind(ValueType::YesNo, &m, std::move(n), std::move(t)); }
void TableRecord::BindBinary(Blob& m, std::string n, std::string t) { Bind(ValueType::Binary, &m, std::move(n), std::move(t)); }

bool TableRecord::Open()
{
    if (m_selectStatement.empty())
        m_selectStatement = "SELECT * FROM " + m_tableName;
    return Run(ExpandStatement(m_selectStatement, {}), true);
}

bool TableRecord::OpenSql(std::string_view statement)
{
    return Run(ExpandStatement(statement, {}), false);
}

bool TableRecord::OpenSql(std::string_view format, std::initializer_list<SqlArg> args)
{
    return Run(ExpandStatement(format, std::vector<SqlArg>(args)), false);
}

bool TableRecord::OpenSql(std::string_view format, const std::vector<SqlArg>& args)
{
    return Run(ExpandStatement(format, args), false);
}

bool TableRecord::Run(const PreparedText& text, bool quietWhenMissing)
{
    m_values.clear();
    m_text.clear();
    m_blobs.clear();
    m_rowids.clear();
    m_rowCount = 0;
    m_resultColumns = 0;
    m_position = -1;
    if (!m_connection) {
        ui::CurrentPort().inform("Unhandled exception thrown by ADO");
        return false;
    }
    sqlite3* db = m_connection->Handle();
    std::string sql = text.sql;
    bool withRowid = !m_connection->ReadsWithoutRowid(text.sql) && InjectRowid(sql);
    const bool structural = StartsWithWord(sql, "CREATE") || StartsWithWord(sql, "ALTER") || StartsWithWord(sql, "DROP");

    int rc = SQLITE_OK;
    sqlite3_stmt* stmt = nullptr;
    if (structural)
        rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr);
    else
        stmt = m_connection->Prepare(sql, &rc);
    if (withRowid && (rc != SQLITE_OK || !stmt)) {
        // A table inside a parenthesised join shows no rowid: read its rows without one.
        sql = text.sql;
        withRowid = false;
        stmt = m_connection->Prepare(sql, &rc);
        if (stmt)
            m_connection->MarkReadsWithoutRowid(sql);
    }
    auto fail = [&](int code) {
        const std::string message = sqlite3_errmsg(db);
        const bool missing = message.rfind("no such table", 0) == 0;
        if (!(quietWhenMissing && missing))
            ReportDatabaseError(db, code);
        if (structural)
            sqlite3_finalize(stmt);
        else if (stmt)
            sqlite3_reset(stmt);
        return false;
    };
    if (rc != SQLITE_OK || !stmt)
        return fail(rc == SQLITE_OK ? SQLITE_MISUSE : rc);

    for (std::size_t i = 0; i < text.params.size(); ++i) {
        const int slot = static_cast<int>(i + 1);
        if (auto s = std::get_if<std::string>(&text.params[i]))
            sqlite3_bind_text(stmt, slot, s->data(), static_cast<int>(s->size()), SQLITE_TRANSIENT);
        else
            sqlite3_bind_int64(stmt, slot, std::get<std::int64_t>(text.params[i]));
    }

    const int columns = sqlite3_column_count(stmt);
    const int offset = withRowid ? 1 : 0;
    m_resultColumns = columns > 0 ? columns - offset : 0;
    Connection::RowSetSize* size = structural ? nullptr : &m_connection->LastRowSetSize(sql);
    if (size) {
        m_values.reserve(size->cells);
        m_text.reserve(size->textBytes);
        m_rowids.reserve(size->rows);
    }
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        m_rowids.push_back(withRowid ? sqlite3_column_int64(stmt, 0) : kNoRowid);
        const std::size_t first = m_values.size();
        m_values.resize(first + static_cast<std::size_t>(m_resultColumns));
        for (int c = offset; c < columns; ++c) {
            Cell& cell = m_values[first + static_cast<std::size_t>(c - offset)];
            switch (sqlite3_column_type(stmt, c)) {
            case SQLITE_INTEGER:
                cell.kind = Cell::Integer;
                cell.integer = sqlite3_column_int64(stmt, c);
                break;
            case SQLITE_FLOAT:
                cell.kind = Cell::Real;
                cell.real = sqlite3_column_double(stmt, c);
                break;
            case SQLITE_TEXT: {
                auto p = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
                StoreText(cell, {p, static_cast<std::size_t>(sqlite3_column_bytes(stmt, c))});
                break;
            }
            case SQLITE_BLOB: {
                auto p = static_cast<const std::uint8_t*>(sqlite3_column_blob(stmt, c));
                cell.kind = Cell::Bytes;
                cell.integer = static_cast<std::int64_t>(m_blobs.size());
                m_blobs.emplace_back(p, p + sqlite3_column_bytes(stmt, c));
                break;
            }
            default:
                break;
            }
        }
        ++m_rowCount;
    }
    if (rc != SQLITE_DONE) {
        m_values.clear();
        m_text.clear();
        m_blobs.clear();
        m_rowids.clear();
        m_rowCount = 0;
        return fail(rc);
    }
    if (size)
        *size = {m_values.size(), m_text.size(), m_rowids.size()};
    // The row last read or saved stays the one Save updates; find where it
    // stands in the new row set so the kept values follow what is written.
    m_currentRow = -1;
    for (int i = 0; m_currentRowid >= 0 && i < m_rowCount; ++i)
        if (m_rowids[static_cast<std::size_t>(i)] == m_currentRowid) {
            m_currentRow = i;
            break;
        }
    if (structural) {
        sqlite3_finalize(stmt);
        m_connection->StructureChanged();
        m_insertSql.clear();
        m_updateSql.clear();
    } else {
        sqlite3_reset(stmt);
    }
    return true;
}

void TableRecord::Read(int index)
{
    m_insertPending = false;
    if (index < 0 || index >= m_rowCount)
        return;
    const Cell* row = m_values.data() + static_cast<std::size_t>(index) * m_resultColumns;
    for (const auto& b : m_bindings) {
        if (b.index >= m_resultColumns)
            continue;
        const Cell& v = row[b.index];
        const bool isInt = v.kind == Cell::Integer, isReal = v.kind == Cell::Real, isText = v.kind == Cell::Text;
        switch (b.type) {
        case ValueType::Integer:
            *static_cast<std::int32_t*>(b.member) = isInt ? static_cast<std::int32_t>(v.integer)
                                                    : isReal ? static_cast<std::int32_t>(v.real)
                                                    : isText ? IntegerOfText(TextOf(v)) : 0;
            break;
        case ValueType::Double:
            *static_cast<double*>(b.member) = isReal ? v.real : isInt ? static_cast<double>(v.integer)
                                            : isText ? std::atof(std::string(TextOf(v)).c_str()) : 0.0;
            break;
        case ValueType::Date: {
            auto& m = *static_cast<DateTime*>(b.member);
            if (isText) {
                if (auto t = DateTime::FromIso(TextOf(v)))
                    m = *t;
            } else if (v.kind == Cell::Null) {
                m = DateTime{};
            }
            break;
        }
        case ValueType::Text: {
            auto& m = *static_cast<std::string*>(b.member);
            if (isText) {
                const auto t = TextOf(v);
                m.assign(t.data(), t.size());
            } else if (isInt) {
                m = std::to_string(v.integer);
            } else if (isReal) {
                char buffer[64];
                std::snprintf(buffer, sizeof buffer, "%g", v.real);
                m = buffer;
            } else {
                m.clear();
            }
            break;
        }
        case ValueType::YesNo: {
            bool on = isInt ? v.integer != 0 : isReal ? v.real != 0.0
                    : isText ? (TextOf(v) == "1" || TextOf(v) == "-1" || TextOf(v) == "true") : false;
            *static_cast<std::int32_t*>(b.member) = on ? -1 : 0;
            break;
        }
        case ValueType::Binary:
            if (v.kind == Cell::Bytes)
                *static_cast<Blob*>(b.member) = m_blobs[static_cast<std::size_t>(v.integer)];
            break;
        }
    }
    m_currentRow = index;
    m_currentRowid = m_rowids[static_cast<std::size_t>(index)];
}

void TableRecord::New()
{
    m_insertPending = true;
    const DateTime now = DateTime::Now();
    for (const auto& b : m_bindings) {
        switch (b.type) {
        case ValueType::Integer:
        case ValueType::YesNo: *static_cast<std::int32_t*>(b.member) = 0; break;
        case ValueType::Double: *static_cast<double*>(b.member) = 0.0; break;
        case ValueType::Date: *static_cast<DateTime*>(b.member) = now; break;
        case ValueType::Text: static_cast<std::string*>(b.member)->clear(); break;
        case ValueType::Binary: break;
        }
    }
}

const std::string& TableRecord::ColumnName(int index)
{
    const auto& cols = m_connection->Columns(m_tableName);
    if (index < static_cast<int>(cols.size()))
        return cols[static_cast<std::size_t>(index)].name;
    return m_bindings[static_cast<std::size_t>(index)].name;
}

std::string TableRecord::BuildInsertSql()
{
    std::string names, marks;
    for (const auto& b : m_bindings) {
        if (!names.empty()) {
            names += ',';
            marks += ',';
        }
        names += '"' + ColumnName(b.index) + '"';
        marks += '?';
    }
    return "INSERT INTO " + m_tableName + " (" + names + ") VALUES (" + marks + ")";
}

std::string TableRecord::BuildUpdateSql()
{
    std::string sets;
    for (const auto& b : m_bindings) {
        if (!sets.empty())
            sets += ',';
        sets += '"' + ColumnName(b.index) + "\"=?";
    }
    return "UPDATE " + m_tableName + " SET " + sets + " WHERE _ROWID_=?";
}

bool TableRecord::Save()
{
    if (!m_connection) {
        ui::CurrentPort().inform("Unhandled exception thrown by ADO");
        return false;
    }
    sqlite3* db = m_connection->Handle();
    if (!m_insertPending && m_currentRowid == kNoRowid) {
        // The row came from a statement that does not say which stored row it is.
        ui::CurrentPort().inform("The " + m_tableName + " row cannot be saved: it was not read from its table.");
        return false;
    }
    // A record never positioned on a row (an empty table) adds its row.
    const bool insert = m_insertPending || m_currentRowid < 0;
    std::string& sql = insert ? m_insertSql : m_updateSql;
    if (sql.empty())
        sql = insert ? BuildInsertSql() : BuildUpdateSql();
    int rc = SQLITE_OK;
    sqlite3_stmt* stmt = m_connection->Prepare(sql, &rc);
    if (!stmt) {
        ReportDatabaseError(db, rc);
        return false;
    }
    int slot = 1;
    for (const auto& b : m_bindings) {
        switch (b.type) {
        case ValueType::Integer:
            sqlite3_bind_int(stmt, slot, *static_cast<std::int32_t*>(b.member));
            break;
        case ValueType::Double:
            sqlite3_bind_double(stmt, slot, *static_cast<double*>(b.member));
            break;
        case ValueType::Date: {
            const std::string iso = static_cast<DateTime*>(b.member)->ToIso();
            sqlite3_bind_text(stmt, slot, iso.c_str(), static_cast<int>(iso.size()), SQLITE_TRANSIENT);
            break;
        }
        case ValueType::Text: {
            const auto& s = *static_cast<std::string*>(b.member);
            if (s.empty())
                sqlite3_bind_null(stmt, slot);
            else
                sqlite3_bind_text(stmt, slot, s.data(), static_cast<int>(s.size()), SQLITE_STATIC);
            break;
        }
        case ValueType::YesNo:
            sqlite3_bind_int(stmt, slot, (*static_cast<std::int32_t*>(b.member) & 0xFF) != 0 ? 1 : 0);
            break;
        case ValueType::Binary: {
            const auto& blob = *static_cast<Blob*>(b.member);
            if (blob.empty())
                sqlite3_bind_null(stmt, slot);
            else
                sqlite3_bind_blob(stmt, slot, blob.data(), static_cast<int>(blob.size()), SQLITE_STATIC);
            break;
        }
        }
        ++slot;
    }
    if (!insert)
        sqlite3_bind_int64(stmt, slot, m_currentRowid);
    rc = sqlite3_step(stmt);
    if (rc != SQLITE_DONE) {
        ReportDatabaseError(db, rc);
        sqlite3_reset(stmt);
        return false;
    }
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    if (insert) {
        m_currentRowid = sqlite3_last_insert_rowid(db);
        m_currentRow = -1;
    } else if (m_currentRow >= 0 && m_currentRow < m_rowCount) {
        // Keep the row set in step with what was written.
        Cell* row = m_values.data() + static_cast<std::size_t>(m_currentRow) * m_resultColumns;
        for (const auto& b : m_bindings) {
            if (b.index >= m_resultColumns)
                continue;
            Cell& v = row[b.index];
            v = Cell{};
            switch (b.type) {
            case ValueType::Integer:
                v.kind = Cell::Integer;
                v.integer = *static_cast<std::int32_t*>(b.member);
                break;
            case ValueType::Double:
                v.kind = Cell::Real;
                v.real = *static_cast<double*>(b.member);
                break;
            case ValueType::Date:
                StoreText(v, static_cast<DateTime*>(b.member)->ToIso());
                break;
            case ValueType::Text: {
                const auto& s = *static_cast<std::string*>(b.member);
                if (!s.empty())
                    StoreText(v, s);
                break;
            }
            case ValueType::YesNo:
                v.kind = Cell::Integer;
                v.integer = (*static_cast<std::int32_t*>(b.member) & 0xFF) != 0 ? 1 : 0;
                break;
            case ValueType::Binary: {
                const auto& blob = *static_cast<Blob*>(b.member);
                if (!blob.empty()) {
                    v.kind = Cell::Bytes;
                    v.integer = static_cast<std::int64_t>(m_blobs.size());
                    m_blobs.push_back(blob);
                }
                break;
            }
            }
        }
    }
    return true;
}

void TableRecord::Delete()
{
    if (!m_connection)
        throw DatabaseError{"Unhandled exception thrown by ADO"};
    if (m_currentRowid < 0)
        throw DatabaseError{"The " + m_tableName + " row cannot be deleted: it was not read from its table."};
    sqlite3* db = m_connection->Handle();
    int rc = SQLITE_OK;
    sqlite3_stmt* stmt = m_connection->Prepare("DELETE FROM " + m_tableName + " WHERE _ROWID_=?", &rc);
    if (!stmt)
        throw DatabaseError{DatabaseErrorText(db, rc)};
    sqlite3_bind_int64(stmt, 1, m_currentRowid);
    rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE)
        throw DatabaseError{DatabaseErrorText(db, rc)};
}

bool TableRecord::CreateTable()
{
    std::string sql = "CREATE TABLE " + m_tableName + " (";
    for (std::size_t i = 0; i < m_bindings.size(); ++i) {
        const auto& b = m_bindings[i];
        sql += ColumnDefinition(b.name, b.sqlType, b.type);
        sql += i + 1 < m_bindings.size() ? "," : ");";
    }
    return OpenSql(sql);
}

void TableRecord::CheckStructure()
{
    const std::string plain = "SELECT * FROM " + m_tableName;
    if (!Run(ExpandStatement(plain, {}), true)) {
        if (!CreateTable())
            Fatal("Error creating table: " + m_tableName +
                  " \nVeltrane is unable to recover from this error and will be terminated.  Please backup your "
                  "data files and contact " +
                  kSupportContact);
        Run(ExpandStatement(plain, {}), true);
    }
    const int n = m_resultColumns;
    const auto columns = m_connection->Columns(m_tableName);
    std::size_t b = 0;
    for (int i = 0; i < n && b < m_bindings.size(); ++i) {
        const auto& binding = m_bindings[b];
        if (binding.index != i)
            continue;
        const int provider = i < static_cast<int>(columns.size()) ? ProviderType(columns[static_cast<std::size_t>(i)].declaredType) : 0;
        if (!Accepts(binding.type, provider))
            Fatal("Column type mismatch in table: " + m_tableName + " column: " + std::to_string(i) +
                  "\nVeltrane is unable to recover from this error and will be terminated.  Please backup your "
                  "data files and contact " +
                  kSupportContact);
        ++b;
    }
    for (std::size_t k = static_cast<std::size_t>(n); k < m_bindings.size(); ++k) {
        const auto& binding = m_bindings[k];
        OpenSql("ALTER TABLE " + m_tableName + " ADD " + ColumnDefinition(binding.name, binding.sqlType, binding.type));
    }
    m_rowCount = 0;
    m_values.clear();
    m_text.clear();
    m_blobs.clear();
    m_rowids.clear();
}

void TableRecord::StoreText(Cell& c, std::string_view text)
{
    c.kind = Cell::Text;
    c.offset = static_cast<std::uint32_t>(m_text.size());
    c.length = static_cast<std::uint32_t>(text.size());
    m_text.append(text);
}

} // namespace store
