// The client against servers that misbehave: every exchange ends within the
// client's time-outs, and nothing half-received is stored.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "support/sync/SyncTestSupport.h"
#include "exchange/SyncWire.h"

#include <unistd.h>

namespace {

using namespace synctest;
using exchange::ReceiveMode;
using exchange::SyncSocket;
using ::testing::HasSubstr;
using testing_support::QueryText;
constexpr int kInspectionDb = static_cast<int>(store::DatabaseKind::Inspection);

// The reply time-out is short where the server stalls on purpose, and roomy
// where it answers, so that a busy machine does not fail the test.
constexpr exchange::SyncTimeouts kStalling{1s, 300ms};

class HostileServer : public ClientTest {};

// Hands out one whole job: the doc number and the twelve fields.
void ServeJob(SyncSocket& s, const std::string& docNumber, const std::string& client)
{
    EXPECT_EQ(ReadCommand(s), "INSP");
    Reply(s, docNumber + "\x04");
    const std::map<int, std::string> special = {
        {2, client + "\x04"}, {3, "\x04"}, {10, exchange::wire::EncodeInt32(42)}, {12, "3/15/2007\x04"}};
    for (int n = 1; n <= 12; ++n) {
        EXPECT_EQ(ReadCommand(s), "FELD");
        Reply(s, special.contains(n) ? special.at(n) : "v" + std::to_string(n) + "\x04");
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
        EXPECT_FALSE(ExchangeWith(server.port(), ReceiveMode::All, {}, kStalling));
    }
    EXPECT_FALSE(outcome.loggedIn);
    EXPECT_THAT(outcome.error, HasSubstr("refused the user name"));
    EXPECT_EQ(commandsAfterUser, 1) << "only QUIT";
    EXPECT_EQ(Inspections(), 0);

    // The same four bytes followed by a close: refused as well.
    ScriptedServer closing([](SyncSocket& s) {
        ReadCommand(s);
        Reply(s, "CNFM");
    });
    EXPECT_FALSE(ExchangeWith(closing.port(), ReceiveMode::All));
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
    ASSERT_TRUE(ExchangeWith(server.port(), ReceiveMode::Week)) << outcome.error;
    EXPECT_EQ(outcome.added, 3);
    // A single 0x04 is an empty field.
    EXPECT_EQ(QueryText(kInspectionDb,
                        "SELECT group_concat(InspectionNum || ' ' || ClientName || ' ' || InspectionDate "
                        "|| ' ' || DocTypeID || ' ' || ifnull(AgentName, 'none'), ';') FROM Inspection"),
              "K-1 Client 1 2007-03-15 00:00:00 42 none;K-2 Client 2 2007-03-15 00:00:00 42 none;"
              "K-3 Client 3 2007-03-15 00:00:00 42 none");
}

// A server that falls silent or breaks off: the exchange ends in time, the
// complete inspections are kept, nothing of the broken one is, and the reason is named.
TEST_F(HostileServer, AServerFallingSilentOrBreakingOffKeepsOnlyTheCompleteInspections)
{
    const struct {
        const char* name;
        ScriptedServer::Script script;
        std::chrono::milliseconds reply;
        bool ok;
        const char* error;
        long long kept;
    } cases[] = {
        {"a silent server",
         [](SyncSocket& s) {
             ReadCommand(s); // reads the user name, answers nothing
             ReadCommand(s);
         },
         300ms, false, "ERROR:\r\rThe server did not answer in time (logging in).", 0},
        {"a stall mid inspection",
         [](SyncSocket& s) {
             AcceptLogin(s);
             ReadCommand(s);
             Reply(s, "CONT 2\r");
             ServeJob(s, "OK-1", "Whole");
             EXPECT_EQ(ReadCommand(s), "INSP");
             Reply(s, "HALF-2");
             ReadCommand(s); // the first field is never answered
             ReadCommand(s); // waits for the client to give up
         },
         300ms, false, "did not answer in time (receiving inspection 2 of 2", 1},
        {"a close mid number",
         [](SyncSocket& s) {
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
         },
         3s, false, "closed the connection", 0},
        {"an endless value",
         [](SyncSocket& s) {
             AcceptLogin(s);
             ReadCommand(s);
             Reply(s, "CONT 1\r");
             ReadCommand(s);
             const std::string chunk(64 * 1024, 'A');
             for (int i = 0; i < 20; ++i) // 1.25 MiB and no end-of-value byte
                 if (s.sendAll(chunk, 2s) != exchange::WireStatus::Ok)
                     break;
         },
         3s, false, "longer than any", 0},
        {"garbage instead of a count",
         [](SyncSocket& s) {
             AcceptLogin(s);
             ReadCommand(s);
             Reply(s, "HELLO THERE\r");
             EXPECT_EQ(ReadCommand(s), "QUIT");
         },
         3s, true, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing_support::Exec(kInspectionDb, "DELETE FROM Inspection");
        ScriptedServer server(c.script);
        EXPECT_EQ(ExchangeWith(server.port(), ReceiveMode::All, {}, {1s, c.reply}), c.ok);
        EXPECT_THAT(outcome.error, HasSubstr(c.error));
        EXPECT_EQ(outcome.added, c.kept);
        EXPECT_EQ(Inspections(), c.kept);
    }
    EXPECT_EQ(outcome.announced, 0) << "the garbage was not read as a count";
}

TEST_F(HostileServer, ARefusedSendRequestSendsNothing)
{
    const std::int32_t id = AddInspection("S-1", "Client");
    std::atomic<bool> valueSeen{false};
    ScriptedServer server([&](SyncSocket& s) {
        AcceptLogin(s);
        EXPECT_EQ(ReadCommand(s), "SEND 1");
        Reply(s, "NOPE\r");
        valueSeen = Line(s, 2s) != "QUIT\r";
    });
    EXPECT_FALSE(ExchangeWith(server.port(), std::nullopt, {id}));
    EXPECT_FALSE(valueSeen);
    EXPECT_EQ(outcome.sent, 0);
    EXPECT_TRUE(port.Saw("refused to take the inspections"));
}

TEST_F(HostileServer, NobodyListeningOrNobodyAcceptingEndsTheConnect)
{
    // A listener whose queue holds one connection and that never accepts: the
    // system leaves any further connect unanswered.
    int portNumber = 0;
    const int fd = ListenOnLoopback(0, portNumber);
    SyncSocket first;
    first.connect("127.0.0.1", portNumber, 1s);
    EXPECT_FALSE(ExchangeWith(portNumber, ReceiveMode::All, {}, kStalling));
    EXPECT_FALSE(outcome.connected);
    EXPECT_TRUE(port.Saw("ERROR:\r\rConnection timed out.")) << port.AllText();

    // Closed, nobody listens there any more.
    ::close(fd);
    EXPECT_FALSE(ExchangeWith(portNumber, ReceiveMode::All));
    EXPECT_FALSE(outcome.connected);
    EXPECT_TRUE(port.Saw("ERROR:\r\rConnection refused")) << port.AllText();
}

} // namespace
