#include "exchange/InspectionTransfer.h"

#include "exchange/EvaluationXmlWriter.h"
#include "exchange/ExportFileFormat.h"
#include "exchange/OutputFile.h"
#include "store/Inspection.h"
#include "ui/Port.h"

namespace exchange {

bool IsEvaluationDocType(std::string_view docType)
{
    return docType.find(kEvaluationDocTypeMarker) != std::string_view::npos;
}

std::optional<ExportFileChoice> ExportChoiceFor(int inspectionID, ExportFormat format)
{
    store::Inspection inspection;
    if (!inspection.OpenByID(inspectionID) || inspection.GetCount() == 0)
        return std::nullopt;
    inspection.Read(0);
    if (format == ExportFormat::ByDocType)
        format = IsEvaluationDocType(inspection.m_DocType) ? ExportFormat::EvaluationXml : ExportFormat::ExportFile;
    ExportFileChoice choice;
    choice.format = format;
    if (format == ExportFormat::EvaluationXml) {
        choice.suggestedName = SuggestedFileName(kEvaluationPrefix, inspection.m_InspectionNum, kEvaluationExtension);
        choice.filter = kEvaluationFilter;
        choice.extension = kEvaluationExtension;
    } else {
        choice.suggestedName = SuggestedFileName(kExportFilePrefix, inspection.m_InspectionNum, kExportFileExtension);
        choice.filter = kExportFileFilter;
        choice.extension = kExportFileExtension;
    }
    return choice;
}

ExportOutcome ExportInspection(int inspectionID, const std::string& path, ExportFormat format)
{
    const auto choice = ExportChoiceFor(inspectionID, format);
    if (!choice) {
        ui::CurrentPort().inform("The inspection to export (ID " + std::to_string(inspectionID) +
                                 ") does not exist.");
        return {};
    }
    if (choice->format == ExportFormat::EvaluationXml)
        return EvaluationXmlWriter().WriteEvaluationXml(inspectionID, path);
    return InspectionExporter().ExportInspection(inspectionID, path);
}

ExportOutcome WriteEvaluationXml(int inspectionID, const std::string& path)
{
    return EvaluationXmlWriter().WriteEvaluationXml(inspectionID, path);
}

ExportOutcome ExportInspectionCommand(int inspectionID)
{
    const auto choice = ExportChoiceFor(inspectionID);
    if (!choice) {
        ui::CurrentPort().inform("The inspection to export (ID " + std::to_string(inspectionID) +
                                 ") does not exist.");
        return {};
    }
    const auto path = ui::CurrentPort().chooseSaveFile(choice->suggestedName, choice->filter);
    if (!path || path->empty())
        return {};
    return ExportInspection(inspectionID, WithDefaultExtension(*path, choice->extension), choice->format);
}

ImportOutcome ImportInspectionFile(const std::string& path)
{
    return InspectionImporter().ImportInspectionFile(path);
}

ImportOutcome ImportInspectionCommand()
{
    const auto path = ui::CurrentPort().chooseOpenFile(std::string(kImportFilter));
    if (!path || path->empty())
        return {};
    return ImportInspectionFile(*path);
}

std::vector<StagedInspection> ListStagedInspections()
{
    return StagedInspections::List();
}

MergeOutcome MergeStagedInspection(int stagedInspectionID, int intoInspectionID)
{
    InspectionMerge merge;
    merge.Merge(intoInspectionID, stagedInspectionID);
    return merge.Outcome();
}

MergeOutcome MergeStagedIntoNewInspection(int stagedInspectionID, const std::string& docNumber)
{
    InspectionMerge merge;
    merge.MergeIntoNew(stagedInspectionID, docNumber);
    return merge.Outcome();
}

MergeOutcome MergeInspectionCommand(std::optional<int> selectedInspectionID, const StagedInspectionChooser& choose)
{
    return MergeOrCreateCommand(selectedInspectionID,
                                [&choose](const std::vector<std::string>& lines) -> std::optional<StagedChoice> {
                                    const auto line = choose(lines);
                                    if (!line)
                                        return std::nullopt;
                                    return StagedChoice{*line, false, {}};
                                });
}

MergeOutcome MergeOrCreateCommand(std::optional<int> selectedInspectionID, const MergeChooser& choose)
{
    if (!selectedInspectionID) {
        ui::CurrentPort().ask("You must select an inspection before pressing the button.", "Error", ui::Buttons::Ok,
                              ui::Icon::Stop);
        return {};
    }
    std::vector<std::string> lines;
    for (const auto& staged : ListStagedInspections())
        lines.push_back(StagedInspections::Line(staged));
    const auto chosen = choose(lines);
    if (!chosen)
        return {};
    const int stagedID = StagedInspections::FromLine(chosen->line);
    if (stagedID == -1)
        return {};
    if (chosen->intoNew)
        return MergeStagedIntoNewInspection(stagedID, chosen->docNumber);
    return MergeStagedInspection(stagedID, *selectedInspectionID);
}

} // namespace exchange
