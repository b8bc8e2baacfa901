#include "PasswordHash.h"

#include <semaphore>
#include <stdexcept>
#include <vector>

#include <sodium.h>

namespace server {
namespace {

constexpr std::string_view kPbkdf2Scheme = "pbkdf2-sha256";

void NeedSodium()
{
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw std::runtime_error("libsodium cannot start");
}

// Bounds the memory of hashing: each Argon2id computation holds its whole block.
class HashTurn {
public:
    HashTurn() { Slots().acquire(); }
    ~HashTurn() { Slots().release(); }
    HashTurn(const HashTurn&) = delete;
    HashTurn& operator=(const HashTurn&) = delete;

private:
    static std::counting_semaphore<kConcurrentHashes>& Slots()
    {
        static std::counting_semaphore<kConcurrentHashes> slots(kConcurrentHashes);
        return slots;
    }
};

std::string FromHex(std::string_view hex, bool& ok)
{
    ok = hex.size() % 2 == 0;
    std::string out;
    auto nibble = [&](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        ok = false;
        return 0;
    };
    for (std::size_t i = 0; ok && i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<char>(nibble(hex[i]) << 4 | nibble(hex[i + 1])));
    return out;
}

bool VerifyPbkdf2(std::string_view password, std::string_view stored)
{
    // scheme$iterations$salt$hash
    std::string_view parts[4];
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t end = i < 3 ? stored.find('$', start) : stored.size();
        if (end == std::string_view::npos)
            return false;
        parts[i] = stored.substr(start, end - start);
        start = end + 1;
    }
    if (parts[0] != kPbkdf2Scheme || parts[1].empty() || parts[1].size() > 9)
        return false;
    std::uint32_t iterations = 0;
    for (char c : parts[1]) {
        if (c < '0' || c > '9')
            return false;
        iterations = iterations * 10 + static_cast<std::uint32_t>(c - '0');
    }
    bool okSalt = false, okHash = false;
    const std::string salt = FromHex(parts[2], okSalt);
    const std::string expected = FromHex(parts[3], okHash);
    if (!okSalt || !okHash || iterations == 0 || expected.empty() || expected.size() > 64)
        return false;
    std::string actual;
    {
        HashTurn turn;
        actual = Pbkdf2Sha256(password, salt, iterations, expected.size());
    }
    return sodium_memcmp(actual.data(), expected.data(), expected.size()) == 0;
}

} // namespace

std::string ToHex(std::string_view bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out.push_back(digits[c >> 4]);
        out.push_back(digits[c & 15]);
    }
    return out;
}

std::string Pbkdf2Sha256(std::string_view password, std::string_view salt, std::uint32_t iterations,
                         std::size_t length)
{
    NeedSodium();
    crypto_auth_hmacsha256_state keyed;
    crypto_auth_hmacsha256_init(&keyed, reinterpret_cast<const unsigned char*>(password.data()), password.size());
    std::string out;
    for (std::uint32_t block = 1; out.size() < length; ++block) {
        const unsigned char index[4] = {static_cast<unsigned char>(block >> 24), static_cast<unsigned char>(block >> 16),
                                        static_cast<unsigned char>(block >> 8), static_cast<unsigned char>(block)};
        unsigned char u[crypto_auth_hmacsha256_BYTES], t[crypto_auth_hmacsha256_BYTES];
        crypto_auth_hmacsha256_state st = keyed;
        crypto_auth_hmacsha256_update(&st, reinterpret_cast<const unsigned char*>(salt.data()), salt.size());
        crypto_auth_hmacsha256_update(&st, index, sizeof index);
        crypto_auth_hmacsha256_final(&st, u);
        std::copy(std::begin(u), std::end(u), t);
        for (std::uint32_t i = 1; i < iterations; ++i) {
            st = keyed;
            crypto_auth_hmacsha256_update(&st, u, sizeof u);
            crypto_auth_hmacsha256_final(&st, u);
            for (std::size_t k = 0; k < sizeof t; ++k)
                t[k] ^= u[k];
        }
        out.append(reinterpret_cast<const char*>(t), std::min(sizeof t, length - out.size()));
    }
    sodium_memzero(&keyed, sizeof keyed);
    return out;
}

std::string HashPassword(std::string_view password, PasswordCost cost)
{
    NeedSodium();
    char stored[crypto_pwhash_STRBYTES];
    HashTurn turn;
    if (crypto_pwhash_str_alg(stored, password.data(), password.size(), cost.passes, cost.memoryBytes,
                              crypto_pwhash_ALG_ARGON2ID13) != 0)
        throw std::runtime_error("not enough memory to hash a password");
    return stored;
}

bool VerifyPassword(std::string_view password, std::string_view stored)
{
    NeedSodium();
    if (stored.starts_with(kPbkdf2Scheme))
        return VerifyPbkdf2(password, stored);
    if (!stored.starts_with("$argon2id$") || stored.size() >= crypto_pwhash_STRBYTES)
        return false;
    const std::string text(stored); // crypto_pwhash_str_verify wants it ended by a zero
    HashTurn turn;
    return crypto_pwhash_str_verify(text.c_str(), password.data(), password.size()) == 0;
}

bool NeedsRehash(std::string_view stored, PasswordCost cost)
{
    NeedSodium();
    if (!stored.starts_with("$argon2id$") || stored.size() >= crypto_pwhash_STRBYTES)
        return true;
    const std::string text(stored);
    return crypto_pwhash_str_needs_rehash(text.c_str(), cost.passes, cost.memoryBytes) != 0;
}

void VerifyAgainstNothing(std::string_view password, PasswordCost cost)
{
    NeedSodium();
    unsigned char out[32];
    unsigned char salt[crypto_pwhash_SALTBYTES] = {};
    HashTurn turn;
    if (crypto_pwhash(out, sizeof out, password.data(), password.size(), salt, cost.passes, cost.memoryBytes,
                      crypto_pwhash_ALG_ARGON2ID13) != 0)
        return; // no memory: the refusal comes a little sooner
}

} // namespace server
