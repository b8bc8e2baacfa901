// View 7: the HTML report of the current inspection shown in the program,
// its contents scrolling the report, pictures and red ratings shown, edits
// shown the next time the view is shown, and Export HTML's folder name.
#include "HtmlFixture.h"

#include "ui/Port.h"

#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <cstdlib>

namespace {

using html_testing::HtmlFrameTest;

// True when the document shows a picture whose resource loaded.
bool ShowsPicture(QTextBrowser* pane)
{
    for (QTextBlock block = pane->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QVariant image = pane->document()->resource(QTextDocument::ImageResource,
                                                              QUrl(format.toImageFormat().name()));
            if (image.isValid() && !image.value<QImage>().isNull())
                return true;
        }
    }
    return false;
}

} // namespace

TEST_F(HtmlFrameTest, ShowsTheReportScrollsToACategoryShowsEditsNextTimeAndExportsIntoASafeFolder)
{
    inspection->m_InspectionNum = "2024/17 #B";
    ASSERT_TRUE(inspection->Save());
    AddSample(25);
    ASSERT_NO_FATAL_FAILURE(StartFrame());
    auto* view = ShowHtmlView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(frame->Action(app::qt::cmd::ViewHtml)->isChecked());
    EXPECT_TRUE(frame->Action(app::qt::cmd::ExportHtml)->isEnabled());
    for (const char* title : {"Grounds", "Roof & Chimney", "Electrical"}) {
        EXPECT_TRUE(view->Contents()->toPlainText().contains(QString::fromUtf8(title))) << title;
        EXPECT_TRUE(view->Report()->toPlainText().contains(QString::fromUtf8(title))) << title;
    }
    EXPECT_LE(std::abs(view->Splitter()->sizes().front() - 150), 20);
    EXPECT_TRUE(ShowsPicture(view->Report()));

    // A red rating shows red (the definitions name it too, in black).
    int red = 0;
    for (QTextCursor at = view->Report()->document()->find(QStringLiteral("Hazardous")); !at.isNull();
         at = view->Report()->document()->find(QStringLiteral("Hazardous"), at))
        red += at.charFormat().foreground().color() == QColor(255, 0, 0);
    EXPECT_EQ(red, 3);

    // A click on the last category's link scrolls the report down to it.
    QScrollBar* bar = view->Report()->verticalScrollBar();
    EXPECT_EQ(bar->value(), 0);
    const QTextCursor link = view->Contents()->document()->find(QStringLiteral("Electrical"));
    ASSERT_FALSE(link.isNull());
    QTextCursor inside = link;
    inside.setPosition(link.selectionStart() + 2);
    QTest::mouseClick(view->Contents()->viewport(), Qt::LeftButton, {},
                      view->Contents()->cursorRect(inside).center());
    QApplication::processEvents();
    EXPECT_GT(bar->value(), bar->maximum() / 2);

    // An edit made elsewhere shows when the view is shown again.
    testing_support::Exec(1, "UPDATE Step SET Comments = 'Edited remark.' WHERE StepNumber = '3'");
    ASSERT_TRUE(frame->ShowView(app::qt::kViewInspectionSetup));
    ShowHtmlView();
    EXPECT_TRUE(view->Report()->toPlainText().contains(QStringLiteral("Edited remark.")));

    // Export HTML: the folder dialog cannot be answered from here; the name question can.
    port.messages.clear();
    port.texts.push_back(std::string("2024/17 #B"));
    const std::string parent = folder.File("exports");
    std::filesystem::create_directories(parent);
    reports::html::qt::OnExportHtmlInto(*frame, *doc, QString::fromStdString(parent));
    ASSERT_FALSE(port.messages.empty());
    EXPECT_EQ(port.messages.front().kind, "askText");
    EXPECT_TRUE(std::filesystem::is_regular_file(parent + "/2024_17__B/index.htm")) << port.AllText();
}
