#include "support/TempDataFiles.h"

#include "store/Database.h"
#include "store/TableRecord.h"

#include <sqlite3.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace testing_support {

TempFolder::TempFolder()
{
    static std::atomic<int> counter{0};
    m_path = std::filesystem::temp_directory_path() /
             ("inspector-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

void DataFilesTest::SetUp()
{
    templatePath = folder.File("Template_Data.cdb");
    inspectionPath = folder.File("Inspection_Data.cdb");
    ASSERT_TRUE(store::Database::Open(store::DatabaseKind::Template, templatePath, true));
    ASSERT_TRUE(store::Database::Open(store::DatabaseKind::Inspection, inspectionPath, true));
    if (WantFullStructure())
        store::CreateFullStructure();
}

void DataFilesTest::TearDown()
{
    store::Database::CloseAll();
}

namespace {
sqlite3* HandleOf(int kind)
{
    return store::Database::Handle(static_cast<store::DatabaseKind>(kind));
}
} // namespace

std::string QueryText(int kind, const std::string& sql)
{
    sqlite3_stmt* stmt = nullptr;
    std::string result;
    if (sqlite3_prepare_v2(HandleOf(kind), sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW) {
        if (auto p = sqlite3_column_text(stmt, 0))
            result = reinterpret_cast<const char*>(p);
    }
    sqlite3_finalize(stmt);
    return result;
}

std::string QueryRows(int kind, const std::string& sql)
{
    sqlite3_stmt* stmt = nullptr;
    std::string result;
    if (sqlite3_prepare_v2(HandleOf(kind), sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
        return "<" + std::string(sqlite3_errmsg(HandleOf(kind))) + ">";
    for (int row = 0; sqlite3_step(stmt) == SQLITE_ROW; ++row) {
        for (int column = 0; column < sqlite3_column_count(stmt); ++column) {
            if (column > 0)
                result += ' ';
            else if (row > 0)
                result += '|';
            const auto p = sqlite3_column_text(stmt, column);
            result += p ? reinterpret_cast<const char*>(p) : "<null>";
        }
    }
    sqlite3_finalize(stmt);
    return result;
}

long long QueryInt(int kind, const std::string& sql)
{
    sqlite3_stmt* stmt = nullptr;
    long long result = -1;
    if (sqlite3_prepare_v2(HandleOf(kind), sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        result = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    return result;
}

void Exec(int kind, const std::string& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(HandleOf(kind), sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        ADD_FAILURE() << sql << ": " << (error ? error : "");
        sqlite3_free(error);
    }
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace testing_support
