// Moving a large inspection between installations: export, import into the
// staging tables and merge, for an inspection of 50 categories with 100 steps
// each (5,000 steps). The natural limit of the import is SQLite inserting the
// same step rows with one prepared statement in one transaction.
#include "exchange/InspectionExporter.h"
#include "exchange/InspectionImporter.h"
#include "exchange/InspectionMerge.h"
#include "store/Category.h"
#include "store/Database.h"
#include "store/Inspection.h"
#include "store/Step.h"
#include "store/TableRecord.h"
#include "support/TempDataFiles.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <fstream>
#include <iterator>

namespace {

constexpr int kCategories = 50;
constexpr int kStepsPerCategory = 100;
constexpr int kSteps = kCategories * kStepsPerCategory;

void Exec(const char* sql)
{
    sqlite3_exec(store::Database::Handle(store::DatabaseKind::Inspection), sql, nullptr, nullptr, nullptr);
}

// Adds an inspection of kCategories categories; with `filled` every step has a
// rating, comments and materials, otherwise the steps are as a new inspection
// seeds them. Returns the inspection's ID.
int AddInspection(const std::string& docNumber, bool filled)
{
    store::Transaction transaction(store::DatabaseKind::Inspection);
    store::Inspection inspection;
    inspection.New();
    inspection.m_InspectionNum = docNumber;
    inspection.m_DocType = "Home Inspection";
    inspection.m_ClientName = "Zoë Müller";
    inspection.Save();
    store::Category category;
    store::Step step;
    category.ReserveIDs(kCategories);
    step.ReserveIDs(kSteps);
    for (int c = 0; c < kCategories; ++c) {
        category.New();
        category.m_InspectionID = inspection.m_InspectionID;
        category.m_CategoryTitle = "Room " + std::to_string(c + 1);
        category.m_CategoryNumber = std::to_string(c + 1);
        category.Save();
        for (int s = 0; s < kStepsPerCategory; ++s) {
            step.New();
            step.m_CategoryID = category.m_CategoryID;
            step.m_StepNumber = std::to_string(s + 1);
            step.m_StepTitle = "Item " + std::to_string(s + 1);
            step.m_StepRatingType = "Standard";
            step.m_MaterialList = "Asphalt shingles+;Metal;Other:;";
            step.m_MajorSystem = "Roof";
            if (filled) {
                step.m_InspectResult = "Marginal";
                step.m_Comments = "The flashing at the chimney is loose and lets water in; repair it. Côté nord.";
                step.m_Materials = "Asphalt shingles;Other:cedar shakes;";
                step.m_SummaryComment = "Loose flashing";
            }
            step.Save();
        }
    }
    transaction.Commit();
    return inspection.m_InspectionID;
}

struct Environment {
    testing_support::TempFolder folder;
    testing_support::ScriptedPort port;
    int source = 0;
    std::string exportPath;
    std::string exportBytes;

