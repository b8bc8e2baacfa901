// The export file and its import into the staging tables.
#include "ExchangeTestData.h"

#include "exchange/InspectionExporter.h"
#include "exchange/InspectionImporter.h"
#include "exchange/InspectionTransfer.h"
#include "exchange/StagedInspections.h"
#include "support/TempDataFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace exchange_test;

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const int kInspectionDb = static_cast<int>(store::DatabaseKind::Inspection);

// One record of an export file: its fields and the mark that closes it.
std::string Record(std::initializer_list<std::string> fields)
{
    std::string out;
    for (const auto& field : fields)
        out += (out.empty() ? "" : "\xA4") + field;
    return out + "\xA7";
}

// A step of one category holding only a number, a title and comments.
CategoryData OneStep(const std::string& title, const std::string& stepTitle, const std::string& comments)
{
    return {title, "1", "", "", 0, 0, 0, 0, {StepData{.number = "1", .title = stepTitle, .comments = comments}}};
}

class ExportImportTest : public testing_support::DataFilesTest {
protected:
    std::string Export(int inspectionID)
    {
        const std::string path = folder.File("export-" + std::to_string(inspectionID) + ".rtf");
        const auto outcome = exchange::InspectionExporter().ExportInspection(inspectionID, path);
        EXPECT_TRUE(outcome.written) << port.AllText();
        return Contents(path);
    }

    exchange::ImportOutcome Import(const std::string& bytes)
    {
        return exchange::InspectionImporter().ImportBytes(bytes);
    }

    // The header record and an INSPECTION record, for hand-made files.
    static std::string Head() { return std::string("Veltrane Export File\xA4\xA7INSPECTION\xA4" "12 Elm\xA7"); }
};

TEST_F(ExportImportTest, AccentedInspectionSurvivesExportAndImport)
{
    const int sourceID = AddInspection("2024-Ø17", "Home Inspection", 31);
    testing_support::Exec(kInspectionDb,
                          "UPDATE Inspection SET DwellingAddress = '3 rue de l''Église', ClientName = 'Zoë Müller', "
                          "AgentName = 'José Núñez', String4 = 's4 “quoted”', InspectionComments = 'Première visite — "
                          "15 € de frais.\r\nDeuxième ligne', YesNo8 = 1, Number10 = -42, String12 = 'twelve', "
                          "DwellingCityStateZip = 'Montréal, QC H2X', ClientAddress = 'Straße 5', ClientCityStateZip "
                          "= 'Köln', RealEstateCompany = 'Société Immobilière'");

    CategoryData kitchen{"Küche", "12", "s3 ½", "Carrelage fissuré; Évier", -1, 0, -5, 1, {}};
    kitchen.steps.push_back(FullStep(1, "Évier"));
    kitchen.steps.push_back(FullStep(2, "Cuisinière à gaz"));
    kitchen.steps[1].comments = "Œuvre – “guillemets” ‘simples’ … naïve façade";
    StepData sparse;
    sparse.number = "3a";
    sparse.title = "Hotte";
    sparse.infoExists = -1;
    kitchen.steps.push_back(sparse);
    AddCategory(sourceID, kitchen);
    AddCategory(sourceID, {"Grenier", "2", "", "", 0, -1, 25001, 0, {}});
    AddCategory(sourceID, {"Toit", "3", "", "Bardeaux usés", 0, 0, 0, 0, {FullStep(7, "Couverture")}});
    const auto original = ReadCategories(sourceID);
    ASSERT_EQ(original.size(), 3u);

    const std::string bytes = Export(sourceID);
    // Windows-1252 bytes, not UTF-8 sequences, cross the file.
    EXPECT_THAT(bytes, HasSubstr("K\xFC" "che"));
    EXPECT_THAT(bytes, HasSubstr("15 \x80 de frais"));
    EXPECT_THAT(bytes, Not(HasSubstr("\xC3")));
    EXPECT_FALSE(port.Saw("written as")) << port.AllText();

    const auto imported = Import(bytes);
    ASSERT_TRUE(imported.imported) << port.AllText();
    ASSERT_EQ(imported.stagedInspectionIDs.size(), 1u);
    const int staged = imported.stagedInspectionIDs[0];
    EXPECT_EQ(imported.categories, 3);
    EXPECT_EQ(imported.steps, 4);
    EXPECT_EQ(ReadCategories(staged, true), original);

    // Every header field but the date, which the import sets to its own time.
    std::string fields;
    for (const char* column : {"DwellingAddress", "ClientName", "AgentName", "String4", "InspectionComments", "DocType",
                               "YesNo8", "YesNo9", "Number10", "InspectionNum", "String12", "DwellingCityStateZip",
                               "ClientAddress", "ClientCityStateZip", "DocTypeID", "RealEstateCompany"})
        fields += (fields.empty() ? "" : " || '|' || ") + std::string("ifnull(") + column + ", 'NULL')";
    auto header = [&](const std::string& table, int id) {
        return testing_support::QueryText(kInspectionDb, "SELECT " + fields + " FROM " + table +
                                                             " WHERE InspectionID = " + std::to_string(id));
    };
    EXPECT_EQ(header("MERGE_Inspection", staged), header("Inspection", sourceID));
    EXPECT_THAT(header("MERGE_Inspection", staged), HasSubstr("|1|0|-42|2024-Ø17|"));
}

