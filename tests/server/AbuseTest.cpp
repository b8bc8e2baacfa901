// The sync server against abusive clients: idle and slow connections, password
// guessing, other users' inspections, floods, forged log lines, and its store's privacy.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <iostream>
#include <mutex>

#include "support/sync/SyncTestSupport.h"

namespace {

using namespace synctest;
using exchange::SyncSocket;
using exchange::WireStatus;
using Clock = std::chrono::steady_clock;

// A connection to the server from the loopback address 127.0.0.`host`.
SyncSocket ConnectFrom(int host, int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in from{};
    from.sin_family = AF_INET;
    from.sin_addr.s_addr = htonl(0x7f000000u | static_cast<unsigned>(host));
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::bind(fd, reinterpret_cast<sockaddr*>(&from), sizeof from) != 0 ||
        ::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0)
        ADD_FAILURE() << "no connection from 127.0.0." << host << ": " << std::strerror(errno);
    return SyncSocket(fd);
}

// Sends one inspection after a confirmed SEND; the server's answer to its DONE.
std::string SendOne(SyncSocket& s, const std::string& doc, const std::string& comments = "c")
{
    for (int n = 0; n < exchange::wire::kSentFieldCount; ++n) {
        s.sendAll((n == 0 ? doc : n == 5 ? comments : "v" + std::to_string(n)) + "\x04", 2s);
        std::string reply;
        s.readUntil("\r", reply, 5s, 5s, 64);
    }
    s.sendAll("DONE\x04", 2s);
    return Line(s);
}

class Abuse : public ClientTest {
protected:
    void SetUp() override
    {
        ClientTest::SetUp();
        storePath = folder.File("server.db");
        server::ServerStore store(storePath, server::kCheapCost);
        ASSERT_TRUE(store.addUser("anna", "right horse"));
        ASSERT_TRUE(store.addUser("bert", "other horse"));
        store.putJobs({MakeJob("J-1", kToday, "Client")});
    }
    std::string storePath;
};

TEST_F(Abuse, ARealClientIsServedWhileHundredsOfIdleAndSlowConnectionsComeFromOtherAddresses)
{
    RunningServer running(storePath, [](server::ServerConfig& c) { c.loginTimeout = 3s; });
    const int serverPort = running.port();
    {
        // One address gets no more than its share of connections.
        std::vector<SyncSocket> crowd;
        for (int i = 0; i < 16; ++i)
            crowd.push_back(ConnectFrom(99, serverPort));
        SyncSocket extra = ConnectFrom(99, serverPort);
        EXPECT_TRUE(ClosedByServer(extra, 1s));
    }
    // 300 idle connections from 127.0.0.2 to .21 and 100 that trickle one byte
    // every half second from .22 to .28, fifteen from each address.
    std::vector<SyncSocket> idle, slow;
    for (int i = 0; i < 300; ++i)
        idle.push_back(ConnectFrom(2 + i / 15, serverPort));
    for (int i = 0; i < 100; ++i)
        slow.push_back(ConnectFrom(22 + i / 15, serverPort));
    std::atomic<bool> done{false};
    std::thread trickle([&] {
        for (int round = 0; round < 120 && !done; ++round) {
            for (auto& s : slow)
                ::send(s.fd(), "U", 1, MSG_NOSIGNAL | MSG_DONTWAIT);
            std::this_thread::sleep_for(500ms);
        }
    });
    std::this_thread::sleep_for(1s); // every slot is taken by now

    SetConnection("anna", "right horse", serverPort);
    const auto start = Clock::now();
    const bool ok = Exchange(exchange::ReceiveMode::All, {}, {30s, 30s}); // what the desktop program waits
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    done = true;
    trickle.join();
    EXPECT_TRUE(ok) << outcome.error;
    EXPECT_EQ(Inspections("InspectionNum = 'J-1'"), 1);
    std::cout << "[ figure ] real client served in " << seconds << " s beside 300 idle and 100 slow connections\n";
    RecordProperty("served_seconds", std::to_string(seconds));
}

