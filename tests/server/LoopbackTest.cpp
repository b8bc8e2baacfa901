// The client against the real sync server over loopback.
#include <gtest/gtest.h>

#include "ServerStore.h"
#include "SyncTestSupport.h"
#include "exchange/ServerExchange.h"
#include "store/Category.h"
#include "store/Inspection.h"
#include "support/TempDataFiles.h"
#include "text/Windows1252.h"

namespace {

using namespace synctest;
using exchange::ReceiveMode;
using exchange::ServerExchange;
using testing_support::QueryInt;
using testing_support::QueryText;
constexpr int kInspectionDb = static_cast<int>(store::DatabaseKind::Inspection);

class Loopback : public testing_support::DataFilesTest {
protected:
    void SetUp() override
    {
        DataFilesTest::SetUp();
        storePath = folder.File("server.db");
        server::ServerStore store(storePath, server::kCheapCost);
        ASSERT_TRUE(store.addUser("anna", "right horse"));
        running = std::make_unique<RunningServer>(storePath);
        SetConnection("anna", "right horse", running->port());
    }
    void TearDown() override
    {
        running.reset();
        DataFilesTest::TearDown();
    }

    bool Exchange(std::optional<ReceiveMode> mode, std::vector<std::int32_t> send = {})
    {
        ServerExchange sync(port);
        sync.SetReceiveMode(mode);
        sync.SetInspectionsToSend(std::move(send));
        sync.SetTimeouts({5s, 5s});
        const bool ok = sync.Connect();
        outcome = sync.Outcome();
        return ok;
    }

    std::int32_t AddInspection(const std::string& docNumber, const std::string& client,
                               const std::string& comments = {})
    {
        store::Inspection i;
        i.New();
        i.m_InspectionNum = docNumber;
        i.m_ClientName = client;
        i.m_InspectionComments = comments;
        i.m_DwellingAddress = "1 Lake Road";
        i.m_DocType = "Residential";
        EXPECT_TRUE(i.Save());
        return i.m_InspectionID;
    }

