#pragma once
// A frame with the HTML view installed, over the report tests' small
// inspection, and a sample inspection with pictures for the readers.
// libvips (GLib) comes before Qt, whose "signals" would break its headers.
#include "reports/PhotoMaker.h"

#include "app/CInspectorDoc.h"
#include "app/qt/CMainFrame.h"
#include "reports/ReportFixture.h"
#include "reports/html/qt/CHTMLView.h"
#include "support/qt/QtTestSupport.h"

#include <memory>

namespace html_testing {

class HtmlFrameTest : public report_testing::ReportFixture {
protected:
    // Fills the sample inspection: three categories of `steps` steps, a
    // picture on the first step and a red rating.
    void AddSample(int steps)
    {
        const std::string photo = folder.File("front porch.jpg");
        report_testing::MakePhoto(photo, 480, 320);
        const char* titles[] = {"Grounds", "Roof & Chimney", "Electrical"};
        for (int c = 0; c < 3; ++c) {
            const int id = AddCategory(titles[c], std::to_string(100 + 10 * c), false, "Seen from the ground.");
            for (int s = 1; s <= steps; ++s)
                AddStep(id, std::to_string(s), "Item " + std::to_string(s), s == 2 ? "Hazardous" : "Functional",
                        "Remark on item " + std::to_string(s) + " of " + titles[c] + ".", "Concrete;Other: Brick;",
                        {}, c == 0 && s == 1 ? photo : std::string());
        }
    }

    void StartFrame()
    {
        doc = std::make_unique<app::CInspectorDoc>();
        frame = testing_support::qt::StartFrame(
            *doc, [this](app::qt::CMainFrame& f) { reports::html::qt::InstallHtmlView(f, *doc); });
        frame->resize(1024, 700);
    }

    reports::html::qt::CHTMLView* ShowHtmlView()
    {
        frame->Action(app::qt::cmd::ViewHtml)->trigger();
        QApplication::processEvents();
        return qobject_cast<reports::html::qt::CHTMLView*>(frame->View(app::qt::kViewHtml));
    }

    void TearDown() override
    {
        testing_support::qt::CloseFrame(frame, doc.get());
        doc.reset();
        ReportFixture::TearDown();
    }

    std::unique_ptr<app::CInspectorDoc> doc;
    std::unique_ptr<app::qt::CMainFrame> frame;
};

} // namespace html_testing
