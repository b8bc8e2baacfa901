// The table layer against real SQLite files.
#include "store/Category.h"
#include "store/CategoryTemplate.h"
#include "store/Inspection.h"
#include "store/MaterialTemplate.h"
#include "store/Pickers.h"
#include "store/Step.h"
#include "store/TableRecord.h"
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>

using namespace store;
using namespace testing_support;

namespace {

constexpr int kTemplate = 0;
constexpr int kInspection = 1;

// A table of the test's own, to exercise the layer without a real record class.
class Sample : public TableRecord {
public:
    explicit Sample(int columns = 4, bool named = true) : TableRecord(DatabaseKind::Inspection)
    {
        m_tableName = "Sample";
        if (columns > 0) BindInteger(m_id, named ? "SampleID" : "");
        if (columns > 1) BindText(m_title, named ? "Title" : "");
        if (columns > 2) BindYesNo(m_flag, named ? "Flag" : "");
        if (columns > 3) BindDate(m_when, named ? "Happened" : "");
    }
    std::int32_t m_id = 0;
    std::string m_title;
    std::int32_t m_flag = 0;
    DateTime m_when;
};

// The identifier, title and flag, for a look at the whole row.
std::string Describe(const Sample& sample)
{
    return std::to_string(sample.m_id) + "|" + sample.m_title + "|" + std::to_string(sample.m_flag);
}

std::string Schema(const std::string& table)
{
    return QueryText(kInspection, "SELECT sql FROM sqlite_master WHERE name = '" + table + "'");
}

class TableRecordTest : public DataFilesTest {};

} // namespace

TEST_F(TableRecordTest, OlderTableGainsMissingColumnsOnceAndWiderTableIsLeftAlone)
{
    Exec(kInspection, "CREATE TABLE Sample (SampleID integer, Title varchar(40), Flag bit, Happened datetime, Extra integer)");
    Exec(kInspection, "INSERT INTO Sample VALUES (7, 'kept', 1, NULL, 3)");
    {
        Sample wide(4);
        wide.CheckStructure(); // the table has more columns than declared: nothing changes
    }
    EXPECT_EQ(QueryInt(kInspection, "SELECT count(*) FROM pragma_table_info('Sample')"), 5);

    Exec(kInspection, "DROP TABLE Sample");
    Exec(kInspection, "CREATE TABLE Sample (SampleID integer, Title varchar(40))");
    Exec(kInspection, "INSERT INTO Sample VALUES (7, 'kept')");
    Sample sample(4);
    sample.CheckStructure();
    sample.CheckStructure(); // a second run adds nothing
    EXPECT_EQ(QueryInt(kInspection, "SELECT count(*) FROM pragma_table_info('Sample')"), 4);
    EXPECT_EQ(QueryText(kInspection, "SELECT name || ':' || type FROM pragma_table_info('Sample') WHERE cid = 3"),
              "Happened:datetime");
    ASSERT_TRUE(sample.Open());
    ASSERT_EQ(sample.GetCount(), 1);
    sample.Read(0);
    EXPECT_EQ(Describe(sample), "7|kept|0");
}

TEST_F(TableRecordTest, ColumnOfTheWrongTypeEndsTheProgramNamingTheColumn)
{
    Exec(kInspection, "CREATE TABLE Sample (SampleID integer, Title varchar(40), Flag bit, Happened varchar(20))");
    EXPECT_EXIT(
        {
            Sample sample(4);
            sample.CheckStructure();
        },
        ::testing::ExitedWithCode(1), "Column type mismatch in table: Sample column: 3");
}

