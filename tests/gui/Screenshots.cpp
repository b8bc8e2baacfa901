// Pictures of every window for a person to look at: run with
// INSPECTOR_SCREENSHOTS=<folder> (skipped otherwise).
#include "GuiTest.h"

#include "app/qt/CAboutDlg.h"
#include "app/qt/CDataPathDlg.h"
#include "app/qt/COwnerNameDlg.h"
#include "editing/qt/CCategoryView.h"
#include "editing/qt/CDuplicateCategoryDlg.h"
#include "editing/qt/CEditListDlg.h"
#include "editing/qt/CInspectionListCtrl.h"
#include "editing/qt/CInspectorView.h"
#include "ui/qt/CProgressDlg.h"
#include "ui/qt/QtPort.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include <cstdlib>

namespace gui_test {
namespace {

using namespace app::qt;

QString Folder()
{
    const char* folder = std::getenv("INSPECTOR_SCREENSHOTS");
    return folder ? QString::fromLocal8Bit(folder) : QString();
}

void Save(QWidget* w, const char* name)
{
    QApplication::processEvents();
    EXPECT_TRUE(w->grab().save(Folder() + "/" + name + ".png")) << name;
}

template <class T>
void SaveDialog(T* dialog, const char* name)
{
    dialog->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
    Save(dialog, name);
}

class Screenshots : public FrameTest {
protected:
    void SetUp() override
    {
        if (Folder().isEmpty())
            GTEST_SKIP() << "set INSPECTOR_SCREENSHOTS to a folder to take the pictures";
        FrameTest::SetUp();
    }
};

TEST_F(Screenshots, EveryWindow)
{
    {
        CDataPathDlg d;
        d.SetPaths("/home/pat/Documents/Template_Data.cdb", "/home/pat/Documents/Inspection_Data.cdb");
        d.SetCreateFiles([](const std::string&, const std::string&) { return false; });
        SaveDialog(&d, "01-data-path");
    }
    {
        COwnerNameDlg d;
        SaveDialog(&d, "02-owner-name");
    }
    {
        CAboutDlg d;
        SaveDialog(&d, "03-about");
    }
    frame->resize(1000, 700);
    Save(frame.get(), "04a-setup-view-new");
    auto* setup = View<editing::qt::CInspectorView>(kViewInspectionSetup);
    QTest::keyClicks(setup->DwellingAddressEdit(), "1432 Lakeview Terrace");
    setup->PickList(editing::qt::CInspectorView::DwellingCityStateZip)->setEditText("Minneapolis, MN 55406");
    QTest::keyClicks(setup->ClientNameEdit(), "Margaret and Thomas Lindqvist-Oyelaran");
    QTest::keyClicks(setup->DocNumEdit(), "2024-0117");
    QComboBox* types = setup->DocTypeCombo();
    types->setCurrentIndex(0);
    emit types->activated(0);
    Save(frame.get(), "04-setup-view");

    ChooseView(cmd::ViewCategoryList);
    auto* categories = View<editing::qt::CCategoryView>(kViewCategoryList);
    ClickCell(categories->List(), 2, 0);
    categories->NotPresentButton()->click();
    Save(frame.get(), "05-category-list");

    AnswerDialog<editing::qt::CDuplicateCategoryDlg>([](editing::qt::CDuplicateCategoryDlg* d) {
        Save(d, "06-duplicate-category");
        d->reject();
    });
    categories->DuplicateButton()->click();

    frame->Action(cmd::NewInspection)->trigger();
    QTest::keyClicks(setup->ClientNameEdit(), "Bob");
    ChooseView(cmd::ViewInspectionList);
    Save(frame.get(), "07-inspection-list");

    {
        editing::qt::CEditListDlg d("EvalCityStateZip");
        SaveDialog(&d, "08-edit-list");
    }
    {
        ui::qt::QtProgress progress(frame.get());
        progress.setTitle("Duplicating Inspection...");
        progress.setStatus("Duplicating Categories...");
        progress.setRange(0, 40);
        progress.setPosition(13);
        Save(progress.Dialog(), "09-progress");
    }
}

} // namespace
} // namespace gui_test
