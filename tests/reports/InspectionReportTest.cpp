// The inspection report in its layouts.
#include "reports/PhotoMaker.h"
#include "reports/ReportFixture.h"
#include "reports/rtf/CFullNarrativeRTFFile.h"
#include "reports/rtf/CInspectionRTFFile.h"
#include "reports/rtf/CRatingGridRTFFile.h"

using namespace reports::rtf;
using report_testing::BracesBalanced;
using report_testing::Missing;
using report_testing::Pieces;
using report_testing::Present;

namespace {

class InspectionReport : public report_testing::ReportFixture {
protected:
    void AddSampleCategories()
    {
        const int grounds = AddCategory("Grounds", "110", false, "Seen from the street.");
        AddStep(grounds, "1", "Driveway", "Functional", "Minor cracks {typical}.", "Concrete;Other:pavers;");
        AddStep(grounds, "2", "Retaining Wall", "Hazardous", "Leaning wall.");
        AddStep(grounds, "3", "Fence", "Omit", "Omitted fence text.");
        AddStep(grounds, "4", "Grading", "Comments", "Slopes toward the house.");
        AddStep(grounds, "5", "Patio", "Marginal", "Settled slab.");
        const int attic = AddCategory("Attic", "120", true);
        AddStep(attic, "1", "Insulation", "Functional", "Not-present attic text.");
        const int roof = AddCategory("Roof", "130");
        AddStep(roof, "1", "Covering", "Data", "Architectural shingles.");
    }
};

} // namespace

TEST_F(InspectionReport, FourColumnsWritesHeadingsHeaderRowsMarksAndLeavesOutOmitAndNotPresent)
{
    AddSampleCategories();
    CInspectionRTFFile writer;
    const std::string rtf = Run(writer, "4 column");
    ASSERT_FALSE(rtf.empty());
    EXPECT_EQ(writer.ColumnCount(), 4);
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252\\deff1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fUserFont Times;}}", 0), 0u);
    EXPECT_TRUE(BracesBalanced(rtf));
    // Font size 12: the stylesheet and every row carry 24 half-points.
    EXPECT_NE(rtf.find("{\\nowidctlpar\\widctlpar\\adjustright \\fs24\\cgrid \\snext0 Normal;}"), std::string::npos);
    // The table fills the 7-inch line in the configured proportions (reports/layout).
    const std::string cells = "\\cellx966\\cellx3258\\cellx5264\\cellx7054\\cellx10188";
    // Both categories get their heading and header row, the first one too;
    // only the header row repeats on the pages a table runs onto.
    const std::string header = "\\trowd\\trgaph108\\trleft-108\\trhdr\\trkeep\\fs24" + cells +
                               "\\intbl\\b Step #\\cell Item\\cell Materials\\par\\cell Rating\\cell Remarks\\cell\\b0\\row";
    const auto first = rtf.find(header);
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(rtf.find(header, first + 1), std::string::npos);
    const std::string row = "\\trowd\\trgaph108\\trleft-108\\fs24\\trkeep" + cells + "\\intbl\\ql ";
    EXPECT_EQ(Missing(rtf, {// The heading and the note are kept with the table they open.
                            "\\keepn\\tqc\\tx4320\\tqr\\tx8640 {\\cs17\\b\\fs28 Grounds\\par}", "{\\cs17\\b\\fs28 Roof\\par}",
                            "{\\cs17\\fs24\\par Seen from the street.\\par\\par}\\pard",
                            // A plain row: number, title, materials in display form, rating, escaped comments.
                            row + "1\\cell\\ql Driveway\\cell\\ql Concrete, pavers\\cell Functional\\cell\\ql "
                                  "Minor cracks \\{typical\\}.\\cell\\row ",
                            // Bold and red from the rating choice.
                            "\\cell \\b \\cf6 Hazardous\\cell\\ql Leaning wall.\\b0\\cf0 \\cell\\row ",
                            "\\cell \\b Marginal\\cell\\ql Settled slab.\\b0\\cell\\row "}),
              Pieces{});
    EXPECT_EQ(Present(rtf, {"Omitted fence text.", "Not-present attic text.", "Attic"}), Pieces{});
    // The progress went through all three categories.
    EXPECT_NE(std::find(port.progressLog.begin(), port.progressLog.end(), "range: 0-3"), port.progressLog.end());
    EXPECT_EQ(port.progressLog.back(), "position: 3");
}

