#pragma once
// What the desktop program's tests share: the main frame over a document,
// answers to modal dialogs, and clicks and keys as a user makes them. The
// tests' main (QtTestMain.cpp) makes the application object before the first test.
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <QTimer>
// The widgets most tests of the windows reach into.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest/QTest>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

namespace app {
class CInspectorDoc;
}
namespace app::qt {
class CMainFrame;
}

// Readable Qt texts in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{' << list.join(QStringLiteral(", ")).toStdString() << '}';
}

namespace testing_support::qt {

// Runs `answer` on the next modal dialog of type T as soon as it is open; the
// answer must close it, unless it arranges another answer for it (a dialog
// left open otherwise fails the test and is rejected). The flag turns true
// once the answer ran.
int WaitingAnswers(); // the answers still waiting for their dialog

template <class T>
std::shared_ptr<bool> AnswerDialog(std::function<void(T*)> answer)
{
    auto answered = std::make_shared<bool>(false);
    auto* timer = new QTimer(qApp);
    timer->setObjectName(QStringLiteral("dialogAnswer"));
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer, answered] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            *answered = true;
            QPointer<T> guard(dialog);
            const int waiting = WaitingAnswers();
            answer(dialog);
            if (guard && guard->isVisible() && WaitingAnswers() <= waiting) {
                ADD_FAILURE() << "the answer left " << T::staticMetaObject.className() << " open";
                static_cast<QDialog*>(guard.data())->reject();
            }
        }
    });
    timer->start();
    return answered;
}

// Fails the test for every answer whose dialog never opened, and drops them
// so that they cannot answer a dialog of the next test.
void ExpectNoPendingAnswers();
// Drops the answers still waiting, for a test that answers only in case.
void DropPendingAnswers();

// The main frame over `doc`, started on a new document and shown as the
// active window; `beforeStart` runs once the document's views are wired.
std::unique_ptr<app::qt::CMainFrame> StartFrame(app::CInspectorDoc& doc,
                                                const std::function<void(app::qt::CMainFrame&)>& beforeStart = {});
// Checks the dialog answers, detaches the document and closes the frame.
void CloseFrame(std::unique_ptr<app::qt::CMainFrame>& frame, app::CInspectorDoc* doc);
// Runs a menu, toolbar or button command as the user chooses it.
void Trigger(app::qt::CMainFrame& frame, int command);
// Opens category `title` with a click in the category list.
void OpenCategory(app::qt::CMainFrame& frame, const QString& title);

// Clicks the middle of a cell of a report-style list (scrolled into view).
void ClickCell(QTreeWidget* list, int row, int column);
// Selects the row with a click, then double-clicks the cell.
void DoubleClickCell(QTreeWidget* list, int row, int column);
// The texts of one column, top to bottom.
QStringList ColumnTexts(QTreeWidget* list, int column);
// Clicks a check box or radio button on its indicator, where a user aims.
void ClickButton(QAbstractButton* button);
// Clicks the OK button of the dialog's button box.
void ClickOk(QDialog* dialog);
// Chooses the entry `text` of a combo box as a user picks it (by default the
// entry that reads exactly `text`).
void Choose(QComboBox* combo, const QString& text, Qt::MatchFlags match = Qt::MatchExactly | Qt::MatchCaseSensitive);
// The entries of a combo box, top to bottom.
QStringList ComboTexts(QComboBox* combo);
// Types into a field after clearing it.
void Retype(QLineEdit* edit, const QString& text);
using testing_support::ReadFile;

} // namespace testing_support::qt
