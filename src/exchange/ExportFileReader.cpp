#include "exchange/ExportFileReader.h"

#include "exchange/ExportFileFormat.h"
#include "text/Windows1252.h"

namespace exchange {
namespace {

bool OnlyBlanks(std::string_view s)
{
    for (char c : s)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return false;
    return true;
}

std::string Invalid(const std::string& reason)
{
    return std::string(ExportFileReader::kInvalidFile) + "\n\n" + reason;
}

} // namespace

bool ExportFileReader::Parse(std::string_view bytes, std::vector<ExportRecord>& records, std::string& error)
{
    records.clear();
    const std::string header = std::string(kExportFileMagic) + kFieldSeparator;
    auto fail = [&](std::string message) {
        records.clear();
        error = std::move(message);
        return false;
    };

    std::size_t pos = 0;
    int number = 0;
    bool haveInspection = false;
    bool haveCategory = false; // of the current inspection
    while (pos < bytes.size()) {
        const std::size_t end = bytes.find(kRecordTerminator, pos);
        if (end == std::string_view::npos) {
            // Bytes after the last terminator: a line break added on the way is
            // harmless, anything else is a record cut short.
            if (number > 0 && OnlyBlanks(bytes.substr(pos)))
                break;
            if (number == 0)
                return fail(kInvalidFile);
            return fail(Invalid("The file ends in the middle of record " + std::to_string(number + 1) +
                                ": it was cut short."));
        }
        const std::string_view record = bytes.substr(pos, end - pos);
        pos = end + 1;
        ++number;
        if (number == 1) {
            if (record != header)
                return fail(kInvalidFile);
            continue;
        }
        if (record.empty())
            continue;

        // Split at the separator; field 0 is the keyword.
        std::vector<std::string_view> parts;
        std::size_t start = 0;
        while (true) {
            const std::size_t sep = record.find(kFieldSeparator, start);
            parts.push_back(record.substr(start, sep == std::string_view::npos ? std::string_view::npos : sep - start));
            if (sep == std::string_view::npos)
                break;
            start = sep + 1;
        }

        ExportRecord r;
        r.number = number;
        const std::string_view keyword = parts.front();
        int allowed = 0;
        if (keyword == kInspectionKeyword) {
            r.kind = RecordKind::Inspection;
            allowed = kInspectionFieldCount;
            haveInspection = true;
            haveCategory = false;
        } else if (keyword == kCategoryKeyword) {
            r.kind = RecordKind::Category;
            allowed = kCategoryFieldCount;
            if (!haveInspection)
                return fail(Invalid("Record " + std::to_string(number) +
                                    " is a category that comes before any inspection."));
            haveCategory = true;
        } else if (keyword == kStepKeyword) {
            r.kind = RecordKind::Step;
            allowed = kStepFieldCount;
            if (!haveCategory)
                return fail(Invalid("Record " + std::to_string(number) +
                                    " is a step that comes before any category of its inspection."));
        } else {
            // The company block and keywords of other versions carry nothing to store.
            records.push_back(std::move(r));
            continue;
        }
        const int fieldCount = static_cast<int>(parts.size()) - 1;
        if (fieldCount > allowed)
            return fail(Invalid("Record " + std::to_string(number) + " (" + std::string(keyword) + ") has " +
                                std::to_string(fieldCount) + " fields where the format has " +
                                std::to_string(allowed) + ": one of its texts holds the character \xC2\xA4 "
                                "and its fields cannot be told apart."));
        r.fields.reserve(parts.size() - 1);
        for (std::size_t i = 1; i < parts.size(); ++i)
            r.fields.push_back(text::FromWindows1252(parts[i]));
        records.push_back(std::move(r));
    }
    if (number == 0)
        return fail(kInvalidFile);
    error.clear();
    return true;
}

} // namespace exchange
