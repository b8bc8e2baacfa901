#pragma once
// The server connection settings as the "Connection Options" dialog edits them
// and the "Connect To Server" dialog checks them: user name, password, server
// address and port, kept in the first options row.
#include <cstdint>
#include <optional>
#include <string>

namespace exchange {

// The most characters each text may hold. They travel as Windows-1252, one
// byte per character, so characters are counted, not UTF-8 bytes.
inline constexpr int kMaxUserNameLength = 20;
inline constexpr int kMaxPasswordLength = 16;
inline constexpr int kMaxAddressLength = 80;
inline constexpr int kMinServerPort = 10;
inline constexpr int kMaxServerPort = 10000;

struct ConnectionSettings {
    std::string userName;
    std::string password;
    std::string address; // a dotted address or a host name
    std::int32_t port = 0;
};

// The number of characters of a UTF-8 text.
int CharacterCount(const std::string& utf8);

// The message that refuses `settings`, or nothing when they may be stored.
// The port must lie between 10 and 10000 ("Please enter an integer between 10
// and 10000."); the texts must keep to their lengths.
std::optional<std::string> ConnectionSettingsProblem(const ConnectionSettings& settings);

// The settings of the first options row.
ConnectionSettings ReadConnectionSettings();

// Checks `settings` and writes them into the first options row. On a refusal
// the message goes through the user-interaction port and nothing is stored.
bool SaveConnectionSettings(const ConnectionSettings& settings);

// Whether an exchange may start: a port, a user name and an address are set.
// Without them the "Connection Options" dialog is opened instead.
bool ConnectionSettingsComplete(const ConnectionSettings& settings);

} // namespace exchange
