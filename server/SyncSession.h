#pragma once
// One client's exchange on the server side: login, the scheduled jobs handed
// out field by field, inspections taken in and stored by Doc #.
#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "LoginThrottle.h"
#include "ServerStore.h"
#include "SyncServer.h"
#include "exchange/SyncSocket.h"

namespace server {

// What the server and one of its sessions share.
struct SessionLink {
    std::atomic<bool> loggedIn{false}; // the session is past its login
    LoginThrottle* throttle = nullptr; // slows failed logins (none: no slowing)
    int wakeFd = -1;                   // readable once the server stops
    std::string address;               // the peer's address without its port
};

class SyncSession {
public:
    SyncSession(exchange::SyncSocket socket, const ServerConfig& config, std::string peer,
                SessionLink* link = nullptr);
    // Serves the client until it quits, goes silent, breaks the protocol or the server stops.
    void run();

private:
    void serve(ServerStore& store);
    bool readCommand(std::string& line);
    bool readValue(std::string& value);
    bool reply(std::string_view bytes);
    // A text value; `what` names it in the log line of a value that is cut.
    bool replyValue(const std::string& utf8, const char* what);
    void handleReceive(ServerStore& store, const std::string& mode);
    bool handleField();
    bool receiveInspections(ServerStore& store, int count);
    void log(const std::string& text) const;
    bool checkPassword(ServerStore& store, const std::string& password);
    bool refuseSend(ServerStore& store, int count);

    exchange::SyncSocket m_socket;
    const ServerConfig& m_config;
    std::string m_peer;
    std::string m_user;
    bool m_loggedIn = false;
    int m_failures = 0;
    std::vector<Job> m_jobs;
    int m_job = -1;   // index of the job the last "INSP" handed out
    int m_field = 0;  // the last field handed out of that job
    bool m_ended = false;
    SessionLink* m_link = nullptr;
    std::chrono::steady_clock::time_point m_loginDeadline;
    SentLimits m_limits;
    SentUsage m_usage;
};

} // namespace server
