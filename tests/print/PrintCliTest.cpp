// inspector-cli report --format pdf over the starter library, as a user runs
// it: the affiliate document type prints the affiliate report, page ranges
// and the paper size reach the file, wrong options are refused.
#include "print/PrintTesting.h"

#include <filesystem>

namespace {

using Result = testing_support::CommandResult;

class PrintCliTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(Cli("init").status, 0); }
    // `arguments` on the test's own data files.
    Result Cli(const std::string& arguments)
    {
        return testing_support::RunCli(home, arguments + " --template '" + home.File("t.cdb") + "' --inspection '" +
                                                 home.File("i.cdb") + "'");
    }
    // A seeded inspection of `docType` with every step at its default rating.
    void Make(const std::string& number, const std::string& docType)
    {
        ASSERT_EQ(Cli("new --doc-num " + number + " --client 'Lee Buyer' --doctype '" + docType + "'").status, 0);
        ASSERT_EQ(Cli("seed " + number).status, 0);
        ASSERT_EQ(Cli("defaults " + number + " --yes").status, 0);
    }
    testing_support::TempFolder home;
};

} // namespace

TEST_F(PrintCliTest, PdfOfTheStarterAffiliateTypeIsTheAffiliatePrintAndWrongOptionsAreRefused)
{
    Make("A-1", "Affiliate Buyers Inspection");
    const std::string pdf = home.File("a.pdf");
    const Result r = Cli("report A-1 --format pdf -o '" + pdf + "'");
    ASSERT_EQ(r.status, 0) << r.output;
    const std::string text = print_testing::PdfText(pdf);
    EXPECT_TRUE(print_testing::InOrder(text, {"AFFILIATE BUYERS INSPECTION REPORT", "Lee Buyer", "DEFINITION OF TERMS",
                                              "Page: 3 of", "Grounds", "Exterior"}))
        << text;
    const int pages = print_testing::PdfPages(pdf);
    EXPECT_GT(pages, 3);

    const Result range = Cli("report A-1 --format pdf --pages 2-3 --start-page 10 --paper a4 -o '" + pdf + "'");
    ASSERT_EQ(range.status, 0) << range.output;
    EXPECT_EQ(print_testing::PdfPages(pdf), 2);
    EXPECT_NE(print_testing::PdfText(pdf).find("Page: 12 of " + std::to_string(9 + pages)), std::string::npos);
    EXPECT_NE(print_testing::Output("pdfinfo '" + pdf + "'").find("(A4)"), std::string::npos) << "A4 paper";

    // Wrong formats and ranges are refused before anything is written.
    const struct {
        const char* arguments;
        const char* says;
    } cases[] = {
        {"--format docx", "--format is rtf, pdf or html"},
        {"--format pdf --pages 4-2", "--pages is FROM-TO"},
        {"--format pdf --pages x", "--pages is FROM-TO"},
        {"--format pdf --paper legal", "--paper is letter or a4"},
        {"--format pdf --start-page 0", "--start-page is a page number"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const Result refused = Cli(std::string("report A-1 ") + c.arguments + " -o '" + home.File("x") + "'");
        EXPECT_EQ(refused.status, 2) << refused.output;
        EXPECT_NE(refused.output.find(c.says), std::string::npos) << refused.output;
    }
    EXPECT_FALSE(std::filesystem::exists(home.File("x")));
}
