// Our client and our server against peers written from the exchange table
// alone, as another installation or another server is: each message is one
// send, each reply whatever one recv of at most 2,048 bytes returns (four
// bytes for the document type identifier), the single byte 0x04 is the empty
// value, and the peer adds no framing of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <mutex>
#include <thread>

#include "support/sync/SyncTestSupport.h"
#include "text/Windows1252.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using namespace synctest;
using exchange::ReceiveMode;
using testing_support::QueryText;
constexpr int kInspectionDb = static_cast<int>(store::DatabaseKind::Inspection);

// "Café Müller €" in Windows-1252 and in UTF-8.
const std::string kAccented1252 = "Caf\xE9 M\xFCller \x80";
const std::string kAccentedUtf8 = "Caf\xC3\xA9 M\xC3\xBCller \xE2\x82\xAC";

std::string LongComment(const std::string& unit)
{
    std::string s;
    while (s.size() < 5000)
        s += unit;
    return s;
}

// The table's two primitives, with a receive time-out so that no test hangs.
void SendMessage(int fd, const std::string& bytes) { ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL); }
std::string ReceiveReply(int fd, std::size_t size = 2048)
{
    char buffer[2048];
    const ssize_t n = ::recv(fd, buffer, std::min(size, sizeof buffer), 0);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}
void BoundReceives(int fd)
{
    timeval five{5, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &five, sizeof five);
}

// ---------------------------------------------------------------------------
// A literal server: one recv per client message, answered from the table.

struct LiteralJob {
    std::string docNumber;                // Windows-1252
    std::map<int, std::string> fields;    // 1 to 12 but 10; missing ones are empty
    std::int32_t docTypeId = 0;
};

class LiteralServer {
public:
    std::string loginReply = "CNFM\r";
    std::string countEnd;                 // after "CONT n": nothing, or "\r"
    std::map<std::string, std::vector<LiteralJob>> schedule; // by "today", "week", "all"

    LiteralServer() { m_listen = ListenOnLoopback(4, m_port); }
    ~LiteralServer()
    {
        if (m_thread.joinable())
            m_thread.join();
        ::close(m_listen);
    }
    int port() const { return m_port; }

    // Serves one connection on a thread of its own; Wait() joins it.
    void Start()
    {
        m_thread = std::thread([this] {
            pollfd p{m_listen, POLLIN, 0};
            if (::poll(&p, 1, 10000) <= 0)
                return;
            const int fd = ::accept(m_listen, nullptr, nullptr);
            BoundReceives(fd);
            Serve(fd);
            ::close(fd);
        });
    }
    void Wait()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

    std::vector<std::string> commands;               // every message outside a SEND, as received
    std::vector<std::vector<std::string>> inspections; // per sent inspection, its twelve messages

private:
    static std::string Value(const std::string& bytes) { return bytes.empty() ? std::string("\x04") : bytes; }

    void Serve(int fd)
    {
        const std::vector<LiteralJob>* jobs = nullptr;
        int job = -1, field = 0;
        for (int turn = 0; turn < 2000; ++turn) {
            const std::string m = ReceiveReply(fd);
            if (m.empty())
                return;
            commands.push_back(m);
            if (m.starts_with("USER ") || m.starts_with("PASS ")) {
                SendMessage(fd, loginReply);
            } else if (m.starts_with("RECV ")) {
                jobs = &schedule[m.substr(5, m.size() - 6)];
                job = -1;
                SendMessage(fd, "CONT " + std::to_string(jobs->size()) + countEnd);
            } else if (m == "INSP\r") {
                ++job;
                field = 0;
                SendMessage(fd, Value(jobs && job < static_cast<int>(jobs->size()) ? (*jobs)[job].docNumber : ""));
            } else if (m == "FELD\r") {
                ++field;
                const LiteralJob empty;
                const LiteralJob& j = jobs && job < static_cast<int>(jobs->size()) ? (*jobs)[job] : empty;
                if (field == 10) {
                    const auto u = static_cast<std::uint32_t>(j.docTypeId);
                    const char bytes[4] = {static_cast<char>(u), static_cast<char>(u >> 8),
                                           static_cast<char>(u >> 16), static_cast<char>(u >> 24)};
                    SendMessage(fd, std::string(bytes, 4));
                } else {
                    const auto it = j.fields.find(field);
                    SendMessage(fd, Value(it == j.fields.end() ? "" : it->second));
                }
            } else if (m.starts_with("SEND ")) {
                SendMessage(fd, "CNFM\r");
                for (int i = 0; i < std::atoi(m.c_str() + 5); ++i) {
                    inspections.emplace_back();
                    for (int n = 0; n < 12; ++n) { // eleven values and "DONE\x04"
                        inspections.back().push_back(ReceiveReply(fd));
                        SendMessage(fd, "OK"); // read, not examined
                    }
                }
            } else if (m == "QUIT\r") {
                return;
            }
        }
    }

