// "Export RTF...": the dialog's choices reach the files the user names.
#include "GuiTest.h"

#include "reports/rtf/qt/CExportRtfDlg.h"

#include <filesystem>

namespace gui_test {
namespace {

using app::qt::cmd::ExportRtf;
using reports::rtf::qt::CExportRtfDlg;

class ExportRtfTest : public FrameTest {
protected:
    // The suggested names of the save dialogs asked so far, in order.
    std::vector<std::string> Suggested() const
    {
        std::vector<std::string> names;
        for (const auto& m : port.messages)
            if (m.kind == "save")
                names.push_back(m.text);
        return names;
    }
    // Selects the rating filter entry with `text`, as a click does.
    static void ChooseRating(CExportRtfDlg* dialog, const QString& text)
    {
        QListWidget* list = dialog->RatingFilterList();
        const auto found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.front()).center());
    }
};

TEST_F(ExportRtfTest, ChosenReportsGoToTheChosenFilesInTheirOrderAndAllOnlyFromTheInspectionList)
{
    PrepareInspection("2024-31", "Olsen");
    RateStep(CurrentInspectionID(), "Roof Covering", "Hazardous", "Shingles are missing at the ridge.");
    for (const char* name : {"a.rtf", "b.rtf", "c.rtf"})
        port.files.push_back(folder.File(name));

    auto answered = AnswerDialog<CExportRtfDlg>([](CExportRtfDlg* dialog) {
        EXPECT_EQ(dialog->ReportNameEdit()->text(), "Home Inspection") << "the report name starts as the Doc Type";
        QListWidget* ratings = dialog->RatingFilterList();
        ASSERT_GT(ratings->count(), 1);
        EXPECT_EQ(ratings->item(ratings->count() - 1)->text(), "<All Ratings>");
        EXPECT_EQ(ratings->currentItem()->text(), "<All Ratings>") << "selected first";
        EXPECT_TRUE(dialog->InspectionReportBox()->isChecked());
        // Without any report there is nothing to do.
        ClickButton(dialog->InspectionReportBox());
        EXPECT_FALSE(dialog->OkButton()->isEnabled());
        for (QCheckBox* box : {dialog->InspectionReportBox(), dialog->SummaryReportBox(), dialog->MajorSystemsBox()})
            ClickButton(box);
        EXPECT_TRUE(dialog->OkButton()->isEnabled());
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
    Trigger(ExportRtf);
    ASSERT_TRUE(*answered);

    // Summary, major systems, then the inspection report, each under its own name.
    EXPECT_EQ(Suggested(),
              (std::vector<std::string>{"Summary_2024-31.rtf", "MajorSystems_2024-31.rtf", "Inspection_2024-31.rtf"}));
    EXPECT_NE(ReadFile(folder.File("a.rtf")).find("SUMMARY REPORT"), std::string::npos);
    EXPECT_NE(ReadFile(folder.File("b.rtf")).find("MAJOR SYSTEMS REPORT"), std::string::npos);
    EXPECT_NE(ReadFile(folder.File("c.rtf")).find("Shingles are missing at the ridge."), std::string::npos);
    EXPECT_EQ(port.messages.size(), 3u) << port.AllText();

    // A rating filter that no step carries leaves the step out.
    port.messages.clear();
    port.files.push_back(folder.File("filtered.rtf"));
    answered = AnswerDialog<CExportRtfDlg>([](CExportRtfDlg* dialog) {
        ClickButton(dialog->InspectionReportBox()); // off
        ClickButton(dialog->SummaryReportBox());
        ChooseRating(dialog, "Marginal");
        QTest::keyClick(dialog, Qt::Key_Return); // OK is the default button
    });
    Trigger(ExportRtf);
    ASSERT_TRUE(*answered);
    EXPECT_EQ(Suggested(), (std::vector<std::string>{"Summary_2024-31.rtf"}));
    EXPECT_EQ(ReadFile(folder.File("filtered.rtf")).find("Shingles are missing"), std::string::npos);

    // Cancel writes nothing and asks for no file.
    port.messages.clear();
    answered = AnswerDialog<CExportRtfDlg>([](CExportRtfDlg* dialog) { dialog->reject(); });
    Trigger(ExportRtf);
    ASSERT_TRUE(*answered);
    EXPECT_TRUE(Suggested().empty());

    // Export all: only from the inspection list.
    doc->NewInspection();
    PrepareInspection("", "Second"); // without a Doc #: the client tells the file apart

    const auto exportAll = [](CExportRtfDlg* dialog) {
        ClickButton(dialog->ExportAllBox());
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    };
    answered = AnswerDialog<CExportRtfDlg>(exportAll);
    Trigger(ExportRtf); // from the setup view
    ASSERT_TRUE(*answered);
    EXPECT_TRUE(port.Saw("Exporting of all inspections can only be done from the Inspection List screen."));
    EXPECT_TRUE(Suggested().empty());

    frame->Action(app::qt::cmd::ViewInspectionList)->trigger();
    ASSERT_EQ(frame->ViewNumber(), app::qt::kViewInspectionList);
    port.messages.clear();
    port.files = {folder.File("one.rtf"), folder.File("two.rtf")};
    answered = AnswerDialog<CExportRtfDlg>(exportAll);
    Trigger(ExportRtf);
    ASSERT_TRUE(*answered);
    EXPECT_EQ(Suggested(), (std::vector<std::string>{"Inspection_2024-31.rtf", "Inspection_Second.rtf"}));
    EXPECT_NE(ReadFile(folder.File("one.rtf")).find("Olsen"), std::string::npos);
    EXPECT_NE(ReadFile(folder.File("two.rtf")).find("Second"), std::string::npos);
}

} // namespace
} // namespace gui_test
