// The Qt port: message texts, file filters, boxes, the progress dialog and
// file dialogs that never hand out a data file in use.
#include "GuiTest.h"

#include "app/DataFileGuard.h"
#include "ui/qt/CProgressDlg.h"
#include "ui/qt/QtPort.h"

#include <QFileDialog>

#include <QProgressBar>

namespace gui_test {
namespace {

using ui::qt::QtPort;
using QtPortTest = DialogTest;

TEST_F(QtPortTest, TextsFiltersAndBoxesAnswerAsTheUserClicks)
{
    EXPECT_EQ(ui::qt::DisplayText("a\r\r b\r\nc"), "a\n\n b\nc");
    EXPECT_EQ(ui::qt::QtFilter("Rich Text Files (*.rtf)|*.rtf|"), "Rich Text Files (*.rtf)");
    EXPECT_EQ(ui::qt::QtFilter("Export Files|*.exp|All Files (*.*)|*.*|"),
              "Export Files (*.exp);;All Files (*.*)");
    EXPECT_EQ(ui::qt::QtFilter("Pictures (*.jpg *.bmp)"), "Pictures (*.jpg *.bmp)");

    QtPort port;
    EXPECT_EQ(&ui::CurrentPort(), &port);

    QString caption, text;
    // Notes the next box's caption and text, then clicks `button`.
    const auto answer = [&caption, &text](QMessageBox::StandardButton button) {
        AnswerDialog<QMessageBox>([&caption, &text, button](QMessageBox* box) {
            caption = box->windowTitle();
            text = box->text();
            box->button(button)->click();
        });
    };
    answer(QMessageBox::Yes);
    EXPECT_TRUE(port.confirm("Would you like to delete all inspections."));
    EXPECT_EQ(caption, "Caution");
    EXPECT_EQ(text, "Would you like to delete all inspections.");

    answer(QMessageBox::No);
    EXPECT_FALSE(port.confirm("Sure?", "Warning"));
    EXPECT_EQ(caption, "Warning");

    answer(QMessageBox::Cancel);
    EXPECT_EQ(port.ask("Warning!\r\r Do you wish to proceed?", "Update Required", ui::Buttons::OkCancel,
                       ui::Icon::Exclamation),
              ui::Answer::Cancel);
    EXPECT_EQ(caption, "Update Required");
    EXPECT_EQ(text, "Warning!\n\n Do you wish to proceed?");

    answer(QMessageBox::Ok);
    port.inform("Done!");
    EXPECT_EQ(caption, "Inspector");

    AnswerDialog<QDialog>([](QDialog* d) {
        auto* edit = d->findChild<QLineEdit*>("text");
        edit->setText("D-77");
        d->accept();
    });
    EXPECT_EQ(port.askText("Duplicate Inspection", "Enter the Doc # of the new Inspection:", ""), "D-77");
    AnswerDialog<QDialog>([](QDialog* d) { d->reject(); });
    EXPECT_EQ(port.askText("Duplicate Inspection", "Enter the Doc # of the new Inspection:", ""), std::nullopt);
}

TEST_F(QtPortTest, ProgressShowsStatusPercentageAndTakesCancel)
{
    QtPort port;
    auto progress = port.progress();
    auto* qt = dynamic_cast<ui::qt::QtProgress*>(progress.get());
    ASSERT_NE(qt, nullptr);
    ui::qt::CProgressDlg* dialog = qt->Dialog();
    EXPECT_TRUE(dialog->isVisible());
    progress->setTitle("Deleting Inspection...");
    progress->setStatus("Deleting Steps...");
    progress->setRange(0, 4);
    EXPECT_EQ(dialog->Bar()->text(), " 0 %");
    progress->setPosition(1);
    EXPECT_EQ(dialog->Bar()->text(), " 25 %");
    EXPECT_EQ(dialog->windowTitle(), "Deleting Inspection...");
    EXPECT_EQ(dialog->StatusLabel()->text(), "Deleting Steps...");
    EXPECT_FALSE(progress->cancelled());
    QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
    EXPECT_TRUE(progress->cancelled());
    progress->setPosition(9); // past the end stays at the end
    EXPECT_EQ(dialog->Bar()->text(), " 100 %");
}

using FileChoiceTest = FrameTest;

TEST_F(FileChoiceTest, ADataFileInUseIsNeverHandedOut)
{
    // The data files and their companions, whatever name leads to them.
    const std::string roundabout = folder.File("x/../" + std::filesystem::path(inspectionPath).filename().string());
    for (const std::string& path : {inspectionPath, templatePath + "-wal", templatePath + "-shm",
                                    inspectionPath + "-journal", roundabout}) {
        SCOPED_TRACE(path);
        EXPECT_TRUE(app::IsDataFileInUse(path));
    }
    EXPECT_FALSE(app::IsDataFileInUse(folder.File("report.rtf")));
    EXPECT_FALSE(app::IsDataFileInUse(folder.Path().string()));

    // Chosen in a file dialog, a data file is refused and the dialog comes back.
    QtPort qtPort;
    int shown = 0;
    std::function<void(QFileDialog*)> answer = [&](QFileDialog* dialog) {
        if (++shown == 1) {
            AnswerDialog<QMessageBox>([](QMessageBox* box) { box->accept(); });
            dialog->selectFile(QString::fromStdString(inspectionPath));
            QMetaObject::invokeMethod(dialog, "accept");
            AnswerDialog<QFileDialog>(answer);
        } else {
            dialog->reject();
        }
    };
    AnswerDialog<QFileDialog>(answer);
    qtPort.SetStartFolder(QString::fromStdString(folder.Path().string()));
    EXPECT_FALSE(qtPort.chooseOpenFile("All Files (*)|*|"));
    EXPECT_EQ(shown, 2);
}

} // namespace
} // namespace gui_test
