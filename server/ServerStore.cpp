#include "ServerStore.h"

#include <cstdio>
#include <ctime>
#include <filesystem>

#include <sys/stat.h>

#include <sqlite3.h>

#include "PasswordHash.h"

namespace server {
namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS users (
    name          TEXT PRIMARY KEY NOT NULL,
    password_hash TEXT NOT NULL,
    created       TEXT NOT NULL
);
CREATE TABLE IF NOT EXISTS jobs (
    doc_num                 TEXT PRIMARY KEY NOT NULL,
    scheduled               TEXT NOT NULL,
    inspector               TEXT,
    dwelling_address        TEXT NOT NULL DEFAULT '',
    client_name             TEXT NOT NULL DEFAULT '',
    agent_name              TEXT NOT NULL DEFAULT '',
    extra                   TEXT NOT NULL DEFAULT '',
    comments                TEXT NOT NULL DEFAULT '',
    doc_type                TEXT NOT NULL DEFAULT '',
    dwelling_city_state_zip TEXT NOT NULL DEFAULT '',
    client_address          TEXT NOT NULL DEFAULT '',
    client_city_state_zip   TEXT NOT NULL DEFAULT '',
    doc_type_id             INTEGER NOT NULL DEFAULT 0,
    real_estate_company     TEXT NOT NULL DEFAULT ''
);
CREATE INDEX IF NOT EXISTS jobs_by_date ON jobs (scheduled, doc_num);
CREATE TABLE IF NOT EXISTS sent (
    doc_num                 TEXT NOT NULL,
    dwelling_address        TEXT NOT NULL,
    client_name             TEXT NOT NULL,
    agent_name              TEXT NOT NULL,
    extra                   TEXT NOT NULL,
    comments                TEXT NOT NULL,
    doc_type                TEXT NOT NULL,
    dwelling_city_state_zip TEXT NOT NULL,
    client_address          TEXT NOT NULL,
    client_city_state_zip   TEXT NOT NULL,
    real_estate_company     TEXT NOT NULL,
    sent_by                 TEXT NOT NULL,
    received_at             TEXT NOT NULL,
    PRIMARY KEY (sent_by, doc_num)
);
CREATE TABLE IF NOT EXISTS limits (
    name  TEXT PRIMARY KEY NOT NULL,
    value INTEGER NOT NULL
);
)sql";

// The bytes a sent inspection takes in a user's store.
constexpr const char* kSentBytes =
    "length(CAST(doc_num AS BLOB)) + length(CAST(dwelling_address AS BLOB)) + length(CAST(client_name AS BLOB)) + "
    "length(CAST(agent_name AS BLOB)) + length(CAST(extra AS BLOB)) + length(CAST(comments AS BLOB)) + "
    "length(CAST(doc_type AS BLOB)) + length(CAST(dwelling_city_state_zip AS BLOB)) + "
    "length(CAST(client_address AS BLOB)) + length(CAST(client_city_state_zip AS BLOB)) + "
    "length(CAST(real_estate_company AS BLOB))";

long long SentBytes(const Header& h)
{
    long long n = static_cast<long long>(h.docNumber.size());
    for (int f = 1; f < exchange::wire::kSentFieldCount; ++f)
        n += static_cast<long long>(exchange::wire::SentField(h, f)->size());
    return n;
}

// The header text columns shared by jobs and sent, in the order of the sent values after Doc #.
constexpr const char* kTextColumns =
    "dwelling_address, client_name, agent_name, extra, comments, doc_type, "
    "dwelling_city_state_zip, client_address, client_city_state_zip, real_estate_company";

class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) : m_db(db)
    {
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &m_stmt, nullptr) != SQLITE_OK)
            throw StoreError(std::string("store: ") + sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int i, const std::string& text)
    {
        sqlite3_bind_text(m_stmt, i, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& bindNull(int i)
    {
        sqlite3_bind_null(m_stmt, i);
        return *this;
    }
    Statement& bind(int i, long long value)
    {
        sqlite3_bind_int64(m_stmt, i, value);
        return *this;
    }
    // True while a row is there.
    bool step()
    {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc == SQLITE_DONE)
            return false;
        throw StoreError(std::string("store: ") + sqlite3_errmsg(m_db));
    }
    std::string text(int col) const
    {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, col));
        return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, col))) : std::string();
    }
    void reset()
    {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
    long long integer(int col) const { return sqlite3_column_int64(m_stmt, col); }
    bool isNull(int col) const { return sqlite3_column_type(m_stmt, col) == SQLITE_NULL; }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
};

