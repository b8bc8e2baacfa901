// How merge and category duplication grow with the inspection: each is run on
// an inspection of 500 and of 5,000 categories, and the counters give both
// times and their ratio (10 when the work grows with the data, 100 when it
// grows with its square). The natural limit beside them: SQLite updating the
// same 5,000 categories' steps from the staged rows with one statement.
#include "app/CInspectorDoc.h"
#include "exchange/InspectionMerge.h"
#include "store/Database.h"
#include "store/StarterLibrary.h"
#include "store/TableRecord.h"
#include "support/ScriptedPort.h"
#include "support/TempDataFiles.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <ctime>
#include <functional>
#include <string>

namespace {

using store::DatabaseKind;
constexpr int kStepsEach = 3;

struct Files {
    explicit Files(bool starter)
    {
        store::Database::Open(DatabaseKind::Template, folder.File("t.cdb"), true);
        store::Database::Open(DatabaseKind::Inspection, folder.File("i.cdb"), true);
        store::CreateFullStructure();
        if (starter)
            store::LoadStarterLibrary();
    }
    ~Files() { store::Database::CloseAll(); }
    testing_support::TempFolder folder;
    testing_support::ScriptedPort port;
};

void Exec(const std::string& sql)
{
    sqlite3_exec(store::Database::Handle(DatabaseKind::Inspection), sql.c_str(), nullptr, nullptr, nullptr);
}

// Categories "Room k" numbered k of inspection `inspection` in `prefix`Category
// and their steps "Step j" in `prefix`Step; staged steps carry comments.
void AddCategories(const std::string& prefix, int inspection, int categories, int templateID, int firstID)
{
    Exec("BEGIN");
    Exec("INSERT INTO " + prefix + "Inspection (InspectionID, InspectionNum) VALUES (" + std::to_string(inspection) +
         ", 'D-" + std::to_string(inspection) + "')");
    for (int k = 1; k <= categories; ++k) {
        const std::string id = std::to_string(firstID + k);
        Exec("INSERT INTO " + prefix + "Category (CategoryID, CategoryTitle, CategoryNumber, InspectionID, "
             "CategoryTemplateID, CategoryComplete, CategoryNotPresent, Type) VALUES (" + id + ", 'Room " +
             std::to_string(k) + "', '" + std::to_string(k) + "', " + std::to_string(inspection) + ", " +
             std::to_string(templateID) + ", 0, 0, 0)");
        for (int j = 1; j <= kStepsEach; ++j)
            Exec("INSERT INTO " + prefix + "Step (StepID, StepNumber, StepTitle, CategoryID, Comments) VALUES (" +
                 std::to_string((firstID + k) * 10 + j) + ", '" + std::to_string(j) + "', 'Step " +
                 std::to_string(j) + "', " + id + ", " + (prefix.empty() ? "NULL" : "'Staged comment'") + ")");
    }
    Exec("COMMIT");
}

// Processor time of `work`: steadier than the wall clock on a machine shared with other work.
double Seconds(const std::function<void()>& work)
{
    auto now = [] {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    };
    const double start = now();
    work();
    return now() - start;
}

void Report(benchmark::State& state, double small, double large)
{
    state.counters["ms_500"] = small * 1000;
    state.counters["ms_5000"] = large * 1000;
    state.counters["ratio"] = large / small;
}

// Merging a staged inspection into a working one with the same categories and steps.
double TimeMerge(int categories)
{
    Files files(false);
    AddCategories("", 1, categories, 0, 1'000'000);
    AddCategories("MERGE_", 2, categories, 0, 2'000'000);
    exchange::InspectionMerge merge;
    bool ok = false;
    const double s = Seconds([&] { ok = merge.Merge(1, 2); });
    return ok && merge.Outcome().stepsUpdated == categories * kStepsEach ? s : -1;
}

void BM_MergeAt500And5000Categories(benchmark::State& state)
{
    for (auto _ : state) {
        const double small = TimeMerge(500), large = TimeMerge(5000);
        if (small < 0 || large < 0)
            state.SkipWithError("the merge did not update every step");
        Report(state, small, large);
    }
}
BENCHMARK(BM_MergeAt500And5000Categories)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The natural limit of the merge above: one UPDATE over the same 5,000 categories' steps.
void BM_MergeNaturalLimit5000(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Files files(false);
        AddCategories("", 1, 5000, 0, 1'000'000);
        AddCategories("MERGE_", 2, 5000, 0, 2'000'000);
        state.ResumeTiming();
        Exec("BEGIN; UPDATE Step SET Comments = (SELECT ms.Comments FROM MERGE_Step ms JOIN MERGE_Category mc ON "
             "ms.CategoryID = mc.CategoryID JOIN Category c ON c.CategoryTitle = mc.CategoryTitle WHERE "
             "c.CategoryID = Step.CategoryID AND ms.StepTitle = Step.StepTitle); DELETE FROM MERGE_Step; "
             "DELETE FROM MERGE_Category; COMMIT;");
    }
}
BENCHMARK(BM_MergeNaturalLimit5000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// inspector-cli duplicate-category --count 100 on the first category.
double TimeDuplicate(int categories)
{
    Files files(true);
    const int templateID = static_cast<int>(testing_support::QueryInt(
        static_cast<int>(DatabaseKind::Template),
        "SELECT CategoryID FROM CategoryStep GROUP BY CategoryID ORDER BY COUNT(*) DESC LIMIT 1"));
    AddCategories("", 1, categories, templateID, 1'000'000);
    app::CInspectorDoc doc;
    const auto proposal = doc.ProposeDuplicate(0);
    bool ok = false;
    const double s = Seconds(
        [&] { ok = doc.DuplicateCategory(0, proposal.name, proposal.copyNumber, 100, proposal.baseName); });
    return ok && doc.GetCategoryCount() == categories + 100 ? s : -1;
}

void BM_DuplicateCategory100At500And5000Categories(benchmark::State& state)
{
    for (auto _ : state) {
        const double small = TimeDuplicate(500), large = TimeDuplicate(5000);
        if (small < 0 || large < 0)
            state.SkipWithError("the duplication did not add 100 categories");
        Report(state, small, large);
    }
}
BENCHMARK(BM_DuplicateCategory100At500And5000Categories)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
