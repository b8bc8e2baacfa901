#include "PasswordHash.h"

#include <cstring>
#include <stdexcept>
#include <vector>

#include <sys/random.h>

namespace server {
namespace {

constexpr std::uint32_t K[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr std::uint32_t Rotr(std::uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

class Sha256State {
public:
    void update(std::string_view data)
    {
        for (unsigned char c : data) {
            m_block[m_used++] = c;
            if (m_used == 64) {
                compress();
                m_used = 0;
            }
        }
        m_length += data.size();
    }

    Sha256Digest finish()
    {
        const std::uint64_t bits = m_length * 8;
        m_block[m_used++] = 0x80;
        if (m_used > 56) {
            while (m_used < 64)
                m_block[m_used++] = 0;
            compress();
            m_used = 0;
        }
        while (m_used < 56)
            m_block[m_used++] = 0;
        for (int i = 7; i >= 0; --i)
            m_block[m_used++] = static_cast<std::uint8_t>(bits >> (8 * i));
        compress();
        Sha256Digest out;
        for (int i = 0; i < 8; ++i)
            for (int j = 0; j < 4; ++j)
                out[4 * i + j] = static_cast<std::uint8_t>(m_h[i] >> (24 - 8 * j));
        return out;
    }

private:
    void compress()
    {
        std::uint32_t w[64];
        for (int i = 0; i < 16; ++i)
            w[i] = std::uint32_t(m_block[4 * i]) << 24 | std::uint32_t(m_block[4 * i + 1]) << 16 |
                   std::uint32_t(m_block[4 * i + 2]) << 8 | std::uint32_t(m_block[4 * i + 3]);
        for (int i = 16; i < 64; ++i) {
            const std::uint32_t s0 = Rotr(w[i - 15], 7) ^ Rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
            const std::uint32_t s1 = Rotr(w[i - 2], 17) ^ Rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
            w[i] = w[i - 16] + s0 + w[i - 7] + s1;
        }
        std::uint32_t a = m_h[0], b = m_h[1], c = m_h[2], d = m_h[3], e = m_h[4], f = m_h[5],
                      g = m_h[6], h = m_h[7];
        for (int i = 0; i < 64; ++i) {
            const std::uint32_t t1 =
                h + (Rotr(e, 6) ^ Rotr(e, 11) ^ Rotr(e, 25)) + ((e & f) ^ (~e & g)) + K[i] + w[i];
            const std::uint32_t t2 = (Rotr(a, 2) ^ Rotr(a, 13) ^ Rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
            h = g;
            g = f;
            f = e;
            e = d + t1;
            d = c;
            c = b;
            b = a;
            a = t1 + t2;
        }
        m_h[0] += a;
        m_h[1] += b;
        m_h[2] += c;
        m_h[3] += d;
        m_h[4] += e;
        m_h[5] += f;
        m_h[6] += g;
        m_h[7] += h;
    }

    std::uint32_t m_h[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                            0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    std::uint8_t m_block[64] = {};
    std::size_t m_used = 0;
    std::uint64_t m_length = 0;
};

std::string_view View(const Sha256Digest& d)
{
    return {reinterpret_cast<const char*>(d.data()), d.size()};
}

// HMAC with the key's inner and outer pads hashed once, reused for every block.
class Hmac {
public:
    explicit Hmac(std::string_view key)
    {
        std::string k(key.size() > 64 ? std::string(View(Sha256(key))) : std::string(key));
        k.resize(64, '\0');
        std::string ipad(64, '\0'), opad(64, '\0');
        for (int i = 0; i < 64; ++i) {
            ipad[i] = static_cast<char>(k[i] ^ 0x36);
            opad[i] = static_cast<char>(k[i] ^ 0x5c);
        }
        m_inner.update(ipad);
        m_outer.update(opad);
    }
    Sha256Digest operator()(std::string_view message) const
    {
        Sha256State inner = m_inner;
        inner.update(message);
        const Sha256Digest innerDigest = inner.finish();
        Sha256State outer = m_outer;
        outer.update(View(innerDigest));
        return outer.finish();
    }

private:
    Sha256State m_inner, m_outer;
};

std::string FromHex(std::string_view hex, bool& ok)
{
    ok = hex.size() % 2 == 0;
    std::string out;
    auto nibble = [&](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        ok = false;
        return 0;
    };
    for (std::size_t i = 0; ok && i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<char>(nibble(hex[i]) << 4 | nibble(hex[i + 1])));
    return out;
}

constexpr std::string_view kScheme = "pbkdf2-sha256";

} // namespace

Sha256Digest Sha256(std::string_view data)
{
    Sha256State s;
    s.update(data);
    return s.finish();
}

Sha256Digest HmacSha256(std::string_view key, std::string_view message) { return Hmac(key)(message); }

std::string Pbkdf2Sha256(std::string_view password, std::string_view salt, std::uint32_t iterations,
                         std::size_t length)
{
    const Hmac prf(password);
    std::string out;
    for (std::uint32_t block = 1; out.size() < length; ++block) {
        std::string first(salt);
        for (int i = 3; i >= 0; --i)
            first.push_back(static_cast<char>(block >> (8 * i)));
        Sha256Digest u = prf(first);
        Sha256Digest t = u;
        for (std::uint32_t i = 1; i < iterations; ++i) {
            u = prf(View(u));
            for (std::size_t j = 0; j < t.size(); ++j)
                t[j] ^= u[j];
        }
        out.append(View(t));
    }
    out.resize(length);
    return out;
}

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

std::string HashPassword(std::string_view password, std::uint32_t iterations)
{
    if (iterations == 0)
        iterations = 1;
    std::string salt(16, '\0');
    std::size_t got = 0;
    while (got < salt.size()) {
        const ssize_t n = ::getrandom(salt.data() + got, salt.size() - got, 0);
        if (n <= 0)
            throw std::runtime_error("no random bytes for a password salt");
        got += static_cast<std::size_t>(n);
    }
    return std::string(kScheme) + "$" + std::to_string(iterations) + "$" + ToHex(salt) + "$" +
           ToHex(Pbkdf2Sha256(password, salt, iterations, 32));
}

bool VerifyPassword(std::string_view password, std::string_view stored)
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
    if (parts[0] != kScheme || parts[1].empty() || parts[1].size() > 9)
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
    if (!okSalt || !okHash || iterations == 0 || expected.empty())
        return false;
    const std::string actual = Pbkdf2Sha256(password, salt, iterations, expected.size());
    unsigned char diff = 0;
    for (std::size_t i = 0; i < expected.size(); ++i)
        diff |= static_cast<unsigned char>(actual[i] ^ expected[i]);
    return diff == 0;
}

void VerifyAgainstNothing(std::string_view password)
{
    static const std::string dummy = HashPassword("", kDefaultIterations);
    (void)VerifyPassword(password, dummy);
}

} // namespace server