// BEGIN IMMEDIATE ... COMMIT, rolled back unless committed.
class WriteTransaction {
public:
    explicit WriteTransaction(sqlite3* db) : m_db(db) { run("BEGIN IMMEDIATE"); }
    ~WriteTransaction()
    {
        if (!m_done)
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    void commit()
    {
        run("COMMIT");
        m_done = true;
    }

private:
    void run(const char* sql)
    {
        char* err = nullptr;
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
            std::string msg = err ? err : "unknown error";
            sqlite3_free(err);
            throw StoreError("store: " + msg);
        }
    }
    sqlite3* m_db;
    bool m_done = false;
};

std::string LocalTimestamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &tm);
    return buf;
}

// Binds the ten header texts (sent values 1 to 10) from parameter `first` on.
void BindTexts(Statement& st, int first, const Header& h)
{
    for (int n = 1; n < exchange::wire::kSentFieldCount; ++n)
        st.bind(first + n - 1, *exchange::wire::SentField(h, n));
}

void ReadTexts(const Statement& st, int first, Header& h)
{
    for (int n = 1; n < exchange::wire::kSentFieldCount; ++n)
        *exchange::wire::SentField(h, n) = st.text(first + n - 1);
}

} // namespace

std::string IsoDate(const Date& d)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

std::optional<Date> ParseIsoDate(const std::string& text)
{
    Date d;
    char tail = 0;
    if (text.size() != 10 || std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &d.year, &d.month, &d.day, &tail) != 3)
        return std::nullopt;
    if (!exchange::wire::IsCalendarDate(d))
        return std::nullopt;
    return d;
}

ServerStore::ServerStore(const std::string& path, PasswordCost cost) : m_cost(cost)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path folder = fs::path(path).parent_path();
    if (!folder.empty() && !fs::exists(folder, ec) && fs::create_directories(folder, ec))
        fs::permissions(folder, fs::perms::owner_all, ec);
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        std::string msg = m_db ? sqlite3_errmsg(m_db) : "out of memory";
        sqlite3_close(m_db);
        m_db = nullptr;
        throw StoreError("cannot open the server store " + path + ": " + msg);
    }
    // Password hashes and clients' data are for the server's user alone. By
    // name, never through a descriptor of our own (closing one would drop the
    // locks SQLite holds); the -wal and -shm files take the store's mode.
    for (const char* suffix : {"", "-wal", "-shm"}) {
        struct stat st {};
        const std::string file = path + suffix;
        if (::stat(file.c_str(), &st) == 0 && (st.st_mode & 077) != 0)
            ::chmod(file.c_str(), st.st_mode & 0700);
    }
    sqlite3_busy_timeout(m_db, 30000);
    try {
        exec("PRAGMA journal_mode=WAL");
        exec("PRAGMA synchronous=NORMAL");
        exec(kSchema);
        keySentByUser();
    } catch (...) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
}

// Stores of earlier versions kept one sent inspection per Doc #, whoever sent it.
void ServerStore::keySentByUser()
{
    auto keyed = [&] {
        Statement st(m_db, "SELECT pk FROM pragma_table_info('sent') WHERE name = 'sent_by'");
        return st.step() && st.integer(0) > 0;
    };
    if (keyed())
        return;
    WriteTransaction tx(m_db);
    if (keyed())
        return;
    const std::string columns = std::string("doc_num, sent_by, received_at, ") + kTextColumns;
    exec("ALTER TABLE sent RENAME TO sent_by_doc_num");
    exec(kSchema);
    exec(("INSERT INTO sent (" + columns + ") SELECT " + columns + " FROM sent_by_doc_num").c_str());
    exec("DROP TABLE sent_by_doc_num");
    tx.commit();
}

ServerStore::~ServerStore() { sqlite3_close(m_db); }