    Environment()
    {
        store::Database::Open(store::DatabaseKind::Template, folder.File("Template_Data.cdb"), true);
        store::Database::Open(store::DatabaseKind::Inspection, folder.File("Inspection_Data.cdb"), true);
        store::CreateFullStructure();
        source = AddInspection("BENCH", true);
        exportPath = folder.File("bench.rtf");
        exchange::InspectionExporter().ExportInspection(source, exportPath);
        std::ifstream in(exportPath, std::ios::binary);
        exportBytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    ~Environment() { store::Database::CloseAll(); }

    void ClearStaging() { Exec("DELETE FROM MERGE_Step; DELETE FROM MERGE_Category; DELETE FROM MERGE_Inspection;"); }

    // Removes a merge target, so that every run starts from the same tables.
    static void Remove(int inspectionID)
    {
        const std::string id = std::to_string(inspectionID);
        Exec(("DELETE FROM Step WHERE CategoryID IN (SELECT CategoryID FROM Category WHERE InspectionID = " + id +
              "); DELETE FROM Category WHERE InspectionID = " + id + "; DELETE FROM Inspection WHERE InspectionID = " +
              id + ";")
                 .c_str());
    }
};

Environment& Env()
{
    static Environment env;
    return env;
}

void BM_ExportInspection(benchmark::State& state)
{
    auto& env = Env();
    for (auto _ : state) {
        const auto outcome = exchange::InspectionExporter().ExportInspection(env.source, env.exportPath);
        if (!outcome.written)
            state.SkipWithError("export failed");
    }
    state.SetItemsProcessed(state.iterations() * kSteps);
    state.counters["file_bytes"] = static_cast<double>(env.exportBytes.size());
}
BENCHMARK(BM_ExportInspection)->Unit(benchmark::kMillisecond);

void BM_ImportInspection(benchmark::State& state)
{
    auto& env = Env();
    for (auto _ : state) {
        const auto outcome = exchange::InspectionImporter().ImportInspectionFile(env.exportPath);
        if (outcome.steps != kSteps)
            state.SkipWithError("import failed");
        state.PauseTiming();
        env.ClearStaging();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kSteps);
}
BENCHMARK(BM_ImportInspection)->Unit(benchmark::kMillisecond);

// The floor under the import: the same 5,000 step rows inserted by SQLite with
// one prepared statement in one transaction, without identifiers to allocate,
// records to convert or a file to read.
void BM_ImportNaturalLimit(benchmark::State& state)
{
    auto& env = Env();
    sqlite3* db = store::Database::Handle(store::DatabaseKind::Inspection);
    const std::string comments = "The flashing at the chimney is loose and lets water in; repair it. Côté nord.";
    for (auto _ : state) {
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO MERGE_Step (StepID, StepNumber, StepTitle, CategoryID, InspectResult, Comments, "
                           "Materials, StepRatingType, MaterialList, MajorSystem, SummaryComment) VALUES "
                           "(?, ?, ?, ?, 'Marginal', ?, 'Asphalt shingles;Other:cedar shakes;', 'Standard', "
                           "'Asphalt shingles+;Metal;Other:;', 'Roof', 'Loose flashing')",
                           -1, &stmt, nullptr);
        for (int i = 0; i < kSteps; ++i) {
            const std::string number = std::to_string(i % kStepsPerCategory + 1);
            const std::string title = "Item " + number;
            sqlite3_bind_int(stmt, 1, 100000 + i);
            sqlite3_bind_text(stmt, 2, number.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(stmt, 3, title.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(stmt, 4, i / kStepsPerCategory);
            sqlite3_bind_text(stmt, 5, comments.c_str(), -1, SQLITE_STATIC);
            sqlite3_step(stmt);
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        state.PauseTiming();
        env.ClearStaging();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kSteps);
}
BENCHMARK(BM_ImportNaturalLimit)->Unit(benchmark::kMillisecond);

// Merge into an inspection of the same document type, freshly seeded: every
// staged category and step finds its untouched counterpart and fills it.
void BM_MergeIntoSeededInspection(benchmark::State& state)
{
    auto& env = Env();
    for (auto _ : state) {
        state.PauseTiming();
        const auto imported = exchange::InspectionImporter().ImportInspectionFile(env.exportPath);
        const int target = AddInspection("TARGET", false);
        state.ResumeTiming();
        exchange::InspectionMerge merge;
        if (imported.stagedInspectionIDs.size() != 1 || !merge.Merge(target, imported.stagedInspectionIDs[0]) ||
            merge.Outcome().stepsUpdated != kSteps)
            state.SkipWithError("merge failed");
        state.PauseTiming();
        Environment::Remove(target);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kSteps);
}
BENCHMARK(BM_MergeIntoSeededInspection)->Unit(benchmark::kMillisecond);

// Merge into an empty inspection: every category and step is added.
void BM_MergeIntoEmptyInspection(benchmark::State& state)
{
    auto& env = Env();
    for (auto _ : state) {
        state.PauseTiming();
        const auto imported = exchange::InspectionImporter().ImportInspectionFile(env.exportPath);
        store::Inspection target;
        target.New();
        target.m_InspectionNum = "EMPTY";
        target.Save();
        state.ResumeTiming();
        exchange::InspectionMerge merge;
        if (imported.stagedInspectionIDs.size() != 1 ||
            !merge.Merge(target.m_InspectionID, imported.stagedInspectionIDs[0]) ||
            merge.Outcome().stepsAdded != kSteps)
            state.SkipWithError("merge failed");
        state.PauseTiming();
        Environment::Remove(target.m_InspectionID);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kSteps);
}
BENCHMARK(BM_MergeIntoEmptyInspection)->Unit(benchmark::kMillisecond);

} // namespace
