// The document's bulk operations, which the user waits for: a document type
// change on the largest document type of the starter library, seeding all its
// steps, duplicating an inspection of 1,000 steps (against SQLite copying the
// same rows with INSERT ... SELECT) and deleting 100 inspections.
#include "app/CInspectorDoc.h"
#include "store/Category.h"
#include "store/Database.h"
#include "store/Field.h"
#include "store/Inspection.h"
#include "store/StarterLibrary.h"
#include "store/Step.h"
#include "store/TableRecord.h"
#include "support/TempDataFiles.h"
#include "ui/Port.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <string>

namespace {

using store::DatabaseKind;

// Answers Yes to everything and shows no progress.
class AgreeingPort : public ui::Port {
public:
    AgreeingPort() : m_previous(ui::SetPort(this)) {}
    ~AgreeingPort() override { ui::SetPort(m_previous); }
    void inform(const std::string&, const std::string&) override {}
    bool confirm(const std::string&, const std::string&) override { return true; }
    ui::Answer ask(const std::string&, const std::string&, ui::Buttons b, ui::Icon) override
    {
        return b == ui::Buttons::YesNo ? ui::Answer::Yes : ui::Answer::Ok;
    }
    std::optional<std::string> askText(const std::string&, const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    std::optional<std::string> chooseSaveFile(const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> chooseOpenFile(const std::string&) override { return {}; }
    std::unique_ptr<ui::Progress> progress() override { return std::make_unique<ui::NullProgress>(); }

private:
    ui::Port* m_previous;
};

// Two new data files, the template file filled from the starter library.
struct Files {
    Files()
    {
        store::Database::Open(DatabaseKind::Template, folder.File("Template_Data.cdb"), true);
        store::Database::Open(DatabaseKind::Inspection, folder.File("Inspection_Data.cdb"), true);
        store::CreateFullStructure();
        store::LoadStarterLibrary();
    }
    ~Files() { store::Database::CloseAll(); }

    testing_support::TempFolder folder;
    AgreeingPort port;
};

void Exec(const std::string& sql)
{
    sqlite3_exec(store::Database::Handle(DatabaseKind::Inspection), sql.c_str(), nullptr, nullptr, nullptr);
}

long long Int(DatabaseKind kind, const std::string& sql)
{
    return testing_support::QueryInt(static_cast<int>(kind), sql);
}

// The document type with the most step templates.
std::string LargestDocType()
{
    return testing_support::QueryText(
        static_cast<int>(DatabaseKind::Template),
        "SELECT it.InspectionType FROM InspectionType it JOIN InspectionTypeCategory itc ON it.ID = "
        "itc.InspectionTypeID JOIN CategoryStep cs ON cs.CategoryID = itc.CategoryID GROUP BY it.ID "
        "ORDER BY COUNT(*) DESC LIMIT 1");
}

void BM_ChangeDocTypeLargest(benchmark::State& state)
{
    Files files;
    app::CInspectorDoc doc;
    const std::string type = LargestDocType();
    for (auto _ : state)
        doc.ChangeDocType(type);
    state.counters["categories"] = static_cast<double>(doc.GetCategoryCount());
}
BENCHMARK(BM_ChangeDocTypeLargest)->Unit(benchmark::kMillisecond);

void BM_SeedAllStepsOfLargestDocType(benchmark::State& state)
{
    Files files;
    app::CInspectorDoc doc;
    const std::string type = LargestDocType();
    int made = 0;
    for (auto _ : state) {
        state.PauseTiming();
        doc.ChangeDocType(type);
        state.ResumeTiming();
        made = doc.SeedAllCategories();
    }
    state.counters["rows"] = made;
    state.SetItemsProcessed(state.iterations() * made);
}
BENCHMARK(BM_SeedAllStepsOfLargestDocType)->Unit(benchmark::kMillisecond);

constexpr int kCategories = 40;
constexpr int kStepsPerCategory = 25; // 1,000 steps

// An inspection of 1,000 filled steps in 40 categories, two fields each.
void AddLargeInspection()
{
    store::Transaction transaction(DatabaseKind::Inspection);
    store::Inspection inspection;
    inspection.New();
    inspection.m_InspectionNum = "Large";
    inspection.m_DocType = "Home Inspection";
    inspection.m_ClientName = "Zoë Müller";
    inspection.m_InspectionComments = "This inspection was performed for the buyer named above.";
    inspection.Save();
    store::Category category;
    store::Step step;
    store::Field field;
    category.ReserveIDs(kCategories);
    step.ReserveIDs(kCategories * kStepsPerCategory);
    field.ReserveIDs(kCategories * 2);
    for (int c = 0; c < kCategories; ++c) {
        category.New();
        category.m_InspectionID = inspection.m_InspectionID;
        category.m_CategoryTitle = "Room " + std::to_string(c + 1);
        category.m_CategoryNumber = std::to_string(100 + c);
        category.m_CategoryComments = "The room was viewed from its doorway and walked where furniture allowed.";
        category.m_CategoryTemplateID = c + 1;
        category.Save();
        for (int f = 0; f < 2; ++f) {
            field.New();
            field.m_CategoryID = category.m_CategoryID;
            field.m_FieldLabel = f ? "Weather" : "Temperature";
            field.m_AssignedValue = f ? "Sunny" : "72";
            field.m_SequenceNumber = f + 1;
            field.Save();
        }
        for (int s = 0; s < kStepsPerCategory; ++s) {
            step.New();
            step.m_CategoryID = category.m_CategoryID;
            step.m_StepNumber = (s < 9 ? "0" : "") + std::to_string(s + 1);
            step.m_StepTitle = "Item " + std::to_string(s + 1);
            step.m_StepRatingType = "Standard";
            step.m_InspectResult = "Marginal";
            step.m_Materials = "Asphalt shingles;Metal;";
            step.m_MaterialList = "Asphalt shingles+;Metal;Other:;";
            step.m_Comments = "Several shingles are lifted at the ridge.  Have a roofer secure them before the "
                              "next storm season.";
            step.m_MajorSystem = "Roof";
            step.m_StepTemplateID = s + 1;
            step.m_StepInfoExists = -1;
            step.Save();
        }
    }
    transaction.Commit();
}

// Removes every inspection but the first with its categories, steps and fields.
void RemoveCopies(int keep)
{
    const std::string others = "(SELECT CategoryID FROM Category WHERE InspectionID <> " + std::to_string(keep) + ")";
    Exec("BEGIN");
    Exec("DELETE FROM Step WHERE CategoryID IN " + others);
    Exec("DELETE FROM Field WHERE CategoryID IN " + others);
    Exec("DELETE FROM Category WHERE InspectionID <> " + std::to_string(keep));
    Exec("DELETE FROM Inspection WHERE InspectionID <> " + std::to_string(keep));
    Exec("COMMIT");
}

void BM_DuplicateInspection1000Steps(benchmark::State& state)
{
    Files files;
    Exec("DELETE FROM Inspection");
    AddLargeInspection();
    app::CInspectorDoc doc;
    const int source = doc.CurrentInspection().m_InspectionID;
    for (auto _ : state) {
        doc.DuplicateInspection(0, "Copy");
        state.PauseTiming();
        RemoveCopies(source);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kCategories * kStepsPerCategory);
}
BENCHMARK(BM_DuplicateInspection1000Steps)->Unit(benchmark::kMillisecond);

// The natural limit: SQLite copying the same rows inside the database, with
// new identifiers taken from the counters, in one transaction.
void BM_DuplicateInspectionInsertSelect(benchmark::State& state)
{
    Files files;
    Exec("DELETE FROM Inspection");
    AddLargeInspection();
    const long long source = Int(DatabaseKind::Inspection, "SELECT InspectionID FROM Inspection");
    const std::string src = std::to_string(source);
    for (auto _ : state) {
        const long long inspection = Int(DatabaseKind::Inspection, "SELECT NextID + 1 FROM UniqueID WHERE TableName = 'Inspection'");
        const long long categoryOffset =
            Int(DatabaseKind::Inspection, "SELECT NextID + 1 FROM UniqueID WHERE TableName = 'InspectionCategory'") -
            Int(DatabaseKind::Inspection, "SELECT MIN(CategoryID) FROM Category WHERE InspectionID = " + src);
        const long long stepOffset =
            Int(DatabaseKind::Inspection, "SELECT NextID + 1 FROM UniqueID WHERE TableName = 'Step'") -
            Int(DatabaseKind::Inspection, "SELECT MIN(StepID) FROM Step");
        const long long fieldOffset =
            Int(DatabaseKind::Inspection, "SELECT NextID + 1 FROM UniqueID WHERE TableName = 'Field'") -
            Int(DatabaseKind::Inspection, "SELECT MIN(ID) FROM Field");
        const std::string c = std::to_string(categoryOffset);
        const std::string ofSource = " FROM Category WHERE InspectionID = " + src;
        Exec("BEGIN");
        Exec("INSERT INTO Inspection (InspectionID, DwellingAddress, ClientName, AgentName, String4, "
             "InspectionComments, InspectionDate, DocType, InspectionNum, DwellingCityStateZip, ClientAddress, "
             "ClientCityStateZip, DocTypeID, RealEstateCompany) SELECT " + std::to_string(inspection) +
             ", DwellingAddress, ClientName, AgentName, String4, InspectionComments, InspectionDate, DocType, 'Copy', "
             "DwellingCityStateZip, ClientAddress, ClientCityStateZip, DocTypeID, RealEstateCompany FROM Inspection "
             "WHERE InspectionID = " + src);
        Exec("INSERT INTO Category (CategoryID, CategoryTitle, CategoryNumber, CategoryComments, CategoryComplete, "
             "CategoryNotPresent, InspectionID, CategoryTemplateID, Type) SELECT CategoryID + " + c +
             ", CategoryTitle, CategoryNumber, CategoryComments, CategoryComplete, CategoryNotPresent, " +
             std::to_string(inspection) + ", CategoryTemplateID, Type" + ofSource);
        Exec("INSERT INTO Field (ID, CategoryID, AssignedValue, SequenceNumber, FieldType, FieldLabel) SELECT ID + " +
             std::to_string(fieldOffset) + ", CategoryID + " + c +
             ", AssignedValue, SequenceNumber, FieldType, FieldLabel FROM Field WHERE CategoryID IN (SELECT CategoryID" +
             ofSource + ")");
        Exec("INSERT INTO Step (StepID, StepNumber, StepTitle, CategoryID, InspectResult, Comments, Materials, "
             "StepRatingType, MaterialList, StepTemplateID, YesNo11, MajorSystem, StepInfoExists) SELECT StepID + " +
             std::to_string(stepOffset) + ", StepNumber, StepTitle, CategoryID + " + c +
             ", InspectResult, Comments, Materials, StepRatingType, MaterialList, StepTemplateID, 0, MajorSystem, "
             "StepInfoExists FROM Step WHERE CategoryID IN (SELECT CategoryID" + ofSource + ")");
        Exec("UPDATE UniqueID SET NextID = " + std::to_string(inspection) + " WHERE TableName = 'Inspection'");
        Exec("UPDATE UniqueID SET NextID = NextID + " + std::to_string(kCategories + 1) +
             " WHERE TableName = 'InspectionCategory'");
        Exec("UPDATE UniqueID SET NextID = NextID + " + std::to_string(kCategories * kStepsPerCategory + 1) +
             " WHERE TableName = 'Step'");
        Exec("UPDATE UniqueID SET NextID = NextID + " + std::to_string(kCategories * 2 + 1) +
             " WHERE TableName = 'Field'");
        Exec("COMMIT");
        state.PauseTiming();
        RemoveCopies(static_cast<int>(source));
        state.ResumeTiming();
    }
    state.counters["copied"] = static_cast<double>(
        Int(DatabaseKind::Inspection, "SELECT COUNT(*) FROM Step"));
    state.SetItemsProcessed(state.iterations() * kCategories * kStepsPerCategory);
}
BENCHMARK(BM_DuplicateInspectionInsertSelect)->Unit(benchmark::kMillisecond);

// 100 inspections of the largest document type, each with all its steps.
// With the argument 1 the owner columns of categories, steps and fields are
// indexed, which the data files do not do today.
void BM_DeleteAll100Inspections(benchmark::State& state)
{
    Files files;
    if (state.range(0)) {
        Exec("CREATE INDEX StepByCategory ON Step (CategoryID)");
        Exec("CREATE INDEX FieldByCategory ON Field (CategoryID)");
        Exec("CREATE INDEX CategoryByInspection ON Category (InspectionID)");
    }
    app::CInspectorDoc doc;
    doc.ChangeDocType(LargestDocType());
    doc.SeedAllCategories();
    int prototype = doc.CurrentInspection().m_InspectionID;
    for (auto _ : state) {
        state.PauseTiming();
        RemoveCopies(prototype);
        doc.SelectInspection(0);
        for (int i = 1; i < 100; ++i)
            doc.DuplicateInspection(0, "Copy " + std::to_string(i));
        state.ResumeTiming();
        doc.OnDeleteAllInspections();
        state.PauseTiming();
        // Start the next round from the prototype again.
        doc.ChangeDocType(LargestDocType());
        doc.SeedAllCategories();
        prototype = doc.CurrentInspection().m_InspectionID;
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_DeleteAll100Inspections)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
