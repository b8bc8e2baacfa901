// The client against servers that misbehave: every exchange ends within the
// client's time-outs, and nothing half-received is stored.
#include <gtest/gtest.h>

#include <future>

#include "SyncTestSupport.h"
#include "exchange/ServerExchange.h"
#include "exchange/SyncWire.h"
#include "store/Inspection.h"
#include "support/TempDataFiles.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using namespace synctest;
using exchange::ReceiveMode;
using exchange::SyncSocket;
using testing_support::QueryInt;
using testing_support::QueryText;
constexpr int kInspectionDb = static_cast<int>(store::DatabaseKind::Inspection);

class HostileServer : public testing_support::DataFilesTest {
protected:
    // The reply time-out is short where the server stalls on purpose, and
    // roomy where it answers, so that a busy machine does not fail the test.
    bool Exchange(int serverPort, std::optional<ReceiveMode> mode, std::vector<std::int32_t> send = {},
                  std::chrono::milliseconds replyTimeout = 3s)
    {
        SetConnection("anna", "pw", serverPort);
        exchange::ServerExchange sync(port);
        sync.SetReceiveMode(mode);
        sync.SetInspectionsToSend(std::move(send));
        sync.SetTimeouts({1s, replyTimeout});
        const bool ok = sync.Connect();
        outcome = sync.Outcome();
        return ok;
    }

    long long Inspections() { return QueryInt(kInspectionDb, "SELECT COUNT(*) FROM Inspection"); }

    exchange::SyncOutcome outcome;
};

// Hands out one whole job: the doc number and the twelve fields.
void ServeJob(SyncSocket& s, const std::string& docNumber, const std::string& client)
{
    EXPECT_EQ(ReadCommand(s), "INSP");
    Reply(s, docNumber + "\x04");
    for (int n = 1; n <= 12; ++n) {
        EXPECT_EQ(ReadCommand(s), "FELD");
        if (n == 10)
            Reply(s, exchange::wire::EncodeInt32(42));
        else if (n == 12)
            Reply(s, "3/15/2007\x04");
        else if (n == 2)
            Reply(s, client + "\x04");
        else if (n == 3)
            Reply(s, "\x04");
        else
            Reply(s, "v" + std::to_string(n) + "\x04");
    }
}

TEST_F(HostileServer, ConfirmationWithoutCarriageReturnRefusesTheLogin)
{
    std::atomic<int> commandsAfterUser{0};
    {
        ScriptedServer server([&](SyncSocket& s) {
            EXPECT_EQ(ReadCommand(s), "USER anna");
            Reply(s, "CNFM");
            // Whatever follows must be the logout, not the password.
            while (!ReadCommand(s).empty())
                ++commandsAfterUser;
        });
        EXPECT_FALSE(Exchange(server.port(), ReceiveMode::All, {}, 300ms));
    }
    EXPECT_FALSE(outcome.loggedIn);
    EXPECT_TRUE(port.Saw("ERROR:"));
    EXPECT_EQ(commandsAfterUser, 1) << "only QUIT";
    EXPECT_EQ(Inspections(), 0);

    // The same four bytes followed by a close: refused as well.
    ScriptedServer closing([](SyncSocket& s) {
        ReadCommand(s);
        Reply(s, "CNFM");
    });
    EXPECT_FALSE(Exchange(closing.port(), ReceiveMode::All));
    EXPECT_FALSE(outcome.loggedIn);
}

TEST_F(HostileServer, CountThreeGivesThreeInspectionsEvenWhenRepliesArriveInPieces)
{
    ScriptedServer server([](SyncSocket& s) {
        // Both login confirmations in one segment: the second waits in the client's buffer.
        EXPECT_TRUE(ReadCommand(s).starts_with("USER "));
        Reply(s, "CNFM\rCNFM\r");
        EXPECT_EQ(ReadCommand(s), "PASS pw");
        EXPECT_EQ(ReadCommand(s), "RECV week");
        // The count dribbles in one byte at a time.
        for (char c : std::string("CONT 3\r")) {
            Reply(s, std::string(1, c));
            std::this_thread::sleep_for(5ms);
        }
        for (int i = 1; i <= 3; ++i)
            ServeJob(s, "K-" + std::to_string(i), "Client " + std::to_string(i));
        EXPECT_EQ(ReadCommand(s), "QUIT");
    });
    ASSERT_TRUE(Exchange(server.port(), ReceiveMode::Week)) << outcome.error;
    EXPECT_EQ(outcome.added, 3);
    EXPECT_EQ(Inspections(), 3);
    EXPECT_EQ(QueryText(kInspectionDb, "SELECT ClientName FROM Inspection WHERE InspectionNum = 'K-2'"), "Client 2");
    EXPECT_EQ(QueryText(kInspectionDb, "SELECT InspectionDate FROM Inspection WHERE InspectionNum = 'K-3'"),
              "2007-03-15 00:00:00");
    EXPECT_EQ(QueryInt(kInspectionDb, "SELECT DocTypeID FROM Inspection WHERE InspectionNum = 'K-1'"), 42);
    EXPECT_EQ(QueryInt(kInspectionDb, "SELECT COUNT(*) FROM Inspection WHERE AgentName IS NULL"), 3)
        << "a single 0x04 is an empty field";
}

