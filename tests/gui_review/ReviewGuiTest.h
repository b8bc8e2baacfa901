#pragma once
// The main frame over the review catalogue (tests/review/ReviewFixture.h),
// shown offscreen, with a way to answer modal dialogs as a user does.
#include "review/ReviewFixture.h"
#include "support/qt/QtTestSupport.h"

#include "app/qt/CMainFrame.h"
#include "app/qt/DocumentCommands.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QtTest/QTest>

#include <functional>

namespace review_gui {

// Runs `answer` on the next modal dialog of type T as soon as it is open; the
// answer must close it.
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
            QPointer<T> guard(dialog);
            answer(dialog);
            if (guard && guard->isVisible()) {
                ADD_FAILURE() << "the answer left the dialog open";
                guard->done(QDialog::Rejected);
            }
        }
    });
    timer->start();
}

class ReviewGui : public review_test::ReviewFixture {
protected:
    void SetUp() override
    {
        ReviewFixture::SetUp();
        frame = std::make_unique<app::qt::CMainFrame>();
        app::qt::ConnectDocument(*frame, *doc);
        frame->Start();
        doc->OnNewDocument();
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        frame->activateWindow();
    }
    void TearDown() override
    {
        for (QTimer* timer : qApp->findChildren<QTimer*>(QStringLiteral("dialogAnswer"), Qt::FindDirectChildrenOnly)) {
            if (timer->isActive())
                ADD_FAILURE() << "a dialog the test answers was never shown";
            delete timer;
        }
        if (doc)
            doc->SetObserver({});
        frame.reset();
        ReviewFixture::TearDown();
    }
    void Trigger(int command)
    {
        QAction* action = frame->Action(command);
        ASSERT_NE(action, nullptr);
        ASSERT_TRUE(action->isEnabled()) << command;
        action->trigger();
    }
    // Opens category `title` with a click in the category list.
    void OpenCategory(const QString& title);

    std::unique_ptr<app::qt::CMainFrame> frame;
};

using testing_support::qt::ClickCell;
using testing_support::qt::ColumnTexts;
using testing_support::qt::DoubleClickCell;

} // namespace review_gui
