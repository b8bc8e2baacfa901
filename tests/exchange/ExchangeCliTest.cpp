// inspector-cli export, import, staged and merge, run as a user would run them.
#include "ExchangeTestData.h"

#include "store/Database.h"
#include "store/Options.h"
#include "support/RunCommand.h"
#include "support/TempDataFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

using namespace exchange_test;

namespace {

using ::testing::HasSubstr;

using Result = testing_support::CommandResult;

class ExchangeCliTest : public testing_support::DataFilesTest {
protected:
    void SetUp() override
    {
        DataFilesTest::SetUp();
        store::Options options; // data files of the current structure, as init leaves them
        options.m_DataVersion = "5.0";
        ASSERT_TRUE(options.Save());
    }

    Result Cli(const std::string& arguments)
    {
        store::Database::CloseAll(); // the program works on the files alone
        const std::string command = "cd '" + folder.Path().string() + "' && XDG_CONFIG_HOME='" +
                                    folder.File("config") + "' XDG_DATA_HOME='" + folder.File("data") +
                                    "' '" INSPECTOR_BINARY_DIR "/src/inspector-cli' " +
                                    arguments + " --template '" + templatePath + "' --inspection '" +
                                    inspectionPath + "' 2>&1";
        return testing_support::RunCommand(command);
    }

    // Runs inspector-cli and expects its exit status and `fragment` in its output; returns the output.
    std::string Run(const std::string& arguments, int status, const std::string& fragment)
    {
        const Result r = Cli(arguments);
        EXPECT_EQ(r.status, status) << arguments << "\n" << r.output;
        EXPECT_THAT(r.output, HasSubstr(fragment)) << arguments;
        return r.output;
    }

    // The identifier of the staged inspection whose line in `listing` ends with `docNumber`.
    static std::string StagedID(const std::string& listing, const std::string& docNumber)
    {
        const auto tab = listing.find("\tClient " + docNumber + "\t");
        EXPECT_NE(tab, std::string::npos) << listing;
        const auto start = tab == std::string::npos ? tab : listing.rfind('\n', tab) + 1;
        return tab == std::string::npos ? "none" : listing.substr(start, tab - start);
    }
};

TEST_F(ExchangeCliTest, ExportImportListAndMergeIntoAnInspectionOrANewOne)
{
    const int source = AddInspection("SRC-1", "Home Inspection");
    AddCategory(source, {"Salle de bain", "1", "", "Joint usé", 0, 0, 3, 0, {FullStep(1, "Lavabo"), FullStep(2, "Baignoire")}});
    AddCategory(source, {"Cuisine", "2", "", "", -1, 0, 4, 0, {FullStep(3, "Évier")}});
    AddInspection("DST-1", "Home Inspection");

    Run("export SRC-1 -o src.rtf", 0, "Export file written: src.rtf (2 categories, 3 steps)");
    Run("export SRC-1 --xml", 0, "XML evaluation written: ExportedXML_SRC-1.xml");
    Run("export NOPE -o x.rtf", 1, "There is no inspection with Doc # NOPE");
    EXPECT_EQ(Cli("export").status, 2);

    Run("import src.rtf", 0, "Imported 1 inspection (2 categories, 3 steps)");
    const std::string stagedID =
        StagedID(Run("staged", 0, "\tClient SRC-1\t12 Elm Street\tMinneapolis, MN 55401\tSRC-1\n"), "SRC-1");

    EXPECT_EQ(Cli("merge x" + stagedID + " DST-1").status, 2);
    Run("merge " + stagedID + " DST-1", 0, "categories 2 added");
    Run("merge " + stagedID + " DST-1", 1, "There is no imported inspection with the ID " + stagedID);
    EXPECT_THAT(Cli("staged").output, HasSubstr("No imported inspection is waiting"));

    std::ofstream(folder.File("bad.rtf"), std::ios::binary) << "{\\rtf1 not an export}";
    Run("import bad.rtf", 1, "Invalid Import File.");

    // Imported again, it cannot become a new inspection under a Doc # in use.
    const std::string againID = StagedID(Run("import src.rtf", 0, "Imported 1 inspection"), "SRC-1");
    Run("merge " + againID + " --new", 1,
        "SRC-1 of the imported inspection is in use here; give another with --doc-num, for example --doc-num \"SRC-1 (2)\"");
    EXPECT_EQ(Cli("merge " + againID + " SRC-1 --doc-num X").status, 2);
    Run("merge " + againID + " --new --doc-num SRC-2", 0,
        "Created Doc # SRC-2 from the imported inspection: 2 categories, 3 steps");
}

} // namespace
