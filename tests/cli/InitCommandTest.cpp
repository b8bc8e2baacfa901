// inspector-cli init, run as a user would run it.
#include "support/RunCommand.h"
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

using Result = testing_support::CommandResult;

// Runs inspector-cli with a private settings, documents and data folder.
Result Cli(const testing_support::TempFolder& home, const std::string& arguments)
{
    const std::string command = "XDG_CONFIG_HOME='" + home.File("config") + "' XDG_DOCUMENTS_DIR='" +
                                home.File("Documents") + "' XDG_DATA_HOME='" + home.File("share") +
                                "' '" INSPECTOR_BINARY_DIR "/src/inspector-cli' " + arguments + " 2>&1";
    return testing_support::RunCommand(command);
}

long long Count(const std::string& file, const std::string& sql)
{
    sqlite3* db = nullptr;
    long long n = -1;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            n = sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return n;
}

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

TEST(InitCommandTest, CreatesBothFilesWithStarterDataAndIsRepeatable)
{
    testing_support::TempFolder home;
    const auto first = Cli(home, "init");
    ASSERT_EQ(first.status, 0) << first.output;
    // A new installation keeps its data out of the documents folder.
    const std::string templates = home.File("share/Veltrane/Inspector/Template_Data.cdb");
    const std::string inspections = home.File("share/Veltrane/Inspector/Inspection_Data.cdb");
    EXPECT_NE(first.output.find(templates), std::string::npos) << first.output;
    EXPECT_GT(Count(templates, "SELECT count(*) FROM InspectionType"), 5);
    EXPECT_EQ(Count(templates, "SELECT count(*) FROM Options WHERE DataVersion = '5.0'"), 1);
    EXPECT_EQ(Count(templates, "SELECT count(*) FROM Owner"), 0);
    EXPECT_EQ(Count(inspections, "SELECT count(*) FROM sqlite_master WHERE name IN ('Inspection','Category','Step',"
                                 "'Field','UniqueID','MERGE_Inspection','MERGE_Category','MERGE_Step')"),
              8);
    const std::string settings = Contents(home.File("config/Veltrane/Inspector.conf"));
    EXPECT_NE(settings.find("TemplatePath=" + templates), std::string::npos) << settings;

    const long long comments = Count(templates, "SELECT count(*) FROM Comments");
    const auto second = Cli(home, "init");
    ASSERT_EQ(second.status, 0) << second.output;
    EXPECT_EQ(Count(templates, "SELECT count(*) FROM Comments"), comments); // nothing loaded twice
    EXPECT_EQ(Count(templates, "SELECT count(*) FROM Options"), 1);
}

TEST(InitCommandTest, RefusesAFileThatIsNotOursAndLeavesItAlone)
{
    testing_support::TempFolder home;
    const std::string foreign = home.File("notes.cdb");
    std::ofstream(foreign, std::ios::binary) << "These are my notes, not a database.";
    const auto r = Cli(home, "init --template '" + foreign + "' --inspection '" + home.File("i.cdb") + "'");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.output.find(foreign), std::string::npos) << r.output;
    EXPECT_EQ(Contents(foreign), "These are my notes, not a database.");

    const auto unknown = Cli(home, "no-such-command");
    EXPECT_EQ(unknown.status, 2);

    // An option the command does not take is refused before anything is written.
    const std::string pdf = home.File("x.pdf");
    const auto wrongOption = Cli(home, "report X --colour red -o '" + pdf + "'");
    EXPECT_EQ(wrongOption.status, 2);
    EXPECT_NE(wrongOption.output.find("unknown option --colour"), std::string::npos) << wrongOption.output;
    EXPECT_NE(wrongOption.output.find("Usage: inspector-cli report"), std::string::npos) << wrongOption.output;
    EXPECT_FALSE(std::ifstream(pdf).good());
}
