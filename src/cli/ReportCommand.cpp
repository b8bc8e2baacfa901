// inspector-cli report: writes one RTF report of an inspection exactly as the
// Export RTF dialog of the desktop program would.
#include "cli/Command.h"
#include "cli/HtmlReport.h"

#include "reports/rtf/RtfExport.h"
#include "store/Inspection.h"

#include <iostream>

namespace cli {
namespace {

int Report(const Args& args)
{
    // "-o FILE" arrives among the positional arguments.
    std::vector<std::string> positional;
    std::string output = args.Get("--output");
    for (std::size_t i = 0; i < args.positional.size(); ++i) {
        if (args.positional[i] == "-o" && i + 1 < args.positional.size())
            output = args.positional[++i];
        else
            positional.push_back(args.positional[i]);
    }
    if (positional.size() != 1 || output.empty())
        return Usage("report");
    if (args.Get("--format") == "html")
        return HtmlReport(args, positional[0], output);

    const std::string kind = args.Get("--kind", "inspection");
    reports::rtf::RtfExportRequest request;
    if (kind == "inspection")
        request.inspectionReport = true;
    else if (kind == "summary")
        request.summaryReport = true;
    else if (kind == "major-systems")
        request.majorSystems = true;
    else {
        std::cerr << "inspector-cli report: --kind is inspection, summary or major-systems\n";
        return kUsage;
    }
    request.includePictures = args.Flag("--pictures");
    request.ratingFilter = args.Get("--filter", reports::rtf::kAllRatings);
    request.layout = args.Get("--layout");

    if (!OpenDataFiles(args))
        return kFailed;
    const auto id = FindInspectionID(positional[0]);
    store::Inspection inspection;
    if (!id || !inspection.OpenByID(*id) || inspection.GetCount() == 0)
        return kFailed;
    inspection.Read(0);
    // The dialog's "Report Name" starts as the inspection's document type.
    request.reportName = args.Get("--report-name", inspection.m_DocType);

    const auto outcome = reports::rtf::ExportRtfReports(
        inspection, request, [&output](const std::string&, const std::string&) { return output; });
    if (outcome.written.empty())
        return kFailed;
    for (const auto& path : outcome.written)
        std::cout << path << "\n";
    return 0;
}

} // namespace

INSPECTOR_CLI_COMMAND({"report",
                       "DOC# [--kind inspection|summary|major-systems] [--layout NAME] [--filter RATING] "
                       "[--pictures] [--report-name TEXT] [--format rtf|pdf|html] -o|--output FILE",
                       "write the inspection report, the summary or the major systems report as RTF",
                       {"--pictures"}, {}, &Report});

} // namespace cli