TEST_F(HostileServer, AStallMidInspectionKeepsTheCompleteOnesAndStoresNothingOfTheRest)
{
    ScriptedServer server([](SyncSocket& s) {
        AcceptLogin(s);
        ReadCommand(s);
        Reply(s, "CONT 2\r");
        ServeJob(s, "OK-1", "Whole");
        EXPECT_EQ(ReadCommand(s), "INSP");
        Reply(s, "HALF-2");
        ReadCommand(s); // the first field is never answered
        ReadCommand(s); // waits for the client to give up
    });
    EXPECT_FALSE(Exchange(server.port(), ReceiveMode::All, {}, 300ms));
    EXPECT_NE(outcome.error.find("did not answer in time"), std::string::npos) << outcome.error;
    EXPECT_NE(outcome.error.find("inspection 2 of 2"), std::string::npos) << outcome.error;
    EXPECT_EQ(Inspections(), 1);
    EXPECT_EQ(QueryInt(kInspectionDb, "SELECT COUNT(*) FROM Inspection WHERE InspectionNum = 'HALF-2'"), 0);
}

TEST_F(HostileServer, AConnectionClosedMidInspectionSavesNothingOfIt)
{
    ScriptedServer server([](SyncSocket& s) {
        AcceptLogin(s);
        ReadCommand(s);
        Reply(s, "CONT 1\r");
        ReadCommand(s);
        Reply(s, "C-1\x04");
        for (int n = 1; n <= 9; ++n) {
            ReadCommand(s);
            Reply(s, "x\x04");
        }
        ReadCommand(s);
        Reply(s, std::string("\x01\x00", 2)); // half of the four-byte number, then gone
    });
    EXPECT_FALSE(Exchange(server.port(), ReceiveMode::All));
    EXPECT_NE(outcome.error.find("closed the connection"), std::string::npos) << outcome.error;
    EXPECT_EQ(Inspections(), 0);
}

TEST_F(HostileServer, GarbageInsteadOfACountReceivesNothing)
{
    ScriptedServer server([](SyncSocket& s) {
        AcceptLogin(s);
        ReadCommand(s);
        Reply(s, "HELLO THERE\r");
        EXPECT_EQ(ReadCommand(s), "QUIT");
    });
    EXPECT_TRUE(Exchange(server.port(), ReceiveMode::All)) << outcome.error;
    EXPECT_EQ(outcome.announced, 0);
    EXPECT_EQ(Inspections(), 0);
}

TEST_F(HostileServer, AnEndlessReplyIsCutOffWithoutSaving)
{
    ScriptedServer server([](SyncSocket& s) {
        AcceptLogin(s);
        ReadCommand(s);
        Reply(s, "CONT 1\r");
        ReadCommand(s);
        const std::string chunk(64 * 1024, 'A');
        for (int i = 0; i < 20; ++i) // 1.25 MiB and no end-of-value byte
            if (s.sendAll(chunk, 2s) != exchange::WireStatus::Ok)
                break;
    });
    EXPECT_FALSE(Exchange(server.port(), ReceiveMode::All));
    EXPECT_NE(outcome.error.find("longer than any"), std::string::npos) << outcome.error;
    EXPECT_EQ(Inspections(), 0);
}

TEST_F(HostileServer, ASilentServerEndsInTimeWithAReason)
{
    ScriptedServer server([](SyncSocket& s) {
        ReadCommand(s); // reads the user name, answers nothing
        ReadCommand(s);
    });
    auto finished =
        std::async(std::launch::async, [&] { return Exchange(server.port(), ReceiveMode::All, {}, 300ms); });
    // Generous bound far above the client's own time-outs: the exchange must not hang.
    ASSERT_EQ(finished.wait_for(20s), std::future_status::ready);
    EXPECT_FALSE(finished.get());
    EXPECT_TRUE(port.Saw("ERROR:\r\rThe server did not answer in time (logging in)."));
}

TEST_F(HostileServer, ARefusedSendRequestSendsNothing)
{
    store::Inspection i;
    i.New();
    i.m_InspectionNum = "S-1";
    ASSERT_TRUE(i.Save());
    std::atomic<bool> valueSeen{false};
    ScriptedServer server([&](SyncSocket& s) {
        AcceptLogin(s);
        EXPECT_EQ(ReadCommand(s), "SEND 1");
        Reply(s, "NOPE\r");
        std::string rest;
        s.readUntil("\r", rest, 2s, 2s, 4096);
        valueSeen = rest != "QUIT\r";
    });
    EXPECT_FALSE(Exchange(server.port(), std::nullopt, {i.m_InspectionID}));
    EXPECT_FALSE(valueSeen);
    EXPECT_EQ(outcome.sent, 0);
    EXPECT_TRUE(port.Saw("refused to take the inspections"));
}

TEST_F(HostileServer, NobodyListeningIsReportedAsRefused)
{
    int portNumber = 0;
    {
        // Take a free port and give it back, so that nobody listens on it.
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        ::bind(fd, reinterpret_cast<sockaddr*>(&addr), len);
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
        portNumber = ntohs(addr.sin_port);
        ::close(fd);
    }
    EXPECT_FALSE(Exchange(portNumber, ReceiveMode::All));
    EXPECT_FALSE(outcome.connected);
    EXPECT_TRUE(port.Saw("ERROR:\r\rConnection refused"));
}

TEST_F(HostileServer, AServerThatNeverAcceptsTimesOutTheConnect)
{
    // A listener whose queue holds one connection and that never accepts:
    // the system leaves any further connect unanswered.
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), len), 0);
    ASSERT_EQ(::listen(fd, 0), 0);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    SyncSocket first;
    first.connect("127.0.0.1", ntohs(addr.sin_port), 1s);

    EXPECT_FALSE(Exchange(ntohs(addr.sin_port), ReceiveMode::All));
    EXPECT_FALSE(outcome.connected);
    EXPECT_TRUE(port.Saw("ERROR:\r\rConnection timed out."));
    ::close(fd);
}

} // namespace
