// The client against the real sync server over loopback.
#include <gtest/gtest.h>

#include "support/sync/SyncTestSupport.h"

namespace {

using namespace synctest;
using exchange::ReceiveMode;

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

    std::string storePath;
    std::unique_ptr<RunningServer> running;
};

TEST_F(Loopback, InspectionsThatCannotTravelAreLeftOutAndNamedAndProgressShowsEachPhase)
{
    server::ServerStore(storePath).putJobs({MakeJob("T-1", kToday, "A")});
    const std::int32_t good = AddInspection("G-1", "Fine");
    const std::int32_t noNumber = AddInspection("", "Nobody numbered me");
    const std::int32_t control = AddInspection("C-1", std::string("Bad\x04name"));
    port.progressLog.clear(); // what the set-up showed

    EXPECT_FALSE(Exchange(ReceiveMode::Today, {good, noNumber, 987654, control}));
    EXPECT_EQ(outcome.sent, 1);
    EXPECT_EQ(outcome.notSent.size(), 3u);
    EXPECT_TRUE(port.Saw("Nobody numbered me"));
    EXPECT_TRUE(port.Saw("987654"));
    EXPECT_TRUE(port.Saw("C-1"));
    const auto sent = server::ServerStore(storePath).sent(std::nullopt);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].header.docNumber, "G-1");

    // The phases in the order they first show.
    const std::vector<std::string>& log = port.progressLog;
    std::vector<std::string> phases;
    for (const std::string& entry : log)
        if (!entry.starts_with("position: ") && std::find(phases.begin(), phases.end(), entry) == phases.end())
            phases.push_back(entry);
    EXPECT_EQ(phases, (std::vector<std::string>{"range: 0-100", "title: Connection to Server", "status: Logging in...",
                                                "status: Receiving Inspections...", "status: Sending Inspections...",
                                                "status: Logging Out..."}));
    EXPECT_EQ(log.back(), "position: 100");
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
