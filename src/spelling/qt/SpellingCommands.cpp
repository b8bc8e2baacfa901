#include "spelling/qt/SpellingCommands.h"

#include "app/CInspectorDoc.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/Commands.h"
#include "exchange/qt/DocumentRefresh.h"
#include "spelling/qt/CSpellingDlg.h"
#include "spelling/qt/SpellHighlighter.h"
#include "ui/Port.h"

namespace spelling::qt {

void OnSpellCheck(app::qt::CMainFrame& frame, app::CInspectorDoc& doc)
{
    if (doc.CurrentInspectionRow() < 0)
        return;
    // Texts being edited in the current view are stored before they are walked.
    doc.SaveInspection();
    const int inspectionID = doc.CurrentInspection().m_InspectionID;
    SpellChecker& checker = SharedChecker(InspectionLanguage(inspectionID));
    if (!checker.Available()) {
        ui::CurrentPort().inform(checker.Problem(), "Spell Check");
        return;
    }
    auto places = InspectionTexts(inspectionID);
    if (!places)
        return;
    CSpellingDlg dialog(std::move(*places), checker, &frame);
    if (!dialog.Start()) {
        ui::CurrentPort().inform("No spelling errors were found.", "Spelling");
        return;
    }
    dialog.exec();
    if (dialog.Changed())
        exchange::qt::RefreshAfterExchange(frame, doc);
}

void InstallSpelling(app::qt::CMainFrame& frame, app::CInspectorDoc& doc)
{
    frame.EnableCommand(app::qt::cmd::SpellCheck, [&frame, &doc] { OnSpellCheck(frame, doc); });
}

} // namespace spelling::qt
