#pragma once
// The Print command (File menu, Ctrl+P, toolbar), its Print Preview and
// "Export PDF..." of the Export menu: the "Print Properties" sheet, then the
// printer dialog or the file name, then the print class the dispatch table
// picks draws the pages.
#include "reports/print/PrintSettings.h"

#include <string>
#include <vector>

namespace app {
class CInspectorDoc;
}
namespace app::qt {
class CMainFrame;
}
namespace store {
class Inspection;
}

namespace reports::print::qt {

inline constexpr const char* kPrinterError = "Unable to Print to the selected Printer.";
inline constexpr const char* kPrinterErrorCaption = "Printer Error";

// Enables Print and Export PDF on the frame.
void InstallPrinting(app::qt::CMainFrame& frame, app::CInspectorDoc& doc);

void OnPrint(app::qt::CMainFrame& frame, app::CInspectorDoc& doc);
void OnExportPdf(app::qt::CMainFrame& frame, app::CInspectorDoc& doc);

// The titles of the inspection's categories, in stored order.
std::vector<std::string> CategoryTitles(const store::Inspection& inspection);

} // namespace reports::print::qt
