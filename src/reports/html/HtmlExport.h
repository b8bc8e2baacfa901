#pragma once
// Writing the HTML report of an inspection to a folder: the export that is
// handed on, and the pages the HTML view shows. Either way the folder is
// written whole: pages and pictures go to a new folder beside the target,
// which then takes the target's place, so a failure or a Cancel midway leaves
// the folder as it was (an earlier export stays until the new one is complete).
#include "reports/html/CHTMLReport.h"

#include <string>
#include <vector>

namespace store {
class Inspection;
}

namespace reports::html {

enum class HtmlResult { Written, Cancelled, Failed };

struct HtmlOutcome {
    HtmlResult result = HtmlResult::Failed;
    std::string folder;                 // the folder written
    std::vector<std::string> pictures;  // the picture files in it
};

// Writes index.htm, toc.htm, inspection.htm and the pictures they show into
// `folder` (created with its parents when missing; replaced whole when it
// exists). The progress window reads "Exporting HTML...". On failure the user
// is told "Unable to create the <folder> directory. Error#<n>".
HtmlOutcome ExportHtml(const store::Inspection& inspection, const std::string& folder);

// The same pages for the HTML view, into `folder` (by default the view's fixed
// folder), with the frameset linking that folder; "Building HTML...".
HtmlOutcome BuildHtmlView(const store::Inspection& inspection, const std::string& folder = {});

// The fixed folder of the HTML view: "HtmlView" in the application data folder.
std::string HtmlViewFolder();

// The export folder the program proposes: "Inspection" and the Doc # in the
// application data folder.
std::string DefaultExportFolder(const store::Inspection& inspection);

} // namespace reports::html
