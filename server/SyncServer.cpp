#include "SyncServer.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <stdexcept>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "LoginThrottle.h"
#include "ServerStore.h"
#include "SyncSession.h"

namespace server {
namespace {

std::string PeerAddress(const sockaddr_storage& addr)
{
    char host[INET6_ADDRSTRLEN] = "?";
    if (addr.ss_family == AF_INET)
        ::inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(&addr)->sin_addr, host, sizeof host);
    else if (addr.ss_family == AF_INET6)
        ::inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(&addr)->sin6_addr, host, sizeof host);
    return host;
}

std::string PeerName(const sockaddr_storage& addr)
{
    char host[INET6_ADDRSTRLEN] = "?";
    int port = 0;
    if (addr.ss_family == AF_INET) {
        const auto* a = reinterpret_cast<const sockaddr_in*>(&addr);
        ::inet_ntop(AF_INET, &a->sin_addr, host, sizeof host);
        port = ntohs(a->sin_port);
    } else if (addr.ss_family == AF_INET6) {
        const auto* a = reinterpret_cast<const sockaddr_in6*>(&addr);
        ::inet_ntop(AF_INET6, &a->sin6_addr, host, sizeof host);
        port = ntohs(a->sin6_port);
    }
    return std::string(host) + ":" + std::to_string(port);
}

void MakePipe(int& readEnd, int& writeEnd)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error(std::string("cannot create a pipe: ") + std::strerror(errno));
    readEnd = fds[0];
    writeEnd = fds[1];
}

void Drain(int fd)
{
    char buf[256];
    while (::read(fd, buf, sizeof buf) > 0) {
    }
}

} // namespace

std::string LogText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    auto escape = [&](unsigned char c) {
        static const char digits[] = "0123456789abcdef";
        switch (c) {
        case '\n': out += "\\n"; return;
        case '\r': out += "\\r"; return;
        case '\t': out += "\\t"; return;
        case '\\': out += "\\\\"; return;
        default: out += "\\x"; out += digits[c >> 4]; out += digits[c & 15];
        }
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7f && c != '\\') {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        // A whole UTF-8 character outside the C1 controls passes as it is.
        const std::size_t length = c >= 0xc2 && c <= 0xdf ? 2 : c >= 0xe0 && c <= 0xef ? 3 : c >= 0xf0 && c <= 0xf4 ? 4 : 0;
        bool whole = length > 0 && i + length <= text.size();
        for (std::size_t k = 1; whole && k < length; ++k)
            whole = (static_cast<unsigned char>(text[i + k]) & 0xc0) == 0x80;
        if (whole && c == 0xc2 && static_cast<unsigned char>(text[i + 1]) < 0xa0)
            whole = false; // U+0080 to U+009F: C1 controls
        if (whole) {
            out.append(text.substr(i, length));
            i += length;
        } else {
            escape(c);
            ++i;
        }
    }
    return out;
}

exchange::wire::Date LocalToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
}

DateRange ScheduleRange(int mode, const exchange::wire::Date& today)
{
    using namespace std::chrono;
    if (mode == 0)
        return {today, today};
    if (mode != 1)
        return {};
    const sys_days day{year{today.year} / month{static_cast<unsigned>(today.month)} /
                       std::chrono::day{static_cast<unsigned>(today.day)}};
    const sys_days sunday = day - days{weekday{day}.c_encoding()};
    auto toDate = [](sys_days d) {
        const year_month_day ymd{d};
        return exchange::wire::Date{static_cast<int>(ymd.year()), static_cast<int>(unsigned(ymd.month())),
                                    static_cast<int>(unsigned(ymd.day()))};
    };
    return {toDate(sunday), toDate(sunday + days{6})};
}

SyncServer::SyncServer(ServerConfig config) : m_config(std::move(config))
{
    if (m_config.maxClients < 1)
        m_config.maxClients = 1;
    if (m_config.maxPerAddress < 1)
        m_config.maxPerAddress = 1;
    m_throttle = std::make_unique<LoginThrottle>();
    MakePipe(m_wakeRead, m_wakeWrite);
    MakePipe(m_slotRead, m_slotWrite);
}

SyncServer::~SyncServer()
{
    stop();
    for (auto& slot : m_slots) {
        if (slot->thread.joinable())
            slot->thread.join();
        if (slot->peerFd >= 0)
            ::close(slot->peerFd);
    }
    for (int fd : {m_listenFd, m_wakeRead, m_wakeWrite, m_slotRead, m_slotWrite})
        if (fd >= 0)
            ::close(fd);
}

void SyncServer::log(const std::string& text) const
{
    if (m_config.log)
        m_config.log(LogText(text));
}

