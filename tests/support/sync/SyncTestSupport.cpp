#include "support/sync/SyncTestSupport.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "store/Inspection.h"
#include "store/Options.h"

namespace synctest {

RunningServer::RunningServer(const std::string& storePath,
                             const std::function<void(server::ServerConfig&)>& adjust)
{
    m_config.storePath = storePath;
    m_config.port = 0;
    m_config.today = [] { return kToday; };
    m_config.passwordCost = server::kCheapCost;
    if (adjust)
        adjust(m_config);
    m_server = std::make_unique<server::SyncServer>(m_config);
    m_server->listen();
    m_thread = std::thread([this] { m_server->run(); });
}

RunningServer::~RunningServer() { stop(); }

void RunningServer::stop()
{
    if (m_thread.joinable()) {
        m_server->stop();
        m_thread.join();
    }
}

std::unique_ptr<RunningServer> RunningServerOnAnOptionsPort(const std::string& storePath)
{
    for (int port = 9000 + ::getpid() % 900; port < 10000; port += 7) {
        try {
            return std::make_unique<RunningServer>(storePath, [port](server::ServerConfig& c) { c.port = port; });
        } catch (const std::runtime_error&) {
            // taken: try another
        }
    }
    return nullptr;
}

int ListenOnLoopback(int backlog, int& port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), len) != 0 || ::listen(fd, backlog) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ADD_FAILURE() << "cannot listen on loopback";
        ::close(fd);
        return -1;
    }
    port = ntohs(addr.sin_port);
    return fd;
}

ScriptedServer::ScriptedServer(Script script)
{
    m_listenFd = ListenOnLoopback(8, m_port);
    if (m_listenFd < 0)
        return;
    m_thread = std::thread([this, script] {
        pollfd p{m_listenFd, POLLIN, 0};
        if (::poll(&p, 1, 10000) <= 0)
            return; // the client never came
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            return;
        exchange::SyncSocket socket(fd);
        script(socket);
    });
}

ScriptedServer::~ScriptedServer()
{
    if (m_thread.joinable())
        m_thread.join();
    if (m_listenFd >= 0)
        ::close(m_listenFd);
}

std::string Line(exchange::SyncSocket& socket, std::chrono::milliseconds wait)
{
    std::string reply;
    socket.readUntil("\r", reply, wait, wait, 4096);
    return reply;
}

bool ClosedByServer(exchange::SyncSocket& socket, std::chrono::milliseconds wait)
{
    std::string rest;
    return socket.readUntil("\x01", rest, wait, wait, 1 << 20) == exchange::WireStatus::Closed;
}

std::string Ask(exchange::SyncSocket& socket, std::string_view bytes, std::chrono::milliseconds wait)
{
    socket.sendAll(bytes, 2s);
    return Line(socket, wait);
}

void Login(exchange::SyncSocket& socket, const std::string& user, const std::string& password)
{
    socket.sendAll("USER " + user + "\rPASS " + password + "\r", 2s);
    ASSERT_EQ(Line(socket), "CNFM\r");
    ASSERT_EQ(Line(socket), "CNFM\r");
}

std::string ReadCommand(exchange::SyncSocket& socket)
{
    std::string line;
    if (socket.readUntil("\r", line, 5s, 5s, 4096) != exchange::WireStatus::Ok)
        return {};
    line.pop_back();
    return line;
}

void Reply(exchange::SyncSocket& socket, std::string_view bytes) { socket.sendAll(bytes, 5s); }

void AcceptLogin(exchange::SyncSocket& socket)
{
    EXPECT_TRUE(ReadCommand(socket).starts_with("USER "));
    Reply(socket, "CNFM\r");
    EXPECT_TRUE(ReadCommand(socket).starts_with("PASS "));
    Reply(socket, "CNFM\r");
}

void SetConnection(const std::string& user, const std::string& password, int port, const std::string& host)
{
    store::Options options;
    options.m_UserName = user;
    options.m_Pswrd = password;
    options.m_IPAddress = host;
    options.m_Port = port;
    ASSERT_TRUE(options.Save());
}

server::Job MakeJob(const std::string& docNumber, exchange::wire::Date date, const std::string& client,
                    const std::string& inspector)
{
    server::Job job;
    job.header.docNumber = docNumber;
    job.header.date = date;
    job.header.clientName = client;
    job.header.dwellingAddress = "12 Elm Street";
    job.header.dwellingCityStateZip = "Minneapolis, MN 55401";
    job.header.docType = "Residential";
    job.header.docTypeId = 25003;
    job.inspector = inspector;
    return job;
}

std::string Describe(const exchange::wire::Header& h)
{
    std::string out;
    for (const std::string* text :
         {&h.docNumber, &h.dwellingAddress, &h.clientName, &h.agentName, &h.string4, &h.comments, &h.docType,
          &h.dwellingCityStateZip, &h.clientAddress, &h.clientCityStateZip})
        out += *text + "|";
    return out + std::to_string(h.docTypeId) + "|" + h.realEstateCompany + "|" + exchange::wire::FormatDate(h.date);
}

std::string ClientTest::Received() const
{
    return "added " + std::to_string(outcome.added) + ", updated " + std::to_string(outcome.updated);
}

bool ClientTest::Exchange(std::optional<exchange::ReceiveMode> mode, std::vector<std::int32_t> send,
                          exchange::SyncTimeouts timeouts)
{
    exchange::ServerExchange sync(port);
    sync.SetReceiveMode(mode);
    sync.SetInspectionsToSend(std::move(send));
    sync.SetTimeouts(timeouts);
    const bool ok = sync.Connect();
    outcome = sync.Outcome();
    return ok;
}

bool ClientTest::ExchangeWith(int serverPort, std::optional<exchange::ReceiveMode> mode,
                              std::vector<std::int32_t> send, exchange::SyncTimeouts timeouts)
{
    SetConnection("anna", "pw", serverPort);
    return Exchange(mode, std::move(send), timeouts);
}

std::int32_t ClientTest::AddInspection(const std::string& docNumber, const std::string& client,
                                       const std::string& comments)
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

long long ClientTest::Inspections(const std::string& where)
{
    return testing_support::QueryInt(static_cast<int>(store::DatabaseKind::Inspection),
                                     "SELECT COUNT(*) FROM Inspection WHERE " + where);
}

} // namespace synctest
