#include "exchange/qt/InspectionTransferCommands.h"

#include "app/CInspectorDoc.h"
#include "app/qt/CMainFrame.h"
#include "editing/qt/CInspectionOverview.h"
#include "exchange/InspectionTransfer.h"
#include "exchange/qt/CSelectStagedInspectionDlg.h"
#include "exchange/qt/DocumentRefresh.h"
#include "ui/Port.h"

#include <QStatusBar>

namespace exchange::qt {
namespace {

constexpr int kStatusTime = 10000;

void ShowStatus(app::qt::CMainFrame& frame, const QString& text)
{
    frame.statusBar()->showMessage(text, kStatusTime);
}

} // namespace

void OnExportInspection(app::qt::CMainFrame& frame, app::CInspectorDoc& doc)
{
    const ExportOutcome outcome = ExportInspectionCommand(doc.CurrentInspection().m_InspectionID);
    if (outcome.written)
        ShowStatus(frame, outcome.xml ? QStringLiteral("XML evaluation written: %1 areas.").arg(outcome.categories)
                                      : QStringLiteral("Inspection exported: %1 categories, %2 steps.")
                                            .arg(outcome.categories)
                                            .arg(outcome.steps));
}

void OnImportInspection(app::qt::CMainFrame& frame)
{
    const ImportOutcome outcome = ImportInspectionCommand();
    if (outcome.imported)
        ShowStatus(frame, QStringLiteral("%1 inspection(s) imported; merge them from the Inspection List.")
                              .arg(outcome.stagedInspectionIDs.size()));
}

void OnMergeInspection(app::qt::CMainFrame& frame, app::CInspectorDoc& doc)
{
    // The working inspection is the row selected in the inspection list.
    auto* list = qobject_cast<editing::qt::CInspectionOverview*>(frame.View(app::qt::kViewInspectionList));
    const int row = list && frame.ViewNumber() == app::qt::kViewInspectionList ? list->CurrentRow() : -1;
    std::optional<int> selected;
    if (row >= 0 && doc.SelectInspection(row))
        selected = doc.CurrentInspection().m_InspectionID;

    const auto choose = [&frame](const std::vector<std::string>& lines) -> std::optional<StagedChoice> {
        if (lines.empty()) {
            ui::CurrentPort().inform("There is no imported inspection to merge.\r\r"
                                     "Import one first: Export, Import Inspection...");
            return std::nullopt;
        }
        CSelectStagedInspectionDlg dialog(lines, &frame, &InspectionMerge::FreeDocNumber);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return StagedChoice{dialog.ChosenLine(), dialog.IntoNewInspection(), dialog.NewDocNumber()};
    };
    const MergeOutcome outcome = MergeOrCreateCommand(selected, choose);
    if (!outcome.merged)
        return;
    RefreshAfterExchange(frame, doc);
    if (outcome.createdInspectionID >= 0) {
        ShowStatus(frame, QStringLiteral("The imported inspection is now a new inspection: %1 categories, %2 steps.")
                              .arg(outcome.categoriesAdded)
                              .arg(outcome.stepsAdded));
        return;
    }
    // A category or step that was added also takes the staged fields, so the
    // totals are those updated plus those kept.
    ShowStatus(frame, QStringLiteral("Merged %1 categories (%2 new) and %3 steps (%4 new); "
                                     "%5 steps already filled in were kept.")
                          .arg(outcome.categoriesUpdated + outcome.categoriesKept)
                          .arg(outcome.categoriesAdded)
                          .arg(outcome.stepsUpdated + outcome.stepsKept)
                          .arg(outcome.stepsAdded)
                          .arg(outcome.stepsKept));
}

void InstallInspectionTransfer(app::qt::CMainFrame& frame, app::CInspectorDoc& doc)
{
    namespace cmd = app::qt::cmd;
    frame.EnableCommand(cmd::ExportInspection, [&frame, &doc] { OnExportInspection(frame, doc); });
    frame.EnableCommand(cmd::ImportInspection, [&frame] { OnImportInspection(frame); });
    frame.EnableCommand(cmd::MergeInspection, [&frame, &doc] { OnMergeInspection(frame, doc); });
}

} // namespace exchange::qt
