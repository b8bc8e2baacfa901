#pragma once
// Reads the bytes of an export file into records and checks the whole file
// before anything is stored: a file that is not an export file, that was cut
// short, whose records come in an impossible order or that carry more fields
// than the format has (a value that held a separator) is refused with the
// reason, so an import never stores half a file or shifted fields.
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
    // (empty records, which carry nothing, are passed over); otherwise `error`
    // holds the message for the user and `records` is empty.
    static bool Parse(std::string_view bytes, std::vector<ExportRecord>& records, std::string& error);

    // The message of a file that does not begin as an export file does.
    static constexpr const char* kInvalidFile = "Invalid Import File.";
};

} // namespace exchange
