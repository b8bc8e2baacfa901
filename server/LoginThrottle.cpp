#include "LoginThrottle.h"

#include <algorithm>

namespace server {
namespace {

std::string AddressKey(const std::string& address) { return "a:" + address; }
std::string UserKey(const std::string& address, const std::string& user) { return "u:" + address + "\n" + user; }

} // namespace

std::chrono::milliseconds LoginThrottle::delayOf(const std::string& key, int freeFailures,
                                                 std::chrono::milliseconds base)
{
    const auto it = m_records.find(key);
    if (it == m_records.end() || Clock::now() - it->second.last > m_policy.forgetAfter)
        return std::chrono::milliseconds{0};
    const int over = it->second.failures - freeFailures;
    if (over <= 0)
        return std::chrono::milliseconds{0};
    auto delay = base;
    for (int i = 1; i < over && delay < m_policy.longest; ++i)
        delay *= 2;
    return std::min(delay, m_policy.longest);
}

std::chrono::milliseconds LoginThrottle::delayFor(const std::string& address, const std::string& user)
{
    std::lock_guard lock(m_mutex);
    return std::max(delayOf(AddressKey(address), m_policy.freeAddressFailures, m_policy.addressBase),
                    delayOf(UserKey(address, user), 0, m_policy.userBase));
}

void LoginThrottle::bump(const std::string& key, Clock::time_point now)
{
    Record& r = m_records[key];
    if (now - r.last > m_policy.forgetAfter)
        r.failures = 0;
    r.failures = std::min(r.failures + 1, 64);
    r.last = now;
}

void LoginThrottle::failed(const std::string& address, const std::string& user)
{
    std::lock_guard lock(m_mutex);
    const auto now = Clock::now();
    bump(AddressKey(address), now);
    bump(UserKey(address, user), now);
    if (m_records.size() > m_policy.maxTracked)
        prune(now);
}

void LoginThrottle::succeeded(const std::string& address, const std::string& user)
{
    std::lock_guard lock(m_mutex);
    // The address keeps its count: one good account must not reset the
    // slowing of guesses at every other name from there.
    m_records.erase(UserKey(address, user));
}

void LoginThrottle::prune(Clock::time_point now)
{
    std::erase_if(m_records, [&](const auto& entry) { return now - entry.second.last > m_policy.forgetAfter; });
    while (m_records.size() > m_policy.maxTracked) {
        auto oldest = std::min_element(m_records.begin(), m_records.end(),
                                       [](const auto& a, const auto& b) { return a.second.last < b.second.last; });
        m_records.erase(oldest);
    }
}

} // namespace server
