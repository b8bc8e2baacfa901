// The document commands of inspector-cli, run as a user would run them.
#include "support/RunCommand.h"
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>

namespace {

using CliRun = testing_support::CommandResult;

std::string Quoted(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class DocCommandsTest : public ::testing::Test {
protected:
    CliRun Cli(const std::vector<std::string>& args)
    {
        std::string command = "env XDG_CONFIG_HOME=" + Quoted(folder.File("config")) +
                              " XDG_DOCUMENTS_DIR=" + Quoted(folder.File("documents")) +
                              " XDG_DATA_HOME=" + Quoted(folder.File("share")) + " " +
                              Quoted(std::string(INSPECTOR_BINARY_DIR) + "/src/inspector-cli");
        for (const auto& a : args)
            command += " " + Quoted(a);
        command += " 2>&1";
        return testing_support::RunCommand(command);
    }

    testing_support::TempFolder folder;
};

bool Has(const CliRun& run, const std::string& text)
{
    return run.output.find(text) != std::string::npos;
}

} // namespace

TEST_F(DocCommandsTest, QuestionsOfTheDesktopProgramNeedYesAndNamesAreFoundInAnyCase)
{
    ASSERT_EQ(Cli({"init"}).status, 0);
    CliRun run = Cli({"new", "--doc-num", "ab-1", "--client", "Jane Roe", "--doctype", "home inspection"});
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(Has(run, "Document type Home Inspection:")) << run.output;
    EXPECT_NE(Cli({"new", "--doc-num", "AB-1"}).status, 0); // the Doc # is taken
    // The first inspection fills in the blank one a new data file starts with.
    EXPECT_TRUE(Has(Cli({"list"}), "1 inspection")) << Cli({"list"}).output;
    const std::string shown = Cli({"show", "ab-1"}).output;

    // Replacing the categories of an inspection asks the "Data Alert" question.
    run = Cli({"set-doctype", "AB-1", "pre-listing inspection"});
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(Has(run, "Data Alert")) << run.output;
    EXPECT_EQ(Cli({"show", "ab-1"}).output, shown);
    run = Cli({"set-doctype", "AB-1", "pre-listing inspection", "--yes"});
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(Has(Cli({"show", "ab-1"}), "Doc Type:         Pre-Listing Inspection"));

    run = Cli({"seed", "ab-1"});
    ASSERT_EQ(run.status, 0) << run.output;
    run = Cli({"defaults", "ab-1"});
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(Has(run, "Please confirm the applying of all defaults.")) << run.output;
    EXPECT_FALSE(Has(Cli({"show", "ab-1"}), "| rating:"));
    EXPECT_EQ(Cli({"defaults", "ab-1", "--yes"}).status, 0);
    EXPECT_TRUE(Has(Cli({"show", "ab-1"}), "| rating:"));

    run = Cli({"duplicate", "ab-1", "ab-2"});
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(Cli({"duplicate", "ab-1", "AB-2"}).status, 0);
    run = Cli({"duplicate-category", "ab-2", "GROUNDS", "--count", "2", "--with-data"});
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(Has(run, "\"Grounds #2\" with ")) << run.output;
    EXPECT_TRUE(Has(run, "\"Grounds #3\" with ")) << run.output;
    run = Cli({"duplicate-category", "ab-2", "nothing like it"});
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(Has(run, "has no category")) << run.output;

    run = Cli({"delete", "AB-2"});
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(Has(run, "Are you sure you want to delete this inspection?")) << run.output;
    EXPECT_TRUE(Has(Cli({"list"}), "ab-2"));
    EXPECT_EQ(Cli({"delete", "AB-2", "--yes"}).status, 0);
    EXPECT_FALSE(Has(Cli({"list"}), "ab-2"));

    EXPECT_NE(Cli({"delete-all"}).status, 0);
    EXPECT_TRUE(Has(Cli({"list"}), "ab-1"));
    run = Cli({"delete-all", "--yes"});
    EXPECT_EQ(run.status, 0) << run.output;
    run = Cli({"list"});
    EXPECT_FALSE(Has(run, "ab-1"));
    EXPECT_TRUE(Has(run, "1 inspection\n")) << run.output;
    EXPECT_NE(Cli({"show", "ab-1"}).status, 0);
}
