// "Connect To Server" and "Connection Options" against the real
// inspector-server program on a loopback port.
#include "FeatureTest.h"

#include "ServerStore.h"
#include "exchange/ConnectionChoices.h"
#include "exchange/qt/CConnectToServerDlg.h"
#include "exchange/qt/CConnectionOptionsDlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QtTest/QTest>

#include <chrono>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace feature_test {
namespace {

using namespace std::chrono_literals;
using exchange::ReceiveMode;
using exchange::qt::CConnectionOptionsDlg;
using exchange::qt::CConnectToServerDlg;
using testing_support::QueryInt;

const std::string kServer = INSPECTOR_BINARY_DIR "/server/inspector-server";

pid_t Spawn(const std::vector<std::string>& argv, const std::string& output)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// The exit status of a program run to its end.
int RunProgram(const std::vector<std::string>& argv, const std::string& output)
{
    const pid_t pid = Spawn(argv, output);
    int status = 0;
    if (pid <= 0 || ::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Today in the local time zone, as the server schedules jobs.
std::string LocalToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &tm);
    return text;
}

// inspector-server serving its store on a port the connection options accept
// (10 to 10000), stopped with SIGTERM when the object goes.
class ServerProcess {
public:
    explicit ServerProcess(const testing_support::TempFolder& folder) : m_folder(folder)
    {
        std::mt19937 random(static_cast<unsigned>(::getpid()));
        const int first = 9000 + static_cast<int>(random() % 900);
        for (int attempt = 0; attempt < 40 && m_port == 0; ++attempt) {
            const int candidate = first + attempt * 7 % 1000;
            const std::string log = folder.File("server" + std::to_string(attempt) + ".log");
            const pid_t pid = Spawn({kServer, "--store", Store(), "--port", std::to_string(candidate)}, log);
            if (pid <= 0)
                break;
            for (int wait = 0; wait < 250; ++wait) {
                if (ReadFile(log).find("listening on") != std::string::npos) {
                    m_pid = pid;
                    m_port = candidate;
                    break;
                }
                int status = 0;
                if (::waitpid(pid, &status, WNOHANG) == pid)
                    break; // the port is taken: try another
                std::this_thread::sleep_for(20ms);
            }
            if (m_port == 0 && ::waitpid(pid, nullptr, WNOHANG) == 0) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, nullptr, 0);
            }
        }
    }
    ~ServerProcess()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    std::string Store() const { return m_folder.File("server.db"); }
    int Port() const { return m_port; }

private:
    const testing_support::TempFolder& m_folder;
    pid_t m_pid = -1;
    int m_port = 0;
};

class ServerDialogsTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        const std::string store = folder.File("server.db");
        const std::string out = folder.File("admin.out");
        ASSERT_EQ(RunProgram({kServer, "--store", store, "user", "add", "anna", "--password", "pw-of-anna"},
                      out),
                  0)
            << ReadFile(out);
        ASSERT_EQ(RunProgram({kServer, "--store", store, "job", "add", "--doc-num", "J-1", "--date", LocalToday(),
                       "--client-name", "Today's Client", "--dwelling-address", "4 Oak Lane", "--doc-type",
                       "Home Inspection"},
                      out),
                  0)
            << ReadFile(out);
        ASSERT_EQ(RunProgram({kServer, "--store", store, "job", "add", "--doc-num", "J-2", "--date", "2031-06-02",
                       "--client-name", "Later Client"},
                      out),
                  0)
            << ReadFile(out);
    }
};

TEST_F(ServerDialogsTest, OptionsRefuseBadValuesThenTheExchangeReceivesAndSends)
{
    ServerProcess server(folder);
    ASSERT_GT(server.Port(), 0) << "no port between 9000 and 10000 was free";
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
        EXPECT_EQ(exchange::ReadConnectionSettings().port, 0) << "nothing stored";
        Retype(dialog->PortEdit(), "10001");
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
        EXPECT_TRUE(dialog->isVisible());
        Retype(dialog->PortEdit(), QString::number(server.Port()));
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
    EXPECT_EQ(QueryInt(1, "SELECT COUNT(*) FROM Inspection WHERE InspectionNum = 'J-1' AND ClientName = "
                          "'Today''s Client' AND DwellingAddress = '4 Oak Lane'"),
              1);
    EXPECT_EQ(QueryInt(1, "SELECT COUNT(*) FROM Inspection WHERE InspectionNum = 'J-2'"), 0);
    const auto sent = server::ServerStore(server.Store()).sent(std::nullopt);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].header.docNumber, "S-1");
    EXPECT_EQ(sent[0].header.clientName, "Finished Client");
    EXPECT_EQ(sent[0].sentBy, "anna");
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
    EXPECT_EQ(QueryInt(1, "SELECT COUNT(*) FROM Inspection WHERE InspectionNum = 'J-1'"), 1);
    EXPECT_EQ(QueryInt(1, "SELECT COUNT(*) FROM Inspection WHERE InspectionNum = 'J-2'"), 1);
    EXPECT_EQ(doc->GetInspectionCount(), 3);
}

TEST_F(ServerDialogsTest, AWrongPasswordKeepsTheDialogOpen)
{
    ServerProcess server(folder);
    ASSERT_GT(server.Port(), 0);
    ASSERT_TRUE(exchange::SaveConnectionSettings({"anna", "wrong", "127.0.0.1", server.Port()}));
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
} // namespace feature_test