    int m_listen = -1;
    int m_port = 0;
    std::thread m_thread;
};

class LiteralServerTest : public ClientTest {
protected:
    bool Exchange(LiteralServer& literal, std::optional<ReceiveMode> mode, std::vector<std::int32_t> send = {})
    {
        literal.Start();
        const bool ok = ExchangeWith(literal.port(), mode, std::move(send));
        literal.Wait();
        return ok;
    }
};

TEST_F(LiteralServerTest, OurClientReceivesTodayWeekAndAllAndUpdatesByDocNumber)
{
    LiteralJob today{"J-1",
                     {{1, "12 Elm Street"}, {2, kAccented1252}, {4, "Four"}, {5, LongComment("Roof is old.\r\n")},
                      {6, "Residential"}, {7, "Minneapolis, MN"}, {8, "1 Client Road"}, {9, "St Paul, MN"},
                      {11, "Lakes Realty"}, {12, "3/15/2007"}},
                     -7};
    LiteralJob later = today;
    later.docNumber = "J-2";
    later.fields[2] = "Second client";
    LiteralJob changed = today;
    changed.fields[2] = "Renamed";
    changed.fields[5] = "";
    LiteralServer first;
    first.schedule["today"] = {today};
    first.countEnd = ""; // "CONT 1" without the carriage return
    ASSERT_TRUE(Exchange(first, ReceiveMode::Today)) << outcome.error;
    EXPECT_EQ(Received(), "added 1, updated 0");
    EXPECT_EQ(QueryText(kInspectionDb, "SELECT InspectionNum || '|' || DwellingAddress || '|' || ClientName || '|' || "
                                       "ifnull(AgentName, '') || '|' || String4 || '|' || length(InspectionComments) "
                                       "|| '|' || DocType || '|' || DwellingCityStateZip || '|' || ClientAddress || "
                                       "'|' || ClientCityStateZip || '|' || DocTypeID || '|' || RealEstateCompany || "
                                       "'|' || InspectionDate FROM Inspection"),
              "J-1|12 Elm Street|" + kAccentedUtf8 + "||Four|" + std::to_string(today.fields[5].size()) +
                  "|Residential|Minneapolis, MN|1 Client Road|St Paul, MN|-7|Lakes Realty|2007-03-15 00:00:00")
        << "the single byte 0x04 is the empty value";
    EXPECT_EQ(std::count(first.commands.begin(), first.commands.end(), "FELD\r"), 12);
    // An update changes the received fields only: the rest of the inspection stays.
    const std::string id = QueryText(kInspectionDb, "SELECT InspectionID FROM Inspection");
    testing_support::Exec(kInspectionDb, "UPDATE Inspection SET String12 = 'kept'");
    testing_support::Exec(kInspectionDb, "INSERT INTO Category (InspectionID, CategoryTitle) VALUES (" + id + ", 'K')");

    LiteralServer second;
    second.schedule["week"] = {changed, later};
    second.countEnd = "\r";
    ASSERT_TRUE(Exchange(second, ReceiveMode::Week)) << outcome.error;
    EXPECT_EQ(Received(), "added 1, updated 1");
    EXPECT_EQ(QueryText(kInspectionDb, "SELECT ClientName || '|' || String12 || '|' || (SELECT COUNT(*) FROM "
                                       "Category) FROM Inspection WHERE InspectionID = " + id),
              "Renamed|kept|1");
    EXPECT_EQ(QueryText(kInspectionDb, "SELECT InspectionNum FROM Inspection WHERE InspectionID > " + id), "J-2")
        << "a new inspection takes the next identifier";

    LiteralServer third;
    third.schedule["all"] = {today, later, LiteralJob{"J-3", {}, 0}};
    ASSERT_TRUE(Exchange(third, ReceiveMode::All)) << outcome.error;
    EXPECT_EQ(Received(), "added 1, updated 2");
    EXPECT_EQ(Inspections(), 3);
}

