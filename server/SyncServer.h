#pragma once
// The sync server: listens on one TCP address and runs each client's exchange
// on a thread of its own, with a bounded number of clients at once. Extra
// connections wait in the listen queue until a slot frees.
#include <atomic>
#include <chrono>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "PasswordHash.h"
#include "exchange/SyncWire.h"

namespace server {

inline constexpr int kDefaultPort = 7700;

struct ServerConfig {
    std::string storePath;
    std::string host = "127.0.0.1";
    int port = kDefaultPort; // 0: any free port (see SyncServer::port)
    int maxClients = 64;
    // How long a client may stay silent between two commands.
    std::chrono::milliseconds idleTimeout{120000};
    // How long the rest of a message may take once its first byte came, and
    // how long a reply may take to go out.
    std::chrono::milliseconds readTimeout{30000};
    // Wrong passwords one connection may try before it is closed.
    int maxLoginFailures = 3;
    // How long a connection may take to log in, all commands together.
    std::chrono::milliseconds loginTimeout{10000};
    // When every slot is taken, a connection that has not logged in for this
    // long gives its slot to the next one waiting.
    std::chrono::milliseconds loginGrace{2000};
    // Connections at once from one address (an office behind one router counts once).
    int maxPerAddress = 16;
    // Inspections one SEND may announce.
    int maxSendCount = 1000;
    // The cost of new password hashes (cheaper only in tests and benchmarks).
    PasswordCost passwordCost = kDefaultCost;
    // The day "today" is; empty means the server's local date.
    std::function<exchange::wire::Date()> today;
    // Where the server reports connections and errors; empty means nowhere.
    std::function<void(const std::string&)> log;
};

// The first and last day of the receive mode (0 today, 1 this week from
// Sunday to Saturday, 2 all: no bounds).
struct DateRange {
    std::optional<exchange::wire::Date> from, to;
};
DateRange ScheduleRange(int mode, const exchange::wire::Date& today);
exchange::wire::Date LocalToday();
// `text` fit for one log line: control characters, backslashes and bytes that
// are not UTF-8 written as escapes (\n, \x1b, ...), so that no client can
// forge a line or send escape sequences to the administrator's terminal.
std::string LogText(std::string_view text);

class LoginThrottle;
struct SessionLink;

class SyncServer {
public:
    explicit SyncServer(ServerConfig config);
    ~SyncServer();
    SyncServer(const SyncServer&) = delete;
    SyncServer& operator=(const SyncServer&) = delete;

    // Opens the store (creating it when missing) and starts listening.
    // Throws std::runtime_error with the reason when either fails.
    void listen();
    // The port listened on (the one chosen when the configuration said 0).
    int port() const { return m_port; }

    // Accepts and serves clients until stop(); then waits for every session to end.
    void run();
    // Ends run(): no new connections, every waiting session wakes and closes.
    // Safe from any thread.
    void stop();
    // A descriptor whose writing has the effect of stop(); a signal handler may
    // write one byte to it.
    int stopDescriptor() const { return m_wakeWrite; }

    int activeSessions() const { return m_active.load(); }

private:
    struct Slot {
        std::thread thread;
        std::atomic<bool> done{false};
        std::shared_ptr<SessionLink> link;
        int peerFd = -1; // a duplicate of the session's socket, to end it from here
        std::chrono::steady_clock::time_point since;
        bool evicted = false;
    };
    void reapFinished();
    // Ends the oldest session still not logged in after the grace time; false when there is none.
    bool evictOneWaitingForLogin(bool onlyCheck);
    int connectionsFrom(const std::string& address) const;
    void log(const std::string& text) const;

    ServerConfig m_config;
    int m_listenFd = -1;
    int m_port = 0;
    int m_wakeRead = -1, m_wakeWrite = -1; // stop
    int m_slotRead = -1, m_slotWrite = -1; // a session ended
    std::list<std::unique_ptr<Slot>> m_slots;
    std::atomic<int> m_active{0};
    std::unique_ptr<LoginThrottle> m_throttle;
};

} // namespace server
