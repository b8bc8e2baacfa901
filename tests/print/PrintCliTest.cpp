// inspector-cli report --format pdf over the starter library, as a user runs
// it: the affiliate document type prints the affiliate report, page ranges
// and the paper size reach the file, wrong options are refused.
#include "print/PrintTesting.h"

#include <filesystem>


namespace {

using Result = testing_support::CommandResult;

Result Cli(const testing_support::TempFolder& home, const std::string& arguments)
{
    const std::string command = "XDG_CONFIG_HOME='" + home.File("config") + "' XDG_DATA_HOME='" +
                                home.File("data") + "' INSPECTOR_APPDATA='" + home.File("app") + "' '" +
                                INSPECTOR_BINARY_DIR "/src/inspector-cli' " + arguments + " 2>&1";
    return testing_support::RunCommand(command);
}

class PrintCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        files = " --template '" + home.File("t.cdb") + "' --inspection '" + home.File("i.cdb") + "'";
        ASSERT_EQ(Cli(home, "init" + files).status, 0);
    }
    // A seeded inspection of `docType` with every step at its default rating.
    void Make(const std::string& number, const std::string& docType)
    {
        ASSERT_EQ(Cli(home, "new --doc-num " + number + " --client 'Lee Buyer' --doctype '" + docType + "'" + files)
                      .status,
                  0);
        ASSERT_EQ(Cli(home, "seed " + number + files).status, 0);
        ASSERT_EQ(Cli(home, "defaults " + number + " --yes" + files).status, 0);
    }
    testing_support::TempFolder home;
    std::string files;
};

} // namespace

TEST_F(PrintCliTest, PdfOfTheStarterAffiliateTypeIsTheAffiliatePrint)
{
    Make("A-1", "Affiliate Buyers Inspection");
    const std::string pdf = home.File("a.pdf");
    const Result r = Cli(home, "report A-1 --format pdf -o '" + pdf + "'" + files);
    ASSERT_EQ(r.status, 0) << r.output;
    const std::string text = print_testing::PdfText(pdf);
    EXPECT_TRUE(print_testing::InOrder(text, {"AFFILIATE BUYERS INSPECTION REPORT", "Lee Buyer", "DEFINITION OF TERMS",
                                              "Page: 3 of", "Grounds", "Exterior"}))
        << text;
    const int pages = print_testing::PdfPages(pdf);
    EXPECT_GT(pages, 3);

    const Result range = Cli(home, "report A-1 --format pdf --pages 2-3 --start-page 10 --paper a4 -o '" + pdf + "'" + files);
    ASSERT_EQ(range.status, 0) << range.output;
    EXPECT_EQ(print_testing::PdfPages(pdf), 2);
    EXPECT_NE(print_testing::PdfText(pdf).find("Page: 12 of " + std::to_string(9 + pages)), std::string::npos);
    EXPECT_NE(print_testing::Output("pdfinfo '" + pdf + "'").find("(A4)"), std::string::npos) << "A4 paper";

    // The RTF of the same type is the full narrative report it always was.
    const Result rtf = Cli(home, "report A-1 -o '" + home.File("a.rtf") + "'" + files);
    ASSERT_EQ(rtf.status, 0) << rtf.output;
    const Result narrative =
        Cli(home, "report A-1 --layout 'Full Narrative' -o '" + home.File("b.rtf") + "'" + files);
    ASSERT_EQ(narrative.status, 0) << narrative.output;
    EXPECT_EQ(report_testing::ReadFile(home.File("a.rtf")), report_testing::ReadFile(home.File("b.rtf")));
}

TEST_F(PrintCliTest, WrongFormatsAndRangesAreRefused)
{
    Make("B-2", "Home Inspection");
    const struct {
        const char* arguments;
        int status;
        const char* says;
    } cases[] = {
        {"--format docx", 2, "--format is rtf, pdf or html"},
        {"--format pdf --pages 4-2", 2, "--pages is FROM-TO"},
        {"--format pdf --pages x", 2, "--pages is FROM-TO"},
        {"--format pdf --paper legal", 2, "--paper is letter or a4"},
        {"--format pdf --start-page 0", 2, "--start-page is a page number"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const Result r = Cli(home, std::string("report B-2 ") + c.arguments + " -o '" + home.File("x") + "'" + files);
        EXPECT_EQ(r.status, c.status) << r.output;
        EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
    }
    EXPECT_FALSE(std::filesystem::exists(home.File("x")));
}
