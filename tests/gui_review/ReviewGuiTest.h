#pragma once
// The main frame over the review catalogue (tests/review/ReviewFixture.h),
// shown offscreen.
#include "review/ReviewFixture.h"
#include "support/qt/QtTestSupport.h"

#include "app/qt/CMainFrame.h"

namespace review_gui {

using namespace testing_support::qt;

class ReviewGui : public review_test::ReviewFixture {
protected:
    void SetUp() override
    {
        ReviewFixture::SetUp();
        frame = StartFrame(*doc);
    }
    void TearDown() override
    {
        CloseFrame(frame, doc.get());
        ReviewFixture::TearDown();
    }
    void Trigger(int command) { testing_support::qt::Trigger(*frame, command); }
    void OpenCategory(const QString& title) { testing_support::qt::OpenCategory(*frame, title); }

    std::unique_ptr<app::qt::CMainFrame> frame;
};

} // namespace review_gui
