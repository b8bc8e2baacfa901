// The print engine's geometry: pagination at the 8.5" line, items taller than a
// page, " (Continued)" titles, headings kept with their first row, the page
// sequence of copies and ranges, the printer dispatch table, and measuring
// against drawing.
#include "print/PrintTesting.h"
#include "reports/print/CReportPage.h"
#include "reports/print/Pagination.h"
#include "reports/print/PrinterDispatch.h"

#include <QBuffer>
#include <QFontInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

using namespace reports::print;

namespace {

PageEntry Row(double height, const std::string& category = "Roof")
{
    PageEntry e;
    e.height = height;
    e.category = category;
    return e;
}

PageEntry Heading(const std::string& category, bool newPage = false)
{
    PageEntry e = Row(0.3, category);
    e.opensCategory = e.keepWithNext = true;
    e.newPage = newPage;
    return e;
}

std::vector<int> Counts(const std::vector<Page>& pages)
{
    std::vector<int> counts;
    for (const Page& p : pages)
        counts.push_back(p.count);
    return counts;
}

} // namespace

TEST(PrintPagination, ClosesAPageBeforeTheItemThatReachesTheLine)
{
    // Seven items of 1.1" with their gaps take 7.7"; the eighth would reach 8.8".
    EXPECT_EQ(Counts(Paginate(std::vector<PageEntry>(10, Row(1.0)))), (std::vector<int>{7, 3}));
    // 8.4" with the gaps fits; 8.6" does not.
    EXPECT_EQ(Counts(Paginate({Row(4.1), Row(4.1)})), (std::vector<int>{2}));
    EXPECT_EQ(Counts(Paginate({Row(4.2), Row(4.2)})), (std::vector<int>{1, 1}));
    // An item taller than a page stands on a page of its own.
    EXPECT_EQ(Counts(Paginate({Row(1.0), Row(9.5), Row(1.0)})), (std::vector<int>{1, 1, 1}));
}

TEST(PrintPagination, ACategoryIsContinuedOnItsNextPagesAndAHeadingMovesToItsFirstRow)
{
    std::vector<PageEntry> items{Heading("Roof", true)};
    for (int i = 0; i < 18; ++i)
        items.push_back(Row(1.0));
    const auto pages = Paginate(items);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].title + "|" + pages[1].title + "|" + pages[2].title, "Roof|Roof (Continued)|Roof (Continued)");
    EXPECT_EQ(Paginate(items, " (continued)")[2].title, "Roof (continued)");

    // A heading and its header row move to the page of their first row.
    items.resize(7);
    items.push_back(Heading("Attic"));
    PageEntry header = Row(0.2, "Attic");
    header.keepWithNext = true;
    items.push_back(header);
    items.push_back(Row(1.0, "Attic"));
    const auto attic = Paginate(items);
    ASSERT_EQ(attic.size(), 2u);
    // The second page carries the category's own name: the category starts there.
    EXPECT_EQ(std::to_string(attic[0].count) + " " + std::to_string(attic[1].first) + " " + attic[1].title,
              "7 7 Attic");
}

TEST(PrintPagination, CopiesAndRangesGiveThePageSequence)
{
    EXPECT_EQ(PrintSequence(6, 2, 4, 3), (std::vector<int>{1, 2, 3, 1, 2, 3, 1, 2, 3}));
    EXPECT_EQ(PrintSequence(3, -1, -1, 1), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(PrintSequence(3, 2, 99, 2), (std::vector<int>{1, 2, 1, 2}));
    EXPECT_TRUE(PrintSequence(3, 5, 9, 1).empty());
}

TEST(PrintDispatch, TheFirstTextFoundInTheLayoutPicksThePrinter)
{
    const struct {
        PrintReport kind;
        const char* layout;
        Printer printer;
    } cases[] = {
        {PrintReport::Inspection, "Minneapolis - Truth", Printer::MinneapolisTruth},
        {PrintReport::Inspection, "FL Termite", Printer::FloridaTermite},
        {PrintReport::Inspection, "Termite", Printer::Termite},
        {PrintReport::Inspection, "Texas RatingType", Printer::Texas},
        {PrintReport::Inspection, "Affiliate Buyers Inspection", Printer::Affiliate},
        {PrintReport::Inspection, "Affiliate Buyers Inspection Full Narrative", Printer::FullNarrative},
        {PrintReport::Inspection, "Full Narrative", Printer::Inspection},
        {PrintReport::Inspection, "texas", Printer::Inspection},
        {PrintReport::Summary, "Texas", Printer::Summary},
        {PrintReport::MajorSystems, "Texas", Printer::TexasMajorSystems},
        {PrintReport::MajorSystems, "4 Column", Printer::MajorSystems},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layout);
        EXPECT_EQ(ChoosePrinter(c.kind, c.layout), c.printer);
    }
    EXPECT_EQ(PrintClassOf(Printer::Maplewood), PrintClass::Inspection);
}

TEST(PrintCanvas, MeasuringGivesWhatDrawingTakes)
{
    print_testing::EnsureApp();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                     QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
    QPainter painter(&writer);
    CReportPage page(writer, &painter);
    EXPECT_NEAR(page.Width(), 8.0, 0.01);
    EXPECT_NEAR(page.Height(), 10.5, 0.01);
    const std::string text = "The roof covering shows \\b granule loss\\b0  on the south slope; "
                             "several shingles are lifted at the ridge.\\par Replace within two years.";
    for (int flags : {0, int(kBold), kCentre | kItalic}) {
        SCOPED_TRACE(flags);
        page.SetMeasureOnly(true);
        const double measured = page.DrawTextBox(1.0, 0.5, 3.0, flags, 10, text);
        page.SetMeasureOnly(false);
        EXPECT_DOUBLE_EQ(page.DrawTextBox(1.0, 0.5, 3.0, flags, 10, text), measured);
        // Three lines at least in 2.5", each about 10 pt high.
        EXPECT_GT(measured - 1.0, 3 * 10 / 72.0);
    }
    // Liberation Serif stands in for Times New Roman, so lines wrap the same everywhere.
    EXPECT_EQ(PrintFamily("Times New Roman"), "Liberation Serif");
    EXPECT_EQ(QFontInfo(page.Font(0, 10)).family(), "Liberation Serif");
    painter.end();
}
