#pragma once
// The Export RTF command without its dialog: which writer writes which report,
// in which order, for the current inspection or for all of them. The desktop
// program's "Export RTF" dialog and `inspector-cli report` both call it.
#include "reports/rtf/CRTFReportFile.h"

#include <memory>
#include <string>
#include <vector>

namespace store {
class Inspection;
}

namespace reports::rtf {

// Layout codes worked out from the document type name.
inline constexpr int kPlainLayout = 0;
inline constexpr int kTexasLayout = 70;
inline constexpr int kRelocationLayout = 80;
inline constexpr int kRatingGridLayout = 100;
inline constexpr int kAffiliateLayout = 200;

// The choices of the Export RTF dialog.
struct RtfExportRequest {
    bool inspectionReport = false;  // "Export Inspection Report"
    bool summaryReport = false;     // "Export Summary Report"
    bool majorSystems = false;      // "Export Major Systems"
    bool includePictures = false;   // "Include Pictures"
    bool exportAll = false;         // "Export All?"
    // Export All is offered only while the inspection list is shown.
    bool inspectionListShown = false;
    std::string ratingFilter = kAllRatings;
    // "Report Name": the title of the section page headers; the dialog fills
    // it with the inspection's DocType.
    std::string reportName;
    // The layout of the inspection report; empty for the one of the
    // inspection's document type.
    std::string layout;
    std::vector<std::string> excludedCategories;
};

struct RtfExportOutcome {
    std::vector<std::string> written;  // the files written, in order
    int cancelled = 0;                 // reports the user cancelled
    int failed = 0;                    // reports that could not be written
};

// 0; 100 for the name "RatingType"; 70 with "Texas"; 80 with "Relocation";
// 200 with "Affiliate Buyers Inspection" (each later rule wins).
int LayoutCode(const std::string& docType);

// The writer of one report. The Texas and relocation forms have no writer of
// their own here: their inspection report is the plain one, and the Texas
// major systems report is the plain Major Systems report.
std::unique_ptr<CRTFReportFile> MakeWriter(int reportKind, int layoutCode, bool includePictures);

// The `ReportLayout` of the inspection's document type (empty when none).
std::string ReportLayoutOf(const store::Inspection& inspection);

// The rating filter choices: the names of the choices marked for the summary,
// then "<All Ratings>".
std::vector<std::string> RatingFilterChoices();

// Writes the chosen reports: for `current` alone the summary, the major
// systems report and the inspection report, in that order; with Export All,
// for every inspection the inspection report, the summary and the major
// systems report. `chooser` is asked for each file; the suggested names are
// "Inspection_", "Summary_" and "MajorSystems_" + Doc # + ".rtf".
RtfExportOutcome ExportRtfReports(store::Inspection& current, const RtfExportRequest& request,
                                  const FileChooser& chooser = {});

} // namespace reports::rtf
