#pragma once
// The export file that carries one inspection between installations: 8-bit
// Windows-1252 text without line breaks of its own, cut into records by the
// byte 0xA7 (the section sign) and records into fields by the byte 0xA4 (the
// currency sign). A record is its keyword, then each field preceded by the
// separator, then the terminator. Nothing is escaped, so a value may never hold
// either byte.
#include <string_view>

namespace exchange {

inline constexpr char kRecordTerminator = '\xA7';
inline constexpr char kFieldSeparator = '\xA4';

// The first record: the magic text followed by one empty field.
inline constexpr std::string_view kExportFileMagic = "Veltrane Export File";

inline constexpr std::string_view kCompanyKeyword = "INSPECTIONCOMPANY";
inline constexpr std::string_view kInspectionKeyword = "INSPECTION";
inline constexpr std::string_view kCategoryKeyword = "CATEGORY";
inline constexpr std::string_view kStepKeyword = "STEP";

// Fields after the keyword, as written. The importer reads the first 18 of an
// INSPECTION record (the 19th, the inspector's licence, is for other readers).
inline constexpr int kInspectionFieldCount = 19;
inline constexpr int kCategoryFieldCount = 8;
inline constexpr int kStepFieldCount = 15;

// Yes/no values in the file; on reading exactly "TRUE" is true.
inline constexpr std::string_view kTrue = "TRUE";
inline constexpr std::string_view kFalse = "FALSE";

// The save and open dialogs of the export file and of the XML evaluation.
// Filters are in the "description|pattern|" form; the default extension is
// added when the chosen name has none.
inline constexpr std::string_view kExportFileFilter = "Rich Text Format (*.rtf)|*.rtf|";
inline constexpr std::string_view kExportFileExtension = "rtf";
inline constexpr std::string_view kExportFilePrefix = "Exported_";
inline constexpr std::string_view kEvaluationFilter = "Extension Markup Language (*.xml)|*.xml|";
inline constexpr std::string_view kEvaluationExtension = "xml";
inline constexpr std::string_view kEvaluationPrefix = "ExportedXML_";

// Inspections of this programme are exported as the XML evaluation instead.
inline constexpr std::string_view kEvaluationDocTypeMarker = "Minneapolis - Truth";

} // namespace exchange
