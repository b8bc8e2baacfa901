#pragma once
// Helpers of the tests of the Export RTF, transfer and server windows: the
// main frame over two fresh data files filled with the starter library, and
// ways to answer modal dialogs and click rows as a user does.
#include "support/qt/QtTestSupport.h"
#include "app/CInspectorDoc.h"
#include "app/qt/CMainFrame.h"
#include "support/TempDataFiles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <string>

namespace feature_test {

// Runs `answer` on the next modal dialog of type T as soon as it is open; the
// answer must close it. The flag turns true once the answer ran; after ten
// seconds without such a dialog the test fails and the watch ends.
template <class T>
std::shared_ptr<bool> AnswerDialog(std::function<void(T*)> answer)
{
    auto answered = std::make_shared<bool>(false);
    auto* timer = new QTimer(qApp);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer, answered, clock] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            *answered = true;
            QPointer<T> guard(dialog);
            answer(dialog);
            // An answer cut short by a failed assertion must not leave the test hanging.
            if (guard && guard->isVisible()) {
                ADD_FAILURE() << "the answer left " << T::staticMetaObject.className() << " open";
                guard->reject();
            }
        } else if (clock->elapsed() > 10000) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "the expected dialog " << T::staticMetaObject.className() << " never opened";
        }
    });
    timer->start();
    return answered;
}

using testing_support::qt::ClickCell;
// Clicks a check box or radio button on its indicator, where a user aims.
void ClickButton(QAbstractButton* button);
using testing_support::qt::ColumnTexts;
std::string ReadFile(const std::string& path);

class FrameTest : public testing_support::DataFilesTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs a menu, toolbar or button command as the user would choose it.
    void Trigger(int command);
    // Gives the current inspection a Doc #, a client and a document type, and
    // makes the steps of every category.
    void PrepareInspection(const std::string& docNum, const std::string& client,
                           const std::string& docType = "Home Inspection");
    // Rates and comments the step titled `stepTitle` of inspection `inspectionID`.
    void RateStep(int inspectionID, const std::string& stepTitle, const std::string& rating,
                  const std::string& comments);
    int CurrentInspectionID() { return doc->CurrentInspection().m_InspectionID; }

    std::unique_ptr<app::CInspectorDoc> doc;
    std::unique_ptr<app::qt::CMainFrame> frame;
};

} // namespace feature_test
