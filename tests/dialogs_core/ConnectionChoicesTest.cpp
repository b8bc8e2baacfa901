// The rules behind the "Connection Options" and "Connect To Server" dialogs.
#include "exchange/ConnectionChoices.h"
#include "store/StarterLibrary.h"
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>

using namespace exchange;

namespace {

std::string Repeat(const std::string& piece, int times)
{
    std::string s;
    for (int i = 0; i < times; ++i)
        s += piece;
    return s;
}

std::string Describe(const ConnectionSettings& s)
{
    return s.userName + "|" + s.password + "|" + s.address + "|" + std::to_string(s.port);
}

} // namespace

TEST(ConnectionChoices, PortRangeAndLengthsCountCharactersNotBytesAndAnExchangeNeedsPortUserAndAddress)
{
    const std::optional<std::string> fine;
    const std::string badPort = "Please enter an integer between 10 and 10000.";
    // Accented letters are two UTF-8 bytes but one character on the wire.
    const std::string e16 = Repeat("\xC3\xA9", 16), u20 = Repeat("\xC3\xBC", 20), a80 = Repeat("a", 80);
    const struct {
        ConnectionSettings settings;
        std::optional<std::string> problem;
    } cases[] = {
        {{"anna", "secret", "127.0.0.1", 7700}, fine},
        {{"anna", "", "h", 10}, fine},
        {{"anna", "", "h", 10000}, fine},
        {{"anna", "", "h", 9}, badPort},
        {{"anna", "", "h", 10001}, badPort},
        {{"anna", "", "h", -10}, badPort},
        {{"anna", e16, "h", 7700}, fine},
        {{"anna", e16 + "x", "h", 7700}, "The password may have at most 16 characters."},
        {{u20, "", "h", 7700}, fine},
        {{u20 + "u", "", "h", 7700}, "The user name may have at most 20 characters."},
        {{"anna", "", a80, 7700}, fine},
        {{"anna", "", a80 + "a", 7700}, "The IP address may have at most 80 characters."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings.userName + " / " + c.settings.address + " / " + std::to_string(c.settings.port));
        EXPECT_EQ(ConnectionSettingsProblem(c.settings), c.problem);
    }

    // An exchange needs a port, a user and an address.
    EXPECT_TRUE(ConnectionSettingsComplete({"anna", "", "h", 7700})) << "a password may be empty";
    EXPECT_FALSE(ConnectionSettingsComplete({"anna", "pw", "h", 0}));
    EXPECT_FALSE(ConnectionSettingsComplete({"", "pw", "h", 7700}));
    EXPECT_FALSE(ConnectionSettingsComplete({"anna", "pw", "", 7700}));
}

class ConnectionSettingsStore : public testing_support::DataFilesTest {
protected:
    void SetUp() override
    {
        DataFilesTest::SetUp();
        ASSERT_TRUE(store::LoadStarterLibrary());
    }
};

TEST_F(ConnectionSettingsStore, SavedSettingsReadBackAndARefusalStoresNothing)
{
    ASSERT_TRUE(SaveConnectionSettings({"J\xC3\xB6rg", "pa\"ss'w", "server.example", 9000}));
    const std::string saved = "J\xC3\xB6rg|pa\"ss'w|server.example|9000";
    EXPECT_EQ(Describe(ReadConnectionSettings()), saved);
    EXPECT_TRUE(port.messages.empty());

    // A refused port keeps every field as it was, the valid ones too.
    EXPECT_FALSE(SaveConnectionSettings({"other", "x", "10.0.0.1", 5}));
    EXPECT_TRUE(port.Saw("Please enter an integer between 10 and 10000."));
    EXPECT_EQ(Describe(ReadConnectionSettings()), saved);
    EXPECT_EQ(testing_support::QueryInt(0, "SELECT COUNT(*) FROM Options"), 1) << "the row is updated, not added";
}
