#pragma once
// Writes one inspection (its header, every category, every step) as an export
// file that another installation imports.
#include <optional>
#include <string>

namespace exchange {

// What an export did, for a caller that reports it.
struct ExportOutcome {
    bool written = false;
    bool cancelled = false;
    bool xml = false;       // the XML evaluation was written instead of the export file
    int categories = 0;
    int steps = 0;
    int replaced = 0;       // characters written as "?" (export file only)
    int companyReplaced = 0; // characters of the company details the file cannot carry there, replaced
    int missingItems = 0;   // steps left out for want of an item identifier (XML only)
    int missingCodes = 0;   // conditions left out for want of a condition code (XML only)
};

class InspectionExporter {
public:
    // Writes inspection `inspectionID` to `path`. Shows what went wrong through
    // the port and returns an outcome with `written` false when the inspection
    // is missing, a value holds ¤ or § (which the file cannot carry), the user
    // cancelled or the file cannot be written; the file is then left untouched.
    ExportOutcome ExportInspection(int inspectionID, const std::string& path);

    // The bytes of the export file, or nothing after a message or a cancel.
    std::optional<std::string> Build(int inspectionID, ExportOutcome& outcome);
};

} // namespace exchange
