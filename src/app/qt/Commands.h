#pragma once
// The command identifiers of the menus, the toolbar and the accelerators.
namespace app::qt::cmd {

enum Command : int {
    NewInspection = 32791,        // File, New: no question
    ConfirmNewInspection = 32795, // Ctrl+N and the toolbar: asks first
    DeleteInspection = 32783,
    DeleteAllInspections = 32777,
    Print = 32787,
    ExportRtf = 32784,
    Options = 32786,
    Exit = 57665,
    Undo = 57643,
    Cut = 57635,
    Copy = 57634,
    Paste = 57637,
    ViewInspectionList = 32788,
    ViewInspectionSetup = 32771,
    ViewCategoryList = 32772,
    ViewReviewComments = 32773,
    ViewHtml = 32774,
    ImportInspection = 32776,
    ExportInspection = 32775,
    About = 57664,
    CommentEditor = 32785,
    ConnectToServer = 32796,
    SpellCheck = 32797,
    Open = 57601,
    Save = 57603,
    NextPane = 57680,
    PreviousPane = 57681,
    MergeInspection = 1045, // the inspection list's "Merge Inspection..." button
    ExportPdf = 32800,      // Export menu: the printed report as a PDF file
    ExportHtml = 32801,     // Export menu: the HTML report as a folder
};

} // namespace app::qt::cmd

namespace app::qt {

// The view numbers of the main frame.
enum ViewNumber : int {
    kViewInspectionSetup = 1,
    kViewCategoryList = 2,
    kViewStepList = 3,
    kViewInspectionList = 4,
    kViewReviewComments = 5,
    kViewCategoryForm = 6,
    kViewHtml = 7,
};
inline constexpr int kViewCount = 7;

} // namespace app::qt
