#pragma once
// The main frame over two fresh data files with a small template catalogue:
// one document type "Home" whose category "Grounds" has four steps, and ways
// to answer the modal sheet and click cells as a user does.
#include "support/qt/QtTestSupport.h"
#include "support/TemplateBuilder.h"

#include "app/CInspectorDoc.h"
#include "app/qt/CMainFrame.h"
#include "support/TempDataFiles.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>

namespace steps_test {

inline constexpr int kTemplateData = 0;
inline constexpr int kInspectionData = 1;

// Runs `answer` on the next modal dialog of type T as soon as it is open; the
// answer must close it. Returns a flag that turns true once the answer ran.
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
            answer(dialog);
            if (guard && guard->isVisible()) {
                ADD_FAILURE() << "the answer left the dialog open";
                guard->reject();
            }
        }
    });
    timer->start();
    return answered;
}

using testing_support::qt::ClickCell;
using testing_support::qt::DoubleClickCell;

class StepsTest : public testing_support::DataFilesTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens category `title` from the category list with a click.
    void OpenCategory(const QString& title);
    long long StepCount();
    std::string StepText(const std::string& column, const std::string& title);
    bool CategoryComplete();

    app_test::TemplateBuilder t;
    int standard = 0, driveway = 0;
    std::unique_ptr<app::CInspectorDoc> doc;
    std::unique_ptr<app::qt::CMainFrame> frame;
};

} // namespace steps_test