TEST_F(TableRecordTest, NewTablesTakeTheDefaultNamesAndAnyTextTypeIsAccepted)
{
    Sample unnamed(2, false);
    unnamed.CheckStructure();
    EXPECT_EQ(Schema("Sample"), "CREATE TABLE Sample (Number0 integer,String1 varchar (255) COLLATE NOCASE)");

    // MajorSystem is declared "Text"; an older file may hold it as varchar.
    Exec(kInspection, "CREATE TABLE Probe (A varchar(10), B Text, C memo)");
    class Probe : public TableRecord {
    public:
        Probe() : TableRecord(DatabaseKind::Inspection)
        {
            m_tableName = "Probe";
            BindText(a, "A", "Text");
            BindText(b, "B", "Text");
            BindText(c, "C");
        }
        std::string a, b, c;
    } probe;
    probe.CheckStructure(); // would end the process on a mismatch
    EXPECT_EQ(QueryInt(kInspection, "SELECT count(*) FROM pragma_table_info('Probe')"), 3);
}

TEST_F(TableRecordTest, ValuesRoundTripAndEmptyTextIsStoredAsNull)
{
    Sample sample;
    sample.CheckStructure();
    sample.New();
    EXPECT_EQ(sample.m_when.year, DateTime::Now().year); // New sets dates to now
    sample.m_id = 1;
    sample.m_title = "";
    sample.m_flag = -1;
    sample.m_when = DateTime::Make(2007, 7, 4, 9, 5, 0);
    ASSERT_TRUE(sample.Save());
    sample.New();
    sample.m_id = 2;
    sample.m_title = "O'Brien said \"wet\" 100% ; DROP TABLE Sample";
    sample.m_flag = 256; // only the lowest byte counts
    ASSERT_TRUE(sample.Save());

    EXPECT_EQ(QueryText(kInspection,
                        "SELECT group_concat(SampleID || ':' || ifnull(Title, 'NULL') || ':' || Flag || "
                        "':' || ifnull(Happened, 'NULL'), ';') FROM Sample WHERE Title IS NULL OR Flag = TRUE"),
              "1:NULL:1:2007-07-04 09:05:00");

    ASSERT_TRUE(sample.OpenSql("SELECT * FROM Sample WHERE Title = \"%s\"", {std::string("O'Brien said \"wet\" 100% ; DROP TABLE Sample")}));
    ASSERT_EQ(sample.GetCount(), 1);
    sample.Read(0);
    EXPECT_EQ(Describe(sample), "2|O'Brien said \"wet\" 100% ; DROP TABLE Sample|0");

    ASSERT_TRUE(sample.OpenSql("SELECT * FROM Sample WHERE Flag = TRUE"));
    ASSERT_EQ(sample.GetCount(), 1);
    sample.Read(0);
    EXPECT_EQ(Describe(sample), "1||-1"); // yes reads back as -1
    EXPECT_EQ(sample.m_when, DateTime::Make(2007, 7, 4, 9, 5, 0));
}

TEST_F(TableRecordTest, SaveUpdatesTheRowReadEvenWhenRowsMovedAndReadPastTheEndChangesNothing)
{
    Sample sample;
    sample.CheckStructure();
    for (int i = 2; i <= 4; ++i) {
        sample.New();
        sample.m_id = i;
        sample.m_title = "row " + std::to_string(i);
        sample.Save();
    }
    ASSERT_TRUE(sample.OpenSql("SELECT * FROM Sample ORDER BY SampleID"));
    ASSERT_EQ(sample.GetCount(), 3);
    EXPECT_EQ(sample.GetPosition(), -1);
    sample.Read(1); // row 3
    // A row that sorts first comes, and the set is opened again before the save.
    Exec(kInspection, "INSERT INTO Sample (SampleID, Title) VALUES (1, 'row 1')");
    ASSERT_TRUE(sample.OpenSql("SELECT * FROM Sample ORDER BY SampleID"));
    sample.m_title = "changed";
    ASSERT_TRUE(sample.Save());
    EXPECT_EQ(QueryText(kInspection, "SELECT group_concat(Title) FROM (SELECT Title FROM Sample ORDER BY SampleID)"),
              "row 1,row 2,changed,row 4");

    sample.New(); // pending insert...
    sample.m_id = 99;
    sample.m_title = "untouched";
    sample.Read(4); // ...cleared by a read past the end, which leaves the members alone
    EXPECT_EQ(Describe(sample), "99|untouched|0");
    sample.Read(1);
    EXPECT_EQ(sample.m_title, "row 2"); // not a copy of what was saved
    sample.Read(2);
    EXPECT_EQ(sample.m_title, "changed"); // the row set follows what was saved
    sample.Delete();
    EXPECT_EQ(QueryText(kInspection, "SELECT group_concat(SampleID) FROM (SELECT SampleID FROM Sample ORDER BY 1)"),
              "1,2,4");
}