TEST_F(InspectionReport, HiddenRatingsDoubleSpacingAndFontSize10)
{
    AddSampleCategories();
    SetOptions([](store::Options& o) {
        o.m_HideRatings = -1;
        o.m_StepSpacing = 2;
        o.m_ReportFontSize = 10;
    });
    CInspectionRTFFile writer;
    const std::string rtf = Run(writer, "3 Column");
    EXPECT_EQ(writer.FontSizeWord(), "fs20");
    // The rating cell stays, empty, with the marks still applied; every cell ends with \par.
    EXPECT_EQ(Missing(rtf, {"\\trowd\\trgaph108\\trleft-108\\trhdr\\trkeep\\fs20\\cellx966\\cellx3258\\cellx5264\\cellx10188"
                            "\\intbl\\b Step #\\cell Component\\par\\cell Rating\\cell Comments\\cell\\b0\\row",
                            "2\\par\\cell\\ql Retaining Wall\\par\\cell\\ql \\b \\cf6 \\par\\cell\\ql Leaning wall.\\b0\\cf0 "
                            "\\par\\cell\\row "}),
              Pieces{});
    EXPECT_EQ(rtf.find("\\cf6 Hazardous"), std::string::npos);
    EXPECT_TRUE(BracesBalanced(rtf));
}

TEST_F(InspectionReport, LayoutNamesNarrativeFormsAndTwoColumnsWithTheRatingInFrontOfTheComments)
{
    AddSampleCategories();
    CInspectionRTFFile writer;
    std::string rtf = Run(writer, "2 Column");
    EXPECT_EQ(Missing(rtf, {"\\b Step #\\cell Component\\par\\cell Comments\\cell\\b0\\row",
                            "\\cell\\ql Grading\\cell\\ql Slopes toward the house.\\cell\\row ",
                            "\\cell\\ql Covering\\cell\\ql Architectural shingles.\\cell\\row ",
                            "\\cell\\ql \\b \\cf6 Hazardous. Leaning wall.\\b0 \\cf0 \\cell\\row ",
                            "Functional. Concrete, pavers. Minor cracks"}), // materials lead the comments
              Pieces{});
    EXPECT_TRUE(BracesBalanced(rtf));

    CInspectionRTFFile narrative;
    rtf = Run(narrative, "narrative", 1, "narrative.rtf");
    EXPECT_EQ(narrative.LayoutName(), "Narrative");
    EXPECT_EQ(rtf.find("\\trhdr\\fs24\\cellx"), std::string::npos); // no step table
    EXPECT_EQ(Missing(rtf, {"\\pard \\par\\par\\fs20 \\b Retaining Wall\\b0\\fs20 \\par \\i Hazardous\\i0 \\par "
                            "\\b \\cf6 Leaning wall.\\b0 \\cf0 ",
                            "\\qc\\b GENERAL CONDITIONS \\b0\\par\\ql\\par"}),
              Pieces{});
    EXPECT_TRUE(BracesBalanced(rtf));

    CInspectionRTFFile full;
    rtf = Run(full, "FULL NARRATIVE", 1, "full.rtf");
    EXPECT_EQ(full.LayoutName(), "Full Narrative");
    // The comments of a category joined by single spaces, Omit left out.
    EXPECT_NE(rtf.find(" \\qc \\fs32 \\b Grounds\\b0\\par \\fs24 \\ql \\par Minor cracks \\{typical\\}. Leaning wall. "
                       "Slopes toward the house. Settled slab."),
              std::string::npos);
    EXPECT_EQ(rtf.find("Omitted fence text."), std::string::npos);
    EXPECT_TRUE(BracesBalanced(rtf));

    CInspectionRTFFile other;
    Run(other, "Something else", 1, "other.rtf");
    EXPECT_EQ(other.ColumnCount(), 2);
    EXPECT_FALSE(other.IsFrench());

    // Without ratings the prefix goes; without a first column the number cell stays empty.
    SetOptions([](store::Options& o) {
        o.m_HideRatings = -1;
        o.m_ColumnWidth1 = 0;
    });
    CInspectionRTFFile hidden;
    rtf = Run(hidden, "2 Column French", 1, "french.rtf");
    EXPECT_TRUE(hidden.IsFrench());
    EXPECT_EQ(Missing(rtf, {"\\cellx-108\\cellx2451\\cellx10188\\intbl\\b \\cell Composante\\par\\cell Commentaires\\cell\\b0\\row",
                            "\\intbl\\ql \\cell\\ql Retaining Wall\\cell\\ql \\b \\cf6 Leaning wall.\\b0 \\cf0 \\cell\\row ",
                            "\\tab Inspecteur: \\tab Pat Inspector", "\\par\\par Adresse: \\tab 1 Elm Road"}),
              Pieces{});
}

