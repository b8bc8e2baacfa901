#include "cli/HtmlReport.h"

#include "reports/html/HtmlExport.h"
#include "store/Inspection.h"

#include <iostream>

namespace cli {

int HtmlReport(const Args& args, const std::string& docNumber, const std::string& folder)
{
    if (!OpenDataFiles(args))
        return kFailed;
    const auto id = FindInspectionID(docNumber);
    store::Inspection inspection;
    if (!id || !inspection.OpenByID(*id) || inspection.GetCount() == 0)
        return kFailed;
    inspection.Read(0);
    const auto outcome = reports::html::ExportHtml(inspection, folder);
    if (outcome.result != reports::html::HtmlResult::Written)
        return kFailed;
    std::cout << outcome.folder << "\n";
    return 0;
}

} // namespace cli
