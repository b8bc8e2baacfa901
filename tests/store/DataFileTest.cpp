// Files that are not data files of the program, transactions, and the full structure.
#include "store/DataFile.h"
#include "store/Database.h"
#include "store/Inspection.h"
#include "store/Step.h"
#include "store/TableRecord.h"
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <fstream>
#include <iterator>

using namespace store;
using namespace testing_support;

namespace {

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

TEST(DataFileTest, ForeignFilesAreRefusedByNameAndLeftUnchanged)
{
    TempFolder folder;
    ScriptedPort port;
    std::string jet(2048, '\0');
    jet.replace(4, 15, "Standard Jet DB");
    std::string noise;
    for (int i = 0; i < 4096; ++i)
        noise += static_cast<char>((i * 7919 + 13) % 251);
    const struct {
        const char* name;
        std::string bytes;
        const char* says;
    } files[] = {{"old.cdb", jet, "Microsoft Access (Jet) database"}, {"noise.cdb", noise, "is not a data file"}};
    for (const auto& f : files) {
        const std::string path = folder.File(f.name);
        std::ofstream(path, std::ios::binary) << f.bytes;
        EXPECT_FALSE(Database::Open(DatabaseKind::Template, path, true));
        EXPECT_TRUE(port.Saw(path)) << port.AllText();
        EXPECT_TRUE(port.Saw(f.says)) << port.AllText();
        EXPECT_EQ(Contents(path), f.bytes);
    }
    std::filesystem::create_directory(folder.File("dir.cdb"));
    EXPECT_FALSE(Database::Open(DatabaseKind::Template, folder.File("dir.cdb"), true));
    EXPECT_TRUE(port.Saw("is a folder"));
    EXPECT_FALSE(Database::Open(DatabaseKind::Inspection, folder.File("missing.cdb"), false));
    EXPECT_FALSE(std::filesystem::exists(folder.File("missing.cdb")));
}

class StructureTest : public DataFilesTest {};

TEST_F(StructureTest, FullStructureHasEveryTableWithItsColumns)
{
    auto tables = [](int kind) {
        return QueryText(kind, "SELECT group_concat(name, ',') FROM (SELECT name FROM sqlite_master WHERE type = "
                               "'table' ORDER BY name)");
    };
    EXPECT_EQ(tables(0), "CategoryComment,CategoryStep,CategoryTemplate,Comments,ExpandedText,FieldTemplate,"
                         "InspectionType,InspectionTypeCategory,InspectionTypeComment,MaterialComment,"
                         "MaterialTemplate,Options,Owner,Pickers,RatingChoices,RatingType,StepComment,StepTemplate,"
                         "UniqueID,VoidComments");
    EXPECT_EQ(tables(1), "Category,Field,Inspection,MERGE_Category,MERGE_Inspection,MERGE_Step,Step,UniqueID");

    auto columns = [](int kind, const std::string& table) {
        // SQLite reports the common type names in capitals.
        return QueryText(kind, "SELECT group_concat(name || ' ' || lower(type), ',') FROM (SELECT * FROM pragma_table_info('" +
                                   table + "') ORDER BY cid)");
    };
    EXPECT_EQ(columns(1, "Step"),
              "StepID integer,StepNumber varchar (255),StepTitle varchar (255),CategoryID integer,InspectResult varchar "
              "(255),Comments varchar (255),Materials varchar (255),StepRatingType varchar (255),String8 varchar "
              "(255),MaterialList varchar (255),StepTemplateID integer,YesNo11 bit,MajorSystem text,StepInfoExists "
              "bit,SummaryComment text,BitmapPath text,PictureBefore bit");
    EXPECT_EQ(columns(1, "Inspection").substr(0, 61), "InspectionID integer,DwellingAddress varchar (255),ClientName");
    EXPECT_NE(columns(1, "Inspection").find("InspectionDate datetime,DocType varchar (255),YesNo8 bit,YesNo9 bit,Number10 integer"), std::string::npos);
    EXPECT_EQ(QueryText(1,
                        "SELECT (SELECT count(*) FROM pragma_table_info('Inspection')) || '|' || (SELECT "
                        "count(*) FROM pragma_table_info('MERGE_Inspection'))"),
              "19|18");
    EXPECT_EQ(columns(1, "Field"),
              "ID integer,CategoryID integer,AssignedValue text,SequenceNumber integer,FieldType integer,FieldLabel "
              "varchar(80)");
    EXPECT_EQ(columns(0, "UniqueID"), "TableName varchar(50),NextID integer");
    EXPECT_EQ(QueryText(0,
                        "SELECT count(*) || '|' || group_concat(CASE WHEN name IN ('ReportIcon', 'ColumnWidth1') "
                        "THEN type END, '|') FROM (SELECT * FROM pragma_table_info('Options') ORDER BY cid)"),
              "41|float|Long Varbinary");
    EXPECT_EQ(QueryText(0, "SELECT name FROM pragma_table_info('RatingChoices') WHERE cid = 8"), "RedFlag");
    for (int kind : {0, 1}) { // both files carry the mark of the program and the version they were made with
        EXPECT_EQ(QueryInt(kind, "PRAGMA application_id"), kApplicationId);
        EXPECT_EQ(QueryInt(kind, "PRAGMA user_version"), 500);
    }
    EXPECT_TRUE(port.messages.empty()) << port.AllText();
    EXPECT_NE(std::find(port.progressLog.begin(), port.progressLog.end(), "status: ExpandedText"),
              port.progressLog.end());
}

TEST_F(StructureTest, UnfinishedTransactionLeavesNothingAndTransactionsNest)
{
    {
        Transaction outer(DatabaseKind::Inspection);
        Inspection insp;
        insp.New();
        insp.Save();
        {
            Transaction inner(DatabaseKind::Inspection);
            Step step;
            step.New();
            step.Save();
            ASSERT_TRUE(inner.Commit());
        }
        // outer is not committed
    }
    EXPECT_EQ(QueryInt(1,
                       "SELECT (SELECT count(*) FROM Inspection) + (SELECT count(*) FROM Step) + (SELECT "
                       "count(*) FROM UniqueID)"),
              0);
    {
        Transaction tx(DatabaseKind::Inspection);
        Inspection insp;
        insp.New();
        insp.Save();
        ASSERT_TRUE(tx.Commit());
    }
    EXPECT_EQ(QueryInt(1, "SELECT count(*) FROM Inspection"), 1);
}

TEST(DataFileTest, OpeningAnExistingFileWritesNothingUntilItIsPrepared)
{
    TempFolder folder;
    ScriptedPort port;
    const std::string path = folder.File("old.cdb");
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        sqlite3_exec(db, "CREATE TABLE Inspection (InspectionID integer)", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    const std::string before = Contents(path);
    ASSERT_TRUE(Database::Open(DatabaseKind::Inspection, path));
    Inspection insp;
    ASSERT_TRUE(insp.Open());
    Database::CloseAll();
    EXPECT_EQ(Contents(path), before); // declining an upgrade leaves the file as it was
}
