// The HTML report: what its pages say (escaped data, formatting words, French
// labels, ratings, picture and spacer rows, contents links), which files its
// folder holds, and how a second export, a refusal and a failure leave it.
#include "reports/PhotoMaker.h"
#include "reports/ReportFixture.h"
#include "reports/html/HtmlExport.h"
#include "reports/html/HtmlText.h"
#include "support/RunCommand.h"

#include <regex>
#include <set>

using namespace reports::html;
using report_testing::MakePhoto;
using report_testing::Missing;
using report_testing::Pieces;
using report_testing::Present;
using report_testing::ReadFile;
using report_testing::WriteFile;
namespace fs = std::filesystem;

namespace {

std::set<std::string> FilesIn(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

std::size_t Count(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++n;
    return n;
}

class HtmlReport : public report_testing::ReportFixture {
protected:
    // Exports into `name` of the test folder and returns the report page.
    std::string Export(const std::string& name = "export")
    {
        out = folder.File(name);
        const HtmlOutcome outcome = ExportHtml(*inspection, out);
        EXPECT_EQ(outcome.result, HtmlResult::Written) << port.AllText();
        return ReadFile(out + "/inspection.htm");
    }
    void SetLayout(const std::string& layout)
    {
        testing_support::Exec(0, "UPDATE InspectionType SET ReportLayout = '" + layout + "'");
    }
    std::string out;
};

} // namespace

TEST(HtmlText, FormattingWordsBecomeTagsOrGoTextIsEscapedAndFileNamesAreSafe)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a < b & \"c\" > d", "a &lt; b &amp; &quot;c&quot; &gt; d"},
        {"\\b Bold\\b0  plain", "<B>Bold</B> plain"},
        {"\\i it \\ul both\\i0 under\\ulnone .", "<I>it </I><I><U>both</U></I><U>under</U>."},
        {"\\b never closed", "<B>never closed</B>"},
        {"C:\\temp\\new <\\fs40>", "C:\\temp\\new &lt;\\fs40&gt;"},
        {"one\r\ntwo\nthree\\par four\\line five", "one<BR>two<BR>three<BR>four<BR>five"},
        {"\\\\ \\{ \\}", "\\ { }"},
        {"<script>\\b x", "&lt;script&gt;<B>x</B>"},
        {"Caf\xC3\xA9", "Caf\xC3\xA9"},
    };
    for (const auto& [in, expected] : cases) {
        SCOPED_TRACE(in);
        EXPECT_EQ(FormattedHtml(in), expected);
    }

    std::string names;
    for (const char* name : {"porch photo #1 100%.jpg", "Fa\xC3\xA7" "ade.JPG", "../etc/passwd", ""})
        names += SafeFileName(name) + " ";
    EXPECT_EQ(names, "porch_photo__1_100_.jpg Fa_ade.JPG _.._etc_passwd _ ");
    names = ProposedFolderName("2024/17", "Dana", "1 Elm") + " " + ProposedFolderName(" ", "Dana Client", "1 Elm") +
            " " + ProposedFolderName("", "", "1 Elm Rd/Unit 2") + " " + ProposedFolderName("", "", "");
    EXPECT_EQ(names, "2024_17 Dana_Client 1_Elm_Rd_Unit_2 Inspection");
}

