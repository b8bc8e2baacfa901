#include "exchange/ConnectionChoices.h"

#include "store/Options.h"
#include "text/Windows1252.h"
#include "ui/Port.h"

namespace exchange {

int CharacterCount(const std::string& utf8)
{
    int count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++count)
        text::NextCodePoint(utf8, pos);
    return count;
}

std::optional<std::string> ConnectionSettingsProblem(const ConnectionSettings& s)
{
    if (CharacterCount(s.userName) > kMaxUserNameLength)
        return "The user name may have at most " + std::to_string(kMaxUserNameLength) + " characters.";
    if (CharacterCount(s.password) > kMaxPasswordLength)
        return "The password may have at most " + std::to_string(kMaxPasswordLength) + " characters.";
    if (CharacterCount(s.address) > kMaxAddressLength)
        return "The IP address may have at most " + std::to_string(kMaxAddressLength) + " characters.";
    if (s.port < kMinServerPort || s.port > kMaxServerPort)
        return "Please enter an integer between " + std::to_string(kMinServerPort) + " and " +
               std::to_string(kMaxServerPort) + ".";
    return std::nullopt;
}

ConnectionSettings ReadConnectionSettings()
{
    const store::Options options;
    return {options.m_UserName, options.m_Pswrd, options.m_IPAddress, options.m_Port};
}

bool SaveConnectionSettings(const ConnectionSettings& settings)
{
    if (const auto problem = ConnectionSettingsProblem(settings)) {
        ui::CurrentPort().inform(*problem);
        return false;
    }
    store::Options options;
    if (options.GetCount() == 0) {
        ui::CurrentPort().inform("The options row is missing: the connection settings cannot be stored.");
        return false;
    }
    options.m_UserName = settings.userName;
    options.m_Pswrd = settings.password;
    options.m_IPAddress = settings.address;
    options.m_Port = settings.port;
    return options.Save();
}

bool ConnectionSettingsComplete(const ConnectionSettings& settings)
{
    return settings.port != 0 && !settings.userName.empty() && !settings.address.empty();
}

} // namespace exchange
