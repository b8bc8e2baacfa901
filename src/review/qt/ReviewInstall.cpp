#include "review/qt/ReviewInstall.h"

#include "app/CInspectorDoc.h"
#include "app/qt/CMainFrame.h"
#include "editing/qt/CInspectionListCtrl.h"
#include "editing/qt/CInspectorView.h"
#include "review/CommentSubject.h"
#include "review/qt/CCommentDlg.h"
#include "review/qt/CReviewCommentsView.h"
#include "ui/Port.h"

#include <QStatusBar>

namespace review::qt {
namespace {

void OpenDialog(app::qt::CMainFrame& frame, app::CInspectorDoc& doc, std::optional<CommentSubject> subject)
{
    if (!subject) {
        ui::CurrentPort().inform("The comment could not be read.");
        return;
    }
    CCommentDlg dialog(doc, std::move(*subject), &frame);
    dialog.exec();
}

} // namespace

void OnCommentCommand(app::qt::CMainFrame& frame, app::CInspectorDoc& doc)
{
    switch (frame.ViewNumber()) {
    case app::qt::kViewInspectionSetup:
        if (auto* setup = qobject_cast<editing::qt::CInspectorView*>(frame.ActiveView()))
            setup->WriteAndSave();
        OpenDialog(frame, doc, InspectionSubject(doc));
        break;
    case app::qt::kViewCategoryList:
        OpenDialog(frame, doc, InspectionSubject(doc));
        break;
    case app::qt::kViewStepList:
        OpenDialog(frame, doc, CategorySubject(doc.SelectedCategoryID()));
        break;
    case app::qt::kViewReviewComments:
        if (auto* review = qobject_cast<CReviewCommentsView*>(frame.ActiveView()))
            review->EditComment(review->List()->CurrentRow());
        break;
    default:
        // A button that seems to do nothing leaves the user guessing.
        frame.statusBar()->showMessage(
            QStringLiteral("Comments are edited from the Inspection Setup, the Category List, the Step List "
                           "and the Review Comments."),
            6000);
        break;
    }
}

void InstallReview(app::qt::CMainFrame& frame, app::CInspectorDoc& doc)
{
    frame.SetViewFactory(app::qt::kViewReviewComments,
                         [&doc](app::qt::CMainFrame& f) { return new CReviewCommentsView(f, doc); });
    frame.EnableCommand(app::qt::cmd::CommentEditor, [&frame, &doc] { OnCommentCommand(frame, doc); });
}

} // namespace review::qt