TEST_F(InspectionReport, SectionBreaksCarryTheReportName)
{
    AddSampleCategories();
    SetOptions([](store::Options& o) { o.m_YesNo35 = -1; });
    CInspectionRTFFile writer;
    const std::string rtf = Run(writer, "4 Column");
    // The second category opens a section whose header shows the report name;
    // the first stays in the prologue's section.
    const std::string brk = "\\sect \\sectd \\linex0\\endnhere {\\header ";
    const auto at = rtf.find(brk);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(rtf.find(brk, at + 1), std::string::npos);
    EXPECT_NE(rtf.find("{\\cs17\\b\\fs28 Home Inspection} \\par }", at), std::string::npos);
    EXPECT_LT(rtf.find("Grounds"), at);
    EXPECT_GT(rtf.find("{\\cs17\\b\\fs28 Roof"), at);
}

TEST_F(InspectionReport, TitlePageHeaderAndTexts)
{
    AddSampleCategories();
    inspection->m_InspectionComments = "General ***{\\i raw}*** info";
    SetOptions([](store::Options& o) {
        o.m_String25 = "Property", o.m_String26 = "Client Addr", o.m_String27 = "Agent", o.m_String28 = "Type";
        o.m_String29 = "Broker", o.m_String30 = "File", o.m_String31 = "Customer", o.m_String32 = "When";
        o.m_YesNo3 = -1;
        o.m_String4 = "Footer words";
    });
    CInspectionRTFFile writer;
    const std::string rtf = Run(writer, "4 Column");
    // The owner's whole address is in the page header. The "***" block goes onto
    // the title page with its formatting words and its braces as characters; the
    // general information drops it. No definitions in the options: the standard ones.
    EXPECT_EQ(Missing(rtf, {"{\\cs17\\fs24\\par File: \\tab 2024-17\\tab Inspector: \\tab Pat Inspector\\par\\par "
                            "When: \\tab 7/4/2024\\par\\par Property: \\tab 1 Elm Road\\par\\tab Springfield, IL 62704"
                            "\\par\\par Customer: \\tab Dana Client\\par\\tab \\par\\par",
                            "{\\cs17\\b\\fs24 Sound Homes Inspection} \\par ",
                            "Pat Inspector\\par 12 Main Street\\par Suite 200\\par Springfield, IL 62701\\par \\brdrt\\brdrs",
                            "\\par Footer words\\par }",
                            "{\\cs17\\fs20\\par \\{\\i raw\\}\\i0 \\par\\par Legal text of the report.}\\par}\\page",
                            "\\b GENERAL INFORMATION \\b0\\par\\par\\par General  info\\par",
                            "\\b Functional \\b0\\tab Performing its function", "is needed\tto make FUNCTIONAL."}),
              Pieces{});
    EXPECT_TRUE(BracesBalanced(rtf));

    // Without the company switch there is no page header at all.
    SetOptions([](store::Options& o) { o.m_YesNo0 = 0; });
    CInspectionRTFFile plain;
    EXPECT_EQ(Run(plain, "4 Column", 1, "plain.rtf").find("{\\header"), std::string::npos);
}

TEST_F(InspectionReport, EmptyInspectionIsACompleteNoItemsDocument)
{
    const int gone = AddCategory("Pool", "300", true);
    AddStep(gone, "1", "Pump", "Hazardous", "x");
    CInspectionRTFFile writer;
    const std::string rtf = Run(writer, "4 Column");
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252\\deff0", 0), 0u);
    EXPECT_NE(rtf.find("{\\cs17\\fs24\\b\\ul NO SUMMARY ITEMS WERE FOUND\\b0\\ul0\\par\\par}\\pard }"), std::string::npos);
    EXPECT_TRUE(BracesBalanced(rtf));
}

TEST_F(InspectionReport, CancelAndFailedWritesLeaveNoReport)
{
    AddSampleCategories();
    // Exports into `path`, or asks the port's save dialog when there is none.
    auto exportTo = [this](const std::optional<std::string>& path) {
        CInspectionRTFFile writer;
        writer.SetReportKind(1);
        if (path)
            writer.SetFileChooser([path](const std::string&, const std::string&) { return path; });
        writer.Setup(*inspection, "4 Column");
        writer.Export();
        return writer.Result();
    };
    port.cancelAfter = 2;
    EXPECT_EQ(exportTo(folder.File("report.rtf")), ExportResult::Cancelled);
    EXPECT_FALSE(std::filesystem::exists(folder.File("report.rtf")));

    port.cancelAfter = -1;
    EXPECT_EQ(exportTo(std::nullopt), ExportResult::Cancelled); // the save dialog answers Cancel
    EXPECT_EQ(port.Last(), "save [Rich Text Format (*.rtf)|*.rtf|] Inspection_2024-17.rtf");

    EXPECT_EQ(exportTo(folder.File("no/such/folder/r.rtf")), ExportResult::Failed);
    EXPECT_TRUE(port.Saw("Unable to create the file"));
    // A disk that fills up: every write fails, and a device is never deleted.
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    EXPECT_EQ(exportTo("/dev/full"), ExportResult::Failed);
    EXPECT_TRUE(port.Saw("The report could not be written to /dev/full."));
    EXPECT_TRUE(std::filesystem::exists("/dev/full"));
}

