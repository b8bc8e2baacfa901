// Pictures of the Export RTF, transfer and server windows for a person to
// look at: run with INSPECTOR_SCREENSHOTS=<folder> (skipped otherwise).
#include "FeatureTest.h"

#include "exchange/ConnectionChoices.h"
#include "exchange/qt/CConnectToServerDlg.h"
#include "exchange/qt/CConnectionOptionsDlg.h"
#include "exchange/qt/CSelectStagedInspectionDlg.h"
#include "reports/rtf/RtfExport.h"
#include "reports/rtf/qt/CExportRtfDlg.h"

#include <QCheckBox>
#include <QtTest/QTest>

#include <cstdlib>

namespace feature_test {
namespace {

QString Folder()
{
    const char* folder = std::getenv("INSPECTOR_SCREENSHOTS");
    return folder ? QString::fromLocal8Bit(folder) : QString();
}

void Save(QWidget* dialog, const char* name)
{
    dialog->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
    QApplication::processEvents();
    EXPECT_TRUE(dialog->grab().save(Folder() + "/" + name + ".png")) << name;
}

class FeatureScreenshots : public FrameTest {
protected:
    void SetUp() override
    {
        if (Folder().isEmpty())
            GTEST_SKIP() << "set INSPECTOR_SCREENSHOTS to a folder to take the pictures";
        FrameTest::SetUp();
    }
};

TEST_F(FeatureScreenshots, EveryWindow)
{
    PrepareInspection("2024-31", "Margaret Olsen-Lindqvist");
    doc->NewInspection();
    PrepareInspection("2024-32", "Ben Ortiz");
    {
        reports::rtf::qt::CExportRtfDlg dialog("Home Inspection", reports::rtf::RatingFilterChoices(), frame.get());
        Save(&dialog, "export-rtf");
    }
    {
        exchange::qt::CSelectStagedInspectionDlg dialog(
            {"5\tMargaret Olsen-Lindqvist\t1234 Longfellow Avenue South\tMinneapolis, MN 55407\t2024-31",
             "6\tBen Ortiz\t4 Oak Lane\tSt. Paul, MN 55102\t2024-32"},
            frame.get());
        Save(&dialog, "merge-chooser");
    }
    ASSERT_TRUE(exchange::SaveConnectionSettings({"anna", "secret", "inspections.example.com", 7700}));
    {
        exchange::qt::CConnectionOptionsDlg dialog(frame.get());
        Save(&dialog, "connection-options");
    }
    {
        exchange::qt::CConnectToServerDlg dialog({}, frame.get());
        dialog.SendBox()->setChecked(true);
        dialog.ToggleMark(0);
        Save(&dialog, "connect-to-server");
    }
}

} // namespace
} // namespace feature_test
