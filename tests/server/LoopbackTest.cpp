// The client against the real sync server over loopback.
#include <gtest/gtest.h>

#include "SyncTestSupport.h"
#include "store/Inspection.h"

namespace {

using namespace synctest;
using exchange::ReceiveMode;
using testing_support::QueryInt;
using testing_support::QueryText;
constexpr int kInspectionDb = static_cast<int>(store::DatabaseKind::Inspection);

class Loopback : public ClientTest {
protected:
    void SetUp() override
    {
        ClientTest::SetUp();
        storePath = folder.File("server.db");
        server::ServerStore store(storePath, server::kCheapCost);
        ASSERT_TRUE(store.addUser("anna", "pw"));
        running = std::make_unique<RunningServer>(storePath);
        SetConnection("anna", "pw", running->port());
    }
    void TearDown() override
    {
        running.reset();
        ClientTest::TearDown();
    }

    std::string storePath;
    std::unique_ptr<RunningServer> running;
};

TEST_F(Loopback, ReceivesTodayWeekOrAllByTheScheduledDate)
{
    {
        server::ServerStore store(storePath, server::kCheapCost);
        server::Job today = MakeJob("T-1", kToday, "Caf\xC3\xA9 M\xC3\xBCller \xE2\x82\xAC");
        today.header.comments = "Roof is old.\r\n\r\nGutters loose.";
        today.header.docTypeId = -7;
        store.putJobs({today, MakeJob("W-1", {2024, 5, 18}, "Saturday"), MakeJob("W-0", {2024, 5, 12}, "Sunday"),
                       MakeJob("N-1", {2024, 5, 19}, "Next week"), MakeJob("P-1", {2023, 1, 2}, "Last year"),
                       MakeJob("O-1", kToday, "Other inspector's", "bob")});
    }
    auto docNumbers = [] {
        return QueryText(kInspectionDb,
                         "SELECT group_concat(InspectionNum, ' ') FROM (SELECT InspectionNum FROM Inspection "
                         "ORDER BY InspectionNum)");
    };

    ASSERT_TRUE(Exchange(ReceiveMode::Today)) << outcome.error;
    EXPECT_EQ(docNumbers(), "T-1");
    ASSERT_TRUE(Exchange(ReceiveMode::Week)) << outcome.error;
    EXPECT_EQ(outcome.announced, 3);
    EXPECT_EQ(docNumbers(), "T-1 W-0 W-1");
    ASSERT_TRUE(Exchange(ReceiveMode::All)) << outcome.error;
    EXPECT_EQ(outcome.announced, 5);
    EXPECT_EQ(docNumbers(), "N-1 P-1 T-1 W-0 W-1") << "bob's job is not anna's";
    EXPECT_EQ(QueryText(kInspectionDb, "SELECT ClientName || '|' || InspectionComments || '|' || DocTypeID FROM "
                                       "Inspection WHERE InspectionNum = 'T-1'"),
              "Caf\xC3\xA9 M\xC3\xBCller \xE2\x82\xAC|Roof is old.\r\n\r\nGutters loose.|-7");
}

TEST_F(Loopback, AKnownDocNumberUpdatesThatInspectionAndANewOneIsAdded)
{
    const std::int32_t existing = AddInspection("D-1", "Old name");
    const std::string id = std::to_string(existing);
    testing_support::Exec(kInspectionDb, "UPDATE Inspection SET String12 = 'kept' WHERE InspectionID = " + id);
    testing_support::Exec(kInspectionDb, "INSERT INTO Category (InspectionID, CategoryTitle) VALUES (" + id + ", 'K')");
    server::ServerStore(storePath).putJobs({MakeJob("D-1", kToday, "New name"), MakeJob("D-2", kToday, "Second")});

    ASSERT_TRUE(Exchange(ReceiveMode::Today)) << outcome.error;
    EXPECT_EQ(Received(), "added 1, updated 1");
    EXPECT_EQ(Inspections(), 2);
    const std::string categories = "(SELECT COUNT(*) FROM Category WHERE InspectionID = " + id + ")";
    EXPECT_EQ(QueryText(kInspectionDb, "SELECT ClientName || '|' || String12 || '|' || " + categories +
                                           " FROM Inspection WHERE InspectionID = " + id),
              "New name|kept|1");
    EXPECT_GT(QueryInt(kInspectionDb, "SELECT InspectionID FROM Inspection WHERE InspectionNum = 'D-2'"), existing)
        << "a new inspection takes the next identifier";

    // Receiving the same schedule again changes nothing but the fields.
    ASSERT_TRUE(Exchange(ReceiveMode::Today));
    EXPECT_EQ(Received(), "added 0, updated 2");
    EXPECT_EQ(Inspections(), 2);
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

TEST_F(Loopback, SettingsThatCannotLogInLetNothingTravel)
{
    server::ServerStore(storePath).putJobs({MakeJob("T-1", kToday, "Someone")});
    const std::int32_t mine = AddInspection("S-1", "Mine");
    for (const auto& [user, password] : {std::pair("anna", "wrong"), std::pair("nobody", "pw")}) {
        SCOPED_TRACE(user);
        SetConnection(user, password, running->port());
        EXPECT_FALSE(Exchange(ReceiveMode::All, {mine}));
        EXPECT_FALSE(outcome.loggedIn);
    }
    EXPECT_TRUE(port.Saw("ERROR:\r\rThe server refused the user name or password."));

    // Without a user name the client does not even connect.
    SetConnection("", "pw", running->port());
    EXPECT_FALSE(Exchange(ReceiveMode::Today));
    EXPECT_FALSE(outcome.connected);
    EXPECT_EQ(Inspections(), 1);
    EXPECT_TRUE(server::ServerStore(storePath).sent(std::nullopt).empty());
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
    EXPECT_EQ(Received(), "added 2, updated 0");
    EXPECT_EQ(Inspections(), 2);
}

} // namespace
