// The document commands of inspector-cli, run as a user would run them.
#include "support/RunCommand.h"

#include <gtest/gtest.h>

TEST(DocCommandsTest, QuestionsOfTheDesktopProgramNeedYesAndNamesAreFoundInAnyCase)
{
    // The commands in turn: whether each succeeds, and a text its output holds and one it lacks.
    const struct {
        const char* command;
        bool succeeds;
        const char* says = "";
        const char* lacks = nullptr;
    } steps[] = {
        {"init", true},
        {"new --doc-num ab-1 --client 'Jane Roe' --doctype 'home inspection'", true, "Document type Home Inspection:"},
        {"new --doc-num AB-1", false}, // the Doc # is taken
        // The first inspection fills in the blank one a new data file starts with.
        {"list", true, "1 inspection"},
        // Replacing the categories of an inspection asks the "Data Alert" question.
        {"set-doctype AB-1 'pre-listing inspection'", false, "Data Alert"},
        {"show ab-1", true, "Doc Type:         Home Inspection"},
        {"set-doctype AB-1 'pre-listing inspection' --yes", true},
        {"show ab-1", true, "Doc Type:         Pre-Listing Inspection"},
        {"seed ab-1", true},
        {"defaults ab-1", false, "Please confirm the applying of all defaults."},
        {"show ab-1", true, "", "| rating:"},
        {"defaults ab-1 --yes", true},
        {"show ab-1", true, "| rating:"},
        {"duplicate ab-1 ab-2", true},
        {"duplicate ab-1 AB-2", false},
        {"duplicate-category ab-2 GROUNDS --count 2 --with-data", true, "\"Grounds #3\" with "},
        {"duplicate-category ab-2 'nothing like it'", false, "has no category"},
        {"delete AB-2", false, "Are you sure you want to delete this inspection?"},
        {"list", true, "ab-2"},
        {"delete AB-2 --yes", true},
        {"list", true, "", "ab-2"},
        {"delete-all", false},
        {"list", true, "ab-1"},
        {"delete-all --yes", true},
        {"list", true, "1 inspection\n", "ab-1"},
        {"show ab-1", false},
    };
    testing_support::TempFolder home;
    for (const auto& s : steps) {
        SCOPED_TRACE(s.command);
        const auto run = testing_support::RunCli(home, s.command);
        EXPECT_EQ(run.status == 0, s.succeeds) << run.output;
        EXPECT_NE(run.output.find(s.says), std::string::npos) << run.output;
        if (s.lacks) {
            EXPECT_EQ(run.output.find(s.lacks), std::string::npos) << run.output;
        }
    }
}
