// The data files keep SQLite's locks while the desktop program runs: each of
// its file dialogs, shown on the data folder, leaves them in place, so another
// program using the files never takes itself for the last user, and every edit
// reaches the files and survives a crash.
#include "support/RunCommand.h"
#include "support/qt/FreshHome.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

namespace fs = std::filesystem;

// The lines of /proc/locks held by process `pid`.
int LocksOf(qint64 pid)
{
    std::ifstream locks("/proc/locks");
    int count = 0;
    for (std::string line; std::getline(locks, line);) {
        std::istringstream fields(line);
        std::string number, kind, mode, access, owner;
        fields >> number >> kind;
        if (kind == "->") // a waiter, not a lock held
            continue;
        fields >> mode >> access >> owner;
        count += owner == std::to_string(pid);
    }
    return count;
}

// The locks of `pid` once they settle on `expected`, or after two seconds. The
// program may hold a passing lock of its own for a moment (a read, its dialog
// settings); a lock SQLite lost never comes back.
int SettledLocksOf(qint64 pid, int expected)
{
    QDeadlineTimer deadline(2000);
    int locks = LocksOf(pid);
    while (locks != expected && !deadline.hasExpired()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        locks = LocksOf(pid);
    }
    return locks;
}

std::string Query(const std::string& file, const std::string& sql)
{
    sqlite3* db = nullptr;
    std::string value = "(no answer)";
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            value = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return value;
}

class DataFileLockTest : public ::testing::Test {
protected:
    // Runs inspector-cli in the fresh home to its end.
    static testing_support::CommandResult Cli(const std::string& arguments)
    {
        return testing_support::RunCommand("'" INSPECTOR_BINARY_DIR "/src/inspector-cli' " + arguments + " 2>&1");
    }

    // The next line the program writes, waiting 30 seconds at most.
    std::string Line()
    {
        const QDeadlineTimer deadline(30000);
        while (!program.canReadLine() && !deadline.hasExpired() && program.state() == QProcess::Running)
            program.waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
        return program.canReadLine() ? program.readLine().trimmed().toStdString() : "(nothing: " +
                                       program.readAllStandardError().toStdString() + ")";
    }
    void Tell(const std::string& line) { program.write((line + "\n").c_str()); }

    testing_support::qt::FreshHome home;
    const std::string templatePath = home.DataFolder() + "/Template_Data.cdb";
    const std::string inspectionPath = home.DataFolder() + "/Inspection_Data.cdb";
    QProcess program;
};

TEST_F(DataFileLockTest, FileDialogsKeepTheLocksAndEditsSurviveAnotherUserAndAKill)
{
    // A new installation: the data files go to the application data folder.
    const auto init = Cli("init");
    ASSERT_EQ(init.status, 0) << init.output;
    ASSERT_TRUE(fs::exists(templatePath)) << init.output;
    Query(templatePath, "INSERT INTO Owner (Name) VALUES ('Lock Keeper Inspections')");
    const int pictureNumber = std::stoi(Query(templatePath, "SELECT NextPictNumber FROM Options"));

    QProcessEnvironment programEnv = QProcessEnvironment::systemEnvironment(); // the fresh home's
    programEnv.insert("QT_QPA_PLATFORM", "offscreen");
    programEnv.insert("INSPECTOR_TEST_DIALOGS", QString::fromStdString(home.DataFolder()));
    program.setProcessEnvironment(programEnv);
    program.start(QStringLiteral(INSPECTOR_BINARY_DIR "/src/inspector"), {});
    ASSERT_TRUE(program.waitForStarted(10000));

    int before = -1;
    for (std::string line = Line(); line != "dialogs done"; line = Line()) {
        ASSERT_TRUE(line.rfind("ready ", 0) == 0 || line.rfind("closed ", 0) == 0) << line;
        SCOPED_TRACE(line);
        const int locks = LocksOf(program.processId());
        if (before < 0) {
            before = locks;
            // Both databases hold locks (their files and shared memory).
            ASSERT_GE(before, 4);
        }
        EXPECT_EQ(SettledLocksOf(program.processId(), before), before);
        Tell("go");
    }

    // Another program opens the files and closes them again: it must not take
    // itself for the last user (and fold away the write-ahead log).
    const auto list = Cli("list");
    ASSERT_EQ(list.status, 0) << list.output;
    EXPECT_EQ(SettledLocksOf(program.processId(), before), before);

    Tell("write Kept After Kill");
    ASSERT_EQ(Line(), "written");
    EXPECT_EQ(Query(inspectionPath, "SELECT count(*) FROM Inspection WHERE ClientName = 'Kept After Kill'"), "1");

    program.kill();
    program.waitForFinished(10000);
    EXPECT_EQ(Query(inspectionPath, "SELECT count(*) FROM Inspection WHERE ClientName = 'Kept After Kill'"), "1");
    EXPECT_EQ(Query(templatePath, "SELECT NextPictNumber FROM Options"), std::to_string(pictureNumber + 1));
}

} // namespace
