#pragma once
// A TCP connection of the server exchange with deadlines on every wait.
//
// TCP is a stream: one recv may hand over part of a reply or two replies. The
// socket keeps what it received in a buffer and a read takes bytes from it
// until its reply is complete by the reply's own rule (a terminator byte or a
// fixed length); bytes past that stay for the next read. No wait goes past its
// deadline, and a peer that sends without end is cut off at a size limit.
#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace exchange {

enum class WireStatus {
    Ok,
    TimedOut,  // the deadline passed first
    Closed,    // the peer closed the connection (or reset it)
    TooLong,   // more bytes than the limit without the terminator
    Failed,    // a socket error
    Woken,     // the wake descriptor became readable (shutdown)
};

// A short human text for a status ("the server closed the connection" style
// texts are composed by the callers, who know who the peer is).
const char* WireStatusText(WireStatus status);

class SyncSocket {
public:
    using Clock = std::chrono::steady_clock;
    using Millis = std::chrono::milliseconds;

    SyncSocket() = default;
    explicit SyncSocket(int fd);
    SyncSocket(SyncSocket&& other) noexcept;
    SyncSocket& operator=(SyncSocket&& other) noexcept;
    SyncSocket(const SyncSocket&) = delete;
    SyncSocket& operator=(const SyncSocket&) = delete;
    ~SyncSocket();

    struct ConnectResult {
        WireStatus status = WireStatus::Failed;
        bool refused = false;     // the host answered that nobody listens on the port
        bool unknownHost = false; // the name could not be resolved
        std::string detail;       // the system's reason, for the message
    };
    // Resolves `host` (a dotted address or a name) and connects to the first
    // address that answers, all within `timeout`.
    ConnectResult connect(const std::string& host, int port, Millis timeout);

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    void close();

    // While set, every wait also ends (with Woken) once `fd` becomes readable.
    void setWakeDescriptor(int fd) { m_wakeFd = fd; }

    // Sends every byte, in as many writes as it takes, within `timeout`.
    WireStatus sendAll(std::string_view bytes, Millis timeout);

    // Reads up to and including the first byte that is one of `terminators`.
    // `out` receives the bytes (also the partial bytes when the read fails).
    // The first byte must arrive within `firstByte`; from then on the rest
    // must follow within `complete`. At most `maxBytes` are taken.
    WireStatus readUntil(std::string_view terminators, std::string& out, Millis firstByte,
                         Millis complete, std::size_t maxBytes);
    // Reads exactly `count` bytes within `timeout`.
    WireStatus readExact(std::size_t count, std::string& out, Millis timeout);

    // Makes sure bytes are buffered: when none are, waits up to `firstByte`
    // for one receive; then takes in every byte already waiting without
    // waiting any longer, up to `maxBytes` buffered in all.
    WireStatus receiveAvailable(Millis firstByte, std::size_t maxBytes);
    // Waits up to `patience` for bytes beyond those buffered and takes in every
    // byte then waiting. Ok when more came; TimedOut when none did.
    WireStatus receiveMore(Millis patience, std::size_t maxBytes);
    // The bytes received but not yet read, and their removal.
    std::string_view pending() const { return std::string_view(m_buffer).substr(m_start); }
    std::string takePending(std::size_t count) { return take(count); }

    // Bytes received but not yet read.
    std::size_t buffered() const { return m_buffer.size() - m_start; }

private:
    // Waits until the socket is readable (or writable) or the deadline passes.
    WireStatus wait(bool forWrite, Clock::time_point deadline);
    // One recv into the buffer.
    WireStatus fill(Clock::time_point deadline);
    // Receives what is already waiting, without waiting, up to `maxBytes` buffered.
    WireStatus drain(std::size_t maxBytes);
    std::string take(std::size_t count);

    int m_fd = -1;
    int m_wakeFd = -1;
    std::string m_buffer;
    std::size_t m_start = 0;
};

} // namespace exchange
