// The pieces below the exchange: wire helpers, password storage, the server's
// schedule and its admin command line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <sstream>

#include "JobCsv.h"
#include "PasswordHash.h"
#include "ServerCommandLine.h"
#include "ServerStore.h"
#include "SyncServer.h"
#include "support/sync/SyncTestSupport.h"
#include "exchange/SyncWire.h"
#include "support/TempDataFiles.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

namespace wire = exchange::wire;
using wire::Date;

TEST(SyncWire, DatesParseWithTheirDefaultsAndTheCountIsReadFromTheSixthCharacter)
{
    EXPECT_EQ(wire::ParseDate("3/15/2007"), (Date{2007, 3, 15}));
    EXPECT_EQ(wire::ParseDate("12/1/1999"), (Date{1999, 12, 1}));
    // Missing parts keep month 7, day 10, year 1066.
    EXPECT_EQ(wire::ParseDate("3/15"), (Date{1066, 3, 15}));
    EXPECT_EQ(wire::ParseDate("3"), (Date{1066, 3, 10}));
    EXPECT_EQ(wire::ParseDate(""), (Date{1066, 7, 10}));
    EXPECT_EQ(wire::ParseDate("//2010"), (Date{2010, 7, 10}));
    // A text that names no calendar day gives the default date whole.
    EXPECT_EQ(wire::ParseDate("13/45/2007"), wire::kDefaultDate);
    EXPECT_EQ(wire::ParseDate("2/30/2007"), wire::kDefaultDate);
    EXPECT_EQ(wire::ParseDate("2/29/2008"), (Date{2008, 2, 29}));
    EXPECT_EQ(wire::FormatDate({2007, 3, 5}), "3/5/2007");

    EXPECT_EQ(wire::ParseCount("CONT 3\r"), 3);
    EXPECT_EQ(wire::ParseCount("CONT:12 jobs\r"), 12);
    EXPECT_EQ(wire::ParseCount("CONT x\r"), 0);
    EXPECT_EQ(wire::ParseCount("CONT\r"), 0);
    EXPECT_EQ(wire::ParseCount("CNFM\r"), std::nullopt);
    EXPECT_EQ(wire::ParseCount("CONT 99999999999\r"), std::nullopt);
}

TEST(PasswordHash, OldHashesMatchTheStandardVectorsNewOnesAreSaltedArgon2idAndOldOnesAreReplacedAtLogin)
{
    EXPECT_EQ(server::ToHex(server::Pbkdf2Sha256("passwd", "salt", 1, 64)),
              "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
              "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783");
    EXPECT_EQ(server::ToHex(server::Pbkdf2Sha256("Password", "NaCl", 80000, 40)),
              "4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56a1d425a122583354");

    const std::string a = server::HashPassword("s3cret pass", server::kCheapCost);
    const std::string b = server::HashPassword("s3cret pass", server::kCheapCost);
    EXPECT_NE(a, b) << "each hash has its own salt";
    EXPECT_TRUE(a.starts_with("$argon2id$")) << a;
    EXPECT_THAT(a, Not(HasSubstr("s3cret")));
    EXPECT_TRUE(server::VerifyPassword("s3cret pass", a));
    EXPECT_FALSE(server::VerifyPassword("s3cret pasS", a));
    EXPECT_FALSE(server::VerifyPassword("s3cret pass", "s3cret pass"));
    EXPECT_FALSE(server::VerifyPassword("x", "pbkdf2-sha256$0$00$00"));
    EXPECT_FALSE(server::VerifyPassword("x", "pbkdf2-sha256$5$zz$00"));
    EXPECT_FALSE(server::NeedsRehash(a, server::kCheapCost));
    EXPECT_TRUE(server::NeedsRehash(a, server::kDefaultCost));
    const std::string state = server::HashPassword("x", server::kDefaultCost);
    EXPECT_THAT(state, HasSubstr("m=65536,t=2"));

    // A user stored by an earlier version: PBKDF2 hash, replaced at the first good login only.
    testing_support::TempFolder folder;
    server::ServerStore store(folder.File("server.db"), server::kCheapCost);
    const std::string salt = "0123456789abcdef";
    const std::string old = "pbkdf2-sha256$1000$" + server::ToHex(salt) + "$" +
                            server::ToHex(server::Pbkdf2Sha256("old horse", salt, 1000, 32));
    ASSERT_TRUE(store.addUser("olga", "placeholder"));
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(folder.File("server.db").c_str(), &db), SQLITE_OK);
        sqlite3_exec(db, ("UPDATE users SET password_hash = '" + old + "'").c_str(), nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    EXPECT_FALSE(store.checkLogin("olga", "old horsE"));
    EXPECT_EQ(*store.passwordHash("olga"), old);
    EXPECT_TRUE(store.checkLogin("olga", "old horse"));
    EXPECT_TRUE(store.passwordHash("olga")->starts_with("$argon2id$"));
    EXPECT_TRUE(store.checkLogin("olga", "old horse"));
}

