#include "SyncTestSupport.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

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

ScriptedServer::ScriptedServer(Script script, int connections)
{
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (::bind(m_listenFd, reinterpret_cast<sockaddr*>(&addr), len) != 0 || ::listen(m_listenFd, 8) != 0 ||
        ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ADD_FAILURE() << "scripted server cannot listen";
        return;
    }
    m_port = ntohs(addr.sin_port);
    m_thread = std::thread([this, script, connections] {
        for (int i = 0; i < connections; ++i) {
            pollfd p{m_listenFd, POLLIN, 0};
            if (::poll(&p, 1, 10000) <= 0)
                return; // the client never came
            const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0)
                return;
            exchange::SyncSocket socket(fd);
            script(socket);
        }
    });
}

ScriptedServer::~ScriptedServer()
{
    if (m_thread.joinable())
        m_thread.join();
    if (m_listenFd >= 0)
        ::close(m_listenFd);
}

std::string ReadCommand(exchange::SyncSocket& socket)
{
    std::string line;
    if (socket.readUntil("\r", line, 5s, 5s, 4096) != exchange::WireStatus::Ok)
        return {};
    line.pop_back();
    return line;
}

std::string ReadClientValue(exchange::SyncSocket& socket)
{
    std::string value;
    if (socket.readUntil(std::string_view("\x04", 1), value, 5s, 5s, 1 << 21) != exchange::WireStatus::Ok)
        return "(no value)";
    value.pop_back();
    return value;
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

} // namespace synctest
