#pragma once
// The values every report of an inspection shows, whatever draws it: the
// inspection's header fields, the company block of the owner, the title-page
// labels and the report settings of the options. The RTF writers and the print
// engine both read them here, once per report.
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace store {
class Inspection;
class Options;
} // namespace store

namespace reports::rtf {

struct ReportValues {
    std::string docTypeName, reportLayoutOfDocType;
    std::string docNumber, date, time, clientName, clientAddress1, clientAddress2;
    std::string dwellingAddress1, dwellingAddress2, agent, realEstateCompany;
    std::string generalInfo;   // the inspection's comments: title-page text and tags
    std::string pictureFolder; // the inspection's own folder, else the picture card folder
    std::array<std::string, 8> labels;

    std::string inspectorName, companyName, contactLine, address1, address2, cityLine, workPhone, faxNumber;

    std::string legalText;       // the full report's legal text, or the summary disclaimer
    std::string definitionsText; // empty: the standard definitions
    std::string footerText;      // empty unless the custom footer is switched on
    std::string fontName;        // "Times New Roman" when none is set
    int fontSize = 10;           // points
    bool hideRatings = false;
    bool doubleSpacing = false;  // StepSpacing 2
    bool sectionBreaks = false;
    bool printCompany = false;
    std::string materialsDelimiter = ", ";
    std::array<double, 5> columnWidths{}; // inches, ColumnWidth1..5
};

// Reads the values of `inspection` with the options and owner rows;
// `fullReport` picks the legal text over the summary disclaimer.
ReportValues ReadReportValues(const store::Inspection& inspection, const store::Options& options, bool fullReport);

// The step's materials as a report lists them: the ";"-separated entries,
// "Other:" entries by their own wording, joined by `delimiter`.
std::string MaterialsDisplay(const std::string& materials, const std::string& delimiter);

// The file a picture tag names: the file of a file tag, the numbered picture
// of `pictureCardFolder` for a numbered tag; "ERROR" when it names none.
std::string ResolvePictureTag(const std::string& tag, const std::string& pictureCardFolder);

// The standard definitions of the rating terms, printed when the options
// hold no definitions text of their own: term and meaning. (The RTF writer
// spells the same paragraphs out with the tab stops of its definitions page.)
const std::vector<std::pair<std::string, std::string>>& StandardDefinitions();

} // namespace reports::rtf