TEST_F(ExportImportTest, RecordsCarryTheFieldsInTheirOrderWithOwnerAndLicence)
{
    testing_support::Exec(
        static_cast<int>(store::DatabaseKind::Template),
        "INSERT INTO Owner (Name, Company, Address, WorkAreaCode, WorkPhone, FaxNumber) VALUES ('Jane "
        "Roe #MN-1234', 'Roe & \"Sons\" Inspections', '1 Main St\nSuite 4\nMinneapolis, MN 55401', "
        "'612', '555-0100', '555-0101')");
    const int id = AddInspection("77", "Home Inspection", 5);
    CategoryData category{"Roof", "4", "x", "", -1, 0, -3, 2, {}};
    StepData step = FullStep(1, "Covering");
    step.infoExists = -1;
    step.pictureBefore = 0;
    step.yesNo11 = 0;
    category.steps.push_back(step);
    AddCategory(id, category);

    // Written as stored; only the double quote, which would end the value, is replaced, and the user is told.
    // StepInfoExists (the -1) is written as read from the database.
    EXPECT_EQ(Export(id),
              Record({"Veltrane Export File", ""}) +
                  Record({"INSPECTIONCOMPANY",
                          "<InspectionCompany Name= \"Roe & 'Sons' Inspections\" ContactName= \"Jane Roe \" Address= "
                          "\"1 Main St, Suite 4\" CSZ= \"Minneapolis, MN 55401\" Phone_Work= \"(612) 555-0100\" "
                          "Phone_Fax= \"555-0101\" Email= \"Not currently supported.\" />",
                          ""}) +
                  Record({"INSPECTION", "12 Elm Street", "Client 77", "", "", "", "7/4/2024", "9:5", "Home Inspection",
                          "FALSE", "FALSE", "0", "77", "", "Minneapolis, MN 55401", "", "", "5", "", "#MN-1234"}) +
                  Record({"CATEGORY", "Roof", "4", "x", "", "TRUE", "FALSE", "-3", "2"}) +
                  Record({"STEP", "1", "Covering", step.result, step.comments, step.materials, "Standard", "s8-1",
                          step.materialList, "25001", "FALSE", "Roof", "-1", "Summary 1", "/pictures/1.jpg", "0"}));
    EXPECT_TRUE(port.Saw("2 characters were replaced: a double quote by an apostrophe")) << port.AllText();
}

TEST_F(ExportImportTest, CharactersOutsideWindows1252BecomeQuestionMarksAndAreCounted)
{
    const int id = AddInspection("5", "Home Inspection");
    AddCategory(id, OneStep("Roof ✓", "Covering", "Cracked 中 tile, see ✓"));

    const std::string bytes = Export(id);
    EXPECT_THAT(bytes, HasSubstr("Cracked ? tile, see ?"));
    EXPECT_TRUE(port.Saw("3 characters were written as \"?\"")) << port.AllText();
}

TEST_F(ExportImportTest, SeparatorCharactersInAValueRefuseTheExportNamingTheirPlace)
{
    const int id = AddInspection("DOC-9", "Home Inspection");
    AddCategory(id, OneStep("Electrical", "Panel", "Not to code, see § 230.70."));
    AddCategory(id, CategoryData{"Cost ¤", "2", "", "", 0, 0, 0, 0, {}});

    const std::string path = folder.File("kept.rtf");
    std::ofstream(path, std::ios::binary) << "an older export";
    const auto outcome = exchange::InspectionExporter().ExportInspection(id, path);
    EXPECT_FALSE(outcome.written);
    EXPECT_EQ(Contents(path), "an older export");
    const std::string text = port.AllText();
    EXPECT_THAT(text,
                HasSubstr("the field Comments of the step \"Panel\" of the category \"Electrical\" of the inspection "
                          "Doc # DOC-9"));
    EXPECT_THAT(text, HasSubstr("the field Title of the category \"Cost ¤\""));
}

