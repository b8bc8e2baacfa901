// PDF reports read back by real readers (pdftotext, pdfinfo, pdfimages): every
// layout, the summary and major systems, page ranges and copies, pictures
// (unreadable ones and unknown tags), Cancel, and the affiliate dispatch.
// The photo maker includes GLib, which must come before Qt defines its keywords.
#include "reports/PhotoMaker.h"
#include "print/PrintTesting.h"
#include "reports/print/CInspectionPrint.h"
#include "reports/print/PdfExport.h"
#include "reports/rtf/RtfExport.h"

#include <QBuffer>
#include <QPdfWriter>

#include <cmath>
#include <filesystem>

using namespace reports::print;
using print_testing::InOrder;

namespace {

class PrintPdfTest : public report_testing::ReportFixture {
protected:
    void SetUp() override
    {
        print_testing::EnsureApp();
        ReportFixture::SetUp();
        const int roof = AddCategory("Roof", "1", false, "Viewed from the ground.");
        AddStep(roof, "1", "Covering", "Marginal", "Granules \\b worn\\b0  on the south slope.", "Asphalt;Other: cedar");
        AddStep(roof, "2", "Flashing", "Functional", "Sealed at the chimney.");
        AddStep(roof, "3", "Gutters", "Omit", "Never printed.");
        AddCategory("Pool", "2", true);
        const int heat = AddCategory("Heating", "3");
        AddStep(heat, "1", "Furnace", "Hazardous", "Cracked heat exchanger \\i found\\i0 .", "Gas");
        AddStep(heat, "2", "Filter", "Comments", "Replace the filter.");
    }

    void SetLayout(const std::string& layout, const std::string& name = "Home Inspection")
    {
        testing_support::Exec(0, "UPDATE InspectionType SET ReportLayout = '" + layout + "', InspectionType = '" +
                                     name + "' WHERE ID = 7");
    }

    std::string Pdf(const PrintSettings& settings = {}, const std::string& name = "report.pdf")
    {
        const std::string path = folder.File(name);
        EXPECT_EQ(ExportPdf(*inspection, settings, path), PrintResult::Printed);
        return path;
    }
};

void ExpectNoCodes(const std::string& text)
{
    for (const char* code : {"\\b", "\\fs", "{", "}", "***", "<b>", "\\par"})
        EXPECT_EQ(text.find(code), std::string::npos) << code;
}

} // namespace

