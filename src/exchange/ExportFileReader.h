#pragma once
// Reads the bytes of an export file into records. Only a file that does not
// begin as an export file is refused; damage further on costs the records it
// touches, never the file, and never stores a shifted field:
//   - a record with more fields than the format has (a text that held the
//     separator ¤) is repaired when its typed fields (numbers, TRUE/FALSE,
//     date and time) leave exactly one text field that can take the surplus
//     back, and skipped otherwise;
//   - a category before any inspection, a step before any category of its
//     inspection, and the records under a skipped parent are skipped;
//   - an empty record ends the reading, as it always has;
//   - a last record without its closing § is read when its field count is
//     right, and skipped when it is not.
// Each of these is a remark for the user naming the record.
#include <string>
#include <string_view>
#include <vector>

namespace exchange {

enum class RecordKind { Inspection, Category, Step, Other };

struct ExportRecord {
    int number = 0;                  // position in the file, the header being 1
    RecordKind kind = RecordKind::Other;
    std::vector<std::string> fields; // UTF-8, after the keyword; empty for Other
};

class ExportFileReader {
public:
    // Parses `bytes`. On success `records` holds every record after the header
    // that is to be stored, and `remarks` (when given) one line per record
    // repaired or skipped and per damage found; otherwise `error` holds the
    // message for the user and `records` is empty.
    static bool Parse(std::string_view bytes, std::vector<ExportRecord>& records, std::string& error,
                      std::vector<std::string>* remarks = nullptr);

    // The message of a file that does not begin as an export file does.
    static constexpr const char* kInvalidFile = "Invalid Import File.";
};

} // namespace exchange
