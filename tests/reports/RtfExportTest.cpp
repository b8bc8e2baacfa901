// The Export RTF dispatch and `inspector-cli report`.
#include "reports/ReportFixture.h"
#include "reports/rtf/CFullNarrativeRTFFile.h"
#include "reports/rtf/CMajorSystemsRTFFile.h"
#include "reports/rtf/CRatingGridRTFFile.h"
#include "reports/rtf/RtfExport.h"
#include "support/RunCommand.h"

using namespace reports::rtf;

TEST(RtfExport, LayoutCodeFromTheDocumentType)
{
    EXPECT_EQ(LayoutCode("Home Inspection"), kPlainLayout);
    EXPECT_EQ(LayoutCode("RatingType"), kRatingGridLayout);
    EXPECT_EQ(LayoutCode("RatingType Plus"), kPlainLayout);
    EXPECT_EQ(LayoutCode("Texas TREC"), kTexasLayout);
    EXPECT_EQ(LayoutCode("Texas Relocation"), kRelocationLayout);
    EXPECT_EQ(LayoutCode("Affiliate Buyers Inspection"), kAffiliateLayout);

    EXPECT_NE(dynamic_cast<CRatingGridRTFFile*>(MakeWriter(kInspectionReport, kRatingGridLayout, false).get()), nullptr);
    EXPECT_NE(dynamic_cast<CFullNarrativeRTFFile*>(MakeWriter(kInspectionReport, kAffiliateLayout, false).get()), nullptr);
    EXPECT_NE(dynamic_cast<CMajorSystemsRTFFile*>(MakeWriter(kMajorSystemsReport, kTexasLayout, false).get()), nullptr);
    // The Texas form writes the plain inspection report, with the picture choice.
    auto texas = MakeWriter(kInspectionReport, kTexasLayout, true);
    EXPECT_EQ(typeid(*texas), typeid(CInspectionRTFFile));
    EXPECT_TRUE(texas->IncludesPictures());
    // The summary of a rating-grid inspection is the plain summary.
    EXPECT_EQ(typeid(*MakeWriter(kSummaryReport, kRatingGridLayout, true)), typeid(CInspectionRTFFile));
}

namespace {
class Dispatch : public report_testing::ReportFixture {};
} // namespace

TEST_F(Dispatch, WritesSummaryThenMajorSystemsThenInspectionReportAndEveryInspectionOnlyFromTheList)
{
    const int cat = AddCategory("Roof", "130");
    AddStep(cat, "1", "Covering", "Hazardous", "Leaks.", {}, "Roof");
    RtfExportRequest request;
    request.inspectionReport = request.summaryReport = request.majorSystems = true;
    request.reportName = "My Report";
    std::vector<std::string> asked;
    auto chooser = [&](const std::string& suggested, const std::string&) {
        asked.push_back(suggested);
        return std::optional<std::string>(folder.File(suggested));
    };
    auto outcome = ExportRtfReports(*inspection, request, chooser);
    EXPECT_EQ(asked, (std::vector<std::string>{"Summary_2024-17.rtf", "MajorSystems_2024-17.rtf", "Inspection_2024-17.rtf"}));
    ASSERT_EQ(outcome.written.size(), 3u);
    // The inspection report takes the layout of the document type (4 Column).
    EXPECT_NE(report_testing::ReadFile(outcome.written[2]).find("\\b Step #\\cell Item\\cell Materials"), std::string::npos);
    EXPECT_EQ(RatingFilterChoices(), (std::vector<std::string>{"Hazardous", "Marginal", kAllRatings}));

    // Every inspection, only from the inspection list.
    request.summaryReport = request.majorSystems = false;
    request.exportAll = true;
    asked.clear();
    outcome = ExportRtfReports(*inspection, request, chooser);
    EXPECT_TRUE(outcome.written.empty());
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(port.Saw("Exporting of all inspections can only be done from the Inspection List screen."));

    store::Inspection second;
    second.New();
    second.m_InspectionNum = "2024-18";
    ASSERT_TRUE(second.Save());
    request.inspectionListShown = true;
    request.summaryReport = true;
    outcome = ExportRtfReports(*inspection, request, chooser);
    EXPECT_EQ(outcome.written.size(), 4u);
    EXPECT_TRUE(std::filesystem::exists(folder.File("Inspection_2024-18.rtf")));
    EXPECT_TRUE(std::filesystem::exists(folder.File("Summary_2024-18.rtf")));
}

TEST_F(Dispatch, CommandLineWritesWhatTheDialogWould)
{
    const int cat = AddCategory("Roof", "130");
    AddStep(cat, "1", "Covering", "Hazardous", "Leaks.", {}, "Roof");
    auto cli = [&](const std::string& arguments) {
        return testing_support::RunCli(folder, "report " + arguments + " --template '" + templatePath +
                                                   "' --inspection '" + inspectionPath + "'");
    };
    const std::string out = folder.File("cli.rtf");
    ASSERT_EQ(cli("2024-17 --kind summary --filter Hazardous -o " + out).status, 0);
    CInspectionRTFFile writer;
    writer.SetRatingFilter("Hazardous");
    EXPECT_EQ(Run(writer, "4 Column", kSummaryReport, "direct.rtf"), report_testing::ReadFile(out));

    ASSERT_EQ(cli("2024-17 --layout Narrative -o " + out).status, 0);
    EXPECT_NE(report_testing::ReadFile(out).find("\\qc\\b GENERAL CONDITIONS"), std::string::npos);
    EXPECT_NE(cli("9999 -o " + out).status, 0);
}