TEST_F(ExportImportTest, AStepTableThatCannotBeReadStopsBothExportsWithoutAFile)
{
    const int id = AddInspection("R-1", "Home Inspection");
    AddCategory(id, CategoryData{"Garage", "1", "", "", 0, 0, 0, 0, {FullStep(1, "Door")}});
    testing_support::Exec(kInspectionDb, "ALTER TABLE Step RENAME TO StepGone");
    const std::string path = folder.File("partial.rtf");
    EXPECT_FALSE(exchange::ExportInspection(id, path).written);
    EXPECT_FALSE(exchange::ExportInspection(id, path, exchange::ExportFormat::EvaluationXml).written);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(port.Saw("no such table: Step")) << port.AllText();
}

TEST_F(ExportImportTest, ImportReadsEveryRecordOfALargeFileAndOfTwoInspections)
{
    const int big = AddLargeInspection("BIG", 3, 400); // 1,205 records with the header
    const std::string first = Export(big);
    const int small = AddInspection("SMALL", "Home Inspection");
    AddCategory(small, CategoryData{"Garage", "1", "", "", 0, 0, 0, 0, {FullStep(1, "Door")}});
    const std::string second = Export(small);

    // Two inspections in one file: the second file's records follow the first's.
    const std::string both = first + second.substr(second.find("INSPECTION\xA4"));
    const auto imported = Import(both);
    ASSERT_TRUE(imported.imported) << port.AllText();
    ASSERT_EQ(imported.stagedInspectionIDs.size(), 2u);
    EXPECT_EQ(imported.steps, 1201);
    EXPECT_EQ(ReadCategories(imported.stagedInspectionIDs[0], true), ReadCategories(big));
    EXPECT_EQ(ReadCategories(imported.stagedInspectionIDs[1], true), ReadCategories(small));
}

TEST_F(ExportImportTest, AFileThatIsNotAnExportFileStoresNothingAndAHeaderAloneNothingQuietly)
{
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"wrong magic", std::string("Veltrane Export Fil\xA4\xA7INSPECTION\xA4" "12 Elm\xA7")},
        {"header without its field", std::string("Veltrane Export File\xA7INSPECTION\xA7")},
        {"binary noise", std::string("\x89PNG\r\n\x1a\n\0\0\xA7\xA4\xA7", 13)},
        {"header alone", std::string("Veltrane Export File\xA4\xA7")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        port.messages.clear();
        const auto imported = Import(c.bytes);
        const bool headerAlone = c.bytes == "Veltrane Export File\xA4\xA7";
        EXPECT_EQ(imported.imported, headerAlone);
        EXPECT_TRUE(imported.stagedInspectionIDs.empty());
        EXPECT_EQ(StagedRows(), 0);
        EXPECT_EQ(port.messages.empty(), headerAlone) << port.AllText();
        EXPECT_EQ(port.Saw("Invalid Import File."), !headerAlone);
    }
}

