#include "exchange/SyncSocket.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace exchange {

const char* WireStatusText(WireStatus status)
{
    switch (status) {
    case WireStatus::Ok: return "ok";
    case WireStatus::TimedOut: return "no answer in time";
    case WireStatus::Closed: return "connection closed";
    case WireStatus::TooLong: return "message too long";
    case WireStatus::Failed: return "network error";
    case WireStatus::Woken: return "shutting down";
    }
    return "network error";
}

SyncSocket::SyncSocket(int fd) : m_fd(fd)
{
    if (m_fd >= 0) {
        const int flags = ::fcntl(m_fd, F_GETFL, 0);
        ::fcntl(m_fd, F_SETFL, flags | O_NONBLOCK);
        const int one = 1;
        ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    }
}

SyncSocket::SyncSocket(SyncSocket&& other) noexcept
    : m_fd(other.m_fd), m_wakeFd(other.m_wakeFd), m_buffer(std::move(other.m_buffer)),
      m_start(other.m_start)
{
    other.m_fd = -1;
    other.m_start = 0;
}

SyncSocket& SyncSocket::operator=(SyncSocket&& other) noexcept
{
    if (this != &other) {
        close();
        m_fd = other.m_fd;
        m_wakeFd = other.m_wakeFd;
        m_buffer = std::move(other.m_buffer);
        m_start = other.m_start;
        other.m_fd = -1;
        other.m_start = 0;
    }
    return *this;
}

SyncSocket::~SyncSocket() { close(); }

void SyncSocket::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_buffer.clear();
    m_start = 0;
}

SyncSocket::ConnectResult SyncSocket::connect(const std::string& host, int port, Millis timeout)
{
    close();
    ConnectResult result;
    const auto deadline = Clock::now() + timeout;

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* list = nullptr;
    const std::string service = std::to_string(port);
    if (int rc = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &list); rc != 0 || !list) {
        result.unknownHost = true;
        result.detail = ::gai_strerror(rc);
        return result;
    }

    for (addrinfo* ai = list; ai; ai = ai->ai_next) {
        const int fd = ::socket(ai->ai_family, ai->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK,
                                ai->ai_protocol);
        if (fd < 0) {
            result.detail = std::strerror(errno);
            continue;
        }
        m_fd = fd;
        int rc = ::connect(fd, ai->ai_addr, ai->ai_addrlen);
        int err = rc == 0 ? 0 : errno;
        if (err == EINPROGRESS) {
            const WireStatus s = wait(true, deadline);
            if (s != WireStatus::Ok) {
                ::close(fd);
                m_fd = -1;
                result.status = s;
                result.refused = false;
                result.detail = WireStatusText(s);
                if (s == WireStatus::TimedOut || s == WireStatus::Woken)
                    break;
                continue;
            }
            socklen_t len = sizeof err;
            ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len);
        }
        if (err == 0) {
            ::freeaddrinfo(list);
            const int fdKept = m_fd;
            m_fd = -1;
            *this = SyncSocket(fdKept);
            result.status = WireStatus::Ok;
            result.refused = false;
            result.detail.clear();
            return result;
        }
        ::close(fd);
        m_fd = -1;
        result.status = WireStatus::Failed;
        result.refused = err == ECONNREFUSED;
        result.detail = std::strerror(err);
        if (Clock::now() >= deadline) {
            result.status = WireStatus::TimedOut;
            break;
        }
    }
    ::freeaddrinfo(list);
    return result;
}

WireStatus SyncSocket::wait(bool forWrite, Clock::time_point deadline)
{
    for (;;) {
        pollfd fds[2] = {{m_fd, static_cast<short>(forWrite ? POLLOUT : POLLIN), 0},
                         {m_wakeFd, POLLIN, 0}};
        const nfds_t n = m_wakeFd >= 0 ? 2 : 1;
        const auto left = std::chrono::ceil<Millis>(deadline - Clock::now()).count();
        if (left <= 0)
            return WireStatus::TimedOut;
        const int rc = ::poll(fds, n, static_cast<int>(std::min<long long>(left, 1 << 30)));
        if (rc < 0) {
            if (errno == EINTR)
                continue;
            return WireStatus::Failed;
        }
        if (n == 2 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR)))
            return WireStatus::Woken;
        if (rc == 0)
            continue; // the loop checks the deadline
        if (fds[0].revents)
            return WireStatus::Ok; // readable, writable, or an error that the call will report
    }
}