TEST_F(PrintPdfTest, EveryLayoutPrintsCategoriesStepsRatingsAndCommentsInOrder)
{
    const struct {
        const char* layout;
        std::vector<std::string> order;
    } cases[] = {
        {"4 Column", {"Component", "Material Type", "Rating", "Comments", "1 Covering", "Asphalt, cedar", "Marginal",
                      "Granules worn", "2 Flashing", "Heating", "1 Furnace", "Hazardous", "Cracked heat exchanger"}},
        {"3 Column", {"Component", "Rating", "Comment", "1 Covering", "Marginal", "Asphalt, cedar. Granules worn",
                      "Heating", "Furnace", "Hazardous"}},
        {"2 Column", {"Step#", "Component", "Comments", "1 Covering", "Marginal. Asphalt, cedar. Granules worn",
                      "Functional. Sealed", "Heating", "Furnace", "Hazardous. Gas. Cracked", "Replace the filter"}},
        {"2 Column French", {"INFORMATION GENERALE", "Etape", "Composante", "Commentaires",
                             "Covering", "Heating"}},
        {"Narrative", {"Roof", "Covering", "Marginal", "Asphalt, cedar Granules worn", "Heating", "Furnace"}},
        {"Full Narrative", {"Roof", "Granules worn on the south slope. Sealed at the chimney.", "Heating",
                            "Cracked heat exchanger found."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layout);
        SetLayout(c.layout);
        const std::string text = print_testing::PdfText(Pdf());
        std::vector<std::string> order{"Sound Homes Inspection", "Doc #:", "2024-17", "Dana Client"};
        order.insert(order.end(), c.order.begin(), c.order.end());
        EXPECT_TRUE(InOrder(text, order)) << text;
        EXPECT_TRUE(InOrder(text, {"Page: 3 of", "Roof"})) << text;
        EXPECT_EQ(text.find("Inspecteur:") != std::string::npos, c.layout == std::string("2 Column French"));
        EXPECT_EQ(text.find("Never printed"), std::string::npos);
        EXPECT_EQ(text.find("Pool"), std::string::npos);
        ExpectNoCodes(text);
    }
}

TEST_F(PrintPdfTest, SummaryAndMajorSystemsListTheStepsOfSummaryRatings)
{
    SetLayout("2 Column");
    PrintSettings summary;
    summary.reportKind = PrintReport::Summary;
    std::string text = print_testing::PdfText(Pdf(summary));
    EXPECT_TRUE(InOrder(text, {"SUMMARY REPORT", "Read the whole report.", "Roof", "Covering", "Marginal.",
                               "Heating", "Furnace", "Hazardous."}))
        << text;
    EXPECT_EQ(text.find("Flashing"), std::string::npos);
    summary.ratingFilter = "Hazardous";
    text = print_testing::PdfText(Pdf(summary));
    EXPECT_EQ(text.find("Covering"), std::string::npos);
    EXPECT_NE(text.find("Furnace"), std::string::npos);

    testing_support::Exec(1, "UPDATE Step SET MajorSystem = CASE StepTitle WHEN 'Furnace' THEN 'Heating System' "
                             "ELSE 'Roof System' END");
    PrintSettings major;
    major.reportKind = PrintReport::MajorSystems;
    text = print_testing::PdfText(Pdf(major));
    EXPECT_TRUE(InOrder(text, {"MAJOR SYSTEMS REPORT", "Heating System", "1. Furnace", "Hazardous.", "Roof System",
                               "1. Covering"}))
        << text;
    ExpectNoCodes(text);
}

TEST_F(PrintPdfTest, RangesCopiesTheStartingPageNumberAndCancel)
{
    SetLayout("4 Column");
    const int all = print_testing::PdfPages(Pdf());
    ASSERT_GE(all, 4); // title page, text page, Roof, Heating

    PrintSettings settings;
    settings.firstPage = 2, settings.lastPage = 3, settings.copies = 3, settings.startingPageNumber = 5;
    const std::string path = Pdf(settings);
    EXPECT_EQ(print_testing::PdfPages(path), 6);
    const std::string text = print_testing::PdfText(path);
    // Page 3 prints the number 7 of 5 + all - 1; three copies of it.
    const std::string number = "Page: 7 of " + std::to_string(4 + all);
    int copies = 0;
    for (auto at = text.find(number); at != std::string::npos; at = text.find(number, at + 1))
        ++copies;
    EXPECT_EQ(copies, 3) << text;
    EXPECT_EQ(text.find("Sound Homes Inspection"), std::string::npos); // no title page in the range

    settings = {};
    settings.allCategories = false;
    settings.selectedCategories = {"Heating"};
    const std::string heating = print_testing::PdfText(Pdf(settings));
    EXPECT_NE(heating.find("Furnace"), std::string::npos);
    EXPECT_EQ(heating.find("Covering"), std::string::npos);

    // Cancel leaves no partial file and keeps an earlier one; a folder that is not there fails.
    const std::string cancelled = folder.File("cancelled.pdf");
    port.cancelAfter = 2;
    EXPECT_EQ(ExportPdf(*inspection, {}, cancelled), PrintResult::Cancelled);
    EXPECT_FALSE(std::filesystem::exists(cancelled));

    report_testing::WriteFile(cancelled, "earlier");
    port.cancelAfter = 2;
    EXPECT_EQ(ExportPdf(*inspection, {}, cancelled), PrintResult::Cancelled);
    EXPECT_EQ(report_testing::ReadFile(cancelled), "earlier");
    EXPECT_EQ(ExportPdf(*inspection, {}, folder.File("no/such/folder/x.pdf")), PrintResult::Failed);
}

TEST_F(PrintPdfTest, PicturesPrintAndAnUnreadableOneLeavesItsNameInItsPlace)
{
    SetLayout("2 Column");
    report_testing::MakePhoto(folder.File("step.jpg"), 640, 480);
    report_testing::MakePhoto(folder.File("tagged.jpg"), 320, 240);
    report_testing::WriteFile(folder.File("broken.jpg"), "not a picture at all");
    const int c = AddCategory("Exterior", "4");
    AddStep(c, "1", "Siding", "Marginal",
            "Loose boards ***Path=" + folder.File("tagged.jpg") + ";Scaling=50*** and ***Odd=1***.", {}, {},
            folder.File("step.jpg"));
    AddStep(c, "2", "Trim", "Marginal", "Peeling.", {}, {}, folder.File("broken.jpg"));
    const std::string path = Pdf();
    EXPECT_EQ(print_testing::PdfImages(path), 2) << print_testing::Output("pdfimages -list " + path);
    const std::string text = print_testing::PdfText(path);
    EXPECT_TRUE(InOrder(text, {"Siding", "Loose boards", "and .", "Trim", "Peeling.", "broken.jpg"})) << text;
    ExpectNoCodes(text);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].text, "Unknown embedded tag found.");
}

