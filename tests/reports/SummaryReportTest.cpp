// The summary and Major Systems reports.
#include "reports/ReportFixture.h"
#include "reports/rtf/CInspectionRTFFile.h"
#include "reports/rtf/CMajorSystemsRTFFile.h"

using namespace reports::rtf;
using report_testing::BracesBalanced;
using report_testing::Missing;
using report_testing::Pieces;
using report_testing::Present;

namespace {

class SummaryReport : public report_testing::ReportFixture {
protected:
    void AddSteps()
    {
        const int grounds = AddCategory("Grounds", "110");
        AddStep(grounds, "1", "Driveway", "Functional", "Fine.", {}, "Site");
        AddStep(grounds, "2", "Retaining Wall", "Hazardous", "First remark --- second remark", {}, "Site");
        AddStep(grounds, "3", "Patio", "Marginal", "Settled ***Picture-1;Scaling=100***slab.", {}, "");
        const int pool = AddCategory("Pool", "300", true);
        AddStep(pool, "1", "Pump", "Marginal", "Noisy pump.", {}, "Pool");
        const int roof = AddCategory("Roof", "130");
        AddStep(roof, "1", "Covering", "Omit", "Omitted covering.", {}, "Roof");
        AddStep(roof, "2", "Gutters", "Functional", "Clean gutters.", {}, "Roof");
    }
};

} // namespace

TEST_F(SummaryReport, ListsSummaryMarkedStepsWithTheDashRuleOrThoseOfTheFilteredRatingButNeverOmit)
{
    AddSteps();
    CInspectionRTFFile writer;
    writer.SetRatingFilter(kAllRatings);
    std::string rtf = Run(writer, "4 Column", kSummaryReport);
    EXPECT_TRUE(BracesBalanced(rtf));
    // The phone has no fax after it; the first category's name is the prologue's heading;
    // of a remark only the text after the first "---" shows, with its leading space;
    // picture tags are taken out.
    const std::string row = "\\trowd \\trgaph108\\trleft-108\\fs24\\cellx2390\\cellx8748 \\intbl\\ql ";
    EXPECT_EQ(Missing(rtf, {"\\fs28\\tab SUMMARY REPORT\\b0}",
                            "{\\cs17\\fs24 Doc #: 2024-17}{\\cs17\\fs24\\tab\\tab Client Name: Dana Client}\\par ",
                            "{\\cs17\\b\\fs24 (217) 555-0100\\b0}\\par\\par}\\pard",
                            "{\\cs17\\fs20 Read the whole report.\\par\\par}",
                            "{\\cs17\\fs24\\b\\ul Grounds\\b0\\ul0\\par\\par}\\pard ",
                            row + "2. Retaining Wall\\cell\\ql \\b \\cf6 Hazardous.   second remark\\b0\\cf0\\cell\\row ",
                            row + "3. Patio\\cell\\ql \\b Marginal.  Settled slab.\\b0\\cell\\row "}),
              Pieces{});
    // Not the not-present category, nor one without a qualifying step.
    EXPECT_EQ(Present(rtf, {"Fine.", "Noisy pump.", "Roof"}), Pieces{});

    // A rating filter selects by rating instead, but never Omit.
    SetOptions([](store::Options& o) {
        o.m_ColumnWidth1 = 0;
        o.m_StepSpacing = 2;
    });
    CInspectionRTFFile functional;
    functional.SetRatingFilter("Functional");
    rtf = Run(functional, "2 Column", kSummaryReport, "functional.rtf");
    EXPECT_EQ(Missing(rtf, {"\\intbl\\ql Driveway\\par\\cell\\ql Functional.  Fine.\\par\\cell\\row ",
                            "\\pard \\par\\pard \\s15\\ql\\widctlpar\\tqc\\tx5040\\tqr\\tx10080 {\\cs17\\fs24\\b\\ul Roof"
                            "\\b0\\ul0\\par\\par}\\pard"}),
              Pieces{});
    EXPECT_EQ(rtf.find("Retaining Wall"), std::string::npos);

    CInspectionRTFFile omit;
    omit.SetRatingFilter("Omit");
    const std::string none = Run(omit, "2 Column", kSummaryReport, "omit.rtf");
    EXPECT_NE(none.find("NO SUMMARY ITEMS WERE FOUND"), std::string::npos);
    EXPECT_EQ(none.find("Omitted covering."), std::string::npos);
    EXPECT_TRUE(BracesBalanced(none));
}

TEST_F(SummaryReport, MajorSystemsGroupsAllStepsBySystemWithTheEmptyOneFirst)
{
    AddSteps();
    CMajorSystemsRTFFile writer;
    const std::string rtf = Run(writer, "4 Column", kMajorSystemsReport);
    EXPECT_NE(rtf.find("\\fs28\\tab MAJOR SYSTEMS REPORT\\b0}"), std::string::npos);
    EXPECT_TRUE(BracesBalanced(rtf));
    // The empty system sorts first and is the prologue's (empty) heading.
    const auto empty = rtf.find("{\\cs17\\fs24\\b\\ul \\b0\\ul0\\par\\par}\\pard ");
    ASSERT_NE(empty, std::string::npos);
    EXPECT_LT(empty, rtf.find("\\b\\ul Pool\\b0"));
    EXPECT_LT(rtf.find("\\b\\ul Pool\\b0"), rtf.find("\\b\\ul Site\\b0"));
    EXPECT_NE(rtf.find("\\b\\ul Site\\b0"), std::string::npos);
    EXPECT_EQ(rtf.find("\\b\\ul Roof"), std::string::npos); // nothing qualifies there
    // Red before bold, one space after the period, the whole comment; steps of a
    // category marked not present are listed too.
    EXPECT_EQ(Missing(rtf, {"2. Retaining Wall\\cell\\ql \\cf6 \\b Hazardous. First remark --- second remark\\b0\\cf0"
                            "\\cell\\row ",
                            "1. Pump\\cell\\ql \\b Marginal. Noisy pump."}),
              Pieces{});
}