TEST(ServerSchedule, TheWeekRunsFromSundayToSaturdayAndJobsGoToTheirInspectorOrToEveryone)
{
    auto range = [](int mode, Date day) {
        const auto r = server::ScheduleRange(mode, day);
        return r.from ? wire::FormatDate(*r.from) + " to " + wire::FormatDate(*r.to) : "everything";
    };
    EXPECT_EQ(range(1, {2024, 5, 15}), "5/12/2024 to 5/18/2024"); // a Wednesday
    EXPECT_EQ(range(1, {2024, 5, 12}), "5/12/2024 to 5/18/2024");
    EXPECT_EQ(range(1, {2024, 12, 31}), "12/29/2024 to 1/4/2025");
    EXPECT_EQ(range(0, {2024, 5, 15}), "5/15/2024 to 5/15/2024");
    EXPECT_EQ(range(2, {2024, 5, 15}), "everything");

    testing_support::TempFolder folder;
    server::ServerStore store(folder.File("server.db"));
    store.putJobs({synctest::MakeJob("A", {2024, 5, 15}, "Anyone"),
                   synctest::MakeJob("B", {2024, 5, 15}, "Bea's", "bea"),
                   synctest::MakeJob("C", {2024, 5, 16}, "Carl's", "carl")});
    auto names = [](const std::vector<server::Job>& jobs) {
        std::string s;
        for (const auto& j : jobs)
            s += j.header.docNumber;
        return s;
    };
    EXPECT_EQ(names(store.jobs(std::nullopt, std::nullopt, std::string("bea"))), "AB");
    EXPECT_EQ(names(store.jobs(std::nullopt, std::nullopt, std::string("carl"))), "AC");
    EXPECT_EQ(names(store.jobs(Date{2024, 5, 16}, Date{2024, 5, 16}, std::nullopt)), "C");
    // A job put again under its Doc # replaces the first.
    store.putJobs({synctest::MakeJob("A", {2024, 5, 20}, "Moved")});
    const auto all = store.jobs(std::nullopt, std::nullopt, std::nullopt);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all.back().header.clientName, "Moved");
}

TEST(JobImport, ReadsQuotedFieldsInAnyColumnOrderAndRefusesTheWholeFileOnAnyBadRecord)
{
    const std::string csv =
        "\xEF\xBB\xBF" "Date,DOC_NUM,client_name,comments,doc_type_id\r\n"
        "5/15/2024,J-1,\"Smith, John\",\"Roof \"\"old\"\"\r\nsee attic\",25003\r\n"
        "\r\n"
        "2024-05-16,J-2,Caf\xC3\xA9 M\xC3\xBCller,,\n";
    std::vector<server::Job> jobs;
    std::string error;
    ASSERT_TRUE(server::ReadJobsCsv(csv, jobs, error)) << error;
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(synctest::Describe(jobs[0].header), "J-1||Smith, John|||Roof \"old\"\r\nsee attic|||||25003||5/15/2024");
    EXPECT_EQ(synctest::Describe(jobs[1].header), "J-2||Caf\xC3\xA9 M\xC3\xBCller||||||||0||5/16/2024");

    EXPECT_FALSE(server::ReadJobsCsv("doc_num,client_name\nJ-1,A\n", jobs, error));
    EXPECT_THAT(error, HasSubstr("date"));
    EXPECT_FALSE(server::ReadJobsCsv("doc_num,date\nJ-1,2024-05-15\nJ-2,2024-02-30\n", jobs, error));
    EXPECT_THAT(error, HasSubstr("record 3"));
    EXPECT_FALSE(server::ReadJobsCsv("doc_num,date\nJ-1,2024-05-15\nJ-1,2024-05-16\n", jobs, error));
    EXPECT_FALSE(server::ReadJobsCsv("doc_num,date,colour\nJ-1,2024-05-15,red\n", jobs, error));
    EXPECT_FALSE(server::ReadJobsCsv("doc_num,date\nJ-1,2024-05-15,extra\n", jobs, error));
    EXPECT_FALSE(server::ReadJobsCsv("doc_num,date\n\"J-1,2024-05-15\n", jobs, error));
    // A value holding the end-of-value byte could never travel whole.
    EXPECT_FALSE(server::ReadJobsCsv(std::string("doc_num,date,comments\nJ-1,2024-05-15,a\x04z\n"), jobs, error));
    EXPECT_FALSE(server::ReadJobsCsv("doc_num,date\n,2024-05-15\n", jobs, error));
}