TEST_F(LiteralServerTest, OurClientSendsEveryValueInOneMessageALiteralServerReads)
{
    const std::string comment = LongComment("Furnace filter clogged; H\xC3\xA9las. ");
    const std::int32_t a = AddInspection("S-1", kAccentedUtf8, comment);
    const std::int32_t b = AddInspection("S-2", "Second");
    LiteralServer literal;
    ASSERT_TRUE(Exchange(literal, std::nullopt, {a, b})) << outcome.error;
    EXPECT_EQ(outcome.sent, 2);
    EXPECT_TRUE(port.Saw("Doc # S-1, Inspection Comments")) << "the cut is named";

    ASSERT_EQ(literal.inspections.size(), 2u);
    for (const auto& messages : literal.inspections) {
        for (const auto& m : messages) {
            EXPECT_LE(m.size(), exchange::wire::kMaxMessageBytes);
            EXPECT_EQ(m.back(), '\x04');
        }
        EXPECT_EQ(messages.back(), "DONE\x04");
    }
    const auto& s1 = literal.inspections[0];
    EXPECT_EQ(s1[0], "S-1\x04");
    EXPECT_EQ(s1[2], kAccented1252 + "\x04");
    EXPECT_EQ(s1[5], text::ToWindows1252(comment).substr(0, 2046) + "\x04");
    EXPECT_EQ(s1[6], "Residential\x04");
    EXPECT_EQ(literal.inspections[1][5], "\x04") << "an empty value is the terminator alone";
    EXPECT_EQ(literal.commands.front(), "USER anna\r");
    EXPECT_EQ(literal.commands.back(), "QUIT\r");
}

// ---------------------------------------------------------------------------
// A literal client against our server.

class LiteralClient {
public:
    struct Inspection {
        std::string docNumber;
        std::vector<std::string> fields; // 1 to 12 as received (field 10 as its four bytes)
    };

    explicit LiteralClient(int port)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = htons(static_cast<std::uint16_t>(port));
        connected = ::connect(m_fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
        BoundReceives(m_fd);
    }
    ~LiteralClient() { ::close(m_fd); }

    bool Login(const std::string& user, const std::string& password)
    {
        SendMessage(m_fd, "USER " + user + "\r");
        if (ReceiveReply(m_fd) != "CNFM\r")
            return false;
        SendMessage(m_fd, "PASS " + password + "\r");
        return ReceiveReply(m_fd) == "CNFM\r";
    }

    // Receives into `byDocNumber` as the table says: an existing Doc # is updated.
    int Receive(const std::string& mode)
    {
        SendMessage(m_fd, "RECV " + mode + "\r");
        const std::string reply = ReceiveReply(m_fd);
        const int count = reply.starts_with("CONT") && reply.size() > 5 ? std::atoi(reply.c_str() + 5) : 0;
        for (int i = 0; i < count; ++i) {
            SendMessage(m_fd, "INSP\r");
            Inspection one{Text(ReceiveReply(m_fd)), {}};
            for (int n = 1; n <= 12; ++n) {
                SendMessage(m_fd, "FELD\r");
                one.fields.push_back(n == 10 ? ReceiveReply(m_fd, 4) : Text(ReceiveReply(m_fd)));
            }
            byDocNumber[one.docNumber] = one;
        }
        return count;
    }

    // Sends each inspection's eleven values; the replies are read, not examined.
    bool Send(const std::vector<std::vector<std::string>>& inspections)
    {
        SendMessage(m_fd, "SEND " + std::to_string(inspections.size()) + "\r");
        if (ReceiveReply(m_fd) != "CNFM\r")
            return false;
        for (const auto& values : inspections) {
            for (const auto& v : values) {
                SendMessage(m_fd, v + "\x04");
                ReceiveReply(m_fd);
            }
            SendMessage(m_fd, "DONE\x04");
            ReceiveReply(m_fd);
        }
        return true;
    }

