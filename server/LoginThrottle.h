#pragma once
// Slows password guessing down without ever locking an account out: each
// failed login from an address, and each failed login for one user name from
// an address, makes the next attempt wait longer, up to a bound. Failures are
// forgotten after a quiet while; a success forgets those of its user name from
// that address. Anyone may thus slow their own address, never another user's login
// from elsewhere.
#include <chrono>
#include <map>
#include <mutex>
#include <string>

namespace server {

struct ThrottlePolicy {
    using Millis = std::chrono::milliseconds;
    int freeAddressFailures = 3;      // failures from an address before its attempts wait
    Millis addressBase{250};          // the first wait of an address, doubled per failure
    Millis userBase{500};             // the first wait for a user name from an address
    Millis longest{10000};            // no wait is longer
    std::chrono::seconds forgetAfter{900}; // failures this old no longer count
    std::size_t maxTracked = 20000;   // entries kept at most (oldest dropped first)
};

class LoginThrottle {
public:
    using Clock = std::chrono::steady_clock;
    explicit LoginThrottle(ThrottlePolicy policy = {}) : m_policy(policy) {}

    // How long the next password check for `user` from `address` waits first.
    std::chrono::milliseconds delayFor(const std::string& address, const std::string& user);
    void failed(const std::string& address, const std::string& user);
    void succeeded(const std::string& address, const std::string& user);

private:
    struct Record {
        int failures = 0;
        Clock::time_point last;
    };
    std::chrono::milliseconds delayOf(const std::string& key, int freeFailures, std::chrono::milliseconds base);
    void bump(const std::string& key, Clock::time_point now);
    void prune(Clock::time_point now);

    ThrottlePolicy m_policy;
    std::mutex m_mutex;
    std::map<std::string, Record> m_records; // "a:<address>" and "u:<address>\n<user>"
};

} // namespace server
