// Creating a new template database from the starter library, which the user
// waits for when the program first runs, against SQLite copying the same rows.
#include "store/Database.h"
#include "store/StarterLibrary.h"
#include "store/TableRecord.h"
#include "support/ScriptedPort.h"
#include "support/TempDataFiles.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>
#include <string>

using namespace store;

namespace {

// Two new data files with every table, opened as the process's databases.
struct NewFiles {
    testing_support::TempFolder folder;
    NewFiles()
    {
        Database::Open(DatabaseKind::Template, folder.File("Template_Data.cdb"), true);
        Database::Open(DatabaseKind::Inspection, folder.File("Inspection_Data.cdb"), true);
        CreateFullStructure();
    }
    ~NewFiles() { Database::CloseAll(); }
};

// The whole operation: new files, their tables, and the library.
void BM_CreateTemplateDatabase(benchmark::State& state)
{
    testing_support::ScriptedPort port;
    for (auto _ : state) {
        NewFiles files;
        if (!LoadStarterLibrary()) {
            state.SkipWithError(port.AllText().c_str());
            break;
        }
    }
}
BENCHMARK(BM_CreateTemplateDatabase)->Unit(benchmark::kMillisecond);

// Reading, checking and writing the library alone, into tables that exist.
void BM_LoadStarterLibrary(benchmark::State& state)
{
    testing_support::ScriptedPort port;
    for (auto _ : state) {
        state.PauseTiming();
        auto files = std::make_unique<NewFiles>();
        state.ResumeTiming();
        if (!LoadStarterLibrary()) {
            state.SkipWithError(port.AllText().c_str());
            break;
        }
        state.PauseTiming();
        files.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadStarterLibrary)->Unit(benchmark::kMillisecond);

// The natural limit: SQLite copying a filled template database into a new file.
void BM_CopyFilledTemplateDatabase(benchmark::State& state)
{
    testing_support::ScriptedPort port;
    NewFiles files;
    if (!LoadStarterLibrary()) {
        state.SkipWithError(port.AllText().c_str());
        return;
    }
    sqlite3* db = Database::Handle(DatabaseKind::Template);
    int n = 0;
    for (auto _ : state) {
        const std::string copy = files.folder.File("copy" + std::to_string(n++) + ".cdb");
        const std::string sql = "VACUUM INTO '" + copy + "'";
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
            state.SkipWithError(sqlite3_errmsg(db));
            break;
        }
    }
}
BENCHMARK(BM_CopyFilledTemplateDatabase)->Unit(benchmark::kMillisecond);

} // namespace
