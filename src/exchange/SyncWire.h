#pragma once
// The bytes of the server exchange, shared by the desktop client and the sync server.
//
// The client drives: every command is a line ended by a carriage return alone
// ("INSP\r"); every field value it sends ends with the byte 0x04. Every
// message, either way, is one write of at most 2,047 bytes (a peer reads it
// into a 2,048-byte buffer with one receive), and the server answers each
// message with exactly one reply and sends nothing unasked. A reply carries
// no length or terminator of its own:
//   - a line (the login and send confirmations, the "CONT" count) ends with a
//     carriage return, which a peer may leave out of the count;
//   - a text value (a document number, a header field) is sent bare, and the
//     empty value as the single byte 0x04;
//   - the document type identifier is exactly four bytes, little-endian;
//   - the reply to a value the client sends is read and not examined.
// Text travels as Windows-1252.
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace exchange::wire {

inline constexpr char kEndOfLine = '\r';
inline constexpr char kEndOfValue = '\x04';

inline constexpr std::string_view kConfirm = "CNFM\r";
inline constexpr std::string_view kDeny = "DENY\r";
inline constexpr std::string_view kCount = "CONT";
inline constexpr std::string_view kUser = "USER ";
inline constexpr std::string_view kPass = "PASS ";
inline constexpr std::string_view kReceive = "RECV ";
inline constexpr std::string_view kNextInspection = "INSP\r";
inline constexpr std::string_view kNextField = "FELD\r";
inline constexpr std::string_view kSend = "SEND ";
inline constexpr std::string_view kDone = "DONE\x04";
inline constexpr std::string_view kQuit = "QUIT\r";

// The words of the receive request, by receive mode (today, this week, all).
inline constexpr std::array<std::string_view, 3> kReceiveModes = {"today", "week", "all"};

// Received header fields, in the order the client asks for them after the document number.
inline constexpr int kReceivedFieldCount = 12;
// The received field (1-based) that is the four-byte document type identifier.
inline constexpr int kDocTypeIdField = 10;
// Sent values per inspection: the document number and ten header texts.
inline constexpr int kSentFieldCount = 11;

// The longest message either side sends: a peer's receive buffer holds 2,048
// bytes. A value the client sends is therefore at most 2,046 bytes before its 0x04.
inline constexpr std::size_t kMaxMessageBytes = 2047;
inline constexpr std::size_t kMaxSentValueBytes = kMaxMessageBytes - 1;
// A value reply this long may have been split on the way; the reader waits
// kSplitWait, once, for the rest of its segment.
inline constexpr std::size_t kLongValueBytes = 1024;
inline constexpr std::chrono::milliseconds kSplitWait{50};

// Largest single value or reply either side accepts. Far above any header
// field, small enough that a runaway peer cannot exhaust memory.
inline constexpr std::size_t kMaxValueBytes = 1u << 20;
// Longest command line the server accepts.
inline constexpr std::size_t kMaxLineBytes = 4096;
// Most inspections one "CONT" or "SEND" may announce.
inline constexpr int kMaxCount = 100000;

// A calendar date as it travels: month/day/year.
struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const Date&, const Date&) = default;
};

// The header fields of one inspection as they travel, in UTF-8.
struct Header {
    std::string docNumber;
    std::string dwellingAddress;
    std::string clientName;
    std::string agentName;
    std::string string4;
    std::string comments;
    std::string docType;
    std::string dwellingCityStateZip;
    std::string clientAddress;
    std::string clientCityStateZip;
    std::int32_t docTypeId = 0;
    std::string realEstateCompany;
    Date date;
    friend bool operator==(const Header&, const Header&) = default;
};

// The text field received as field `n` (1 to 12, not 10 or 12), or nullptr.
std::string* ReceivedTextField(Header& header, int n);
const std::string* ReceivedTextField(const Header& header, int n);
// The text sent as value `n` (0 to 10): the document number, then the header texts.
std::string* SentField(Header& header, int n);
const std::string* SentField(const Header& header, int n);

std::string EncodeInt32(std::int32_t value);           // four bytes, little-endian
std::int32_t DecodeInt32(std::string_view fourBytes); // inverse; needs exactly four bytes

// "3/15/2007": month/day/year without leading zeros.
std::string FormatDate(const Date& date);
// Splits at "/" into month, day and year; a part that is missing or not a
// number keeps its default (7, 10, 1066). A combination that is no calendar
// date (13/45/2007) gives the default date whole, so a garbled text never
// becomes an impossible date.
Date ParseDate(std::string_view text);
inline constexpr Date kDefaultDate{1066, 7, 10};
bool IsCalendarDate(const Date& date);

// The count of a "CONT" reply: the decimal digits from the sixth character on,
// stopping at the first non-digit. nullopt when the reply does not begin with
// "CONT" or the count is larger than kMaxCount.
std::optional<int> ParseCount(std::string_view reply);

// The value a value reply stands for: the single byte 0x04 is the empty
// value, and one trailing 0x04 (sent by servers of earlier builds) is dropped.
std::string_view ValueOfReply(std::string_view reply);
// The reply that carries `bytes` (Windows-1252): the bytes themselves, 0x04
// for the empty value, cut to kMaxMessageBytes. `cutFrom` receives the
// length before the cut, or 0 when nothing was cut.
std::string ValueReply(std::string bytes, std::size_t* cutFrom = nullptr);

// Whether the reply `got`, still without its carriage return, could yet
// become the line `expected` ("CNFM\r"): it is a proper beginning of it.
bool CouldBecome(std::string_view got, std::string_view expected);
// Whether a "CONT" reply without its carriage return could still grow: it is
// a beginning of "CONT", or "CONT", one character and digits only.
bool CountCouldGrow(std::string_view got);

// Why a value cannot travel: it holds the end-of-value byte, or is too long.
// nullopt when it can.
std::optional<std::string> ValueProblem(std::string_view wireBytes);

} // namespace exchange::wire