    std::string storePath;
    std::unique_ptr<RunningServer> running;
    exchange::SyncOutcome outcome;
};

TEST_F(Loopback, ReceivesTodayWeekOrAllByTheScheduledDate)
{
    {
        server::ServerStore store(storePath, server::kCheapCost);
        server::Job today = MakeJob("T-1", kToday, "Caf\xC3\xA9 M\xC3\xBCller \xE2\x82\xAC");
        today.header.comments = "Roof is old.\r\n\r\nGutters loose.";
        today.header.agentName = ""; // travels as the single byte 0x04
        today.header.docTypeId = -7;
        store.putJobs({today, MakeJob("W-1", {2024, 5, 18}, "Saturday"), MakeJob("W-0", {2024, 5, 12}, "Sunday"),
                       MakeJob("N-1", {2024, 5, 19}, "Next week"), MakeJob("P-1", {2023, 1, 2}, "Last year"),
                       MakeJob("O-1", kToday, "Other inspector's", "bob")});
    }
    auto docNumbers = [] {
        store::Inspection i;
        i.OpenSql("SELECT * FROM Inspection ORDER BY InspectionNum");
        std::string all;
        for (int r = 0; r < i.GetCount(); ++r) {
            i.Read(r);
            all += i.m_InspectionNum + " ";
        }
        return all;
    };

    ASSERT_TRUE(Exchange(ReceiveMode::Today)) << outcome.error;
    EXPECT_EQ(docNumbers(), "T-1 ");
    ASSERT_TRUE(Exchange(ReceiveMode::Week)) << outcome.error;
    EXPECT_EQ(outcome.announced, 3);
    EXPECT_EQ(docNumbers(), "T-1 W-0 W-1 ");
    ASSERT_TRUE(Exchange(ReceiveMode::All)) << outcome.error;
    EXPECT_EQ(outcome.announced, 5);
    EXPECT_EQ(docNumbers(), "N-1 P-1 T-1 W-0 W-1 ") << "bob's job is not anna's";

    store::Inspection i;
    ASSERT_TRUE(i.OpenSql("SELECT * FROM Inspection WHERE InspectionNum = \"%s\"", {std::string("T-1")}));
    ASSERT_EQ(i.GetCount(), 1);
    i.Read(0);
    EXPECT_EQ(i.m_ClientName, "Caf\xC3\xA9 M\xC3\xBCller \xE2\x82\xAC");
    EXPECT_EQ(i.m_InspectionComments, "Roof is old.\r\n\r\nGutters loose.");
    EXPECT_EQ(i.m_AgentName, "");
    EXPECT_EQ(i.m_DwellingCityStateZip, "Minneapolis, MN 55401");
    EXPECT_EQ(i.m_DocType, "Residential");
    EXPECT_EQ(i.m_DocTypeID, -7);
    EXPECT_EQ(i.m_InspectionDate, store::DateTime::Make(2024, 5, 15));
    EXPECT_EQ(i.m_DateText, "5/15/2024");
    EXPECT_EQ(i.m_TimeText, "0:0");
}

TEST_F(Loopback, AKnownDocNumberUpdatesThatInspectionAndANewOneIsAdded)
{
    const std::int32_t existing = AddInspection("D-1", "Old name");
    {
        store::Category c;
        c.New();
        c.m_InspectionID = existing;
        c.m_CategoryTitle = "Kitchen";
        ASSERT_TRUE(c.Save());
    }
    testing_support::Exec(kInspectionDb, "UPDATE Inspection SET YesNo8 = 1, String12 = 'kept' WHERE InspectionID = " +
                                             std::to_string(existing));
    server::ServerStore(storePath).putJobs({MakeJob("D-1", kToday, "New name"), MakeJob("D-2", kToday, "Second")});

    ASSERT_TRUE(Exchange(ReceiveMode::Today)) << outcome.error;
    EXPECT_EQ(outcome.updated, 1);
    EXPECT_EQ(outcome.added, 1);
    EXPECT_EQ(QueryInt(kInspectionDb, "SELECT COUNT(*) FROM Inspection"), 2);
    const std::string id = std::to_string(existing);
    EXPECT_EQ(QueryText(kInspectionDb, "SELECT ClientName FROM Inspection WHERE InspectionID = " + id), "New name");
    EXPECT_EQ(QueryText(kInspectionDb, "SELECT String12 FROM Inspection WHERE InspectionID = " + id), "kept");
    EXPECT_EQ(QueryInt(kInspectionDb, "SELECT COUNT(*) FROM Category WHERE InspectionID = " + id), 1);
    EXPECT_GT(QueryInt(kInspectionDb, "SELECT InspectionID FROM Inspection WHERE InspectionNum = 'D-2'"), existing)
        << "a new inspection takes the next identifier";

    // Receiving the same schedule again changes nothing but the fields.
    ASSERT_TRUE(Exchange(ReceiveMode::Today));
    EXPECT_EQ(outcome.updated, 2);
    EXPECT_EQ(QueryInt(kInspectionDb, "SELECT COUNT(*) FROM Inspection"), 2);
}

TEST_F(Loopback, SentInspectionsArriveWholeAndAreUpdatedByDocNumber)
{
    // Longer than one message carries, with accents and line breaks: cut, and the cut named.
    std::string longComments;
    while (longComments.size() < 5000)
        longComments += "The furnace filter is clogged; replace it. H\xC3\xA9las.\r\n";
    const std::int32_t a = AddInspection("S-1", "First client", longComments);
    const std::int32_t b = AddInspection("S-2", "DONE"); // a value that looks like the end marker

    ASSERT_TRUE(Exchange(std::nullopt, {a, b})) << outcome.error;
    EXPECT_EQ(outcome.sent, 2);
    EXPECT_EQ(outcome.confirmed, 2);
    {
        const auto sent = server::ServerStore(storePath).sent(std::nullopt);
        ASSERT_EQ(sent.size(), 2u);
        EXPECT_EQ(sent[0].header.docNumber, "S-1");
        EXPECT_EQ(sent[0].header.comments,
                  text::FromWindows1252(text::ToWindows1252(longComments).substr(0, 2046)));
        EXPECT_TRUE(port.Saw("Doc # S-1, Inspection Comments"));
        EXPECT_EQ(sent[0].header.dwellingAddress, "1 Lake Road");
        EXPECT_EQ(sent[0].header.docType, "Residential");
        EXPECT_EQ(sent[0].sentBy, "anna");
        EXPECT_EQ(sent[1].header.clientName, "DONE");
    }

    testing_support::Exec(kInspectionDb, "UPDATE Inspection SET ClientName = 'Renamed' WHERE InspectionID = " +
                                             std::to_string(a));
    ASSERT_TRUE(Exchange(ReceiveMode::All, {a})) << outcome.error;
    const auto sent = server::ServerStore(storePath).sent(std::nullopt);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].header.clientName, "Renamed");
}

