// "Connect To Server" and "Connection Options" against the sync server on a
// loopback port.
#include "GuiTest.h"

#include "PasswordHash.h"
#include "ServerStore.h"
#include "SyncServer.h"
#include "exchange/ConnectionChoices.h"
#include "exchange/qt/CConnectToServerDlg.h"
#include "exchange/qt/CConnectionOptionsDlg.h"
#include "support/sync/SyncTestSupport.h"

#include <QStatusBar>

namespace gui_test {
namespace {

using exchange::ReceiveMode;
using exchange::qt::CConnectionOptionsDlg;
using exchange::qt::CConnectToServerDlg;
using synctest::kToday;
using synctest::RunningServerOnAnOptionsPort;
using testing_support::QueryInt;

class ServerDialogsTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        server::ServerStore admin(Store());
        ASSERT_TRUE(admin.addUser("anna", "pw-of-anna"));
        server::Job today, later;
        today.header = {.docNumber = "J-1", .dwellingAddress = "4 Oak Lane", .clientName = "Today's Client",
                        .docType = "Home Inspection", .date = kToday};
        later.header = {.docNumber = "J-2", .clientName = "Later Client", .date = {2031, 6, 2}};
        admin.putJobs({today, later});
    }
    std::string Store() const { return folder.File("server.db"); }
    // The received jobs in the inspection data: Doc #, client and address.
    std::string Received()
    {
        return testing_support::QueryText(1, "SELECT group_concat(InspectionNum || ':' || ClientName || ':' || "
                                             "ifnull(DwellingAddress, ''), '|') FROM (SELECT * FROM Inspection "
                                             "WHERE InspectionNum LIKE 'J-%' ORDER BY InspectionNum)");
    }
};

TEST_F(ServerDialogsTest, OptionsRefuseBadValuesThenTheExchangeReceivesAndSends)
{
    const auto server = RunningServerOnAnOptionsPort(Store());
    ASSERT_TRUE(server) << "no port between 9000 and 10000 was free";
    PrepareInspection("S-1", "Finished Client");
    const int finished = CurrentInspectionID();

    // No settings yet: OK opens the connection options instead of connecting.
    auto options = AnswerDialog<CConnectionOptionsDlg>([&](CConnectionOptionsDlg* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Connection Options");
        QTest::keyClicks(dialog->UserNameEdit(), "anna");
        QTest::keyClicks(dialog->PasswordEdit(), "0123456789abcdefg"); // 17 characters
        EXPECT_EQ(dialog->PasswordEdit()->text(), "0123456789abcdef") << "the field keeps 16";
        Retype(dialog->PasswordEdit(), "pw-of-anna");
        QTest::keyClicks(dialog->AddressEdit(), "127.0.0.1");
        QTest::keyClicks(dialog->PortEdit(), "5");
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
        EXPECT_TRUE(dialog->isVisible()) << "port 5 is refused and the dialog stays";
        EXPECT_TRUE(port.Saw("Please enter an integer between 10 and 10000."));
        Retype(dialog->PortEdit(), QString::number(server->port()));
        QTest::keyClick(dialog->PortEdit(), Qt::Key_Return);
        EXPECT_FALSE(dialog->isVisible());
    });
    auto connect = AnswerDialog<CConnectToServerDlg>([&](CConnectToServerDlg* dialog) {
        EXPECT_TRUE(dialog->ReceiveBox()->isChecked());
        EXPECT_TRUE(dialog->ModeButton(ReceiveMode::Today)->isChecked());
        EXPECT_FALSE(dialog->SendBox()->isChecked());
        EXPECT_FALSE(dialog->SendList()->isEnabled());
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton); // opens the options (answered above)
        ASSERT_TRUE(*options);
        ASSERT_TRUE(dialog->isVisible()) << "no exchange without settings";

        ClickButton(dialog->SendBox());
        ASSERT_TRUE(dialog->SendList()->isEnabled());
        ASSERT_EQ(dialog->SendList()->topLevelItemCount(), 1);
        EXPECT_EQ(dialog->SendList()->topLevelItem(0)->text(1), "Finished Client");
        ClickCell(dialog->SendList(), 0, 1);
        ClickCell(dialog->SendList(), 0, 1); // a second click takes the mark away
        EXPECT_EQ(dialog->SendList()->topLevelItem(0)->text(0), "");
        ClickCell(dialog->SendList(), 0, 2);
        EXPECT_EQ(dialog->SendList()->topLevelItem(0)->text(0), "*");
        EXPECT_EQ(dialog->MarkedInspections(), std::vector<std::int32_t>{finished});
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton); // the exchange runs here
        EXPECT_FALSE(dialog->isVisible()) << port.AllText();
    });
    Trigger(app::qt::cmd::ConnectToServer);
    ASSERT_TRUE(*connect);

    // Today's job arrived, the later one did not; the finished inspection reached the server.
    EXPECT_EQ(Received(), "J-1:Today's Client:4 Oak Lane");
    const auto sent = server::ServerStore(Store()).sent(std::nullopt);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].header.docNumber + "|" + sent[0].header.clientName + "|" + sent[0].sentBy,
              "S-1|Finished Client|anna");
    // The document sees the received inspection and still stands on its own.
    EXPECT_EQ(doc->GetInspectionCount(), 2);
    EXPECT_EQ(CurrentInspectionID(), finished);
    EXPECT_TRUE(frame->statusBar()->currentMessage().contains("1 new")) << frame->statusBar()->currentMessage().toStdString();
    EXPECT_TRUE(std::any_of(port.progressLog.begin(), port.progressLog.end(),
                            [](const std::string& s) { return s == "title: Connection to Server"; }));

    // Everything on offer, once more: J-1 is updated in place, J-2 is new.
    connect = AnswerDialog<CConnectToServerDlg>([](CConnectToServerDlg* dialog) {
        ClickButton(dialog->ModeButton(ReceiveMode::All));
        EXPECT_EQ(dialog->ChosenReceiveMode(), ReceiveMode::All);
        EXPECT_TRUE(dialog->MarkedInspections().empty()) << "sending is not ticked";
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
    Trigger(app::qt::cmd::ConnectToServer);
    ASSERT_TRUE(*connect);
    EXPECT_EQ(Received(), "J-1:Today's Client:4 Oak Lane|J-2:Later Client:");
    EXPECT_EQ(doc->GetInspectionCount(), 3);
}

TEST_F(ServerDialogsTest, AWrongPasswordKeepsTheDialogOpen)
{
    const auto server = RunningServerOnAnOptionsPort(Store());
    ASSERT_TRUE(server);
    ASSERT_TRUE(exchange::SaveConnectionSettings({"anna", "wrong", "127.0.0.1", server->port()}));
    const long long before = QueryInt(1, "SELECT COUNT(*) FROM Inspection");
    auto connect = AnswerDialog<CConnectToServerDlg>([](CConnectToServerDlg* dialog) {
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
        EXPECT_TRUE(dialog->isVisible()) << "a refused login leaves the dialog open";
        dialog->reject();
    });
    Trigger(app::qt::cmd::ConnectToServer);
    ASSERT_TRUE(*connect);
    EXPECT_TRUE(port.Saw("ERROR:")) << port.AllText();
    EXPECT_EQ(QueryInt(1, "SELECT COUNT(*) FROM Inspection"), before);
}

} // namespace
} // namespace gui_test