TEST_F(TableRecordTest, StatementsBindTheirValuesAndDeletesOrMissingRowsSucceedWithNoRows)
{
    const auto t = ExpandStatement("SELECT * FROM %s WHERE PickerName = \"%s\" AND ID = %d AND N = \"%d\" AND X = \"y\"",
                                   {std::string("Pickers"), std::string("Owner's \"List\""), 5, 7});
    EXPECT_EQ(t.sql, "SELECT * FROM Pickers WHERE PickerName = ? AND ID = ? AND N = ? AND X = 'y'");
    // A quoted number compares as text.
    EXPECT_EQ(t.params, (std::vector<SqlArg>{std::string("Owner's \"List\""), std::int64_t{5}, std::string("7")}));

    // A table name that is not a plain name is never pasted into the text.
    const auto hostile = ExpandStatement("DELETE FROM %s", {std::string("Step; DROP TABLE Step")});
    EXPECT_EQ(hostile.sql, "DELETE FROM ?");

    Category c;
    EXPECT_TRUE(c.OpenByID(424242));
    EXPECT_EQ(c.GetCount(), 0);
    EXPECT_TRUE(c.DeleteByInspection(1));
    EXPECT_EQ(c.GetCount(), 0);
    EXPECT_TRUE(port.messages.empty()) << port.AllText();

    EXPECT_FALSE(c.OpenSql("SELECT * FROM NoSuchTable"));
    EXPECT_TRUE(port.Saw("ADO Exception thrown!")) << port.AllText();
    EXPECT_TRUE(port.Saw("no such table: NoSuchTable"));
}

TEST_F(TableRecordTest, InspectionQueriesFollowTheirStatements)
{
    Inspection insp;
    insp.New();
    insp.m_InspectionNum = "A-1";
    insp.m_InspectionDate = DateTime::Make(2007, 7, 4, 9, 5);
    insp.Save();
    ASSERT_TRUE(insp.OpenByID(insp.m_InspectionID));
    insp.Read(0);
    EXPECT_EQ(insp.m_DateText + " " + insp.m_TimeText, "7/4/2007 9:5");

    // The kitchen has two reported steps and one empty; the roof's blank rating does not count as reported.
    const std::string id = std::to_string(insp.m_InspectionID);
    Exec(kInspection,
         "INSERT INTO Category (CategoryID, InspectionID, CategoryNumber, CategoryTitle) VALUES (1, " + id +
             ", '7', 'Kitchen'), (2, " + id + ", '12', 'Roof')");
    Exec(kInspection,
         "INSERT INTO Step (StepID, CategoryID, StepNumber, Comments, InspectResult, Materials) VALUES "
         "(1, 1, '2', 'Reported', NULL, NULL), (2, 1, '10', 'Reported', NULL, NULL), (3, 1, '3a', NULL, NULL, NULL), "
         "(5, 1, '4', NULL, NULL, 'Metal;'), (4, 2, '1', NULL, ' ', NULL)");
    const int ids[2] = {1, 2};
    Category cat;
    ASSERT_TRUE(cat.OpenByNumber(7)); // the number is compared as text
    ASSERT_EQ(cat.GetCount(), 1);
    cat.Read(0);
    EXPECT_EQ(cat.m_CategoryTitle, "Kitchen");

    Step step;
    ASSERT_TRUE(step.OpenByCategory(ids[0]));
    ASSERT_EQ(step.GetCount(), 4);
    std::string order;
    for (int i = 0; i < 4; ++i) {
        step.Read(i);
        order += step.m_StepNumber + ",";
    }
    EXPECT_EQ(order, "10,2,3a,4,"); // ordered as text

    auto count = [&](bool opened) { return opened ? step.GetCount() : -1; };
    EXPECT_EQ(std::vector<int>({count(step.OpenEmptyByCategory(ids[0])), count(step.OpenFilledByCategory(ids[0])),
                                count(step.OpenCommentedByInspectionAndRating(insp.m_InspectionID, ""))}),
              std::vector<int>({1, 3, 0})); // filled: a comment, a rating or materials

    // One row per reported step: the kitchen three times (two comments, materials),
    // the roof, rated blank, not at all.
    ASSERT_TRUE(cat.OpenReportedByInspection(insp.m_InspectionID));
    ASSERT_EQ(cat.GetCount(), 3);
    for (int i = 0; i < 3; ++i) {
        cat.Read(i);
        EXPECT_EQ(cat.m_CategoryTitle, "Kitchen");
    }
    // A category read through a join can be saved back.
    cat.m_CategoryComments = "Updated through a join";
    ASSERT_TRUE(cat.Save());
    EXPECT_EQ(QueryText(kInspection, "SELECT CategoryComments FROM Category WHERE CategoryID = " + std::to_string(ids[0])),
              "Updated through a join");
}

