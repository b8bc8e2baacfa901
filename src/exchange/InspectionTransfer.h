#pragma once
// The entry points through which the desktop program and inspector-cli move
// inspections between installations: "Export Inspection..." (the export file,
// or the XML evaluation for Minneapolis truth-in-sale-of-housing inspections),
// "Import Inspection..." (into the staging tables) and "Merge Inspection..."
// (a staged inspection into a working one). Messages and progress go through
// ui::CurrentPort(); nothing here throws.
#include "exchange/InspectionExporter.h"
#include "exchange/InspectionImporter.h"
#include "exchange/InspectionMerge.h"
#include "exchange/StagedInspections.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace exchange {

enum class ExportFormat { ByDocType, ExportFile, EvaluationXml };

// True for document types of the Minneapolis truth-in-sale-of-housing
// programme ("Minneapolis - Truth" in the name, letter case counting).
bool IsEvaluationDocType(std::string_view docType);

// What the save dialog of "Export Inspection..." offers for an inspection.
struct ExportFileChoice {
    ExportFormat format = ExportFormat::ExportFile; // ExportFile or EvaluationXml
    std::string suggestedName; // "Exported_<Doc #>.rtf" or "ExportedXML_<Doc #>.xml"
    std::string filter;        // "description|pattern|"
    std::string extension;     // added when the chosen name has none
};
// Nothing when the inspection does not exist.
std::optional<ExportFileChoice> ExportChoiceFor(int inspectionID, ExportFormat format = ExportFormat::ByDocType);

// Writes the inspection to `path`: the XML evaluation or the export file as its
// document type (or `format`) says.
ExportOutcome ExportInspection(int inspectionID, const std::string& path,
                               ExportFormat format = ExportFormat::ByDocType);
ExportOutcome WriteEvaluationXml(int inspectionID, const std::string& path);

// "Export Inspection...": asks for the file through the port's save dialog
// (nothing happens on Cancel), then exports.
ExportOutcome ExportInspectionCommand(int inspectionID);

// The open dialog of "Import Inspection...".
inline constexpr std::string_view kImportFilter = "Rich Text Format (*.rtf)|*.rtf|";

ImportOutcome ImportInspectionFile(const std::string& path);
// "Import Inspection...": asks for an existing file (nothing happens on
// Cancel), then imports it.
ImportOutcome ImportInspectionCommand();

std::vector<StagedInspection> ListStagedInspections();

// Merges the staged inspection into working inspection `intoInspectionID` and
// removes it from the staging tables.
MergeOutcome MergeStagedInspection(int stagedInspectionID, int intoInspectionID);

// Makes a working inspection from the staged header under `docNumber` and
// merges the staged inspection into it (InspectionMerge::MergeIntoNew).
MergeOutcome MergeStagedIntoNewInspection(int stagedInspectionID, const std::string& docNumber);

// Shows the staged inspections (one line each, see StagedInspections::Line)
// and returns the chosen line, "-1" or nothing when none was chosen.
using StagedInspectionChooser = std::function<std::optional<std::string>(const std::vector<std::string>& lines)>;

// "Merge Inspection...": without a selected working inspection shows the
// "Error" box; otherwise lets the user choose a staged inspection and merges it
// into the selected one.
MergeOutcome MergeInspectionCommand(std::optional<int> selectedInspectionID, const StagedInspectionChooser& choose);

// What the merge chooser hands back: the chosen line, and whether the staged
// inspection goes into the selected inspection or into a new one.
struct StagedChoice {
    std::string line = "-1";
    bool intoNew = false;
    std::string docNumber; // of the new inspection
};
using MergeChooser = std::function<std::optional<StagedChoice>(const std::vector<std::string>& lines)>;

// "Merge Inspection..." whose chooser also offers "New inspection".
MergeOutcome MergeOrCreateCommand(std::optional<int> selectedInspectionID, const MergeChooser& choose);

} // namespace exchange
