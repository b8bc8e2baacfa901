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

ConnectionSettings Valid()
{
    return {"anna", "secret", "127.0.0.1", 7700};
}

} // namespace

TEST(ConnectionChoices, PortRangeAndLengthsCountCharactersNotBytes)
{
    EXPECT_FALSE(ConnectionSettingsProblem(Valid()));
    for (int port : {10, 10000})
        EXPECT_FALSE(ConnectionSettingsProblem({"anna", "", "h", port})) << port;
    for (int port : {0, 5, 9, 10001, -10})
        EXPECT_EQ(ConnectionSettingsProblem({"anna", "", "h", port}),
                  std::optional<std::string>("Please enter an integer between 10 and 10000."))
            << port;

    // Accented letters are two UTF-8 bytes but one character on the wire.
    auto s = Valid();
    s.password = Repeat("\xC3\xA9", 16);
    EXPECT_FALSE(ConnectionSettingsProblem(s));
    s.password += "x";
    EXPECT_EQ(ConnectionSettingsProblem(s), std::optional<std::string>("The password may have at most 16 characters."));

    s = Valid();
    s.userName = Repeat("\xC3\xBC", 20);
    EXPECT_FALSE(ConnectionSettingsProblem(s));
    s.userName += "u";
    EXPECT_TRUE(ConnectionSettingsProblem(s));

    s = Valid();
    s.address = Repeat("a", 80);
    EXPECT_FALSE(ConnectionSettingsProblem(s));
    s.address += "a";
    EXPECT_EQ(ConnectionSettingsProblem(s),
              std::optional<std::string>("The IP address may have at most 80 characters."));
}

TEST(ConnectionChoices, AnExchangeNeedsPortUserAndAddress)
{
    EXPECT_TRUE(ConnectionSettingsComplete(Valid()));
    EXPECT_TRUE(ConnectionSettingsComplete({"anna", "", "h", 7700})) << "a password may be empty";
    EXPECT_FALSE(ConnectionSettingsComplete({"anna", "pw", "h", 0}));
    EXPECT_FALSE(ConnectionSettingsComplete({"", "pw", "h", 7700}));
    EXPECT_FALSE(ConnectionSettingsComplete({"anna", "pw", "", 7700}));
}

namespace {
class ConnectionSettingsStore : public testing_support::DataFilesTest {
protected:
    void SetUp() override
    {
        DataFilesTest::SetUp();
        ASSERT_TRUE(store::LoadStarterLibrary());
    }
};
} // namespace

TEST_F(ConnectionSettingsStore, SavedSettingsReadBackAndARefusalStoresNothing)
{
    ConnectionSettings s{"J\xC3\xB6rg", "pa\"ss'w", "server.example", 9000};
    ASSERT_TRUE(SaveConnectionSettings(s));
    const ConnectionSettings back = ReadConnectionSettings();
    EXPECT_EQ(back.userName, s.userName);
    EXPECT_EQ(back.password, s.password);
    EXPECT_EQ(back.address, s.address);
    EXPECT_EQ(back.port, 9000);
    EXPECT_TRUE(port.messages.empty());

    // A refused port keeps every field as it was, the valid ones too.
    EXPECT_FALSE(SaveConnectionSettings({"other", "x", "10.0.0.1", 5}));
    EXPECT_TRUE(port.Saw("Please enter an integer between 10 and 10000."));
    EXPECT_EQ(ReadConnectionSettings().userName, s.userName);
    EXPECT_EQ(ReadConnectionSettings().port, 9000);
    EXPECT_EQ(testing_support::QueryInt(0, "SELECT COUNT(*) FROM Options"), 1) << "the row is updated, not added";
}
