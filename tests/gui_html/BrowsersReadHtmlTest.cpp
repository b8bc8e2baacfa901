// Real readers of the exported HTML folder: xmllint parses every page
// without an error, and Chromium renders index.htm (the frameset with the
// contents and the report) to a screenshot that is not blank.
#include "HtmlFixture.h"
#include "reports/html/HtmlExport.h"

#include <QImage>

#include <cstdlib>

namespace {

using html_testing::HtmlFrameTest;
using report_testing::ReadFile;

// True when `program` is not installed, which fails the test in CI.
bool Missing(const char* program)
{
    if (std::system((std::string("command -v ") + program + " > /dev/null 2>&1").c_str()) == 0)
        return false;
    const char* ci = std::getenv("CI");
    EXPECT_FALSE(ci && std::string(ci) == "true") << program << " is missing";
    return true;
}

class BrowsersRead : public HtmlFrameTest {
protected:
    std::string ExportSample()
    {
        AddSample(6);
        const std::string out = folder.File("export");
        EXPECT_EQ(reports::html::ExportHtml(*inspection, out).result, reports::html::HtmlResult::Written)
            << port.AllText();
        return out;
    }
};

} // namespace

TEST_F(BrowsersRead, XmllintFindsNoErrorInAnyPage)
{
    if (Missing("xmllint"))
        GTEST_SKIP() << "xmllint is not installed";
    const std::string out = ExportSample();
    for (const char* page : {"index.htm", "toc.htm", "inspection.htm"}) {
        const std::string log = folder.File(std::string(page) + ".log");
        const std::string command = "xmllint --html --noout '" + out + "/" + page + "' > '" + log + "' 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << page << ": " << ReadFile(log);
        EXPECT_EQ(ReadFile(log), "") << page;
    }
}

TEST_F(BrowsersRead, ChromiumRendersTheFramesetToAPictureThatIsNotBlank)
{
    if (Missing("chromium"))
        GTEST_SKIP() << "chromium is not installed";
    const std::string out = ExportSample();
    const std::string png = folder.File("index.png");
    const std::string command = "timeout 120 chromium --headless --no-sandbox --disable-gpu "
                                "--disable-background-networking --disable-component-update --disable-sync "
                                "--no-first-run --user-data-dir='" +
                                folder.File("chromium-profile") + "' --screenshot='" + png +
                                "' --window-size=1024,768 'file://" + out + "/index.htm' > '" +
                                folder.File("chromium.log") + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadFile(folder.File("chromium.log"));
    const QImage shot(QString::fromStdString(png));
    ASSERT_FALSE(shot.isNull()) << ReadFile(folder.File("chromium.log"));
    long long marked = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixel(x, y) != qRgb(255, 255, 255))
                ++marked;
    EXPECT_GE(marked * 100, static_cast<long long>(shot.width()) * shot.height()) << marked << " pixels";
}
