#pragma once
// The printed report as a PDF file: the same print classes drawn onto a PDF
// writer instead of a printer. Needs a QGuiApplication (fonts).
#include "reports/print/CInspectionPrint.h"

#include <string>

namespace reports::print {

enum class Paper { Letter, A4 };

inline constexpr const char* kPdfFilter = "PDF Files (*.pdf)|*.pdf|";

// The suggested file name: "Inspection_", "Summary_" or "MajorSystems_" + Doc # + ".pdf".
std::string SuggestedPdfName(const store::Inspection& inspection, PrintReport kind);

// Writes the report the Print command would print for `settings` (its page
// range and copies included) to `path`. The file appears only when the whole
// report was written: after Cancel or a failure nothing is left at `path`
// (an earlier file of that name stays as it was).
PrintResult ExportPdf(store::Inspection& inspection, const PrintSettings& settings, const std::string& path,
                      Paper paper = Paper::Letter);

} // namespace reports::print
