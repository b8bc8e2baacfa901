#pragma once
// Helpers of the desktop program's tests: a running frame over two fresh data
// files filled with the starter library, and ways to answer modal dialogs and
// click rows as a user does.
#include "support/qt/QtTestSupport.h"
#include "app/CInspectorDoc.h"
#include "app/qt/CMainFrame.h"
#include "support/TempDataFiles.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <ostream>

// Readable Qt texts in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{' << list.join(QStringLiteral(", ")).toStdString() << '}';
}

namespace gui_test {

// Runs `answer` on the next modal dialog of type T as soon as it is open.
// The answer must close the dialog (accept or reject).
template <class T>
void AnswerDialog(std::function<void(T*)> answer)
{
    auto* timer = new QTimer(qApp);
    timer->setObjectName(QStringLiteral("dialogAnswer"));
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        }
    });
    timer->start();
}

// Fails the test for every answer whose dialog never opened, and drops them
// so that they cannot answer a dialog of the next test.
void ExpectNoPendingAnswers();
// Drops the answers still waiting, for a test that answers only in case.
void DropPendingAnswers();

// A test whose dialogs are answered with AnswerDialog.
class DialogTest : public ::testing::Test {
protected:
    void TearDown() override { ExpectNoPendingAnswers(); }
};

// Clicks cell (row, column) of a list as the mouse does.
using testing_support::qt::ClickCell;
using testing_support::qt::DoubleClickCell;
// Texts of one column, top to bottom.
using testing_support::qt::ColumnTexts;

class FrameTest : public testing_support::DataFilesTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Shows a view through the View menu (or directly for views without an item).
    void ChooseView(int command);
    template <class V>
    V* View(int number)
    {
        return qobject_cast<V*>(frame->View(number));
    }
    // The categories of the current inspection in the database.
    long long CategoryCount();
    int CurrentInspectionID() { return doc->CurrentInspection().m_InspectionID; }

    std::unique_ptr<app::CInspectorDoc> doc;
    std::unique_ptr<app::qt::CMainFrame> frame;
};

} // namespace gui_test
