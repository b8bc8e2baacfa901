#pragma once
// The sync server's own SQLite store: users (salted password hashes), the
// scheduled jobs handed out to clients, and the inspections clients sent.
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "exchange/SyncWire.h"

struct sqlite3;

namespace server {

using exchange::wire::Date;
using exchange::wire::Header;

struct StoreError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A scheduled job: the header handed to clients, its date the scheduled day.
// A job with an inspector goes only to that user; without one, to every user.
struct Job {
    Header header;
    std::string inspector;
};

// An inspection a client sent, as the server keeps it (one per Doc #; a later
// send of the same Doc # replaces it).
struct SentInspection {
    Header header; // date and document type identifier do not travel back
    std::string sentBy;
    std::string receivedAt; // local time, "YYYY-MM-DD HH:MM:SS"
};

class ServerStore {
public:
    // Opens the store at `path`, creating the file and its tables when missing.
    explicit ServerStore(const std::string& path);
    ~ServerStore();
    ServerStore(const ServerStore&) = delete;
    ServerStore& operator=(const ServerStore&) = delete;

    // Users. addUser refuses a name that exists (returns false).
    bool addUser(const std::string& name, const std::string& password, unsigned iterations);
    bool setPassword(const std::string& name, const std::string& password, unsigned iterations);
    bool removeUser(const std::string& name);
    std::vector<std::string> users();
    // The stored hash of a user, nullopt when there is no such user.
    std::optional<std::string> passwordHash(const std::string& name);
    // True when the user exists and the password matches.
    bool checkLogin(const std::string& name, const std::string& password);

    // Jobs, keyed by Doc #: putting a job whose Doc # exists replaces it.
    // putJobs stores all or, on an error, none.
    void putJobs(const std::vector<Job>& jobs);
    bool removeJob(const std::string& docNumber);
    // Jobs scheduled from `from` to `to` (either open), ordered by date and
    // Doc #; when `user` is given, only jobs for that user or for anyone.
    std::vector<Job> jobs(std::optional<Date> from, std::optional<Date> to,
                          const std::optional<std::string>& user);

    // Stores one sent inspection in one transaction, replacing an earlier send
    // of the same Doc #.
    void putSent(const Header& header, const std::string& sentBy);
    // Sent inspections ordered by Doc #; only those of `user` when given.
    std::vector<SentInspection> sent(const std::optional<std::string>& user);

private:
    void exec(const char* sql);
    sqlite3* m_db = nullptr;
};

// "YYYY-MM-DD" and back; parseIsoDate accepts only real calendar dates.
std::string IsoDate(const Date& date);
std::optional<Date> ParseIsoDate(const std::string& text);

} // namespace server