void ServerStore::exec(const char* sql)
{
    char* err = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        std::string msg = err ? err : "unknown error";
        sqlite3_free(err);
        throw StoreError("store: " + msg);
    }
}

bool ServerStore::addUser(const std::string& name, const std::string& password)
{
    const std::string hash = HashPassword(password, m_cost);
    Statement st(m_db, "INSERT OR IGNORE INTO users (name, password_hash, created) VALUES (?, ?, ?)");
    st.bind(1, name).bind(2, hash).bind(3, LocalTimestamp()).step();
    return sqlite3_changes(m_db) == 1;
}

bool ServerStore::setPassword(const std::string& name, const std::string& password)
{
    const std::string hash = HashPassword(password, m_cost);
    Statement st(m_db, "UPDATE users SET password_hash = ? WHERE name = ?");
    st.bind(1, hash).bind(2, name).step();
    return sqlite3_changes(m_db) == 1;
}

bool ServerStore::removeUser(const std::string& name)
{
    Statement st(m_db, "DELETE FROM users WHERE name = ?");
    st.bind(1, name).step();
    return sqlite3_changes(m_db) == 1;
}

std::vector<std::string> ServerStore::users()
{
    Statement st(m_db, "SELECT name FROM users ORDER BY name");
    std::vector<std::string> out;
    while (st.step())
        out.push_back(st.text(0));
    return out;
}

std::optional<std::string> ServerStore::passwordHash(const std::string& name)
{
    Statement st(m_db, "SELECT password_hash FROM users WHERE name = ?");
    st.bind(1, name);
    if (!st.step())
        return std::nullopt;
    return st.text(0);
}

bool ServerStore::checkLogin(const std::string& name, const std::string& password)
{
    const auto hash = passwordHash(name);
    if (!hash) {
        VerifyAgainstNothing(password, m_cost);
        return false;
    }
    if (!VerifyPassword(password, *hash))
        return false;
    // An older kind of hash (or another cost) is replaced now that the password is known.
    if (NeedsRehash(*hash, m_cost)) {
        Statement st(m_db, "UPDATE users SET password_hash = ? WHERE name = ? AND password_hash = ?");
        st.bind(1, HashPassword(password, m_cost)).bind(2, name).bind(3, *hash).step();
    }
    return true;
}