TEST_F(TableRecordTest, TemplateLookupsBindNamesAndIgnoreLetterCase)
{
    Pickers p;
    for (const char* choice : {"Attic", "Basement"}) {
        p.New();
        p.m_PickerName = "Owner's \"Special\" List";
        p.m_PickerChoice = choice;
        ASSERT_TRUE(p.Save());
    }
    EXPECT_EQ(p.m_ID, 25001); // the template counter starts at 25000
    ASSERT_TRUE(p.OpenByName("owner's \"special\" list"));
    EXPECT_EQ(p.GetCount(), 2);
    ASSERT_TRUE(p.DeleteByName("Owner's \"Special\" List"));
    ASSERT_TRUE(p.OpenByName("Owner's \"Special\" List"));
    EXPECT_EQ(p.GetCount(), 0);

    Exec(kTemplate, "INSERT INTO MaterialTemplate (ID, StepID, MaterialName, MaterialOrder, DefaultMaterial) VALUES "
                    "(1, 50, 'M0', 3, 0), (2, 50, 'M1', 2, 1), (3, 50, 'M2', 1, 0)");
    MaterialTemplate m;
    ASSERT_TRUE(m.OpenDefaultsByStep(50)); // "= TRUE" finds the stored yes
    ASSERT_EQ(m.GetCount(), 1);
    m.Read(0);
    EXPECT_EQ(m.m_MaterialName, "M1");
    ASSERT_TRUE(m.OpenByStep(50));
    m.Read(0);
    EXPECT_EQ(m.m_MaterialName, "M2");
    EXPECT_TRUE(port.messages.empty()) << port.AllText();
}

TEST_F(TableRecordTest, RowsReadThroughANestedJoinAreNeverSavedAsNewRows)
{
    Exec(kTemplate,
         "INSERT INTO InspectionType (ID, InspectionType) VALUES (1, 'Home'); "
         "INSERT INTO CategoryTemplate (ID, CategoryName) VALUES (10, 'Roof'); "
         "INSERT INTO InspectionTypeCategory (InspectionTypeID, CategoryID) VALUES (1, 10)");
    CategoryTemplate tpl;
    ASSERT_TRUE(tpl.OpenByDocType("home")); // the name is found in any letter case
    ASSERT_EQ(tpl.GetCount(), 1);
    tpl.Read(0);
    ASSERT_EQ(tpl.m_CategoryName, "Roof");
    tpl.m_CategoryName = "Roof covering";
    EXPECT_FALSE(tpl.Save());
    EXPECT_TRUE(port.Saw("cannot be saved"));
    EXPECT_THROW(tpl.Delete(), DatabaseError);
    EXPECT_EQ(QueryText(kTemplate, "SELECT group_concat(CategoryName) FROM CategoryTemplate"), "Roof");
}
