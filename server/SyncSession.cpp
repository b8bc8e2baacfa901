#include "SyncSession.h"

#include <algorithm>
#include <charconv>

#include <poll.h>

#include "text/Windows1252.h"

namespace server {

namespace wire = exchange::wire;
using exchange::WireStatus;

SyncSession::SyncSession(exchange::SyncSocket socket, const ServerConfig& config, std::string peer,
                         SessionLink* link)
    : m_socket(std::move(socket)), m_config(config), m_peer(std::move(peer)), m_link(link),
      m_loginDeadline(std::chrono::steady_clock::now() + config.loginTimeout)
{
}

void SyncSession::log(const std::string& text) const
{
    if (m_config.log)
        m_config.log(LogText(m_peer + ": " + text));
}

void SyncSession::run()
{
    try {
        ServerStore store(m_config.storePath, m_config.passwordCost);
        serve(store);
    } catch (const std::exception& e) {
        log(std::string("ended on an error: ") + e.what());
    }
    m_socket.close();
}

bool SyncSession::readCommand(std::string& line)
{
    // Until it has logged in, a connection has only what is left of its login time.
    auto idle = m_config.idleTimeout, rest = m_config.readTimeout;
    if (!m_loggedIn) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(m_loginDeadline -
                                                                              std::chrono::steady_clock::now());
        if (left <= std::chrono::milliseconds{0}) {
            log("closing: no login in time");
            return false;
        }
        idle = std::min(idle, left);
        rest = std::min(rest, left);
    }
    const WireStatus s = m_socket.readUntil(std::string_view(&wire::kEndOfLine, 1), line, idle, rest,
                                            wire::kMaxLineBytes);
    if (s == WireStatus::Ok) {
        line.pop_back();
        return true;
    }
    if (s != WireStatus::Closed || !line.empty())
        log(std::string("closing: ") + exchange::WireStatusText(s));
    return false;
}

bool SyncSession::readValue(std::string& value)
{
    // One more byte than the largest value: the terminator.
    const WireStatus s = m_socket.readUntil(std::string_view(&wire::kEndOfValue, 1), value, m_config.idleTimeout,
                                            m_config.readTimeout, wire::kMaxValueBytes + 1);
    if (s == WireStatus::Ok) {
        value.pop_back();
        return true;
    }
    log(std::string("closing while receiving an inspection: ") + exchange::WireStatusText(s));
    return false;
}

bool SyncSession::reply(std::string_view bytes)
{
    const WireStatus s = m_socket.sendAll(bytes, m_config.readTimeout);
    if (s != WireStatus::Ok) {
        log(std::string("closing, cannot answer: ") + exchange::WireStatusText(s));
        return false;
    }
    return true;
}

bool SyncSession::replyValue(const std::string& utf8, const char* what)
{
    // Bare, as a client reads it with one receive: 0x04 alone for the empty
    // value, and never more than a client's buffer holds.
    std::size_t cutFrom = 0;
    const std::string bytes = wire::ValueReply(text::ToWindows1252(utf8), &cutFrom);
    if (cutFrom > 0)
        log(std::string(what) + " of job " + (m_job >= 0 && m_job < static_cast<int>(m_jobs.size())
                                                  ? m_jobs[m_job].header.docNumber
                                                  : std::string("?")) +
            " cut from " + std::to_string(cutFrom) + " to " + std::to_string(bytes.size()) + " bytes");
    return reply(bytes);
}

void SyncSession::serve(ServerStore& store)
{
    std::string line;
    while (readCommand(line)) {
        const std::size_t space = line.find(' ');
        const std::string command = line.substr(0, space);
        const std::string argument = space == std::string::npos ? std::string() : line.substr(space + 1);

        bool ok = true;
        if (command == "QUIT") {
            return;
        } else if (command == "USER") {
            m_user = text::FromWindows1252(argument);
            m_loggedIn = false;
            ok = reply(wire::kConfirm);
        } else if (command == "PASS") {
            m_loggedIn = !m_user.empty() && checkPassword(store, text::FromWindows1252(argument));
            if (m_loggedIn) {
                log("user " + m_user + " logged in");
                ok = reply(wire::kConfirm);
            } else {
                log("login refused for user " + m_user);
                ok = reply(wire::kDeny) && ++m_failures < m_config.maxLoginFailures;
            }
        } else if (!m_loggedIn) {
            ok = reply(wire::kDeny);
        } else if (command == "RECV") {
            handleReceive(store, argument);
            ok = !m_ended;
        } else if (command == "INSP") {
            ++m_job;
            m_field = 0;
            const bool have = m_job >= 0 && m_job < static_cast<int>(m_jobs.size());
            ok = replyValue(have ? m_jobs[m_job].header.docNumber : std::string(), "the Doc #");
        } else if (command == "FELD") {
            ok = handleField();
        } else if (command == "SEND") {
            int count = -1;
            const auto [end, ec] = std::from_chars(argument.data(), argument.data() + argument.size(), count);
            if (ec != std::errc() || end != argument.data() + argument.size() || count < 0 ||
                count > wire::kMaxCount) {
                ok = reply(wire::kDeny);
            } else if (refuseSend(store, count)) {
                ok = reply(wire::kDeny);
            } else {
                ok = reply(wire::kConfirm) && receiveInspections(store, count);
            }
        } else {
            ok = reply(wire::kDeny);
        }
        if (!ok)
            return;
    }
}

