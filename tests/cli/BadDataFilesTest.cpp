// inspector-cli init, and the data files that are not ours, damaged, newer,
// read-only, or on a full disk that it meets.
#include "support/RunCommand.h"
#include "support/TempDataFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using ::testing::HasSubstr;

using Result = testing_support::CommandResult;

// Runs `prefix inspector-cli arguments` in a shell with a private settings, documents and data folder.
Result Cli(const testing_support::TempFolder& home, const std::string& arguments, const std::string& prefix = {})
{
    const std::string command = "export XDG_CONFIG_HOME='" + home.File("config") + "' XDG_DOCUMENTS_DIR='" +
                                home.File("Documents") + "' XDG_DATA_HOME='" + home.File("share") + "'; " + prefix +
                                " '" +
                                INSPECTOR_BINARY_DIR "/src/inspector-cli' " + arguments + " 2>&1";
    return testing_support::RunCommand(command);
}

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Sql(const std::string& path, const std::string& sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
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

std::string Files(const std::string& t, const std::string& i)
{
    return "--template '" + t + "' --inspection '" + i + "'";
}

bool Has(const Result& r, const std::string& text)
{
    return r.output.find(text) != std::string::npos;
}

// Expects the exit status `status` and `text` in the output.
void ExpectRun(const Result& r, int status, const std::string& text)
{
    EXPECT_EQ(r.status, status) << r.output;
    EXPECT_THAT(r.output, HasSubstr(text));
}

} // namespace

TEST(InitCommandTest, CreatesBothFilesWithStarterDataAndIsRepeatable)
{
    testing_support::TempFolder home;
    const auto first = Cli(home, "init");
    ASSERT_EQ(first.status, 0) << first.output;
    // A new installation keeps its data out of the documents folder.
    const std::string templates = home.File("share/Veltrane/Inspector/Template_Data.cdb");
    EXPECT_TRUE(Has(first, templates)) << first.output;
    EXPECT_TRUE(fs::exists(home.File("share/Veltrane/Inspector/Inspection_Data.cdb")));
    EXPECT_GT(Count(templates, "SELECT count(*) FROM InspectionType"), 5);
    EXPECT_EQ(Count(templates, "SELECT count(*) FROM Options WHERE DataVersion = '5.0'"), 1);
    EXPECT_EQ(Count(templates, "SELECT count(*) FROM Owner"), 0);
    EXPECT_THAT(Contents(home.File("config/Veltrane/Inspector.conf")), HasSubstr("TemplatePath=" + templates));

    const long long comments = Count(templates, "SELECT count(*) FROM Comments");
    const auto second = Cli(home, "init");
    ASSERT_EQ(second.status, 0) << second.output;
    EXPECT_EQ(Count(templates, "SELECT count(*) FROM Comments"), comments); // nothing loaded twice
    EXPECT_EQ(Count(templates, "SELECT count(*) FROM Options"), 1);
}

TEST(InitCommandTest, UnknownCommandsAndOptionsAreRefusedBeforeAnythingIsWritten)
{
    testing_support::TempFolder home;
    EXPECT_EQ(Cli(home, "no-such-command").status, 2);
    const std::string pdf = home.File("x.pdf");
    const auto r = Cli(home, "report X --colour red -o '" + pdf + "'");
    ExpectRun(r, 2, "unknown option --colour");
    EXPECT_TRUE(Has(r, "Usage: inspector-cli report")) << r.output;
    EXPECT_FALSE(fs::exists(pdf));
}

class BadDataFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        templates = home.File("t.cdb");
        inspections = home.File("i.cdb");
        ASSERT_EQ(Cli(home, "init --no-starter " + Files(templates, inspections)).status, 0);
    }
    testing_support::TempFolder home;
    std::string templates, inspections;
};