TEST_F(Abuse, GuessingIsSlowedMoreAndMoreWithoutLockingTheAccountOut)
{
    RunningServer running(storePath);
    const int port = running.port();
    // Guesses from one address for five seconds, reconnecting after each refusal.
    int guesses = 0;
    const auto until = Clock::now() + 5s;
    while (Clock::now() < until && guesses < 400) {
        SyncSocket s = ConnectFrom(50, port);
        ASSERT_EQ(Ask(s, "USER anna\r"), "CNFM\r");
        ASSERT_EQ(Ask(s, "PASS guess" + std::to_string(guesses) + "\r", 20s), "DENY\r");
        ++guesses;
    }
    std::cout << "[ figure ] " << guesses << " guesses in 5 s (" << guesses / 5.0 << " per second)\n";
    RecordProperty("guesses_in_5_seconds", std::to_string(guesses));
    EXPECT_LE(guesses, 6);

    // The account itself is not locked: its owner logs in at once from elsewhere.
    const auto start = Clock::now();
    SyncSocket owner = ConnectFrom(51, port);
    Login(owner, "anna", "right horse");
    EXPECT_LT(Clock::now() - start, 2s);
}

TEST_F(Abuse, EachUserKeepsTheirOwnSentInspectionsUnderAnAnnouncedAndAStoredLimit)
{
    {
        server::ServerStore store(storePath, server::kCheapCost);
        store.setLimits({2, 1000});
    }
    RunningServer running(storePath);
    SyncSocket anna = ConnectFrom(1, running.port()), bert = ConnectFrom(1, running.port());
    Login(anna, "anna", "right horse");
    Login(bert, "bert", "other horse");

    EXPECT_EQ(Ask(anna, "SEND 1001\r"), "DENY\r") << "more than 1,000 at once";
    ASSERT_EQ(Ask(anna, "SEND 4\r"), "CNFM\r");
    EXPECT_EQ(SendOne(anna, "D-1", "anna's"), "CNFM\r");
    EXPECT_EQ(SendOne(anna, "D-2", std::string(1200, 'x')), "DENY\r") << "over 1000 bytes";
    for (const char* comments : {"anna's second", "anna's again"})
        EXPECT_EQ(SendOne(anna, "D-1", comments), "CNFM\r") << "a replacement adds nothing";

    ASSERT_EQ(Ask(bert, "SEND 1\r"), "CNFM\r");
    EXPECT_EQ(SendOne(bert, "D-1", "bert's"), "CNFM\r");

    server::ServerStore store(storePath, server::kCheapCost);
    const auto annas = store.sent("anna"), berts = store.sent("bert");
    ASSERT_EQ(annas.size(), 1u);
    ASSERT_EQ(berts.size(), 1u);
    EXPECT_EQ(annas[0].header.comments + "|" + berts[0].header.comments, "anna's again|bert's");

    store.setLimits({1, 100000});
    EXPECT_EQ(Ask(anna, "SEND 1\r"), "DENY\r") << "anna's store is full";
}

TEST_F(Abuse, LogLinesCarryOnlyPrintableTextAndTheStoreIsPrivate)
{
    std::mutex mutex;
    std::vector<std::string> lines;
    {
        RunningServer running(storePath, [&](server::ServerConfig& c) {
            c.log = [&](const std::string& line) {
                std::lock_guard lock(mutex);
                lines.push_back(line);
            };
        });
        SyncSocket s = ConnectFrom(1, running.port());
        s.sendAll("USER anna\n2024-05-15 forged: user root logged in\x1b[2J\rPASS x\r", 2s);
        Line(s);
        Line(s);
    }
    std::string all;
    for (const auto& line : lines) {
        EXPECT_EQ(line.find_first_of("\n\x1b"), std::string::npos) << line;
        all += line + "\n";
    }
    EXPECT_THAT(all, ::testing::HasSubstr("anna\\n2024-05-15 forged: user root logged in\\x1b[2J"));

    // A new store is the server user's alone, in a folder of its own.
    const std::string fresh = folder.File("private/server.db");
    { server::ServerStore store(fresh, server::kCheapCost); }
    struct stat file {}, dir {};
    ASSERT_EQ(::stat(fresh.c_str(), &file), 0);
    ASSERT_EQ(::stat(folder.File("private").c_str(), &dir), 0);
    EXPECT_EQ(file.st_mode & 0777, 0600u);
    EXPECT_EQ(dir.st_mode & 0777, 0700u);
    // An older store readable by everyone is made private.
    ::chmod(storePath.c_str(), 0644);
    { server::ServerStore store(storePath, server::kCheapCost); }
    ASSERT_EQ(::stat(storePath.c_str(), &file), 0);
    EXPECT_EQ(file.st_mode & 0777, 0600u);
}

} // namespace
