#pragma once
// Helpers for the tests of the server exchange: a real sync server on a
// loopback port, a scripted one that misbehaves on purpose, and the client's
// connection settings.
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ServerStore.h"
#include "SyncServer.h"
#include "exchange/ServerExchange.h"
#include "exchange/SyncSocket.h"
#include "store/Database.h"
#include "support/TempDataFiles.h"

namespace synctest {

using namespace std::chrono_literals;

// The "today" of the test servers: Wednesday 15 May 2024.
inline constexpr exchange::wire::Date kToday{2024, 5, 15};

// A sync server on 127.0.0.1 and a free port, serving on a thread of its own
// until the object goes.
class RunningServer {
public:
    explicit RunningServer(const std::string& storePath,
                           const std::function<void(server::ServerConfig&)>& adjust = {});
    ~RunningServer();
    int port() const { return m_server->port(); }
    // Stops the server and waits for run() to return.
    void stop();

private:
    server::ServerConfig m_config;
    std::unique_ptr<server::SyncServer> m_server;
    std::thread m_thread;
};

// A sync server on a port the connection options accept (10 to 10000), the
// first free one from a place that differs per test process; null when every
// one tried is taken.
std::unique_ptr<RunningServer> RunningServerOnAnOptionsPort(const std::string& storePath);

// A server that runs `script` on the one connection it accepts (on its own
// thread), for tests of a server that misbehaves.
class ScriptedServer {
public:
    using Script = std::function<void(exchange::SyncSocket&)>;
    explicit ScriptedServer(Script script);
    ~ScriptedServer();
    int port() const { return m_port; }

private:
    int m_listenFd = -1;
    int m_port = 0;
    std::thread m_thread;
};

// A socket listening on 127.0.0.1 at a free port, with room for `backlog`
// waiting connections; -1 when none could be had.
int ListenOnLoopback(int backlog, int& port);

// One reply line of the server (with its carriage return), empty when none
// came within `wait`.
std::string Line(exchange::SyncSocket& socket, std::chrono::milliseconds wait = 5s);
// True when the server closed the connection within `wait`.
bool ClosedByServer(exchange::SyncSocket& socket, std::chrono::milliseconds wait = 5s);
// Sends `bytes` and returns the server's reply line.
std::string Ask(exchange::SyncSocket& socket, std::string_view bytes, std::chrono::milliseconds wait = 5s);
// Logs in with both commands in one segment and expects both confirmations.
void Login(exchange::SyncSocket& socket, const std::string& user, const std::string& password);

// One command line from the client (without its carriage return), waiting at
// most five seconds; empty when none came.
std::string ReadCommand(exchange::SyncSocket& socket);
void Reply(exchange::SyncSocket& socket, std::string_view bytes);
// Answers USER and PASS with the confirmation.
void AcceptLogin(exchange::SyncSocket& socket);

// Writes the client's connection settings into the options row.
void SetConnection(const std::string& user, const std::string& password, int port,
                   const std::string& host = "127.0.0.1");

// A job for the server's schedule.
server::Job MakeJob(const std::string& docNumber, exchange::wire::Date date, const std::string& client,
                    const std::string& inspector = {});

// Every field of `header` joined by '|', the date as it travels, so that a
// failed comparison shows them all.
std::string Describe(const exchange::wire::Header& header);

// The client's side: fresh data files, inspections to send, and one exchange
// at a time with the connection settings saved in the options row.
class ClientTest : public testing_support::DataFilesTest {
protected:
    bool Exchange(std::optional<exchange::ReceiveMode> mode, std::vector<std::int32_t> send = {},
                  exchange::SyncTimeouts timeouts = {5s, 5s});
    // Saves anna's connection to `serverPort` (password "pw") first.
    bool ExchangeWith(int serverPort, std::optional<exchange::ReceiveMode> mode, std::vector<std::int32_t> send = {},
                      exchange::SyncTimeouts timeouts = {2s, 5s});
    std::int32_t AddInspection(const std::string& docNumber, const std::string& client,
                               const std::string& comments = {});
    // Rows of the inspection table that meet `where`.
    static long long Inspections(const std::string& where = "1");
    // The last exchange's received inspections: "added A, updated U".
    std::string Received() const;

    exchange::SyncOutcome outcome;
};

} // namespace synctest
