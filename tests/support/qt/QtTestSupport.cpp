#include "support/qt/QtTestSupport.h"

#include "app/CInspectorDoc.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/DocumentCommands.h"
#include "editing/qt/CCategoryView.h"
#include "editing/qt/CInspectionListCtrl.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>


namespace testing_support::qt {
namespace {

QList<QTimer*> PendingAnswers()
{
    return qApp->findChildren<QTimer*>(QStringLiteral("dialogAnswer"), Qt::FindDirectChildrenOnly);
}

QPoint CellCentre(QTreeWidget* list, int row, int column)
{
    QTreeWidgetItem* item = list->topLevelItem(row);
    EXPECT_NE(item, nullptr) << "no row " << row;
    if (!item)
        return {};
    list->scrollToItem(item);
    return {list->header()->sectionViewportPosition(column) + list->columnWidth(column) / 2,
            list->visualItemRect(item).center().y()};
}

} // namespace

int WaitingAnswers()
{
    int waiting = 0;
    for (QTimer* timer : PendingAnswers())
        waiting += timer->isActive();
    return waiting;
}

void ExpectNoPendingAnswers()
{
    for (QTimer* timer : PendingAnswers()) {
        if (timer->isActive())
            ADD_FAILURE() << "a dialog the test answers was never shown";
        delete timer;
    }
}

void DropPendingAnswers()
{
    qDeleteAll(PendingAnswers());
}

std::unique_ptr<app::qt::CMainFrame> StartFrame(app::CInspectorDoc& doc,
                                                const std::function<void(app::qt::CMainFrame&)>& beforeStart)
{
    auto frame = std::make_unique<app::qt::CMainFrame>();
    app::qt::ConnectDocument(*frame, doc);
    if (beforeStart)
        beforeStart(*frame);
    frame->Start();
    doc.OnNewDocument();
    frame->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    // Keys reach the frame's shortcuts only while it is the active window.
    frame->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    return frame;
}

void CloseFrame(std::unique_ptr<app::qt::CMainFrame>& frame, app::CInspectorDoc* doc)
{
    ExpectNoPendingAnswers();
    if (doc)
        doc->SetObserver({});
    frame.reset();
}

void Trigger(app::qt::CMainFrame& frame, int command)
{
    QAction* action = frame.Action(command);
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->isEnabled()) << "command " << command << " is not wired";
    action->trigger();
}

void OpenCategory(app::qt::CMainFrame& frame, const QString& title)
{
    ASSERT_TRUE(frame.ShowView(app::qt::kViewCategoryList));
    auto* categories = qobject_cast<editing::qt::CCategoryView*>(frame.View(app::qt::kViewCategoryList));
    ASSERT_NE(categories, nullptr);
    const int row = static_cast<int>(ColumnTexts(categories->List(), 1).indexOf(title));
    ASSERT_GE(row, 0) << "no category " << title.toStdString();
    ClickCell(categories->List(), row, 1);
}

void ClickCell(QTreeWidget* list, int row, int column)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CellCentre(list, row, column));
}

void DoubleClickCell(QTreeWidget* list, int row, int column)
{
    const QPoint at = CellCentre(list, row, column);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

QStringList ColumnTexts(QTreeWidget* list, int column)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

void ClickButton(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

void ClickOk(QDialog* dialog)
{
    auto* box = dialog->findChild<QDialogButtonBox*>();
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

void Choose(QComboBox* combo, const QString& text, Qt::MatchFlags match)
{
    const int index = combo->findText(text, match);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

QStringList ComboTexts(QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

void Retype(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

} // namespace testing_support::qt