// A "¤" typed into a text at another installation adds a field to its record.
TEST_F(ExportImportTest, SurplusFieldsAreRejoinedWhenOnlyOneTextCanHoldThemAndTheRecordIsSkippedOtherwise)
{
    const std::string bytes =
        "Veltrane Export File\xA4\xA7"
        // 20 fields: the "¤" is in DocType, the one text between the time and a TRUE/FALSE.
        "INSPECTION\xA4" "12 Elm\xA4" "Client\xA4" "Agent\xA4\xA4" "Note\xA4" "7/4/2024\xA4" "9:5\xA4"
        "Home \xA4 Inspection\xA4" "FALSE\xA4" "FALSE\xA4" "0\xA4" "D-1\xA4\xA4" "Mpls\xA4\xA4\xA4" "31\xA4"
        "Realty\xA4#L\xA7"
        "CATEGORY\xA4Kitchen\xA4" "1\xA4\xA4\xA4" "FALSE\xA4" "FALSE\xA4" "0\xA4" "0\xA7"
        // 16 fields, the "¤" in Comments: any of the eight texts before the template ID could hold it.
        "STEP\xA4" "1\xA4Sink\xA4Good\xA4" "Cost \xA4 50\xA4Steel\xA4\xA4\xA4\xA4" "12\xA4" "FALSE\xA4"
        "Plumbing\xA4" "0\xA4\xA4\xA4" "0\xA7"
        // 16 fields, the "¤" in MajorSystem, between a TRUE/FALSE and a number.
        "STEP\xA4" "2\xA4Tap\xA4Good\xA4\xA4\xA4\xA4\xA4\xA4" "13\xA4TRUE\xA4Plumb \xA4 ing\xA4-1\xA4Sum\xA4"
        "pic.jpg\xA4" "0\xA7"
        // 9 fields, the "¤" in the title: skipped, and its step with it.
        "CATEGORY\xA4" "Bath \xA4 2\xA4" "2\xA4\xA4\xA4" "FALSE\xA4" "FALSE\xA4" "0\xA4" "0\xA7"
        "STEP\xA4" "1\xA4Tub\xA4\xA4\xA4\xA4\xA4\xA4\xA4" "0\xA4" "FALSE\xA4\xA4" "0\xA4\xA4\xA4" "0\xA7";
    const auto imported = Import(bytes);
    ASSERT_TRUE(imported.imported) << port.AllText();
    EXPECT_EQ(Count("SELECT count(*) FROM MERGE_Inspection WHERE DocType = 'Home \xC2\xA4 Inspection' AND "
                    "InspectionNum = 'D-1' AND DocTypeID = 31 AND RealEstateCompany = 'Realty'"),
              1);
    const auto staged = ReadCategories(imported.stagedInspectionIDs.at(0), true);
    ASSERT_EQ(staged.size(), 1u);
    ASSERT_EQ(Describe(staged[0]), "Kitchen|1|||0|0|0|0|1");
    EXPECT_EQ(Describe(staged[0].steps[0]), "2|Tap|Good||||||Plumb \xC2\xA4 ing|Sum|pic.jpg|13|-1|-1|0");

    ASSERT_EQ(imported.remarks.size(), 5u) << port.AllText();
    EXPECT_THAT(imported.remarks[0],
                HasSubstr("Record 2, the inspection of \"Client\", has 20 fields where the format has "
                          "19: its field Doc Type holds"));
    EXPECT_THAT(imported.remarks[1], HasSubstr("Record 4, the step \"Sink\" of category \"Kitchen\" of Doc # D-1"));
    EXPECT_THAT(imported.remarks[1], HasSubstr("skipped"));
    EXPECT_THAT(imported.remarks[2], HasSubstr("its field Major System holds"));
    EXPECT_THAT(imported.remarks[3], HasSubstr("Record 6, the category \"Bath \" of Doc # D-1"));
    EXPECT_THAT(imported.remarks[4], HasSubstr("1 record under the category"));
    EXPECT_TRUE(port.Saw("The file was imported, but not all of it as written"));
}

TEST_F(ExportImportTest, RecordsWithoutTheirParentAreSkippedAndNamedAndShortRecordsTakeDefaults)
{
    const auto imported = Import("Veltrane Export File\xA4\xA7"
                                 "CATEGORY\xA4" "Attic\xA7"
                                 "STEP\xA4" "1\xA4Hatch\xA7"
                                 "INSPECTION\xA4" "12 Elm\xA7"
                                 "STEP\xA4" "1\xA4Sink\xA7"
                                 "CATEGORY\xA4Kitchen\xA7"
                                 "STEP\xA4" "2\xA4Tap\xA7");
    ASSERT_TRUE(imported.imported) << port.AllText();
    EXPECT_EQ(testing_support::QueryText(kInspectionDb,
                                         "SELECT (SELECT count(*) FROM MERGE_Category) || '|' || "
                                         "group_concat(StepTitle) FROM MERGE_Step"),
              "1|Tap");
    ASSERT_EQ(imported.remarks.size(), 3u) << port.AllText();
    EXPECT_EQ(imported.remarks[0], "Record 2, the category \"Attic\", comes before any inspection: it was skipped.");
    EXPECT_EQ(imported.remarks[1],
              "Record 3, the step \"Hatch\", comes before any category of its inspection: it was skipped.");
    EXPECT_THAT(imported.remarks[2], HasSubstr("Record 5, the step \"Sink\""));

    // Short records take defaults; numbers are read as far as they go.
    const std::string file = Head() + "CATEGORY\xA4Kitchen\xA4" "7\xA7" +
                             "STEP\xA4" "1\xA4Sink\xA4\xA4\xA4\xA4\xA4\xA4\xA4" "12abc\xA4TRUE \xA4\xA4-1\xA7" +
                             "STEP\xA4" "2\xA4Range\xA4\xA4\xA4\xA4\xA4\xA4\xA4" "99999999999\xA4TRUE\xA7" + "\r\n";
    const auto shortOnes = Import(file);
    ASSERT_TRUE(shortOnes.imported) << port.AllText();
    const auto staged = ReadCategories(shortOnes.stagedInspectionIDs[0], true);
    ASSERT_EQ(staged.size(), 1u);
    EXPECT_EQ(Describe(staged[0]), "Kitchen|7|||0|0|0|0|2");
    // Only exactly TRUE is true.
    EXPECT_EQ(staged[0].steps[0], (StepData{.number = "1", .title = "Sink", .templateID = 12, .infoExists = -1}));
    EXPECT_EQ(staged[0].steps[1], (StepData{.number = "2", .title = "Range", .templateID = 2147483647, .yesNo11 = -1}));
}

