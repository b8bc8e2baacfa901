#pragma once
// Loads an export file into the staging tables (MERGE_Inspection,
// MERGE_Category, MERGE_Step), from which a merge later takes it into the
// working tables. The file is read first (records that cannot be read safely
// are skipped and named, see ExportFileReader) and stored in one transaction.
#include <string>
#include <string_view>
#include <vector>

namespace exchange {

struct ImportOutcome {
    bool imported = false;  // the file was read and its inspections stored
    bool cancelled = false;
    std::vector<int> stagedInspectionIDs; // the new MERGE_Inspection rows, in file order
    int categories = 0;
    int steps = 0;
    std::vector<std::string> remarks; // records repaired or skipped, damage found; shown to the user
};

class InspectionImporter {
public:
    // Reads the file at `path` and stores its inspections. Every failure (a
    // file that cannot be read or is not a valid export file, missing staging
    // tables, a database error) is shown through the port and stores nothing.
    ImportOutcome ImportInspectionFile(const std::string& path);

    // The same for the bytes of an export file.
    ImportOutcome ImportBytes(std::string_view bytes);

    // The staging tables that are missing, as the message lists them.
    static std::vector<std::string> MissingStagingTables();
};

// An integer field: optional blanks and sign, then digits up to the first
// other character; nothing readable gives 0, and values beyond the 32-bit
// range stop at its ends.
int ParseFileInteger(std::string_view text);

} // namespace exchange