WireStatus SyncSocket::fill(Clock::time_point deadline)
{
    if (m_fd < 0)
        return WireStatus::Closed;
    for (;;) {
        const WireStatus s = wait(false, deadline);
        if (s != WireStatus::Ok)
            return s;
        char chunk[16384];
        const ssize_t n = ::recv(m_fd, chunk, sizeof chunk, 0);
        if (n > 0) {
            if (m_start > 0 && m_start * 2 >= m_buffer.size()) {
                m_buffer.erase(0, m_start);
                m_start = 0;
            }
            m_buffer.append(chunk, static_cast<std::size_t>(n));
            return WireStatus::Ok;
        }
        if (n == 0)
            return WireStatus::Closed;
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
            continue;
        if (errno == ECONNRESET || errno == EPIPE)
            return WireStatus::Closed;
        return WireStatus::Failed;
    }
}

WireStatus SyncSocket::drain(std::size_t maxBytes)
{
    while (buffered() < maxBytes) {
        char chunk[16384];
        const ssize_t n = ::recv(m_fd, chunk, std::min(sizeof chunk, maxBytes - buffered()), MSG_DONTWAIT);
        if (n > 0) {
            m_buffer.append(chunk, static_cast<std::size_t>(n));
            continue;
        }
        if (n == 0)
            return WireStatus::Closed;
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return WireStatus::Ok;
        return errno == ECONNRESET || errno == EPIPE ? WireStatus::Closed : WireStatus::Failed;
    }
    return WireStatus::Ok;
}

WireStatus SyncSocket::receiveAvailable(Millis firstByte, std::size_t maxBytes)
{
    if (m_fd < 0)
        return WireStatus::Closed;
    if (buffered() == 0) {
        const WireStatus s = fill(Clock::now() + firstByte);
        if (s != WireStatus::Ok)
            return s;
    }
    const WireStatus s = drain(maxBytes);
    // A peer that closed after its reply leaves the reply readable.
    return s == WireStatus::Closed && buffered() > 0 ? WireStatus::Ok : s;
}

WireStatus SyncSocket::receiveMore(Millis patience, std::size_t maxBytes)
{
    if (m_fd < 0)
        return WireStatus::Closed;
    const std::size_t before = buffered();
    WireStatus s = wait(false, Clock::now() + patience);
    if (s == WireStatus::Ok)
        s = drain(maxBytes);
    if (buffered() > before)
        return WireStatus::Ok;
    return s == WireStatus::Ok ? WireStatus::TimedOut : s;
}

std::string SyncSocket::take(std::size_t count)
{
    std::string out = m_buffer.substr(m_start, count);
    m_start += count;
    if (m_start == m_buffer.size()) {
        m_buffer.clear();
        m_start = 0;
    }
    return out;
}

WireStatus SyncSocket::sendAll(std::string_view bytes, Millis timeout)
{
    if (m_fd < 0)
        return WireStatus::Closed;
    const auto deadline = Clock::now() + timeout;
    while (!bytes.empty()) {
        const ssize_t n = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
            const WireStatus s = wait(true, deadline);
            if (s != WireStatus::Ok)
                return s;
            continue;
        }
        if (n < 0 && (errno == EPIPE || errno == ECONNRESET))
            return WireStatus::Closed;
        return WireStatus::Failed;
    }
    return WireStatus::Ok;
}

WireStatus SyncSocket::readUntil(std::string_view terminators, std::string& out, Millis firstByte,
                                 Millis complete, std::size_t maxBytes)
{
    out.clear();
    const auto firstDeadline = Clock::now() + firstByte;
    auto completeDeadline = Clock::now() + complete; // restarted when the first byte arrives
    bool started = buffered() > 0;
    std::size_t scanned = 0;
    for (;;) {
        const std::string_view pending(m_buffer.data() + m_start, buffered());
        const std::size_t at = pending.find_first_of(terminators, scanned);
        if (at != std::string_view::npos && at < maxBytes) {
            out = take(at + 1);
            return WireStatus::Ok;
        }
        if (pending.size() >= maxBytes) {
            out = take(maxBytes);
            return WireStatus::TooLong;
        }
        scanned = pending.size();
        const WireStatus s = fill(started ? completeDeadline : firstDeadline);
        if (s != WireStatus::Ok) {
            out = take(buffered());
            return s;
        }
        if (!started) {
            started = true;
            completeDeadline = Clock::now() + complete;
        }
    }
}

WireStatus SyncSocket::readExact(std::size_t count, std::string& out, Millis timeout)
{
    out.clear();
    const auto deadline = Clock::now() + timeout;
    while (buffered() < count) {
        const WireStatus s = fill(deadline);
        if (s != WireStatus::Ok) {
            out = take(buffered());
            return s;
        }
    }
    out = take(count);
    return WireStatus::Ok;
}

} // namespace exchange