void SyncServer::listen()
{
    // Creates the store and its tables now, so that a bad path is reported at start.
    { ServerStore store(m_config.storePath, m_config.passwordCost); }

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE;
    addrinfo* list = nullptr;
    const std::string service = std::to_string(m_config.port);
    const char* host = m_config.host.empty() ? nullptr : m_config.host.c_str();
    if (int rc = ::getaddrinfo(host, service.c_str(), &hints, &list); rc != 0)
        throw std::runtime_error("cannot resolve " + m_config.host + ": " + ::gai_strerror(rc));
    std::string error = "no address to listen on";
    for (addrinfo* ai = list; ai && m_listenFd < 0; ai = ai->ai_next) {
        const int fd = ::socket(ai->ai_family, ai->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, ai->ai_protocol);
        if (fd < 0) {
            error = std::strerror(errno);
            continue;
        }
        const int one = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        if (::bind(fd, ai->ai_addr, ai->ai_addrlen) != 0 || ::listen(fd, 512) != 0) {
            error = std::strerror(errno);
            ::close(fd);
            continue;
        }
        m_listenFd = fd;
    }
    ::freeaddrinfo(list);
    if (m_listenFd < 0)
        throw std::runtime_error("cannot listen on " + m_config.host + " port " + service + ": " + error);

    sockaddr_storage addr{};
    socklen_t len = sizeof addr;
    ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&addr), &len);
    m_port = addr.ss_family == AF_INET6 ? ntohs(reinterpret_cast<sockaddr_in6*>(&addr)->sin6_port)
                                        : ntohs(reinterpret_cast<sockaddr_in*>(&addr)->sin_port);
}

void SyncServer::stop()
{
    const char byte = 'x';
    [[maybe_unused]] ssize_t n = ::write(m_wakeWrite, &byte, 1);
}

void SyncServer::reapFinished()
{
    for (auto it = m_slots.begin(); it != m_slots.end();) {
        if ((*it)->done.load()) {
            (*it)->thread.join();
            if ((*it)->peerFd >= 0)
                ::close((*it)->peerFd);
            it = m_slots.erase(it);
        } else {
            ++it;
        }
    }
}

int SyncServer::connectionsFrom(const std::string& address) const
{
    int n = 0;
    for (const auto& slot : m_slots)
        n += !slot->done.load() && slot->link->address == address ? 1 : 0;
    return n;
}

bool SyncServer::evictOneWaitingForLogin(bool onlyCheck)
{
    Slot* oldest = nullptr;
    const auto now = std::chrono::steady_clock::now();
    for (const auto& slot : m_slots) {
        if (slot->done.load())
            continue;
        if (slot->evicted)
            return false; // one is on its way out already
        if (!slot->link->loggedIn.load() && now - slot->since >= m_config.loginGrace &&
            (!oldest || slot->since < oldest->since))
            oldest = slot.get();
    }
    if (!oldest)
        return false;
    if (!onlyCheck) {
        oldest->evicted = true;
        ::shutdown(oldest->peerFd, SHUT_RDWR); // its session wakes and ends
    }
    return true;
}

void SyncServer::run()
{
    if (m_listenFd < 0)
        listen();
    log("listening on " + m_config.host + " port " + std::to_string(m_port));
    for (;;) {
        const bool room = m_active.load() < m_config.maxClients;
        // With every slot taken, a connection waiting to be accepted may take the
        // slot of one that has been logging in for too long.
        const bool canEvict = !room && evictOneWaitingForLogin(true);
        pollfd fds[3] = {{m_wakeRead, POLLIN, 0}, {m_slotRead, POLLIN, 0}, {m_listenFd, POLLIN, 0}};
        const int rc = ::poll(fds, room || canEvict ? 3 : 2, room ? -1 : 250);
        if (rc < 0 && errno != EINTR)
            break;
        if (fds[0].revents)
            break;
        if (fds[1].revents) {
            Drain(m_slotRead);
            reapFinished();
        }
        if (!(fds[2].revents & POLLIN))
            continue;
        if (!room) {
            if (canEvict)
                evictOneWaitingForLogin(false);
            continue;
        }

        sockaddr_storage addr{};
        socklen_t len = sizeof addr;
        const int fd = ::accept4(m_listenFd, reinterpret_cast<sockaddr*>(&addr), &len, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
                log(std::string("cannot accept: ") + std::strerror(errno));
                ::poll(nullptr, 0, 100); // give sessions a moment to release descriptors
            }
            continue;
        }
        const std::string peer = PeerName(addr);
        auto link = std::make_shared<SessionLink>();
        link->address = PeerAddress(addr);
        link->throttle = m_throttle.get();
        link->wakeFd = m_wakeRead;
        if (connectionsFrom(link->address) >= m_config.maxPerAddress) {
            log(peer + ": refused, " + std::to_string(m_config.maxPerAddress) + " connections from " +
                link->address + " already");
            ::close(fd);
            continue;
        }
        exchange::SyncSocket socket(fd);
        socket.setWakeDescriptor(m_wakeRead);
        auto slot = std::make_unique<Slot>();
        Slot* raw = slot.get();
        raw->link = link;
        raw->since = std::chrono::steady_clock::now();
        raw->peerFd = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
        ++m_active;
        log(peer + ": connected");
        try {
            raw->thread = std::thread([this, raw, peer, link, s = std::move(socket)]() mutable {
                SyncSession(std::move(s), m_config, peer, link.get()).run();
                --m_active;
                raw->done = true;
                const char byte = 'x';
                [[maybe_unused]] ssize_t n = ::write(m_slotWrite, &byte, 1);
            });
            m_slots.push_back(std::move(slot));
        } catch (const std::system_error& e) {
            --m_active;
            if (raw->peerFd >= 0)
                ::close(raw->peerFd);
            log(peer + ": no thread for the connection: " + e.what());
        }
    }
    // Shutting down: the wake pipe stays readable, so every session ends its wait.
    ::close(m_listenFd);
    m_listenFd = -1;
    for (auto& slot : m_slots) {
        slot->thread.join();
        if (slot->peerFd >= 0)
            ::close(slot->peerFd);
    }
    m_slots.clear();
    log("stopped");
}

} // namespace server
