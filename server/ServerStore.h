#pragma once
// The sync server's own SQLite store: users (salted password hashes), the
// scheduled jobs handed out to clients, and the inspections clients sent.
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "PasswordHash.h"
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

// An inspection a client sent, as the server keeps it (one per user and Doc #;
// a later send of the same Doc # by the same user replaces it, and no user can
// touch what another sent).
struct SentInspection {
    Header header; // date and document type identifier do not travel back
    std::string sentBy;
    std::string receivedAt; // local time, "YYYY-MM-DD HH:MM:SS"
};

// What one user may keep of sent inspections; the administrator may change both.
struct SentLimits {
    long long maxInspections = 100000;
    long long maxBytes = 100'000'000;
};
// What a user keeps now.
struct SentUsage {
    long long inspections = 0;
    long long bytes = 0;
};
enum class SentResult { Stored, TooMany, TooLarge };

class ServerStore {
public:
    // Opens the store at `path`, creating the file (0600, in a folder of 0700
    // when the folder is new too) and its tables when missing; a store readable
    // by others is made private. New password hashes get `cost`, and a login
    // replaces a hash of any other kind or cost.
    explicit ServerStore(const std::string& path, PasswordCost cost = kDefaultCost);
    ~ServerStore();
    ServerStore(const ServerStore&) = delete;
    ServerStore& operator=(const ServerStore&) = delete;

    // Users. addUser refuses a name that exists (returns false).
    bool addUser(const std::string& name, const std::string& password);
    bool setPassword(const std::string& name, const std::string& password);
    bool removeUser(const std::string& name);
    std::vector<std::string> users();
    // The stored hash of a user, nullopt when there is no such user.
    std::optional<std::string> passwordHash(const std::string& name);
    // True when the user exists and the password matches. An unknown user
    // costs the same time as a wrong password.
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
    // of the same Doc # by the same user.
    void putSent(const Header& header, const std::string& sentBy);
    // The same within `limits`: refused (and nothing stored) when the user's
    // store would hold more; `usage` (from sentUsage) follows what is stored.
    SentResult putSent(const Header& header, const std::string& sentBy, const SentLimits& limits,
                       SentUsage& usage);
    SentUsage sentUsage(const std::string& user);
    SentLimits limits();
    void setLimits(const SentLimits& limits);
    // Sent inspections ordered by user and Doc #; only those of `user` when given.
    std::vector<SentInspection> sent(const std::optional<std::string>& user);

private:
    void exec(const char* sql);
    void keySentByUser();
    sqlite3* m_db = nullptr;
    PasswordCost m_cost;
};

// "YYYY-MM-DD" and back; parseIsoDate accepts only real calendar dates.
std::string IsoDate(const Date& date);
std::optional<Date> ParseIsoDate(const std::string& text);

} // namespace server
