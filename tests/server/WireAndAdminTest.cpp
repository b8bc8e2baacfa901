// The pieces below the exchange: wire helpers, password storage, the server's
// schedule and its admin command line.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "JobCsv.h"
#include "PasswordHash.h"
#include "ServerCommandLine.h"
#include "ServerStore.h"
#include "SyncServer.h"
#include "SyncTestSupport.h"
#include "exchange/SyncWire.h"
#include "support/TempDataFiles.h"

namespace {

namespace wire = exchange::wire;
using wire::Date;

TEST(SyncWire, DatesParseWithTheirDefaultsAndNeverBecomeImpossible)
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
}

TEST(SyncWire, TheDocTypeIdIsFourLittleEndianBytes)
{
    EXPECT_EQ(wire::EncodeInt32(0x01020304), std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(wire::DecodeInt32(std::string("\x04\x03\x02\x01", 4)), 0x01020304);
    EXPECT_EQ(wire::DecodeInt32(wire::EncodeInt32(-2)), -2);
    EXPECT_EQ(wire::DecodeInt32(wire::EncodeInt32(25003)), 25003);
}

TEST(SyncWire, TheCountIsReadFromTheSixthCharacter)
{
    EXPECT_EQ(wire::ParseCount("CONT 3\r"), 3);
    EXPECT_EQ(wire::ParseCount("CONT:12 jobs\r"), 12);
    EXPECT_EQ(wire::ParseCount("CONT x\r"), 0);
    EXPECT_EQ(wire::ParseCount("CONT\r"), 0);
    EXPECT_EQ(wire::ParseCount("CNFM\r"), std::nullopt);
    EXPECT_EQ(wire::ParseCount("CONT 99999999999\r"), std::nullopt);
}

std::string Hex(const server::Sha256Digest& d)
{
    return server::ToHex(std::string_view(reinterpret_cast<const char*>(d.data()), d.size()));
}

TEST(PasswordHash, MatchesTheStandardVectors)
{
    EXPECT_EQ(Hex(server::Sha256("abc")), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // 56 bytes: the length no longer fits the first block.
    EXPECT_EQ(Hex(server::Sha256("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(Hex(server::Sha256(std::string(1000, 'a'))),
              "41edece42d63e8d9bf515a9ba6932e1c20cbc9f5a5d134645adb5db1b9737ea3");
    // A key longer than a block is hashed first.
    EXPECT_EQ(Hex(server::HmacSha256(std::string(100, 'k'), "what do ya want for nothing?")),
              "06b9b5e08093497ed4602d9cabe2a43555c2b5c75d437c35369e27d7ff8e5bca");
    EXPECT_EQ(server::ToHex(server::Pbkdf2Sha256("passwd", "salt", 1, 64)),
              "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
              "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783");
    EXPECT_EQ(server::ToHex(server::Pbkdf2Sha256("Password", "NaCl", 80000, 40)),
              "4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56a1d425a122583354");
}

TEST(PasswordHash, StoresOnlySaltedHashes)
{
    const std::string a = server::HashPassword("s3cret pass", 50);
    const std::string b = server::HashPassword("s3cret pass", 50);
    EXPECT_NE(a, b) << "each hash has its own salt";
    EXPECT_EQ(a.find("s3cret"), std::string::npos);
    EXPECT_TRUE(server::VerifyPassword("s3cret pass", a));
    EXPECT_TRUE(server::VerifyPassword("s3cret pass", b));
    EXPECT_FALSE(server::VerifyPassword("s3cret pasS", a));
    EXPECT_FALSE(server::VerifyPassword("", a));
    EXPECT_FALSE(server::VerifyPassword("s3cret pass", "s3cret pass"));
    EXPECT_FALSE(server::VerifyPassword("x", "pbkdf2-sha256$0$00$00"));
    EXPECT_FALSE(server::VerifyPassword("x", "pbkdf2-sha256$5$zz$00"));
}

TEST(ServerSchedule, TheWeekRunsFromSundayToSaturdayAcrossMonthAndYear)
{
    const auto week = server::ScheduleRange(1, {2024, 5, 15}); // a Wednesday
    EXPECT_EQ(*week.from, (Date{2024, 5, 12}));
    EXPECT_EQ(*week.to, (Date{2024, 5, 18}));
    const auto sunday = server::ScheduleRange(1, {2024, 5, 12});
    EXPECT_EQ(*sunday.from, (Date{2024, 5, 12}));
    const auto newYear = server::ScheduleRange(1, {2024, 12, 31});
    EXPECT_EQ(*newYear.from, (Date{2024, 12, 29}));
    EXPECT_EQ(*newYear.to, (Date{2025, 1, 4}));
    const auto today = server::ScheduleRange(0, {2024, 5, 15});
    EXPECT_EQ(*today.from, *today.to);
    EXPECT_FALSE(server::ScheduleRange(2, {2024, 5, 15}).from.has_value());
}

TEST(ServerSchedule, JobsGoToTheirInspectorOrToEveryone)
{
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

TEST(JobImport, ReadsQuotedFieldsInAnyColumnOrder)
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
    EXPECT_EQ(jobs[0].header.clientName, "Smith, John");
    EXPECT_EQ(jobs[0].header.comments, "Roof \"old\"\r\nsee attic");
    EXPECT_EQ(jobs[0].header.date, (Date{2024, 5, 15}));
    EXPECT_EQ(jobs[0].header.docTypeId, 25003);
    EXPECT_EQ(jobs[1].header.clientName, "Caf\xC3\xA9 M\xC3\xBCller");
    EXPECT_EQ(jobs[1].header.date, (Date{2024, 5, 16}));
}

TEST(JobImport, RefusesTheWholeFileOnAnyBadRecord)
{
    std::vector<server::Job> jobs;
    std::string error;
    EXPECT_FALSE(server::ReadJobsCsv("doc_num,client_name\nJ-1,A\n", jobs, error));
    EXPECT_NE(error.find("date"), std::string::npos);
    EXPECT_FALSE(server::ReadJobsCsv("doc_num,date\nJ-1,2024-05-15\nJ-2,2024-02-30\n", jobs, error));
    EXPECT_NE(error.find("record 3"), std::string::npos) << error;
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

    EXPECT_EQ(Admin(storePath, {"user", "add", "anna", "--iterations", "10"}, "pa55word\n").status, 0);
    EXPECT_EQ(Admin(storePath, {"user", "add", "anna", "--password", "other"}).status, 1);
    EXPECT_EQ(Admin(storePath, {"user", "add", "bob"}).status, 2) << "no password given";
    EXPECT_EQ(Admin(storePath, {"user", "list"}).out, "anna\n");
    {
        server::ServerStore store(storePath);
        EXPECT_TRUE(store.checkLogin("anna", "pa55word"));
        EXPECT_EQ(store.passwordHash("anna")->find("pa55word"), std::string::npos);
        EXPECT_FALSE(store.checkLogin("bob", "pa55word"));
    }
    EXPECT_EQ(Admin(storePath, {"user", "password", "anna", "--password", "new", "--iterations", "10"}).status, 0);
    EXPECT_TRUE(server::ServerStore(storePath).checkLogin("anna", "new"));

    const std::string csv = folder.File("jobs.csv");
    std::ofstream(csv) << "doc_num,date,client_name\nJ-1,2024-05-15,Smith\nJ-2,2024-05-16,Jones\n";
    EXPECT_EQ(Admin(storePath, {"job", "import", csv}).status, 0);
    std::ofstream(csv) << "doc_num,date\nJ-3,2024-05-15\nJ-4,someday\n";
    const AdminRun bad = Admin(storePath, {"job", "import", csv});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("nothing imported"), std::string::npos);
    EXPECT_EQ(Admin(storePath, {"job", "add", "--doc-num", "J-5", "--date", "6/1/2024", "--client-name", "Lee",
                                "--inspector", "anna"})
                  .status,
              0);
    EXPECT_EQ(Admin(storePath, {"job", "add", "--doc-num", "J-6"}).status, 2) << "no date";
    const std::string list = Admin(storePath, {"job", "list"}).out;
    EXPECT_NE(list.find("J-1\t2024-05-15"), std::string::npos);
    EXPECT_NE(list.find("J-5\t2024-06-01\tanna"), std::string::npos);
    EXPECT_EQ(list.find("J-3"), std::string::npos) << "a refused import leaves nothing behind";

    server::ServerStore(storePath).putSent(synctest::MakeJob("S-1", {}, "Line one\nline two").header, "anna");
    const std::string sent = Admin(storePath, {"sent", "list", "--user", "anna"}).out;
    EXPECT_NE(sent.find("S-1\tanna\t"), std::string::npos);
    EXPECT_NE(sent.find("Line one\\nline two"), std::string::npos);
    EXPECT_EQ(Admin(storePath, {"sent", "list", "--user", "bob"}).out.find("S-1"), std::string::npos);
}

} // namespace
