// inspector-cli comment and form, run as a user runs them on real data files.
#include "ReviewFixture.h"

#include "support/RunCommand.h"

#include <gtest/gtest.h>

using review_test::kInspectionData;

namespace {

using Result = testing_support::CommandResult;

class CommentFormCli : public review_test::ReviewFixture {
protected:
    void SetUp() override
    {
        ReviewFixture::SetUp();
        testing_support::Exec(0, "UPDATE Options SET DataVersion = '5.0'");
    }
    Result Cli(const std::string& arguments)
    {
        return testing_support::RunCli(folder, arguments + " --template '" + templatePath + "' --inspection '" +
                                                   inspectionPath + "'");
    }
    std::string FieldValue(const std::string& label)
    {
        return testing_support::QueryText(kInspectionData,
                                          "SELECT AssignedValue FROM Field WHERE FieldLabel = '" + label + "'");
    }
};

} // namespace

TEST_F(CommentFormCli, SetsTheGeneralAndACategoryCommentAndFillsAFormAllOrNothing)
{
    Result r = Cli("comment R-1 --text 'Vacant, utilities on.'");
    ASSERT_EQ(r.status, 0) << r.output;
    r = Cli("comment r-1 --category grounds --text 'Grading slopes to the house.'");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(testing_support::QueryText(kInspectionData, "SELECT InspectionComments FROM Inspection"),
              "Vacant, utilities on.");
    EXPECT_EQ(CategoryText("CategoryComments", "Grounds"), "Grading slopes to the house.");
    r = Cli("comment R-1 --category Attic --text x");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.output.find("no category \"Attic\""), std::string::npos) << r.output;

    // A form is seeded, shown and filled all or nothing.
    t.Field(conditions, "Weather", 1, 1);
    t.Field(conditions, "Temperature", 0, 2);
    t.Field(conditions, "Remarks", 4, 3);
    r = Cli("form R-1 Conditions --set Weather=Sunny 'temperature=72 F'");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("Temperature: 72 F"), std::string::npos) << r.output;
    EXPECT_EQ(FieldValue("Weather"), "Sunny");

    for (const char* bad : {"--set Weather=Rain Wind=5", "--set Weather=Rain Remarks=x", "--set Weather"}) {
        SCOPED_TRACE(bad);
        r = Cli(std::string("form R-1 Conditions ") + bad);
        EXPECT_NE(r.status, 0) << r.output;
        EXPECT_EQ(FieldValue("Weather"), "Sunny") << "nothing changed";
    }
    r = Cli("form R-1 Grounds");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.output.find("not a form category"), std::string::npos) << r.output;
    EXPECT_EQ(testing_support::QueryInt(kInspectionData, "SELECT COUNT(*) FROM Field"), 3);
}

