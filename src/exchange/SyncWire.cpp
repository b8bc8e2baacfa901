#include "exchange/SyncWire.h"

#include <charconv>
#include <chrono>

namespace exchange::wire {
namespace {

template <class H, class S>
S* ReceivedText(H& h, int n)
{
    switch (n) {
    case 1: return &h.dwellingAddress;
    case 2: return &h.clientName;
    case 3: return &h.agentName;
    case 4: return &h.string4;
    case 5: return &h.comments;
    case 6: return &h.docType;
    case 7: return &h.dwellingCityStateZip;
    case 8: return &h.clientAddress;
    case 9: return &h.clientCityStateZip;
    case 11: return &h.realEstateCompany;
    default: return nullptr;
    }
}

template <class H, class S>
S* SentText(H& h, int n)
{
    switch (n) {
    case 0: return &h.docNumber;
    case 1: return &h.dwellingAddress;
    case 2: return &h.clientName;
    case 3: return &h.agentName;
    case 4: return &h.string4;
    case 5: return &h.comments;
    case 6: return &h.docType;
    case 7: return &h.dwellingCityStateZip;
    case 8: return &h.clientAddress;
    case 9: return &h.clientCityStateZip;
    case 10: return &h.realEstateCompany;
    default: return nullptr;
    }
}

// Leading decimal digits of `s` as a number; nullopt when there are none or
// the number does not fit.
std::optional<long long> LeadingNumber(std::string_view s)
{
    std::size_t end = 0;
    while (end < s.size() && s[end] >= '0' && s[end] <= '9')
        ++end;
    if (end == 0 || end > 12)
        return std::nullopt;
    long long value = 0;
    std::from_chars(s.data(), s.data() + end, value);
    return value;
}

} // namespace

std::string* ReceivedTextField(Header& h, int n) { return ReceivedText<Header, std::string>(h, n); }
const std::string* ReceivedTextField(const Header& h, int n)
{
    return ReceivedText<const Header, const std::string>(h, n);
}
std::string* SentField(Header& h, int n) { return SentText<Header, std::string>(h, n); }
const std::string* SentField(const Header& h, int n) { return SentText<const Header, const std::string>(h, n); }

std::string EncodeInt32(std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
    return out;
}

std::int32_t DecodeInt32(std::string_view b)
{
    std::uint32_t u = 0;
    for (int i = 0; i < 4 && i < static_cast<int>(b.size()); ++i)
        u |= static_cast<std::uint32_t>(static_cast<unsigned char>(b[i])) << (8 * i);
    return static_cast<std::int32_t>(u);
}

std::string FormatDate(const Date& d)
{
    return std::to_string(d.month) + "/" + std::to_string(d.day) + "/" + std::to_string(d.year);
}

bool IsCalendarDate(const Date& d)
{
    if (d.year < 1 || d.year > 9999)
        return false;
    const std::chrono::year_month_day ymd{std::chrono::year{d.year},
                                          std::chrono::month{static_cast<unsigned>(d.month)},
                                          std::chrono::day{static_cast<unsigned>(d.day)}};
    return d.month >= 1 && d.month <= 12 && d.day >= 1 && ymd.ok();
}

Date ParseDate(std::string_view text)
{
    Date d = kDefaultDate;
    int* parts[3] = {&d.month, &d.day, &d.year};
    std::size_t start = 0;
    for (int i = 0; i < 3 && start <= text.size(); ++i) {
        std::size_t slash = text.find('/', start);
        if (slash == std::string_view::npos)
            slash = text.size();
        std::string_view part = text.substr(start, slash - start);
        while (!part.empty() && part.front() == ' ')
            part.remove_prefix(1);
        if (auto n = LeadingNumber(part); n && *n <= 9999)
            *parts[i] = static_cast<int>(*n);
        start = slash + 1;
    }
    return IsCalendarDate(d) ? d : kDefaultDate;
}

std::optional<int> ParseCount(std::string_view reply)
{
    if (!reply.starts_with(kCount))
        return std::nullopt;
    if (reply.size() <= kCount.size() + 1)
        return 0;
    const auto n = LeadingNumber(reply.substr(kCount.size() + 1));
    if (!n)
        return 0;
    if (*n > kMaxCount)
        return std::nullopt;
    return static_cast<int>(*n);
}

std::string_view ValueOfReply(std::string_view reply)
{
    if (!reply.empty() && reply.back() == kEndOfValue)
        reply.remove_suffix(1);
    return reply;
}

std::string ValueReply(std::string bytes, std::size_t* cutFrom)
{
    if (cutFrom)
        *cutFrom = bytes.size() > kMaxMessageBytes ? bytes.size() : 0;
    if (bytes.empty())
        return std::string(1, kEndOfValue);
    if (bytes.size() > kMaxMessageBytes)
        bytes.resize(kMaxMessageBytes);
    return bytes;
}

bool CouldBecome(std::string_view got, std::string_view expected)
{
    return got.size() < expected.size() && expected.starts_with(got);
}

bool CountCouldGrow(std::string_view got)
{
    if (got.size() <= kCount.size())
        return kCount.starts_with(got);
    if (!got.starts_with(kCount))
        return false;
    for (const char c : got.substr(kCount.size() + 1))
        if (c < '0' || c > '9')
            return false;
    return true;
}

std::optional<std::string> ValueProblem(std::string_view bytes)
{
    if (bytes.find(kEndOfValue) != std::string_view::npos)
        return std::string("it contains the control character 0x04");
    if (bytes.size() > kMaxValueBytes)
        return "it is longer than " + std::to_string(kMaxValueBytes) + " bytes";
    return std::nullopt;
}

} // namespace exchange::wire