TEST_F(HtmlReport, DataIsTextNeverMarkupPagesAreUtf8AndEveryContentsLinkFindsItsAnchor)
{
    const int baths = AddCategory("Baths & <Kitchens>", "10", false, "Note \"quoted\".");
    AddStep(baths, "1", "Sink <old>", "Functional",
            "<script>alert(\"x\")</script> & \\b Bold\\b0  big Caf\xC3\xA9", "Other: <b>steel</b>;");
    const std::string odd = folder.File("a \"b\" <c>.jpg");
    MakePhoto(odd, 64, 48);
    AddStep(baths, "2", "Tub", "Functional", "Fine.", {}, {}, odd);
    AddStep(baths, "3", "Lost", "Functional", "Gone.", {}, {}, "/nowhere/<x> \"y\".jpg");
    // Two categories of one name, one without steps and one not present.
    for (const char* number : {"11", "12"})
        AddStep(AddCategory("Roof", number), "1", "Shingles", "Functional", "Fine.");
    AddCategory("Pool & Spa #2", "13");
    AddCategory("Not There", "14", true);

    const std::string page = Export();
    const std::string toc = ReadFile(out + "/toc.htm");
    const std::string utf8 = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">";
    EXPECT_EQ(Missing(toc, {utf8, ">Baths &amp; &lt;Kitchens&gt;</A>"}), Pieces{});
    EXPECT_EQ(Present(toc + page, {"<script", "<Kitchens>"}), Pieces{});
    // The picture goes by a safe name; the missing one leaves its name in small type.
    EXPECT_EQ(Missing(page, {utf8,
                             "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; <B>Bold</B> big Caf\xC3\xA9",
                             "&lt;b&gt;steel&lt;/b&gt;", "Sink &lt;old&gt;", "Note &quot;quoted&quot;.",
                             "<img src=\"a__b___c_.jpg\"", "<FONT SIZE=2>&lt;x&gt; &quot;y&quot;.jpg</FONT>"}),
              Pieces{});
    EXPECT_EQ(page.find("\\b"), std::string::npos);
    EXPECT_EQ(Count(page, "<img "), 1u);

    const std::regex link("<A HREF=\"inspection\\.htm#([^\"]+)\" TARGET=\"main\">");
    std::set<std::string> anchors;
    for (std::sregex_iterator it(toc.begin(), toc.end(), link), end; it != end; ++it) {
        const std::string anchor = (*it)[1];
        EXPECT_TRUE(anchors.insert(anchor).second) << "two links to " << anchor;
        EXPECT_EQ(Count(page, "<a NAME=\"" + anchor + "\">"), 1u) << anchor;
    }
    EXPECT_EQ(anchors.size(), 4u);
    EXPECT_EQ(Present(toc + page, {"Not There"}), Pieces{});
}

TEST_F(HtmlReport, PictureRowsAndAFolderOfExactlyThePicturesUsed)
{
    const fs::path pictures = folder.Path() / "camera";
    fs::create_directories(pictures);
    const std::string porch = (pictures / "porch photo #1.jpg").string();
    MakePhoto(porch, 320, 240);
    MakePhoto((pictures / "unused.jpg").string(), 32, 32);
    const std::string tagged = (pictures / "100% attic.jpg").string();
    MakePhoto(tagged, 200, 100);
    const int c = AddCategory("Exterior", "10");
    AddStep(c, "1", "Porch", "Functional", "Sound.", {}, {}, porch);
    AddStep(c, "2", "Steps", "Functional", "Same porch.", {}, {}, porch);
    AddStep(c, "3", "Walk", "Functional", "No picture.");
    AddStep(c, "4", "Attic", "Functional", "See ***Path=" + tagged + ";Scaling=50*** here.");
    AddStep(c, "5", "Shed", "Omit", "Omitted.", {}, {}, (pictures / "unused.jpg").string());

    const std::string page = Export();
    EXPECT_EQ(FilesIn(out), (std::set<std::string>{"index.htm", "toc.htm", "inspection.htm",
                                                   "porch_photo__1.jpg", "100__attic.jpg"}));
    EXPECT_EQ(Count(page, "<TR><TD VALIGN=TOP COLSPAN=4 ALIGN=LEFT><img src=\"porch_photo__1.jpg\""), 2u);
    EXPECT_EQ(Count(page, "<img src=\"100__attic.jpg\""), 1u);
    EXPECT_EQ(Count(page, "<TR><TD COLSPAN=4><FONT SIZE=2>&nbsp;</FONT></TD></TR>"), 1u);
    EXPECT_EQ(Present(page, {"***", "Omitted."}), Pieces{});
}