    std::string InspectAgain()
    {
        SendMessage(m_fd, "INSP\r");
        return ReceiveReply(m_fd);
    }
    void Quit() { SendMessage(m_fd, "QUIT\r"); }

    bool connected = false;
    std::map<std::string, Inspection> byDocNumber;

private:
    static std::string Text(const std::string& reply) { return reply == "\x04" ? std::string() : reply; }
    int m_fd = -1;
};

class LiteralClientTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        storePath = folder.File("server.db");
        server::ServerStore store(storePath, server::kCheapCost);
        store.addUser("anna", "pw");
        server::Job today = MakeJob("T-1", kToday, kAccentedUtf8);
        today.header.comments = LongComment("Gutters loose.\r\n");
        today.header.docTypeId = -7;
        today.header.realEstateCompany = "Lakes Realty";
        store.putJobs({today, MakeJob("W-1", {2024, 5, 18}, "Saturday"), MakeJob("N-1", {2024, 6, 30}, "Later"),
                       MakeJob("O-1", kToday, "Other inspector's", "bob")});
        running = std::make_unique<RunningServer>(storePath, [this](server::ServerConfig& c) {
            c.log = [this](const std::string& line) {
                std::lock_guard lock(logMutex);
                log.push_back(line);
            };
        });
    }
    bool Logged(const std::string& fragment)
    {
        std::lock_guard lock(logMutex);
        return std::any_of(log.begin(), log.end(),
                           [&](const auto& l) { return l.find(fragment) != std::string::npos; });
    }

    testing_support::TempFolder folder;
    std::string storePath;
    std::mutex logMutex;
    std::vector<std::string> log;
    std::unique_ptr<RunningServer> running; // after the log: the server stops before the log goes
};

TEST_F(LiteralClientTest, ReceivesFromOurServerWithoutShiftsOrDuplicates)
{
    LiteralClient client(running->port());
    ASSERT_TRUE(client.connected);
    ASSERT_TRUE(client.Login("anna", "pw"));
    EXPECT_EQ(client.Receive("today"), 1);
    EXPECT_EQ(client.Receive("week"), 2);
    EXPECT_EQ(client.Receive("all"), 3);
    EXPECT_EQ(client.InspectAgain(), "\x04") << "past the list: the empty value";
    client.Quit();

    ASSERT_EQ(client.byDocNumber.size(), 3u) << "each Doc # found again, never a duplicate; bob's job is not anna's";
    auto t = client.byDocNumber.at("T-1").fields;
    ASSERT_EQ(t.size(), 12u);
    // The long comment is cut to one message; DocTypeID -7 comes in its own four bytes.
    EXPECT_EQ(t[4], LongComment("Gutters loose.\r\n").substr(0, exchange::wire::kMaxMessageBytes));
    EXPECT_EQ(t[9], std::string("\xF9\xFF\xFF\xFF", 4));
    t[4] = t[9] = "";
    std::string fields;
    for (const auto& field : t)
        fields += field + "|";
    EXPECT_EQ(fields,
              "12 Elm Street|" + kAccented1252 + "||||Residential|Minneapolis, MN 55401||||Lakes Realty|5/15/2024|");
    EXPECT_EQ(client.byDocNumber.at("N-1").fields[11], "6/30/2024");
    EXPECT_TRUE(Logged("field 5 of job T-1 cut from"));
}

TEST_F(LiteralClientTest, SendsTwoInspectionsThatOurServerStores)
{
    LiteralClient client(running->port());
    ASSERT_TRUE(client.Login("anna", "pw"));
    std::vector<std::string> first = {"L-1", "1 Lake Road", kAccented1252, "", "", "Roof ok",
                                      "Residential", "Minneapolis, MN", "", "", "Lakes Realty"};
    std::vector<std::string> second(11, "");
    second[0] = "L-2";
    second[2] = "DONE";
    ASSERT_TRUE(client.Send({first, second}));
    client.Quit();
    running->stop();

    const auto sent = server::ServerStore(storePath).sent(std::nullopt);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(Describe(sent[0].header) + "|" + sent[0].sentBy,
              "L-1|1 Lake Road|" + kAccentedUtf8 +
                  "|||Roof ok|Residential|Minneapolis, MN|||0|Lakes Realty|0/0/0|anna");
    EXPECT_EQ(sent[1].header.clientName, "DONE");
}

} // namespace