TEST_F(PrintPdfTest, TheAffiliateLayoutPrintsTheAffiliateReportAndKeepsItsRtf)
{
    SetLayout("Affiliate Buyers Inspection", "Affiliate Buyers Inspection");
    inspection->m_DocType = "Affiliate Buyers Inspection";
    ASSERT_TRUE(inspection->Save());
    EXPECT_NE(dynamic_cast<CAffiliatePrint*>(MakePrint(*inspection, {}).get()), nullptr);
    const std::string text = print_testing::PdfText(Pdf());
    EXPECT_TRUE(InOrder(text, {"AFFILIATE BUYERS INSPECTION REPORT", "Roof", "Granules worn"})) << text;

    // The RTF is the full narrative report, as it was under the layout "Full Narrative".
    auto rtf = [this](const std::string& layout, const std::string& file) {
        reports::rtf::RtfExportRequest request;
        request.inspectionReport = true;
        request.layout = layout;
        const std::string out = folder.File(file);
        reports::rtf::ExportRtfReports(*inspection, request, [out](const std::string&, const std::string&) {
            return std::optional<std::string>(out);
        });
        return report_testing::ReadFile(out);
    };
    const std::string before = rtf("Full Narrative", "before.rtf");
    EXPECT_FALSE(before.empty());
    EXPECT_EQ(rtf({}, "after.rtf"), before);
}

TEST_F(PrintPdfTest, StepSpacingTwoAddsFifteenHundredthsBelowEveryStepRow)
{
    auto heights = [this](int spacing) {
        SetOptions([spacing](store::Options& o) { o.m_StepSpacing = spacing; });
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        auto print = MakePrint(*inspection, {});
        print->BuildPages(writer);
        std::vector<double> h;
        for (const auto& item : print->PrintItems())
            h.push_back(item->entry.height);
        return h;
    };
    for (const char* layout : {"4 Column", "2 Column", "Narrative"}) {
        SCOPED_TRACE(layout);
        SetLayout(layout);
        const auto single = heights(1), twice = heights(2);
        ASSERT_EQ(single.size(), twice.size());
        int spaced = 0;
        for (std::size_t i = 0; i < single.size(); ++i) {
            const double added = twice[i] - single[i];
            EXPECT_TRUE(std::abs(added) < 1e-9 || std::abs(added - 0.15) < 1e-9) << i << ": " << added;
            spaced += std::abs(added - 0.15) < 1e-9;
        }
        EXPECT_EQ(spaced, 4); // Covering, Flashing, Furnace, Filter
    }
}
