#pragma once
// Password storage for the sync server: PBKDF2-HMAC-SHA256 with a random salt.
// A stored hash reads "pbkdf2-sha256$<iterations>$<salt hex>$<hash hex>"; the
// password itself is never kept.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace server {

using Sha256Digest = std::array<std::uint8_t, 32>;

Sha256Digest Sha256(std::string_view data);
Sha256Digest HmacSha256(std::string_view key, std::string_view message);
// PBKDF2 with HMAC-SHA256, `length` bytes of derived key.
std::string Pbkdf2Sha256(std::string_view password, std::string_view salt, std::uint32_t iterations,
                         std::size_t length);

std::string ToHex(std::string_view bytes);

inline constexpr std::uint32_t kDefaultIterations = 60000;

// A new stored hash of `password` with a fresh random salt.
std::string HashPassword(std::string_view password, std::uint32_t iterations = kDefaultIterations);
// True when `password` matches `stored`; compares in constant time. A stored
// text that is not a hash of this form matches nothing.
bool VerifyPassword(std::string_view password, std::string_view stored);
// Spends the same work as a verification against a real hash, so that an
// unknown user name takes as long to refuse as a wrong password.
void VerifyAgainstNothing(std::string_view password);

} // namespace server