TEST_F(Loopback, InspectionsThatCannotTravelAreLeftOutAndNamed)
{
    const std::int32_t good = AddInspection("G-1", "Fine");
    const std::int32_t noNumber = AddInspection("", "Nobody numbered me");
    const std::int32_t control = AddInspection("C-1", std::string("Bad\x04name"));

    EXPECT_FALSE(Exchange(std::nullopt, {good, noNumber, 987654, control}));
    EXPECT_EQ(outcome.sent, 1);
    EXPECT_EQ(outcome.notSent.size(), 3u);
    EXPECT_TRUE(port.Saw("Nobody numbered me"));
    EXPECT_TRUE(port.Saw("987654"));
    EXPECT_TRUE(port.Saw("C-1"));
    const auto sent = server::ServerStore(storePath).sent(std::nullopt);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].header.docNumber, "G-1");
}

TEST_F(Loopback, AWrongPasswordIsRefusedAndNothingTravels)
{
    server::ServerStore(storePath).putJobs({MakeJob("T-1", kToday, "Someone")});
    const std::int32_t mine = AddInspection("S-1", "Mine");
    SetConnection("anna", "wrong horse", running->port());

    EXPECT_FALSE(Exchange(ReceiveMode::All, {mine}));
    EXPECT_FALSE(outcome.loggedIn);
    EXPECT_TRUE(port.Saw("ERROR:\r\rThe server refused the user name or password."));
    EXPECT_EQ(QueryInt(kInspectionDb, "SELECT COUNT(*) FROM Inspection"), 1);
    EXPECT_TRUE(server::ServerStore(storePath).sent(std::nullopt).empty());

    SetConnection("nobody", "right horse", running->port());
    EXPECT_FALSE(Exchange(ReceiveMode::All));
    EXPECT_EQ(QueryInt(kInspectionDb, "SELECT COUNT(*) FROM Inspection"), 1);
}

TEST_F(Loopback, ProgressShowsEachPhase)
{
    server::ServerStore(storePath).putJobs({MakeJob("T-1", kToday, "A"), MakeJob("T-2", kToday, "B")});
    ASSERT_TRUE(Exchange(ReceiveMode::Today, {AddInspection("S-1", "Mine")}));
    const std::vector<std::string>& log = port.progressLog;
    auto at = [&](const std::string& entry) {
        return std::find(log.begin(), log.end(), entry) - log.begin();
    };
    ASSERT_LT(at("title: Connection to Server"), static_cast<long>(log.size()));
    EXPECT_LT(at("status: Logging in..."), at("status: Receiving Inspections..."));
    EXPECT_LT(at("status: Receiving Inspections..."), at("status: Sending Inspections..."));
    EXPECT_LT(at("status: Sending Inspections..."), at("status: Logging Out..."));
    EXPECT_EQ(log.back(), "position: 100");
}

TEST_F(Loopback, ACancelledExchangeKeepsWhatWasCompleteAndLogsOut)
{
    std::vector<server::Job> jobs;
    for (int i = 0; i < 5; ++i)
        jobs.push_back(MakeJob("T-" + std::to_string(i), kToday, "Client"));
    server::ServerStore(storePath).putJobs(jobs);
    port.cancelAfter = 3; // the starting position and two inspections
    EXPECT_FALSE(Exchange(ReceiveMode::Today));
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.added, 2);
    EXPECT_EQ(QueryInt(kInspectionDb, "SELECT COUNT(*) FROM Inspection"), 2);
}

TEST_F(Loopback, MissingConnectionSettingsAreNamedBeforeAnyConnection)
{
    SetConnection("", "x", running->port());
    EXPECT_FALSE(Exchange(ReceiveMode::Today));
    EXPECT_FALSE(outcome.connected);
    EXPECT_TRUE(port.Saw("ERROR:"));
}

} // namespace