void SyncSession::handleReceive(ServerStore& store, const std::string& mode)
{
    int index = -1;
    for (std::size_t i = 0; i < wire::kReceiveModes.size(); ++i)
        if (mode == wire::kReceiveModes[i])
            index = static_cast<int>(i);
    if (index < 0) {
        m_ended = !reply(wire::kDeny);
        return;
    }
    const DateRange range = ScheduleRange(index, m_config.today ? m_config.today() : LocalToday());
    m_jobs = store.jobs(range.from, range.to, m_user);
    m_job = -1;
    m_field = 0;
    log("user " + m_user + " receives " + std::to_string(m_jobs.size()) + " jobs (" + mode + ")");
    m_ended = !reply(std::string(wire::kCount) + " " + std::to_string(m_jobs.size()) + "\r");
}

bool SyncSession::handleField()
{
    ++m_field;
    const bool have = m_job >= 0 && m_job < static_cast<int>(m_jobs.size());
    const Header empty;
    const Header& h = have ? m_jobs[m_job].header : empty;
    if (m_field == wire::kDocTypeIdField)
        return reply(wire::EncodeInt32(h.docTypeId));
    if (m_field == wire::kReceivedFieldCount)
        return replyValue(have ? wire::FormatDate(h.date) : std::string(), "the date");
    const std::string* value = wire::ReceivedTextField(h, m_field);
    const std::string what = "field " + std::to_string(m_field);
    return replyValue(value ? *value : std::string(), what.c_str());
}

bool SyncSession::checkPassword(ServerStore& store, const std::string& password)
{
    // Each failure from this address, and for this name from it, makes the next check wait longer.
    const std::string address = m_link ? m_link->address : std::string();
    LoginThrottle* throttle = m_link ? m_link->throttle : nullptr;
    if (throttle) {
        const auto delay = throttle->delayFor(address, m_user);
        if (delay.count() > 0) {
            pollfd wake{m_link->wakeFd, POLLIN, 0};
            if (::poll(&wake, m_link->wakeFd >= 0 ? 1 : 0, static_cast<int>(delay.count())) > 0)
                return false; // the server stops
        }
    }
    const bool ok = store.checkLogin(m_user, password);
    if (throttle)
        ok ? throttle->succeeded(address, m_user) : throttle->failed(address, m_user);
    if (ok && m_link)
        m_link->loggedIn = true;
    return ok;
}

bool SyncSession::refuseSend(ServerStore& store, int count)
{
    if (count > m_config.maxSendCount) {
        log("SEND of " + std::to_string(count) + " inspections refused: at most " +
            std::to_string(m_config.maxSendCount) + " at once");
        return true;
    }
    m_limits = store.limits();
    m_usage = store.sentUsage(m_user);
    if (count > 0 && (m_usage.inspections >= m_limits.maxInspections || m_usage.bytes >= m_limits.maxBytes)) {
        log("SEND refused: the store of user " + m_user + " is full (" + std::to_string(m_usage.inspections) +
            " inspections, " + std::to_string(m_usage.bytes) + " bytes)");
        return true;
    }
    return false;
}

bool SyncSession::receiveInspections(ServerStore& store, int count)
{
    for (int i = 0; i < count; ++i) {
        Header h;
        std::string value;
        for (int n = 0; n < wire::kSentFieldCount; ++n) {
            if (!readValue(value))
                return false; // nothing of this inspection is stored
            *wire::SentField(h, n) = text::FromWindows1252(value);
            if (!reply(wire::kConfirm))
                return false;
        }
        if (!readValue(value))
            return false;
        if (value + wire::kEndOfValue != wire::kDone) {
            log("closing: inspection " + h.docNumber + " did not end with DONE");
            reply(wire::kDeny);
            return false;
        }
        bool stored = false;
        try {
            const SentResult result = store.putSent(h, m_user, m_limits, m_usage);
            stored = result == SentResult::Stored;
            if (result == SentResult::TooMany)
                log("inspection " + h.docNumber + " refused: user " + m_user + " keeps " +
                    std::to_string(m_limits.maxInspections) + " sent inspections, the most allowed");
            else if (result == SentResult::TooLarge)
                log("inspection " + h.docNumber + " refused: user " + m_user + " would keep more than " +
                    std::to_string(m_limits.maxBytes) + " bytes of sent inspections");
        } catch (const StoreError& e) {
            log("inspection " + h.docNumber + " not stored: " + e.what());
        }
        if (!reply(stored ? wire::kConfirm : wire::kDeny))
            return false;
    }
    if (count > 0)
        log("user " + m_user + " sent " + std::to_string(count) + " inspections");
    return true;
}

} // namespace server