TEST_F(BadDataFiles, FilesNotOursOrNewerAreRefusedByNameAndLeftByteForByte)
{
    const std::string other = home.File("other.db");
    Sql(other, "PRAGMA journal_mode=WAL; CREATE TABLE notes (id integer, body text); "
               "INSERT INTO notes VALUES (1, 'mine');");
    std::string cut = Contents(inspections).substr(0, 50);
    std::ofstream(home.File("cut.cdb"), std::ios::binary) << cut;
    fs::copy_file(templates, home.File("newer-t.cdb"));
    Sql(home.File("newer-t.cdb"), "UPDATE Options SET DataVersion = '6.0'");
    fs::copy_file(inspections, home.File("newer-i.cdb"));
    Sql(home.File("newer-i.cdb"), "PRAGMA user_version = 600");

    const struct {
        const char* name;
        bool asTemplate;
        const char* says;
    } cases[] = {
        {"other.db", false, "is another program's database"},
        {"other.db", true, "is another program's database"},
        {"cut.cdb", false, "is damaged"},
        {"newer-t.cdb", true, "made by a newer version of Inspector"},
        {"newer-i.cdb", false, "made by a newer version of Inspector"},
    };
    for (const auto& c : cases) {
        for (const char* command : {"list", "init"}) {
            SCOPED_TRACE(std::string(command) + " " + c.name);
            const std::string path = home.File(c.name);
            const std::string before = Contents(path);
            const auto r = Cli(home, std::string(command) + " " +
                                         (c.asTemplate ? Files(path, inspections) : Files(templates, path)));
            EXPECT_EQ(r.status, 1) << r.output;
            EXPECT_TRUE(Has(r, path) && Has(r, c.says)) << r.output;
            EXPECT_FALSE(Has(r, "ADO Exception")) << r.output;
            EXPECT_EQ(Contents(path), before);
            EXPECT_FALSE(fs::exists(path + "-shm") || fs::exists(path + "-wal"));
        }
    }
}

TEST_F(BadDataFiles, AnEmptyFileIsNewToInitAndNothingToList)
{
    const std::string empty = home.File("empty.cdb");
    std::ofstream{empty};
    ExpectRun(Cli(home, "list " + Files(templates, empty)), 1, empty + " is empty");
    EXPECT_EQ(fs::file_size(empty), 0u);
    ASSERT_EQ(Cli(home, "init " + Files(templates, empty)).status, 0);
    EXPECT_EQ(Cli(home, "list " + Files(templates, empty)).status, 0);
}

TEST_F(BadDataFiles, ReadOnlyFilesAreViewedAndEveryEditIsRefusedNamingTheFile)
{
    ASSERT_EQ(Cli(home, "new --doc-num R-1 --client Reader " + Files(templates, inspections)).status, 0);
    Cli(home, "list " + Files(templates, inspections)); // settles the -wal into the file
    // Root may write anything: the tool then runs as nobody, who may only read.
    std::string prefix;
    if (::geteuid() == 0) {
        fs::permissions(home.File(""), fs::perms::all, fs::perm_options::add);
        prefix = "setpriv --reuid=nobody --regid=nogroup --clear-groups";
    } else {
        for (const auto& f : {templates, inspections})
            fs::permissions(f, fs::perms::owner_write, fs::perm_options::remove);
    }
    const std::string before = Contents(inspections);
    auto r = Cli(home, "list " + Files(templates, inspections), prefix);
    ExpectRun(r, 0, inspections + " is read-only");
    EXPECT_TRUE(Has(r, "Reader")) << r.output;
    EXPECT_FALSE(Has(r, "attempt to write")) << r.output;

    r = Cli(home, "export R-1 -o '" + home.File("R-1.exp") + "' " + Files(templates, inspections), prefix);
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(fs::exists(home.File("R-1.exp")));

    r = Cli(home, "new --doc-num R-2 " + Files(templates, inspections), prefix);
    EXPECT_NE(r.status, 0) << r.output;
    EXPECT_TRUE(Has(r, "The data file " + inspections + " is read-only: the change was not saved")) << r.output;
    EXPECT_EQ(Contents(inspections), before);
}

TEST(BadDataFilesOnAFullDisk, InitSaysTheDiskIsFullAndLeavesNoFilesBehind)
{
    testing_support::TempFolder home;
    const std::string t = home.File("full/t.cdb"), i = home.File("full/i.cdb");
    // A file-size limit (100 blocks of 512 bytes) makes writes past 50 KiB fail as on a full disk.
    const auto r = Cli(home, "init " + Files(t, i), "ulimit -f 100; trap '' XFSZ;");
    ExpectRun(r, 1, "The disk is full");
    EXPECT_FALSE(Has(r, "disk I/O error")) << r.output;
    for (const auto& f : {t, i})
        for (const char* suffix : {"", "-wal", "-shm", "-journal"})
            EXPECT_FALSE(fs::exists(f + suffix)) << f << suffix;
}
