// The sync server on its own: protocol discipline, time-outs, the bound on
// clients, shutdown, and the two programs' command lines.
#include <gmock/gmock.h>
#include <gtest/gtest.h>


#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/sync/SyncTestSupport.h"
#include "store/Options.h"

extern char** environ;

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

using namespace synctest;
using testing_support::ReadFile;
using exchange::SyncSocket;
using exchange::WireStatus;

class ServerBehaviour : public ::testing::Test {
protected:
    void SetUp() override
    {
        storePath = folder.File("server.db");
        server::ServerStore store(storePath, server::kCheapCost);
        store.addUser("anna", "pw");
        store.putJobs({MakeJob("J-1", kToday, "Client")});
    }

    SyncSocket Connect(int port)
    {
        SyncSocket s;
        EXPECT_EQ(s.connect("127.0.0.1", port, 2s).status, WireStatus::Ok);
        return s;
    }

    testing_support::TempFolder folder;
    std::string storePath;
};

TEST_F(ServerBehaviour, NothingWithoutLoginAndOnlyAnInspectionEndedByDoneIsStored)
{
    RunningServer running(storePath);
    {
        // Three wrong passwords close the connection.
        SyncSocket s = Connect(running.port());
        EXPECT_EQ(Ask(s, "RECV all\r"), "DENY\r");
        EXPECT_EQ(Ask(s, "SEND 1\r"), "DENY\r");
        EXPECT_EQ(Ask(s, "USER anna\r"), "CNFM\r") << "the user name alone tells nothing";
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Ask(s, "PASS guess\r"), "DENY\r");
        EXPECT_TRUE(ClosedByServer(s));
    }
    {
        SyncSocket s = Connect(running.port());
        Login(s, "anna", "pw");
        EXPECT_EQ(Ask(s, "SEND 1\r"), "CNFM\r");
        for (int n = 0; n < 11; ++n) {
            EXPECT_EQ(Ask(s, "X-" + std::to_string(n) + "\x04"), "CNFM\r");
        }
        EXPECT_EQ(Ask(s, "MORE\x04"), "DENY\r");
        EXPECT_TRUE(ClosedByServer(s));
    }
    {
        SyncSocket s = Connect(running.port());
        Login(s, "anna", "pw");
        EXPECT_EQ(Ask(s, "SEND 2\r"), "CNFM\r");
        for (int n = 0; n < 11; ++n)
            Ask(s, "Y-" + std::to_string(n) + "\x04");
        EXPECT_EQ(Ask(s, "DONE\x04"), "CNFM\r");
        s.sendAll("Z-0\x04Z-1\x04", 2s); // the second inspection breaks off
        Line(s);
        Line(s);
    }
    const auto sent = server::ServerStore(storePath).sent(std::nullopt);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].header.docNumber, "Y-0");
    EXPECT_EQ(sent[0].header.realEstateCompany, "Y-10");
}

TEST_F(ServerBehaviour, SilentAndSlowClientsLoseTheirSlot)
{
    RunningServer running(storePath, [](server::ServerConfig& c) {
        c.idleTimeout = 200ms;
        c.readTimeout = 200ms;
    });
    SyncSocket silent = Connect(running.port());
    EXPECT_TRUE(ClosedByServer(silent));

    SyncSocket slow = Connect(running.port());
    slow.sendAll("USE", 2s); // begins a command and never ends it
    EXPECT_TRUE(ClosedByServer(slow));
}

TEST_F(ServerBehaviour, ClientsBeyondTheBoundWaitForAFreeSlot)
{
    RunningServer running(storePath, [](server::ServerConfig& c) { c.maxClients = 1; });
    SyncSocket first = Connect(running.port());
    Login(first, "anna", "pw");
    SyncSocket second = Connect(running.port()); // queued by the system, not yet served
    EXPECT_EQ(Ask(second, "USER anna\r", 300ms), "") << "served while the only slot is taken";
    first.sendAll("QUIT\r", 2s);
    EXPECT_EQ(Line(second), "CNFM\r");
}

// Runs `argv` with standard output and error into `output`; returns the pid.
pid_t Spawn(const std::vector<std::string>& argv, const std::string& output)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// The exit status of `pid`, or -1 when it has not ended within `limit`.
int WaitFor(pid_t pid, std::chrono::seconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        std::this_thread::sleep_for(20ms);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    return -1;
}

