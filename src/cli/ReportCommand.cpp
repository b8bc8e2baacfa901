// inspector-cli report: writes one report of an inspection, as RTF exactly as
// the Export RTF dialog of the desktop program would, as PDF exactly as the
// Print command would print it, or as the HTML export folder.
#include "cli/Command.h"
#include "cli/HtmlReport.h"

#include "reports/rtf/RtfExport.h"
#include "store/Inspection.h"

#include <iostream>

#ifdef INSPECTOR_PDF
#include "reports/print/PdfExport.h"

#include <QGuiApplication>

#include <cstdlib>
#endif

namespace cli {
namespace {

int WriteRtf(const Args& args, store::Inspection& inspection, const std::string& kind, const std::string& output)
{
    reports::rtf::RtfExportRequest request;
    request.inspectionReport = kind == "inspection";
    request.summaryReport = kind == "summary";
    request.majorSystems = kind == "major-systems";
    request.includePictures = args.Flag("--pictures");
    request.ratingFilter = args.Get("--filter", reports::rtf::kAllRatings);
    request.layout = args.Get("--layout");
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

#ifdef INSPECTOR_PDF
bool ReadNumber(const std::string& text, int& value)
{
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < 1 || n > 100000)
        return false;
    value = static_cast<int>(n);
    return true;
}

int WritePdf(const Args& args, store::Inspection& inspection, const std::string& kind, const std::string& output)
{
    namespace print = reports::print;
    print::PrintSettings settings;
    settings.reportKind = kind == "summary"         ? print::PrintReport::Summary
                          : kind == "major-systems" ? print::PrintReport::MajorSystems
                                                    : print::PrintReport::Inspection;
    settings.firstPage = settings.lastPage = -1;
    if (args.Has("--pages")) {
        const std::string range = args.Get("--pages");
        const auto dash = range.find('-');
        if (dash == std::string::npos || !ReadNumber(range.substr(0, dash), settings.firstPage) ||
            !ReadNumber(range.substr(dash + 1), settings.lastPage) || settings.lastPage < settings.firstPage) {
            std::cerr << "inspector-cli report: --pages is FROM-TO, for example 2-4\n";
            return kUsage;
        }
    }
    if (args.Has("--start-page") && !ReadNumber(args.Get("--start-page"), settings.startingPageNumber)) {
        std::cerr << "inspector-cli report: --start-page is a page number\n";
        return kUsage;
    }
    const std::string paper = args.Get("--paper", "letter");
    if (paper != "letter" && paper != "a4") {
        std::cerr << "inspector-cli report: --paper is letter or a4\n";
        return kUsage;
    }
    settings.ratingFilter = args.Get("--filter", print::kAllRatings);
    settings.reportName = args.Get("--report-name");
    if (args.Has("--category")) {
        settings.allCategories = false;
        settings.selectedCategories = args.All("--category");
    }

    // The tool has no screen: the offscreen platform draws the pages.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "inspector-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    const auto result =
        print::ExportPdf(inspection, settings, output, paper == "a4" ? print::Paper::A4 : print::Paper::Letter);
    if (result == print::PrintResult::Cancelled)
        std::cerr << "inspector-cli report: cancelled\n";
    if (result != print::PrintResult::Printed)
        return kFailed;
    std::cout << output << "\n";
    return 0;
}
#endif

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
    const std::string format = args.Get("--format", "rtf");
    if (format == "html")
        return HtmlReport(args, positional[0], output);

    const std::string kind = args.Get("--kind", "inspection");
    if (kind != "inspection" && kind != "summary" && kind != "major-systems") {
        std::cerr << "inspector-cli report: --kind is inspection, summary or major-systems\n";
        return kUsage;
    }
#ifndef INSPECTOR_PDF
    if (format == "pdf") {
        std::cerr << "inspector-cli report: the pdf format is not available in this build (it needs Qt)\n";
        return kFailed;
    }
#endif
    if (format != "rtf" && format != "pdf") {
        std::cerr << "inspector-cli report: --format is rtf, pdf or html\n";
        return kUsage;
    }

    if (!OpenDataFiles(args))
        return kFailed;
    const auto id = FindInspectionID(positional[0]);
    store::Inspection inspection;
    if (!id || !inspection.OpenByID(*id) || inspection.GetCount() == 0)
        return kFailed;
    inspection.Read(0);
#ifdef INSPECTOR_PDF
    if (format == "pdf")
        return WritePdf(args, inspection, kind, output);
#endif
    return WriteRtf(args, inspection, kind, output);
}

} // namespace

INSPECTOR_CLI_COMMAND({.name = "report",
                       .usage = "DOC# [--format rtf|pdf|html] [--kind inspection|summary|major-systems] "
                                "[--layout NAME] [--filter RATING] [--pictures] [--report-name TEXT] "
                                "[--pages FROM-TO] [--start-page N] [--category TITLE]... [--paper letter|a4] "
                                "-o|--output FILE",
                       .summary = "write the inspection report, the summary or the major systems report as RTF "
                                  "or PDF, or the HTML report as a folder (PDF: as printed; --pages, --start-page, --category and --paper apply "
                                  "to PDF only)",
                       .flags = {"--pictures"},
                       .multi = {},
                       .run = &Report});

} // namespace cli
