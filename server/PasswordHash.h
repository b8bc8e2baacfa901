#pragma once
// Password storage for the sync server. New hashes are libsodium's Argon2id in
// its own text form ("$argon2id$v=19$m=...,t=...,p=1$salt$hash"); hashes of the
// earlier form "pbkdf2-sha256$<iterations>$<salt hex>$<hash hex>" still verify
// and are replaced at the user's next login. The password itself is never kept.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace server {

// The cost of one Argon2id hash: passes over a block of memory.
struct PasswordCost {
    unsigned long long passes;
    std::size_t memoryBytes;
    bool operator==(const PasswordCost&) const = default;
};
// 2 passes over 64 MiB (libsodium's "interactive" level): about 0.2 s a check.
inline constexpr PasswordCost kDefaultCost{2, std::size_t{64} << 20};
// The least Argon2id allows; for tests and benchmarks, never for real users.
inline constexpr PasswordCost kCheapCost{1, std::size_t{8} << 10};
// Hashes computed at once: logins beyond wait their turn, so 64 logins take
// at most this many times 64 MiB.
inline constexpr int kConcurrentHashes = 3;

// PBKDF2 with HMAC-SHA256 (libsodium's), `length` bytes of derived key.
std::string Pbkdf2Sha256(std::string_view password, std::string_view salt, std::uint32_t iterations,
                         std::size_t length);
std::string ToHex(std::string_view bytes);

// A new stored hash of `password` with a fresh random salt. Throws
// std::runtime_error when the memory for it cannot be had.
std::string HashPassword(std::string_view password, PasswordCost cost = kDefaultCost);
// True when `password` matches `stored`; compares in constant time. A stored
// text of neither form matches nothing.
bool VerifyPassword(std::string_view password, std::string_view stored);
// True when `stored` is not an Argon2id hash of exactly `cost`.
bool NeedsRehash(std::string_view stored, PasswordCost cost = kDefaultCost);
// Spends the same work as a verification against a hash of `cost`, so that an
// unknown user name takes as long to refuse as a wrong password.
void VerifyAgainstNothing(std::string_view password, PasswordCost cost = kDefaultCost);

} // namespace server