TEST_F(ServerBehaviour, TheServerProgramStopsEverySessionCleanlyOnSigterm)
{
    const std::string log = folder.File("server.log");
    const pid_t pid = Spawn({INSPECTOR_BINARY_DIR "/server/inspector-server", "--store", storePath, "--port", "0"},
                            log);
    ASSERT_GT(pid, 0);
    int portNumber = 0;
    for (int i = 0; i < 250 && portNumber == 0; ++i) {
        const std::string text = ReadFile(log);
        const auto line = text.find("listening on ");
        const auto at = text.find(" port ", line == std::string::npos ? text.size() : line);
        if (at != std::string::npos && text.find('\n', at) != std::string::npos)
            portNumber = std::stoi(text.substr(at + 6));
        else
            std::this_thread::sleep_for(20ms);
    }
    ASSERT_GT(portNumber, 0) << ReadFile(log);
    // Stopping ends every session, an idle one too, without waiting for them.
    SyncSocket idle = Connect(portNumber);
    SyncSocket client = Connect(portNumber);
    Login(client, "anna", "pw");
    ::kill(pid, SIGTERM);
    EXPECT_EQ(WaitFor(pid, 20s), 0) << ReadFile(log);
    EXPECT_TRUE(ClosedByServer(idle));
    EXPECT_TRUE(ClosedByServer(client));
    EXPECT_THAT(ReadFile(log), HasSubstr("stopped"));
}

class CommandLine : public ClientTest {
protected:
    void SetUp() override
    {
        ClientTest::SetUp();
        store::Options options; // data files of the current structure, as init leaves them
        options.m_DataVersion = "5.0";
        ASSERT_TRUE(options.Save());
    }
    int Cli(std::vector<std::string> args)
    {
        args.insert(args.begin(), INSPECTOR_BINARY_DIR "/src/inspector-cli");
        args.insert(args.end(), {"--template", templatePath, "--inspection", inspectionPath});
        const pid_t pid = Spawn(args, folder.File("cli.out"));
        const int status = WaitFor(pid, std::chrono::seconds(60));
        output = ReadFile(folder.File("cli.out"));
        return status;
    }
    std::string output;
};

TEST_F(CommandLine, ConnectionAndSyncDriveTheExchange)
{
    const std::string storePath = folder.File("server.db");
    {
        server::ServerStore store(storePath, server::kCheapCost);
        store.addUser("anna", "pw");
        store.putJobs({MakeJob("J-1", kToday, "Scheduled"), MakeJob("J-2", {2030, 1, 1}, "Later")});
    }
    const auto holder = RunningServerOnAnOptionsPort(storePath);
    ASSERT_TRUE(holder);
    RunningServer& running = *holder;
    AddInspection("S-1", "Finished");

    EXPECT_EQ(Cli({"connection", "--port", "5"}), 2) << output;
    ASSERT_EQ(Cli({"connection", "--user", "anna", "--password", "pw", "--host", "127.0.0.1", "--port",
                   std::to_string(running.port())}),
              0)
        << output;
    ASSERT_EQ(Cli({"connection"}), 0);
    EXPECT_THAT(output, HasSubstr("User name:  anna"));
    EXPECT_THAT(output, Not(HasSubstr("pw\n"))) << "the password is not shown";

    EXPECT_EQ(Cli({"sync", "--receive", "today", "--send", "S-1"}), 0) << output;
    EXPECT_THAT(output, HasSubstr("Received 1 of 1 inspections: 1 new, 0 updated."));
    EXPECT_NE(output.find("Sent 1 of 1 inspections; the server confirmed 1."), std::string::npos) << output;

    EXPECT_EQ(Cli({"sync", "--send", "NO-SUCH"}), 1);
    EXPECT_THAT(output, HasSubstr("no inspection with Doc # NO-SUCH"));
    EXPECT_EQ(Cli({"sync", "--receive", "month"}), 2);
    SetConnection("anna", "wrong", running.port());
    EXPECT_EQ(Cli({"sync", "--receive", "all"}), 1);
    EXPECT_THAT(output, HasSubstr("ERROR:"));
}

} // namespace