TEST_F(HtmlReport, LayoutsLabelsAndRatings)
{
    const int c = AddCategory("Electrical", "10");
    AddStep(c, "1", "Panel", "Hazardous", "Double tap.", "Copper;Other: Aluminium;");
    AddStep(c, "2", "Outlets", "Marginal", "Loose.");
    inspection->m_AgentName = "Sam Agent";
    ASSERT_TRUE(inspection->Save());

    std::string page = Export("four");
    EXPECT_EQ(Missing(page, {"<TH ALIGN=LEFT WIDTH=\"18%\">Material Type</TH>",
                             "<TD VALIGN=TOP ALIGN=LEFT>Copper, Aluminium</TD>",
                             "<font color=\"#FF0000\"><B>Hazardous</B></font>", "<B>Marginal</B>", "Client's Agent:"}),
              Pieces{});

    SetLayout("2 Column French");
    page = Export("french");
    EXPECT_EQ(Missing(page, {">Etape</TH>", ">Composante</TH>", ">Commentaires</TH>", "No. d'inspection:",
                             "Date d'inspection:", "Adresse:", "Inspecteur:",
                             "<font color=\"#FF0000\"><B>Hazardous. </B></font>Copper, Aluminium. ",
                             "<TR><TD COLSPAN=3><FONT SIZE=2>&nbsp;</FONT></TD></TR>"}),
              Pieces{});
    EXPECT_EQ(page.find("Material Type"), std::string::npos);
}

TEST_F(HtmlReport, ASecondExportReplacesTheFirstWholeAndNothingElseIsTouched)
{
    const int c = AddCategory("Roof", "10");
    AddStep(c, "1", "Shingles", "Functional", "First words.");
    Export();
    WriteFile(out + "/stale.jpg", "old");
    testing_support::Exec(1, "UPDATE Step SET Comments = 'Second words.'");
    const std::string page = Export();
    EXPECT_NE(page.find("Second words."), std::string::npos);
    EXPECT_EQ(FilesIn(out), (std::set<std::string>{"index.htm", "toc.htm", "inspection.htm"}));
    // Nothing is left beside it.
    EXPECT_EQ(FilesIn(folder.Path()).count("export"), 1u);
    for (const auto& name : FilesIn(folder.Path()))
        EXPECT_NE(name.rfind(".export", 0), 0u) << name;

    // A Cancel keeps the earlier export as it was.
    port.cancelAfter = 0;
    EXPECT_EQ(ExportHtml(*inspection, out).result, HtmlResult::Cancelled);
    EXPECT_NE(ReadFile(out + "/inspection.htm").find("Second words."), std::string::npos);
    port.cancelAfter = -1;

    // A folder of the user's own is never replaced.
    fs::create_directories(folder.Path() / "mine");
    WriteFile(folder.File("mine/notes.txt"), "keep");
    EXPECT_EQ(ExportHtml(*inspection, folder.File("mine")).result, HtmlResult::Failed);
    EXPECT_EQ(ReadFile(folder.File("mine/notes.txt")), "keep");
    EXPECT_TRUE(port.Saw("holds other files"));

    // A folder that cannot be made: the message, and nothing written.
    WriteFile(folder.File("plainfile"), "x");
    EXPECT_EQ(ExportHtml(*inspection, folder.File("plainfile/report")).result, HtmlResult::Failed);
    EXPECT_TRUE(port.Saw("Unable to create the " + folder.File("plainfile/report") + " directory. Error#"))
        << port.AllText();
}

TEST_F(HtmlReport, TheCommandLineWritesTheFolder)
{
    const int c = AddCategory("Roof", "10");
    AddStep(c, "1", "Shingles", "Functional", "Fine.");
    const std::string target = folder.File("cli out");
    const auto run = testing_support::RunCli(folder, "report 2024-17 --format html -o '" + target + "' --template '" +
                                                         templatePath + "' --inspection '" + inspectionPath + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(ReadFile(target + "/inspection.htm").find("Shingles"), std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(target + "/index.htm"));
}