TEST_F(ExportImportTest, AnEmptyRecordEndsTheFileAndALastRecordWithoutItsMarkIsReadWhenItsFieldCountIsRight)
{
    const auto stops = Import(Head() + "CATEGORY\xA4Kitchen\xA7\xA7"
                              "STEP\xA4" "1\xA4Sink\xA7");
    ASSERT_TRUE(stops.imported);
    EXPECT_EQ(stops.categories, 1);
    EXPECT_EQ(stops.steps, 0);
    ASSERT_EQ(stops.remarks.size(), 1u);
    EXPECT_EQ(stops.remarks[0], "Record 4 is empty, which ends the file: the 12 bytes after it were not read.");

    port.messages.clear();
    const auto quiet = Import(Head() + "\xA7\r\n");
    EXPECT_TRUE(quiet.imported);
    EXPECT_TRUE(quiet.remarks.empty());
    EXPECT_TRUE(port.messages.empty()) << port.AllText();

    const std::string category = "CATEGORY\xA4Kitchen\xA4" "1\xA4\xA4\xA4TRUE\xA4" "FALSE\xA4" "0\xA4" "0";
    const auto whole = Import(Head() + category);
    ASSERT_TRUE(whole.imported);
    EXPECT_EQ(Count("SELECT count(*) FROM MERGE_Category WHERE CategoryTitle = 'Kitchen' AND CategoryComplete <> 0"),
              1);
    ASSERT_EQ(whole.remarks.size(), 1u);
    EXPECT_NE(whole.remarks[0].find("without the mark that closes its last record (record 3, the category "
                                    "\"Kitchen\" of the inspection of \"\"); the record was read as it stands"),
              std::string::npos)
        << whole.remarks[0];

    const auto cut = Import(Head() + category.substr(0, 20));
    ASSERT_TRUE(cut.imported);
    EXPECT_EQ(cut.categories, 0);
    ASSERT_EQ(cut.remarks.size(), 1u);
    EXPECT_THAT(cut.remarks[0], HasSubstr("ends in the middle of record 3"));
}

TEST_F(ExportImportTest, PathsThatCannotHoldAnExportFileAreNotRead)
{
    const std::string huge = folder.File("huge.rtf");
    std::ofstream(huge, std::ios::binary) << "Veltrane Export File\xA4\xA7";
    std::filesystem::resize_file(huge, (256u << 20) + 1); // sparse: takes no room
    EXPECT_FALSE(exchange::ImportInspectionFile(huge).imported);
    EXPECT_TRUE(port.Saw("is too large to be an export file")) << port.AllText();
    EXPECT_FALSE(exchange::ImportInspectionFile(folder.File("missing.rtf")).imported);
    EXPECT_FALSE(exchange::ImportInspectionFile(folder.Path().string()).imported);
    EXPECT_EQ(port.messages.size(), 3u);
    EXPECT_EQ(StagedRows(), 0);
}

