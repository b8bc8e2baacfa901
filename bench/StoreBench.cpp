// The table layer against the same work done with plain SQLite calls.
#include "store/Database.h"
#include "store/Step.h"
#include "store/TableRecord.h"
#include "store/UniqueID.h"
#include "support/ScriptedPort.h"
#include "support/TempDataFiles.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <string>
#include <vector>

using namespace store;

namespace {

constexpr int kRows = 20000;

struct Files {
    testing_support::TempFolder folder;
    Files()
    {
        Database::Open(DatabaseKind::Template, folder.File("t.cdb"), true);
        Database::Open(DatabaseKind::Inspection, folder.File("i.cdb"), true);
        CreateFullStructure();
    }
    ~Files() { Database::CloseAll(); }
};

void FillStep(Step& s, int i)
{
    s.m_CategoryID = 1000 + i / 50;
    s.m_StepNumber = std::to_string(i % 50);
    s.m_StepTitle = "Exterior wall covering and flashing";
    s.m_InspectResult = i % 3 ? "Functional" : "";
    s.m_Comments = "Siding is weathered at the north elevation; recommend sealing the joints at the window trim.";
    s.m_Materials = "Vinyl;Aluminum;";
    s.m_StepRatingType = "Standard";
    s.m_MaterialList = "Vinyl;Aluminum;Wood;Brick;Stucco;Other:;";
    s.m_StepTemplateID = 300 + i % 50;
    s.m_MajorSystem = "Exterior";
}

void InsertWithRecords()
{
    Transaction tx(DatabaseKind::Inspection);
    Step s;
    s.ReserveIDs(kRows);
    for (int i = 0; i < kRows; ++i) {
        s.New();
        FillStep(s, i);
        s.Save();
    }
    tx.Commit();
}

void InsertRaw()
{
    sqlite3* db = Database::Handle(DatabaseKind::Inspection);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO Step (StepID,StepNumber,StepTitle,CategoryID,InspectResult,Comments,Materials,"
                       "StepRatingType,String8,MaterialList,StepTemplateID,YesNo11,MajorSystem,StepInfoExists,"
                       "SummaryComment,BitmapPath,PictureBefore) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                       -1, &st, nullptr);
    Step s; // only as a holder of the same values
    for (int i = 0; i < kRows; ++i) {
        FillStep(s, i);
        sqlite3_bind_int(st, 1, 5000 + i);
        sqlite3_bind_text(st, 2, s.m_StepNumber.c_str(), -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 3, s.m_StepTitle.c_str(), -1, SQLITE_STATIC);
        sqlite3_bind_int(st, 4, s.m_CategoryID);
        if (s.m_InspectResult.empty())
            sqlite3_bind_null(st, 5);
        else
            sqlite3_bind_text(st, 5, s.m_InspectResult.c_str(), -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 6, s.m_Comments.c_str(), -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 7, s.m_Materials.c_str(), -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 8, s.m_StepRatingType.c_str(), -1, SQLITE_STATIC);
        sqlite3_bind_null(st, 9);
        sqlite3_bind_text(st, 10, s.m_MaterialList.c_str(), -1, SQLITE_STATIC);
        sqlite3_bind_int(st, 11, s.m_StepTemplateID);
        sqlite3_bind_int(st, 12, 0);
        sqlite3_bind_text(st, 13, s.m_MajorSystem.c_str(), -1, SQLITE_STATIC);
        sqlite3_bind_int(st, 14, 0);
        sqlite3_bind_null(st, 15);
        sqlite3_bind_null(st, 16);
        sqlite3_bind_int(st, 17, 0);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
}

void ClearSteps()
{
    sqlite3_exec(Database::Handle(DatabaseKind::Inspection), "DELETE FROM Step", nullptr, nullptr, nullptr);
}

void BM_InsertSteps_Records(benchmark::State& state)
{
    testing_support::ScriptedPort port;
    Files files;
    for (auto _ : state) {
        InsertWithRecords();
        state.PauseTiming();
        ClearSteps();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_InsertSteps_Records)->Unit(benchmark::kMillisecond);

void BM_InsertSteps_RawSqlite(benchmark::State& state)
{
    testing_support::ScriptedPort port;
    Files files;
    for (auto _ : state) {
        InsertRaw();
        state.PauseTiming();
        ClearSteps();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_InsertSteps_RawSqlite)->Unit(benchmark::kMillisecond);

void BM_ReadAllSteps_Records(benchmark::State& state)
{
    testing_support::ScriptedPort port;
    Files files;
    InsertRaw();
    for (auto _ : state) {
        Step s;
        s.Open();
        std::size_t bytes = 0;
        for (int i = 0; i < s.GetCount(); ++i) {
            s.Read(i);
            bytes += s.m_Comments.size() + s.m_StepTitle.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ReadAllSteps_Records)->Unit(benchmark::kMillisecond);

// The natural limit of the record set: plain SQLite calls that, like the record
// set (whose Read(i) must stay constant time), keep every row in memory, here
// as one structure of the same members per row.
void BM_ReadAllSteps_RawSqlite(benchmark::State& state)
{
    testing_support::ScriptedPort port;
    Files files;
    InsertRaw();
    sqlite3* db = Database::Handle(DatabaseKind::Inspection);
    struct Row {
        std::int32_t stepID, categoryID, stepTemplateID, yesNo11, stepInfoExists, pictureBefore;
        std::string stepNumber, stepTitle, inspectResult, comments, materials, stepRatingType, string8,
            materialList, majorSystem, summaryComment, bitmapPath;
    };
    for (auto _ : state) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT * FROM Step", -1, &st, nullptr);
        std::vector<Row> rows;
        while (sqlite3_step(st) == SQLITE_ROW) {
            auto text = [&](int c) {
                auto p = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
                return p ? std::string(p, sqlite3_column_bytes(st, c)) : std::string();
            };
            rows.push_back({sqlite3_column_int(st, 0), sqlite3_column_int(st, 3), sqlite3_column_int(st, 10),
                            sqlite3_column_int(st, 11) ? -1 : 0, sqlite3_column_int(st, 13) ? -1 : 0,
                            sqlite3_column_int(st, 16) ? -1 : 0, text(1), text(2), text(4), text(5), text(6),
                            text(7), text(8), text(9), text(12), text(14), text(15)});
        }
        sqlite3_finalize(st);
        std::size_t bytes = 0;
        for (const Row& r : rows)
            bytes += r.comments.size() + r.stepTitle.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ReadAllSteps_RawSqlite)->Unit(benchmark::kMillisecond);

void BM_GetNextID_Records(benchmark::State& state)
{
    testing_support::ScriptedPort port;
    Files files;
    UniqueID counter(DatabaseKind::Inspection);
    for (auto _ : state)
        benchmark::DoNotOptimize(counter.GetNextID("Step"));
}
BENCHMARK(BM_GetNextID_Records)->Unit(benchmark::kMicrosecond);

void BM_GetNextID_RawSqlite(benchmark::State& state)
{
    testing_support::ScriptedPort port;
    Files files;
    sqlite3* db = Database::Handle(DatabaseKind::Inspection);
    sqlite3_exec(db, "INSERT INTO UniqueID VALUES ('Step', 1000)", nullptr, nullptr, nullptr);
    sqlite3_stmt* sel = nullptr;
    sqlite3_stmt* upd = nullptr;
    sqlite3_prepare_v2(db, "SELECT rowid, NextID FROM UniqueID WHERE TableName = ?", -1, &sel, nullptr);
    sqlite3_prepare_v2(db, "UPDATE UniqueID SET TableName = ?, NextID = ? WHERE rowid = ?", -1, &upd, nullptr);
    for (auto _ : state) {
        sqlite3_bind_text(sel, 1, "Step", -1, SQLITE_STATIC);
        sqlite3_step(sel);
        const auto rowid = sqlite3_column_int64(sel, 0);
        const int next = sqlite3_column_int(sel, 1) + 1;
        sqlite3_reset(sel);
        sqlite3_bind_text(upd, 1, "Step", -1, SQLITE_STATIC);
        sqlite3_bind_int(upd, 2, next);
        sqlite3_bind_int64(upd, 3, rowid);
        sqlite3_step(upd);
        sqlite3_reset(upd);
        benchmark::DoNotOptimize(next);
    }
    sqlite3_finalize(sel);
    sqlite3_finalize(upd);
}
BENCHMARK(BM_GetNextID_RawSqlite)->Unit(benchmark::kMicrosecond);

void BM_ReserveIDs_Records(benchmark::State& state)
{
    testing_support::ScriptedPort port;
    Files files;
    for (auto _ : state) {
        Step s;
        s.ReserveIDs(500);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_ReserveIDs_Records)->Unit(benchmark::kMicrosecond);

} // namespace
