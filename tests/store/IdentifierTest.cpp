// Identifier counters of both databases and reserved blocks.
#include "store/Category.h"
#include "store/Step.h"
#include "store/UniqueID.h"
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>

using namespace store;
using namespace testing_support;

class IdentifierTest : public DataFilesTest {};

TEST_F(IdentifierTest, CountersStartPerDatabaseRecoverFromNegativeValuesAndSkipOneAfterAReservedBlock)
{
    UniqueID inspection(DatabaseKind::Inspection);
    EXPECT_EQ(inspection.GetNextID("Inspection"), 1000);
    EXPECT_EQ(inspection.GetNextID("Inspection"), 1001);
    EXPECT_EQ(inspection.GetNextID("Field"), 1000); // each name counts on its own

    UniqueID templates(DatabaseKind::Template);
    EXPECT_EQ(templates.GetNextID("Comments"), 25000);
    Exec(0, "UPDATE UniqueID SET NextID = -5 WHERE TableName = 'Comments'");
    EXPECT_EQ(templates.GetNextID("Comments"), 25000);
    EXPECT_EQ(templates.GetNextID("Comments"), 25001);

    // The inspection counter has no such floor.
    Exec(1, "UPDATE UniqueID SET NextID = -5 WHERE TableName = 'Inspection'");
    EXPECT_EQ(inspection.GetNextID("Inspection"), -4);
    EXPECT_EQ(QueryInt(1, "SELECT count(*) FROM UniqueID"), 2);

    Exec(1, "INSERT INTO UniqueID (TableName, NextID) VALUES ('Step', 1000)");
    Step step;
    step.ReserveIDs(3);
    step.ReserveIDs(50); // ignored while identifiers are left
    int got[4];
    for (int& id : got) {
        step.New();
        id = step.m_StepID;
    }
    // The counter stood at 1004 after the block.
    EXPECT_EQ(std::vector<int>(std::begin(got), std::end(got)), std::vector<int>({1001, 1002, 1003, 1005}));
    EXPECT_EQ(QueryInt(1, "SELECT NextID FROM UniqueID WHERE TableName = 'Step'"), 1005);

    // The staging copy draws from its own counters.
    MERGE_Category staged;
    staged.New();
    EXPECT_EQ(staged.m_CategoryID, 1000);
    EXPECT_EQ(QueryInt(1, "SELECT NextID FROM UniqueID WHERE TableName = 'MERGE_InspectionCategory'"), 1000);

    // A block from a missing counter starts where a single allocation would.
    Category cat;
    cat.ReserveIDs(2);
    cat.New();
    EXPECT_EQ(cat.m_CategoryID, 1000);
}