TEST_F(ExportImportTest, DatabaseFailureOrCancelMidwayStoresNothing)
{
    const int id = AddLargeInspection("X", 2, 5);
    const std::string bytes = Export(id);
    const long long counter = Count("SELECT NextID FROM UniqueID WHERE TableName = 'Inspection'");
    testing_support::Exec(kInspectionDb, "CREATE TRIGGER refuse BEFORE INSERT ON MERGE_Step WHEN NEW.StepTitle = "
                                         "'Item 3' BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    EXPECT_FALSE(Import(bytes).imported);
    EXPECT_TRUE(port.Saw("nothing was stored")) << port.AllText();
    EXPECT_EQ(StagedRows(), 0);
    EXPECT_EQ(Count("SELECT NextID FROM UniqueID WHERE TableName = 'Inspection'"), counter);
    testing_support::Exec(kInspectionDb, "DROP TRIGGER refuse");

    port.messages.clear();
    port.cancelAfter = 4;
    const auto cancelled = Import(bytes);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_FALSE(cancelled.imported);
    EXPECT_EQ(StagedRows(), 0);
    port.cancelAfter = -1;
    EXPECT_TRUE(Import(bytes).imported);
    EXPECT_EQ(Count("SELECT count(*) FROM MERGE_Step"), 10);
}

TEST_F(ExportImportTest, MissingStagingTablesAreNamed)
{
    testing_support::Exec(kInspectionDb, "DROP TABLE MERGE_Category; DROP TABLE MERGE_Step;");
    store::Database::Get(store::DatabaseKind::Inspection)->StructureChanged();
    EXPECT_FALSE(Import(Head()).imported);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].text, "The following tables failed to open:\n\n* MERGE_Category\n* MERGE_Step");
    EXPECT_EQ(Count("SELECT count(*) FROM MERGE_Inspection"), 0);
}

TEST_F(ExportImportTest, CommandsAskForTheFileWithTheSuggestedNameAndFilterAndTheStagedInspectionIsListed)
{
    const int id = AddInspection("A/7", "Home Inspection");
    AddCategory(id, CategoryData{"Garage", "1", "", "", 0, 0, 0, 0, {FullStep(1, "Door"), FullStep(2, "Opener")}});
    const int mpls = AddInspection("M1", "Minneapolis - Truth in Sale of Housing");

    port.files.push_back(std::nullopt); // Cancel
    EXPECT_FALSE(exchange::ExportInspectionCommand(id).written);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].caption + " " + port.messages[0].text,
              "Rich Text Format (*.rtf)|*.rtf| Exported_A_7.rtf");

    port.files.push_back(folder.File("chosen"));
    EXPECT_TRUE(exchange::ExportInspectionCommand(id).written);
    EXPECT_EQ(Contents(folder.File("chosen.rtf")).rfind("Veltrane Export File", 0), 0u);

    port.files.push_back(folder.File("evaluation"));
    const auto xml = exchange::ExportInspectionCommand(mpls);
    EXPECT_TRUE(xml.written && xml.xml);
    EXPECT_EQ(port.messages.back().caption + " " + port.messages.back().text,
              "Extension Markup Language (*.xml)|*.xml| ExportedXML_M1.xml");
    EXPECT_EQ(Contents(folder.File("evaluation.xml")).rfind("<?xml", 0), 0u);

    port.files.push_back(folder.File("chosen.rtf"));
    const auto imported = exchange::ImportInspectionCommand();
    EXPECT_TRUE(imported.imported);
    EXPECT_EQ(port.messages.back().kind + " " + port.messages.back().text, "open Rich Text Format (*.rtf)|*.rtf|");
    EXPECT_FALSE(exchange::ImportInspectionCommand().imported); // Cancel

    // The list the merge dialog shows, and the line it hands back.
    const auto list = exchange::ListStagedInspections();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].categories, 1);
    EXPECT_EQ(list[0].steps, 2);
    const int staged = imported.stagedInspectionIDs.at(0);
    const std::string line = exchange::StagedInspections::Line(list[0]);
    EXPECT_EQ(line, std::to_string(staged) + "\tClient A/7\t12 Elm Street\tMinneapolis, MN 55401\tA/7");
    EXPECT_EQ(exchange::StagedInspections::FromLine(line), staged);
    EXPECT_EQ(exchange::StagedInspections::FromLine("-1"), -1);
    EXPECT_EQ(exchange::StagedInspections::FromLine("999999\tnobody"), -1);
    EXPECT_EQ(exchange::StagedInspections::FromLine(std::to_string(staged) + "abc"), -1);
}

} // namespace