struct AdminRun {
    int status;
    std::string out, err;
};

AdminRun Admin(const std::string& store, std::vector<std::string> args, const std::string& input = {})
{
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = server::RunAdminCommand(args, store, in, out, err);
    return {status, out.str(), err.str()};
}

TEST(ServerAdmin, ManagesUsersJobsAndListsWhatWasSent)
{
    testing_support::TempFolder folder;
    const std::string storePath = folder.File("server.db");

    EXPECT_EQ(Admin(storePath, {"user", "add", "anna"}, "pa55word\n").status, 0);
    EXPECT_EQ(Admin(storePath, {"user", "add", "anna", "--password", "otherpass"}).status, 1);
    EXPECT_EQ(Admin(storePath, {"user", "add", "carl", "--password", "1234567"}).status, 2) << "7 characters";
    EXPECT_EQ(Admin(storePath, {"user", "add", "abcdefghijklmnopqrstu", "--password", "12345678"}).status, 2)
        << "21 characters";
    EXPECT_EQ(Admin(storePath, {"user", "add", "abcdefghijklmnopqrs\xC3\xA9", "--password", "12345678"}).status, 0)
        << "20 characters";
    EXPECT_EQ(Admin(storePath, {"user", "add", "bob"}).status, 2) << "no password given";
    EXPECT_EQ(Admin(storePath, {"user", "list"}).out, "abcdefghijklmnopqrs\xC3\xA9\nanna\n");
    {
        server::ServerStore store(storePath);
        EXPECT_TRUE(store.checkLogin("anna", "pa55word"));
        EXPECT_FALSE(store.checkLogin("bob", "pa55word"));
    }
    EXPECT_EQ(Admin(storePath, {"user", "password", "anna", "--password", "new pass"}).status, 0);
    EXPECT_TRUE(server::ServerStore(storePath).checkLogin("anna", "new pass"));
    EXPECT_EQ(Admin(storePath, {"limits", "--max-inspections", "5", "--max-megabytes", "2"}).out,
              "each user keeps at most 5 sent inspections and 2 MB of them\n");
    EXPECT_EQ(server::ServerStore(storePath).limits().maxBytes, 2'000'000);

    const std::string csv = folder.File("jobs.csv");
    std::ofstream(csv) << "doc_num,date,client_name\nJ-1,2024-05-15,Smith\nJ-2,2024-05-16,Jones\n";
    EXPECT_EQ(Admin(storePath, {"job", "import", csv}).status, 0);
    std::ofstream(csv) << "doc_num,date\nJ-3,2024-05-15\nJ-4,someday\n";
    const AdminRun bad = Admin(storePath, {"job", "import", csv});
    EXPECT_EQ(bad.status, 1);
    EXPECT_THAT(bad.err, HasSubstr("nothing imported"));
    EXPECT_EQ(Admin(storePath, {"job", "add", "--doc-num", "J-5", "--date", "6/1/2024", "--client-name", "Lee",
                                "--inspector", "anna"})
                  .status,
              0);
    EXPECT_EQ(Admin(storePath, {"job", "add", "--doc-num", "J-6"}).status, 2) << "no date";
    const std::string list = Admin(storePath, {"job", "list"}).out;
    EXPECT_THAT(list, HasSubstr("J-1\t2024-05-15"));
    EXPECT_THAT(list, HasSubstr("J-5\t2024-06-01\tanna"));
    EXPECT_THAT(list, Not(HasSubstr("J-3"))) << "a refused import leaves nothing behind";

    server::ServerStore(storePath).putSent(synctest::MakeJob("S-1", {}, "Line one\nline two").header, "anna");
    const std::string sent = Admin(storePath, {"sent", "list", "--user", "anna"}).out;
    EXPECT_THAT(sent, HasSubstr("S-1\tanna\t"));
    EXPECT_THAT(sent, HasSubstr("Line one\\nline two"));
    EXPECT_THAT(Admin(storePath, {"sent", "list", "--user", "bob"}).out, Not(HasSubstr("S-1")));
}

} // namespace