void ServerStore::putJobs(const std::vector<Job>& jobs)
{
    WriteTransaction tx(m_db);
    Statement st(m_db, std::string("INSERT OR REPLACE INTO jobs (doc_num, scheduled, inspector, doc_type_id, ") +
                           kTextColumns + ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (const Job& job : jobs) {
        if (job.header.docNumber.empty())
            throw StoreError("a job needs a Doc #");
        if (!exchange::wire::IsCalendarDate(job.header.date))
            throw StoreError("job " + job.header.docNumber + " has no valid scheduled date");
        st.bind(1, job.header.docNumber).bind(2, IsoDate(job.header.date));
        if (job.inspector.empty())
            st.bindNull(3);
        else
            st.bind(3, job.inspector);
        st.bind(4, static_cast<long long>(job.header.docTypeId));
        BindTexts(st, 5, job.header);
        st.step();
        st.reset();
    }
    tx.commit();
}

bool ServerStore::removeJob(const std::string& docNumber)
{
    Statement st(m_db, "DELETE FROM jobs WHERE doc_num = ?");
    st.bind(1, docNumber).step();
    return sqlite3_changes(m_db) == 1;
}

std::vector<Job> ServerStore::jobs(std::optional<Date> from, std::optional<Date> to,
                                   const std::optional<std::string>& user)
{
    std::string sql = std::string("SELECT doc_num, scheduled, inspector, doc_type_id, ") + kTextColumns +
                      " FROM jobs WHERE scheduled >= ? AND scheduled <= ?";
    if (user)
        sql += " AND (inspector IS NULL OR inspector = ?)";
    sql += " ORDER BY scheduled, doc_num";
    Statement st(m_db, sql);
    st.bind(1, from ? IsoDate(*from) : std::string("0000-00-00"));
    st.bind(2, to ? IsoDate(*to) : std::string("9999-99-99"));
    if (user)
        st.bind(3, *user);
    std::vector<Job> out;
    while (st.step()) {
        Job job;
        job.header.docNumber = st.text(0);
        job.header.date = ParseIsoDate(st.text(1)).value_or(exchange::wire::kDefaultDate);
        job.inspector = st.text(2);
        job.header.docTypeId = static_cast<std::int32_t>(st.integer(3));
        ReadTexts(st, 4, job.header);
        out.push_back(std::move(job));
    }
    return out;
}

void ServerStore::putSent(const Header& header, const std::string& sentBy)
{
    if (header.docNumber.empty())
        throw StoreError("a sent inspection needs a Doc #");
    WriteTransaction tx(m_db);
    Statement st(m_db, std::string("INSERT OR REPLACE INTO sent (doc_num, sent_by, received_at, ") +
                           kTextColumns + ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    st.bind(1, header.docNumber).bind(2, sentBy).bind(3, LocalTimestamp());
    BindTexts(st, 4, header);
    st.step();
    tx.commit();
}

SentResult ServerStore::putSent(const Header& header, const std::string& sentBy, const SentLimits& limits,
                                SentUsage& usage)
{
    if (header.docNumber.empty())
        throw StoreError("a sent inspection needs a Doc #");
    WriteTransaction tx(m_db);
    Statement old(m_db, std::string("SELECT ") + kSentBytes + " FROM sent WHERE sent_by = ? AND doc_num = ?");
    old.bind(1, sentBy).bind(2, header.docNumber);
    const bool replaces = old.step();
    const long long oldBytes = replaces ? old.integer(0) : 0;
    old.reset();
    SentUsage after = usage;
    after.inspections += replaces ? 0 : 1;
    after.bytes += SentBytes(header) - oldBytes;
    if (after.inspections > limits.maxInspections)
        return SentResult::TooMany;
    if (after.bytes > limits.maxBytes)
        return SentResult::TooLarge;
    Statement st(m_db, std::string("INSERT OR REPLACE INTO sent (doc_num, sent_by, received_at, ") + kTextColumns +
                           ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    st.bind(1, header.docNumber).bind(2, sentBy).bind(3, LocalTimestamp());
    BindTexts(st, 4, header);
    st.step();
    tx.commit();
    usage = after;
    return SentResult::Stored;
}

SentUsage ServerStore::sentUsage(const std::string& user)
{
    Statement st(m_db, std::string("SELECT count(*), coalesce(sum(") + kSentBytes + "), 0) FROM sent WHERE sent_by = ?");
    st.bind(1, user);
    st.step();
    return {st.integer(0), st.integer(1)};
}

SentLimits ServerStore::limits()
{
    SentLimits out;
    Statement st(m_db, "SELECT name, value FROM limits");
    while (st.step()) {
        if (st.text(0) == "max_inspections")
            out.maxInspections = st.integer(1);
        else if (st.text(0) == "max_bytes")
            out.maxBytes = st.integer(1);
    }
    return out;
}

void ServerStore::setLimits(const SentLimits& limits)
{
    WriteTransaction tx(m_db);
    Statement st(m_db, "INSERT OR REPLACE INTO limits (name, value) VALUES (?, ?)");
    st.bind(1, std::string("max_inspections")).bind(2, limits.maxInspections).step();
    st.reset();
    st.bind(1, std::string("max_bytes")).bind(2, limits.maxBytes).step();
    tx.commit();
}

std::vector<SentInspection> ServerStore::sent(const std::optional<std::string>& user)
{
    std::string sql = std::string("SELECT doc_num, sent_by, received_at, ") + kTextColumns + " FROM sent";
    if (user)
        sql += " WHERE sent_by = ?";
    sql += " ORDER BY sent_by, doc_num";
    Statement st(m_db, sql);
    if (user)
        st.bind(1, *user);
    std::vector<SentInspection> out;
    while (st.step()) {
        SentInspection s;
        s.header.docNumber = st.text(0);
        s.sentBy = st.text(1);
        s.receivedAt = st.text(2);
        ReadTexts(st, 3, s.header);
        out.push_back(std::move(s));
    }
    return out;
}

} // namespace server
