#include "exchange/ExportFileReader.h"

#include "exchange/ExportFileFormat.h"
#include "text/Windows1252.h"

#include <optional>
#include <span>

namespace exchange {
namespace {

enum class FieldType { Text, Integer, YesNo, Date, Time };

struct FieldSpec {
    FieldType type;
    const char* name;
};

constexpr FieldType T = FieldType::Text;
constexpr FieldType I = FieldType::Integer;
constexpr FieldType B = FieldType::YesNo;

constexpr FieldSpec kInspectionFields[kInspectionFieldCount] = {
    {T, "Dwelling Address"}, {T, "Client Name"}, {T, "Agent Name"}, {T, "Picture Folder"},
    {T, "Inspection Comments"}, {FieldType::Date, "Date"}, {FieldType::Time, "Time"}, {T, "Doc Type"},
    {B, "Yes/No 8"}, {B, "Yes/No 9"}, {I, "Number 10"}, {T, "Doc #"}, {T, "Text 12"},
    {T, "Dwelling City, State Zip"}, {T, "Client Address"}, {T, "Client City, State Zip"}, {I, "Doc Type ID"},
    {T, "Real Estate Company"}, {T, "Inspector's License"}};
constexpr FieldSpec kCategoryFields[kCategoryFieldCount] = {
    {T, "Title"}, {T, "Number"}, {T, "Text 3"}, {T, "Comments"},
    {B, "Complete"}, {B, "Not Present"}, {I, "Template ID"}, {I, "Type"}};
constexpr FieldSpec kStepFields[kStepFieldCount] = {
    {T, "Number"}, {T, "Title"}, {T, "Rating"}, {T, "Comments"}, {T, "Materials"},
    {T, "Rating Type"}, {T, "Text 8"}, {T, "Material List"}, {I, "Template ID"}, {B, "Yes/No 11"},
    {T, "Major System"}, {I, "Info Exists"}, {T, "Summary Comment"}, {T, "Picture"}, {I, "Picture Before"}};

bool OnlyBlanks(std::string_view s)
{
    for (char c : s)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return false;
    return true;
}

// Whether `s` is `count` runs of digits joined by `between` (a date, a time).
bool DigitGroups(std::string_view s, char between, int count)
{
    int groups = 0;
    std::size_t run = 0;
    for (std::size_t i = 0; i <= s.size(); ++i) {
        if (i == s.size() || s[i] == between) {
            if (run == 0)
                return false;
            ++groups;
            run = 0;
        } else if (s[i] >= '0' && s[i] <= '9') {
            ++run;
        } else {
            return false;
        }
    }
    return groups == count;
}

// Whether `s` reads as a value of `type` the way writers write one.
bool Fits(std::string_view s, FieldType type)
{
    switch (type) {
    case FieldType::Text: return true;
    case FieldType::Integer:
        if (s.starts_with('-'))
            s.remove_prefix(1);
        return DigitGroups(s, '\0', 1);
    case FieldType::YesNo: return s == kTrue || s == kFalse;
    case FieldType::Date: return DigitGroups(s, '/', 3);
    case FieldType::Time: return DigitGroups(s, ':', 2);
    }
    return false;
}

struct Repair {
    std::vector<std::string_view> fields; // each a piece of the file's bytes
    const char* absorbedBy = nullptr;     // the field that took the surplus back
    int candidates = 0;                   // text fields that could have taken it
};

// Puts a record with `parts.size() - specs.size()` surplus fields back
// together: the one text field that can take the surplus with every typed
// field still reading as its type gets the surplus, joined by the separator.
Repair Rejoin(std::string_view record, const std::vector<std::size_t>& separators,
              std::span<const FieldSpec> specs)
{
    // parts[i] spans from separators[i] + 1 to separators[i + 1] (or the end).
    const std::size_t partCount = separators.size();
    auto part = [&](std::size_t i, std::size_t last) {
        const std::size_t from = separators[i] + 1;
        const std::size_t to = last + 1 < partCount ? separators[last + 1] : record.size();
        return record.substr(from, to - from);
    };
    const std::size_t surplus = partCount - specs.size();
    Repair r;
    std::size_t chosen = 0;
    for (std::size_t t = 0; t < specs.size(); ++t) {
        if (specs[t].type != FieldType::Text)
            continue;
        bool fits = true;
        for (std::size_t f = 0; f < specs.size() && fits; ++f)
            if (specs[f].type != FieldType::Text) {
                const std::size_t at = f < t ? f : f + surplus;
                fits = Fits(part(at, at), specs[f].type);
            }
        if (fits) {
            ++r.candidates;
            chosen = t;
        }
    }
    if (r.candidates != 1)
        return r;
    for (std::size_t f = 0; f < specs.size(); ++f) {
        if (f < chosen)
            r.fields.push_back(part(f, f));
        else if (f == chosen)
            r.fields.push_back(part(f, f + surplus));
        else
            r.fields.push_back(part(f + surplus, f + surplus));
    }
    r.absorbedBy = specs[chosen].name;
    return r;
}

std::string Quoted(std::string_view bytes)
{
    return "\"" + text::FromWindows1252(bytes) + "\"";
}

} // namespace

bool ExportFileReader::Parse(std::string_view bytes, std::vector<ExportRecord>& records, std::string& error,
                             std::vector<std::string>* remarks)
{
    records.clear();
    std::vector<std::string> notes;
    const std::string header = std::string(kExportFileMagic) + kFieldSeparator;

    // The parents as the records go: their names for the remarks, and whether
    // they were stored. The records under a parent that was skipped are
    // skipped with it and counted; the count is told once.
    std::string inspectionName, categoryName;
    bool haveInspection = false, haveCategory = false;
    std::string skippedParent;
    int skippedWithIt = 0;
    auto tellSkippedWithIt = [&] {
        if (skippedWithIt > 0)
            notes.push_back(std::to_string(skippedWithIt) + (skippedWithIt == 1 ? " record" : " records") +
                            " under " + skippedParent + " skipped with it.");
        skippedParent.clear();
        skippedWithIt = 0;
    };

    std::size_t pos = 0;
    int number = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find(kRecordTerminator, pos);
        const bool closed = end != std::string_view::npos;
        if (!closed) {
            if (OnlyBlanks(bytes.substr(pos)) && number > 0)
                break; // a line break added on the way
            end = bytes.size();
        }
        const std::string_view record = bytes.substr(pos, end - pos);
        pos = closed ? end + 1 : end;
        ++number;
        if (number == 1) {
            if (record != header || !closed) {
                error = kInvalidFile;
                return false;
            }
            continue;
        }
        if (record.empty()) {
            if (!OnlyBlanks(bytes.substr(pos)))
                notes.push_back("Record " + std::to_string(number) + " is empty, which ends the file: the " +
                                std::to_string(bytes.size() - pos) + " bytes after it were not read.");
            break;
        }

        std::vector<std::size_t> separators; // of the fields after the keyword
        for (std::size_t at = record.find(kFieldSeparator); at != std::string_view::npos;
             at = record.find(kFieldSeparator, at + 1))
            separators.push_back(at);
        const std::string_view keyword = record.substr(0, separators.empty() ? record.size() : separators[0]);

        ExportRecord r;
        r.number = number;
        std::span<const FieldSpec> specs;
        if (keyword == kInspectionKeyword) {
            r.kind = RecordKind::Inspection;
            specs = kInspectionFields;
        } else if (keyword == kCategoryKeyword) {
            r.kind = RecordKind::Category;
            specs = kCategoryFields;
        } else if (keyword == kStepKeyword) {
            r.kind = RecordKind::Step;
            specs = kStepFields;
        } else {
            // The company block and keywords of other versions carry nothing to store.
            if (!closed)
                notes.push_back("The file ends without closing its last record (record " + std::to_string(number) +
                                "); it carried nothing to import.");
            continue;
        }

        // The record's name for the remarks, from the fields before any surplus.
        auto field = [&](std::size_t n) {
            if (n > separators.size())
                return std::string_view();
            const std::size_t from = separators[n - 1] + 1;
            const std::size_t to = n < separators.size() ? separators[n] : record.size();
            return record.substr(from, to - from);
        };
        std::string name;
        if (r.kind == RecordKind::Inspection) {
            const bool exact = separators.size() == specs.size();
            name = exact && !field(12).empty() ? "the inspection Doc # " + text::FromWindows1252(field(12))
                                               : "the inspection of " + Quoted(field(2));
        } else if (r.kind == RecordKind::Category) {
            name = "the category " + Quoted(field(1)) + (haveInspection ? " of " + inspectionName : "");
        } else {
            name = "the step " + Quoted(field(2)) + (haveCategory ? " of " + categoryName : "");
        }
        const std::string where = "Record " + std::to_string(number) + ", " + name;

        // Its place: under the parent that was stored last.
        auto skip = [&] {
            if (r.kind == RecordKind::Step)
                return;
            tellSkippedWithIt();
            skippedParent = name;
            if (r.kind == RecordKind::Inspection)
                haveInspection = false;
            haveCategory = false;
        };
        if ((r.kind == RecordKind::Category && !haveInspection) || (r.kind == RecordKind::Step && !haveCategory)) {
            if (!skippedParent.empty())
                ++skippedWithIt;
            else
                notes.push_back(where + ", comes before any " +
                                (r.kind == RecordKind::Category ? "inspection" : "category of its inspection") +
                                ": it was skipped.");
            continue;
        }

        std::vector<std::string_view> values;
        if (separators.size() > specs.size()) {
            Repair repair = Rejoin(record, separators, specs);
            const std::string counts = std::to_string(separators.size()) + " fields where the format has " +
                                       std::to_string(specs.size());
            if (repair.candidates != 1) {
                notes.push_back(where + ", has " + counts +
                                ": a text in it holds the character \xC2\xA4, and which one cannot be told; "
                                "the record was skipped.");
                skip();
                continue;
            }
            notes.push_back(where + ", has " + counts + ": its field " + repair.absorbedBy +
                            " holds the character \xC2\xA4, which was kept in it.");
            values = std::move(repair.fields);
        } else {
            if (!closed && separators.size() != specs.size()) {
                notes.push_back("The file ends in the middle of record " + std::to_string(number) + ", " + name +
                                ": it was cut short and was skipped.");
                skip();
                continue;
            }
            for (std::size_t n = 1; n <= separators.size(); ++n)
                values.push_back(field(n));
        }
        if (!closed)
            notes.push_back("The file ends without the mark that closes its last record (record " +
                            std::to_string(number) + ", " + name + "); the record was read as it stands.");

        r.fields.reserve(values.size());
        for (const auto v : values)
            r.fields.push_back(text::FromWindows1252(v));
        if (r.kind == RecordKind::Inspection) {
            inspectionName = r.fields.size() > 11 && !r.fields[11].empty() ? "Doc # " + r.fields[11] : name;
            haveInspection = true;
            haveCategory = false;
        } else if (r.kind == RecordKind::Category) {
            categoryName = name.substr(4);
            haveCategory = true;
        }
        if (r.kind != RecordKind::Step)
            tellSkippedWithIt();
        records.push_back(std::move(r));
    }
    if (number == 0) {
        error = kInvalidFile;
        return false;
    }
    tellSkippedWithIt();
    error.clear();
    if (remarks)
        *remarks = std::move(notes);
    return true;
}

} // namespace exchange
