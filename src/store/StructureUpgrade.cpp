// Creating and upgrading the tables of both data files.
#include "store/Category.h"
#include "store/CategoryComment.h"
#include "store/CategoryStep.h"
#include "store/CategoryTemplate.h"
#include "store/Comments.h"
#include "store/DataFile.h"
#include "store/ExpandedText.h"
#include "store/Field.h"
#include "store/FieldTemplate.h"
#include "store/Inspection.h"
#include "store/InspectionType.h"
#include "store/InspectionTypeCategory.h"
#include "store/InspectionTypeComment.h"
#include "store/MaterialComment.h"
#include "store/MaterialTemplate.h"
#include "store/Options.h"
#include "store/Owner.h"
#include "store/Pickers.h"
#include "store/RatingChoices.h"
#include "store/RatingType.h"
#include "store/Step.h"
#include "store/StepComment.h"
#include "store/StepTemplate.h"
#include "store/TableRecord.h"
#include "store/UniqueID.h"
#include "store/VoidComments.h"
#include "ui/Port.h"

#include <sqlite3.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace store {
namespace {

using Maker = std::function<std::unique_ptr<TableRecord>()>;

template <class T>
Maker Make()
{
    return [] { return std::make_unique<T>(); };
}

Maker MakeCounter(DatabaseKind kind)
{
    return [kind] { return std::make_unique<UniqueID>(kind); };
}

// The tables checked on an upgrade, in the order they are checked.
std::vector<std::pair<const char*, Maker>> UpgradedTables()
{
    return {
        {"Owner", Make<Owner>()},
        {"Inspection", Make<Inspection>()},
        {"Category", Make<Category>()},
        {"Step", Make<Step>()},
        {"Field", Make<Field>()},
        {"CategoryComment", Make<CategoryComment>()},
        {"CategoryStep", Make<CategoryStep>()},
        {"CategoryTemplate", Make<CategoryTemplate>()},
        {"Comments", Make<Comments>()},
        {"InspectionType", Make<InspectionType>()},
        {"InspectionTypeCategory", Make<InspectionTypeCategory>()},
        {"InspectionTypeComment", Make<InspectionTypeComment>()},
        {"MaterialComment", Make<MaterialComment>()},
        {"MaterialTemplate", Make<MaterialTemplate>()},
        {"Pickers", Make<Pickers>()},
        {"RatingChoices", Make<RatingChoices>()},
        {"RatingType", Make<RatingType>()},
        {"StepComment", Make<StepComment>()},
        {"StepTemplate", Make<StepTemplate>()},
        {"FieldTemplate", Make<FieldTemplate>()},
        {"UniqueID", MakeCounter(DatabaseKind::Inspection)},
        {"UniqueID", MakeCounter(DatabaseKind::Template)},
        {"ExpandedText", Make<ExpandedText>()},
    };
}

} // namespace

void UpdateDatabaseStructure()
{
    const auto tables = UpgradedTables();
    auto progress = ui::CurrentPort().progress();
    progress->setTitle("Updating Data Structure...");
    progress->setRange(0, static_cast<int>(tables.size()));
    int done = 0;
    for (const auto& [name, make] : tables) {
        progress->setStatus(name);
        make()->CheckStructure();
        progress->setPosition(++done);
    }
}

void CreateFullStructure()
{
    UpdateDatabaseStructure();
    MERGE_Inspection().CheckStructure();
    MERGE_Category().CheckStructure();
    MERGE_Step().CheckStructure();
    VoidComments().CheckStructure();
    Options options; // checks its own table
    if (options.GetCount() == 0) {
        // New files have the structure of this version.
        options.m_DataVersion = kDataVersion;
        options.Save();
    }
    PrepareForUse();
}

void PrepareForUse()
{
    // Children are found and deleted by their owner's identifier; without these
    // every deletion of a category's steps would read the whole step table.
    static const char* const inspectionIndexes[] = {
        "CREATE INDEX IF NOT EXISTS StepByCategory ON Step (CategoryID)",
        "CREATE INDEX IF NOT EXISTS CategoryByInspection ON Category (InspectionID)",
        "CREATE INDEX IF NOT EXISTS FieldByCategory ON Field (CategoryID)",
        "CREATE INDEX IF NOT EXISTS MergeStepByCategory ON MERGE_Step (CategoryID)",
        "CREATE INDEX IF NOT EXISTS MergeCategoryByInspection ON MERGE_Category (InspectionID)",
        // Rows are opened by identifier one at a time (merge, duplication): a
        // lookup must not read the whole table.
        "CREATE INDEX IF NOT EXISTS InspectionByID ON Inspection (InspectionID)",
        "CREATE INDEX IF NOT EXISTS CategoryByID ON Category (CategoryID)",
        "CREATE INDEX IF NOT EXISTS StepByID ON Step (StepID)",
        "CREATE INDEX IF NOT EXISTS MergeCategoryByID ON MERGE_Category (CategoryID)",
        "CREATE INDEX IF NOT EXISTS MergeStepByID ON MERGE_Step (StepID)",
    };
    static const char* const templateIndexes[] = {
        "CREATE INDEX IF NOT EXISTS CategoryStepByCategory ON CategoryStep (CategoryID)",
        "CREATE INDEX IF NOT EXISTS StepCommentByStep ON StepComment (StepID)",
        "CREATE INDEX IF NOT EXISTS MaterialByStep ON MaterialTemplate (StepID)",
        "CREATE INDEX IF NOT EXISTS PickersByName ON Pickers (PickerName)",
    };
    auto run = [](DatabaseKind kind, auto& statements) {
        auto connection = Database::Get(kind);
        if (!connection || connection->ReadOnly())
            return;
        // A table an older file lacks simply gets no index.
        for (const char* sql : statements)
            sqlite3_exec(connection->Handle(), sql, nullptr, nullptr, nullptr);
        connection->StructureChanged();
        connection->UseWriteAheadLog();
        StampDataFile(kind);
    };
    run(DatabaseKind::Inspection, inspectionIndexes);
    run(DatabaseKind::Template, templateIndexes);
}

} // namespace store
