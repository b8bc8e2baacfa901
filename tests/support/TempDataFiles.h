#pragma once
// A fixture that gives each test two fresh data files in a temporary folder,
// opened as the process's template and inspection databases.
#include "support/ScriptedPort.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace testing_support {

// A folder removed with everything in it when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& Path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

class DataFilesTest : public ::testing::Test {
protected:
    // Opens (creating) both files; with `fullStructure` every table is created.
    void SetUp() override;
    void TearDown() override;
    // Override to return false for tests that create the tables themselves.
    virtual bool WantFullStructure() const { return true; }

    TempFolder folder;
    ScriptedPort port;
    std::string templatePath;
    std::string inspectionPath;
};

// Runs `sql` on the database of `kind` and returns the first column of the
// first row as text (empty when none), for tests that look behind the records.
std::string QueryText(int kind, const std::string& sql);
long long QueryInt(int kind, const std::string& sql);
// Every row of `sql`: columns joined by ' ', rows by '|', NULL as "<null>";
// a statement that does not prepare gives SQLite's message in angle brackets.
std::string QueryRows(int kind, const std::string& sql);
void Exec(int kind, const std::string& sql);

// The whole of a file, byte for byte; empty when it cannot be read.
std::string ReadFile(const std::string& path);

} // namespace testing_support