TEST_F(InspectionReport, AffiliateWriterRendersTaggedPicturesAndReportsUnknownTags)
{
    const std::string picture = folder.File("crack.jpg");
    report_testing::MakePhoto(picture, 64, 48);
    const int cat = AddCategory("Foundation", "100");
    AddStep(cat, "1", "Walls", "Marginal",
            "Crack. ***Path=" + picture + ";Scaling=50*** Also ***odd*** and ***Path=/no/such.jpg;Scaling=10***");
    CFullNarrativeRTFFile writer;
    const std::string rtf = Run(writer, "2 Column"); // always the narrative
    EXPECT_TRUE(writer.IncludesPictures());
    EXPECT_EQ(Missing(rtf, {"\\b Foundation\\b0\\par\\par \\ql\\fs24 Crack.  Also  and ",
                            "\\par \\ql{\\*\\shppict {\\pict\\picscalex50\\picscaley50\\piccropl0\\piccropr0\\piccropt0"
                            "\\piccropb0\\picw64\\pich48\\picwgoal960\\pichgoal720\\jpegblip ffd8",
                            CFullNarrativeRTFFile::kAffiliateTitle}),
              Pieces{});
    EXPECT_EQ(rtf.find("picscalex10"), std::string::npos);
    EXPECT_TRUE(port.Saw("Unknown embedded tag found."));
    EXPECT_TRUE(BracesBalanced(rtf));
}

TEST_F(InspectionReport, RatingGridMarksTheRatingColumnAndGathersLimitations)
{
    AddScale("Grid", {{"Satisfactory"}, {"Poor/Defective", true, true, true}, {"Limitations"}, {"Supplemental"},
                      {"Omit"}});
    const int cat = AddCategory("Electrical", "150", false, "Panel cover was removed.");
    AddStep(cat, "1", "Service Panel", "Poor/Defective", "Double tapped breaker.", {}, {}, {}, "Grid");
    AddStep(cat, "2", "Outlets", "Satisfactory", "Tested a representative number.", {}, {}, {}, "Grid");
    AddStep(cat, "3", "Wiring", "Limitations", "Concealed in walls.", "Copper;", {}, {}, "Grid");
    AddStep(cat, "4", "Generator", "Supplemental", "See appendix.", {}, {}, {}, "Grid");
    AddStep(cat, "5", "Hidden", "Omit", "Not shown.", {}, {}, {}, "Grid");
    // The document type that selects this report is named "RatingType": no title for the pages.
    inspection->m_DocType = "RatingType";
    CRatingGridRTFFile writer;
    const std::string rtf = Run(writer, "Narrative");
    EXPECT_EQ(Present(rtf, {"RatingType", "Not shown."}), Pieces{});
    // The turned rating headers have quarter-inch columns and a row tall enough for them.
    const std::string turned = "\\clvertalb\\cltxbtlr\\cellx";
    EXPECT_EQ(Missing(rtf, {"\\qc\\b\\fs24 PROPERTY INSPECTION REPORT\\b0\\par}", "\\trrh-1700", turned + "252",
                            turned + "612", turned + "972", turned + "1332", turned + "1692",
                            "\\clbgfdiag\\clcfpat1\\clcbpat17\\clshdng50\\cellx10800", "\\red218\\green218\\blue218;}",
                            "\\qc \\cell \\cell \\b X\\b0\\cell \\cell \\cell \\ql \\cf6 \\b Service Panel\\b0 \\b ",
                            "\\qc \\b X\\b0\\cell \\cell \\cell \\cell \\cell \\ql \\b Outlets",
                            "\\b LIMITATIONS:\\b0 \\par Wiring\\par MATERIALS = Copper\\par COMMENTS  = Concealed in walls.",
                            "SUPPLEMENTAL INFORMATION - Review details related to the following items in Appendix:",
                            "\\b NOTE:\\b0  Panel cover was removed."}),
              Pieces{});
    EXPECT_TRUE(BracesBalanced(rtf));
}
