#include "reports/rtf/RtfExport.h"

#include "reports/rtf/CFullNarrativeRTFFile.h"
#include "reports/rtf/CInspectionRTFFile.h"
#include "reports/rtf/CMajorSystemsRTFFile.h"
#include "reports/rtf/CRatingGridRTFFile.h"
#include "store/Inspection.h"
#include "store/InspectionType.h"
#include "ui/Port.h"

namespace reports::rtf {

int LayoutCode(const std::string& docType)
{
    int code = kPlainLayout;
    if (docType == "RatingType")
        code = kRatingGridLayout;
    if (docType.find("Texas") != std::string::npos)
        code = kTexasLayout;
    if (docType.find("Relocation") != std::string::npos)
        code = kRelocationLayout;
    if (docType.find("Affiliate Buyers Inspection") != std::string::npos)
        code = kAffiliateLayout;
    return code;
}

std::unique_ptr<CRTFReportFile> MakeWriter(int reportKind, int layoutCode, bool includePictures)
{
    if (reportKind == kMajorSystemsReport)
        return std::make_unique<CMajorSystemsRTFFile>();
    if (reportKind == kInspectionReport) {
        if (layoutCode == kRatingGridLayout)
            return std::make_unique<CRatingGridRTFFile>();
        if (layoutCode == kAffiliateLayout)
            return std::make_unique<CFullNarrativeRTFFile>();
    }
    // The summary, and the inspection report of every other layout code: the
    // Texas and relocation forms print as the plain inspection report.
    auto writer = std::make_unique<CInspectionRTFFile>();
    writer->SetIncludePictures(reportKind == kInspectionReport && includePictures);
    return writer;
}

std::string ReportLayoutOf(const store::Inspection& inspection)
{
    store::InspectionType type;
    if (type.OpenByID(inspection.m_DocTypeID) && type.GetCount() > 0) {
        type.Read(0);
        return type.m_ReportLayout;
    }
    return {};
}

std::vector<std::string> RatingFilterChoices()
{
    std::vector<std::string> choices;
    for (const std::string& name : RatingMarks::SummaryChoiceNames())
        choices.push_back(name);
    choices.push_back(kAllRatings);
    return choices;
}

namespace {

void RunOne(store::Inspection& inspection, int reportKind, int layoutCode, const RtfExportRequest& request,
            const FileChooser& chooser, RtfExportOutcome& outcome)
{
    auto writer = MakeWriter(reportKind, layoutCode, request.includePictures);
    writer->SetReportKind(reportKind);
    if (reportKind == kSummaryReport)
        writer->SetRatingFilter(request.ratingFilter);
    writer->SetDocumentTypeTitle(request.reportName);
    writer->SetExcludedCategories(request.excludedCategories);
    if (chooser)
        writer->SetFileChooser(chooser);
    std::string layout = request.layout.empty() ? ReportLayoutOf(inspection) : request.layout;
    // The affiliate report is the full narrative one, whatever the document
    // type's ReportLayout adds for the Print command.
    if (layout.find("Affiliate Buyers Inspection") != std::string::npos)
        layout = "Full Narrative";
    writer->Setup(inspection, layout);
    writer->Export();
    switch (writer->Result()) {
    case ExportResult::Written:
        outcome.written.push_back(writer->OutputPath());
        break;
    case ExportResult::Cancelled:
        ++outcome.cancelled;
        break;
    case ExportResult::Failed:
        ++outcome.failed;
        break;
    case ExportResult::NotRun:
        break;
    }
}

} // namespace

RtfExportOutcome ExportRtfReports(store::Inspection& current, const RtfExportRequest& request,
                                  const FileChooser& chooser)
{
    RtfExportOutcome outcome;
    const int code = LayoutCode(current.m_DocType);
    if (!request.exportAll) {
        if (request.summaryReport)
            RunOne(current, kSummaryReport, code, request, chooser, outcome);
        if (request.majorSystems)
            RunOne(current, kMajorSystemsReport, code, request, chooser, outcome);
        if (request.inspectionReport)
            RunOne(current, kInspectionReport, code, request, chooser, outcome);
        return outcome;
    }
    if (!request.inspectionListShown) {
        ui::CurrentPort().inform("Exporting of all inspections can only be done from the Inspection List screen.");
        return outcome;
    }
    // The layout code of the current inspection serves every row, except
    // that the affiliate writer is kept for the inspection it was chosen for.
    const int allCode = code == kAffiliateLayout ? kPlainLayout : code;
    store::Inspection all;
    all.Open();
    for (int i = 0; i < all.GetCount(); ++i) {
        store::Inspection row;
        row.Open();
        row.Read(i);
        if (request.inspectionReport)
            RunOne(row, kInspectionReport, allCode, request, chooser, outcome);
        if (request.summaryReport)
            RunOne(row, kSummaryReport, allCode, request, chooser, outcome);
        if (request.majorSystems)
            RunOne(row, kMajorSystemsReport, allCode, request, chooser, outcome);
    }
    return outcome;
}

} // namespace reports::rtf
