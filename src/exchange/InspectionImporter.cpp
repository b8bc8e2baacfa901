#include "exchange/InspectionImporter.h"

#include "exchange/ExportFileFormat.h"
#include "exchange/ExportFileReader.h"
#include "exchange/SyncWire.h"
#include "store/Category.h"
#include "store/Database.h"
#include "store/DateTime.h"
#include "store/Inspection.h"
#include "store/Step.h"
#include "ui/Port.h"

#include <climits>
#include <cstdio>
#include <optional>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace exchange {

int ParseFileInteger(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r' || s[i] == '\n'))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        negative = s[i++] == '-';
    long long value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        value = value * 10 + (s[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<int>(value);
}

namespace {

// Field `n` (1-based, after the keyword) of a record; a missing field is empty.
class Fields {
public:
    explicit Fields(const ExportRecord& r) : m_r(r) {}
    const std::string& Text(int n) const
    {
        static const std::string empty;
        return n >= 1 && n <= static_cast<int>(m_r.fields.size()) ? m_r.fields[static_cast<std::size_t>(n - 1)]
                                                                   : empty;
    }
    std::int32_t Number(int n) const { return ParseFileInteger(Text(n)); }
    std::int32_t YesNo(int n) const { return Text(n) == kTrue ? -1 : 0; }

private:
    const ExportRecord& m_r;
};

// "month/day/year" and "hour:minute" as the file writes them; nothing when
// the date is no calendar date. A time that does not read is midnight.
std::optional<store::DateTime> FileDate(const std::string& date, const std::string& time)
{
    int month = 0, day = 0, year = 0, hour = 0, minute = 0;
    char extra = 0;
    if (std::sscanf(date.c_str(), "%d/%d/%d%c", &month, &day, &year, &extra) != 3 ||
        !wire::IsCalendarDate({year, month, day}))
        return std::nullopt;
    if (std::sscanf(time.c_str(), "%d:%d%c", &hour, &minute, &extra) != 2 || hour < 0 || hour > 23 || minute < 0 ||
        minute > 59)
        hour = minute = 0;
    return store::DateTime::Make(year, month, day, hour, minute);
}

constexpr const char* kNothingStored = "The file was not imported; nothing was stored.";
constexpr std::size_t kRemarksListed = 15;

} // namespace

std::vector<std::string> InspectionImporter::MissingStagingTables()
{
    std::vector<std::string> missing;
    auto connection = store::Database::Get(store::DatabaseKind::Inspection);
    for (const char* table : {"MERGE_Inspection", "MERGE_Category", "MERGE_Step"})
        if (!connection || connection->Columns(table).empty())
            missing.emplace_back(table);
    return missing;
}

ImportOutcome InspectionImporter::ImportInspectionFile(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        ui::CurrentPort().inform("The file " + path + " cannot be read: it does not exist or is not a file.");
        return {};
    }
    // An export file of 5,000 steps is about a megabyte; a file hundreds of
    // times larger is something else and is not read into memory.
    constexpr std::uintmax_t kLargestFile = 256u << 20;
    if (std::filesystem::file_size(path, ec) > kLargestFile && !ec) {
        ui::CurrentPort().inform("The file " + path + " is too large to be an export file.");
        return {};
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        ui::CurrentPort().inform("The file " + path + " cannot be read.");
        return {};
    }
    return ImportBytes(bytes);
}

ImportOutcome InspectionImporter::ImportBytes(std::string_view bytes)
{
    ui::Port& port = ui::CurrentPort();
    ImportOutcome outcome;

    std::vector<ExportRecord> records;
    std::string error;
    std::vector<std::string> remarks;
    if (!ExportFileReader::Parse(bytes, records, error, &remarks)) {
        port.inform(error);
        return outcome;
    }

    const auto missing = MissingStagingTables();
    if (!missing.empty()) {
        std::string text = "The following tables failed to open:\n\n";
        for (std::size_t i = 0; i < missing.size(); ++i)
            text += "* " + missing[i] + (i + 1 < missing.size() ? "\n" : "");
        port.inform(text);
        return outcome;
    }

    int categoryCount = 0, stepCount = 0;
    for (const auto& r : records) {
        categoryCount += r.kind == RecordKind::Category;
        stepCount += r.kind == RecordKind::Step;
    }

    store::Transaction transaction(store::DatabaseKind::Inspection);
    if (!transaction.Active()) {
        port.inform(kNothingStored);
        return outcome;
    }
    store::MERGE_Inspection inspection;
    store::MERGE_Category category;
    store::MERGE_Step step;
    category.ReserveIDs(categoryCount);
    step.ReserveIDs(stepCount);

    auto progress = port.progress();
    progress->setTitle("Importing Inspection...");
    progress->setRange(0, static_cast<int>(records.size()));
    progress->setPosition(0);

    std::vector<int> inspections;
    int currentInspection = 0;
    int currentCategory = 0;
    int position = 0;
    for (const auto& r : records) {
        const Fields f(r);
        bool saved = true;
        switch (r.kind) {
        case RecordKind::Inspection:
            inspection.New();
            inspection.m_DwellingAddress = f.Text(1);
            inspection.m_ClientName = f.Text(2);
            inspection.m_AgentName = f.Text(3);
            inspection.m_String4 = f.Text(4);
            inspection.m_InspectionComments = f.Text(5);
            // The staged row keeps the file's date and time for a merge into a
            // new inspection; the time of the import when they do not read.
            inspection.m_DateText = f.Text(6);
            inspection.m_TimeText = f.Text(7);
            if (const auto date = FileDate(f.Text(6), f.Text(7)))
                inspection.m_InspectionDate = *date;
            inspection.m_DocType = f.Text(8);
            inspection.m_YesNo8 = f.YesNo(9);
            inspection.m_YesNo9 = f.YesNo(10);
            inspection.m_Number10 = f.Number(11);
            inspection.m_InspectionNum = f.Text(12);
            inspection.m_String12 = f.Text(13);
            inspection.m_DwellingCityStateZip = f.Text(14);
            inspection.m_ClientAddress = f.Text(15);
            inspection.m_ClientCityStateZip = f.Text(16);
            inspection.m_DocTypeID = f.Number(17);
            inspection.m_RealEstateCompany = f.Text(18);
            saved = inspection.Save();
            currentInspection = inspection.m_InspectionID;
            inspections.push_back(currentInspection);
            break;
        case RecordKind::Category:
            category.New();
            category.m_CategoryTitle = f.Text(1);
            category.m_CategoryNumber = f.Text(2);
            category.m_String3 = f.Text(3);
            category.m_CategoryComments = f.Text(4);
            category.m_CategoryComplete = f.YesNo(5);
            category.m_CategoryNotPresent = f.YesNo(6);
            category.m_CategoryTemplateID = f.Number(7);
            category.m_Type = f.Number(8);
            category.m_InspectionID = currentInspection;
            saved = category.Save();
            currentCategory = category.m_CategoryID;
            ++outcome.categories;
            break;
        case RecordKind::Step:
            step.New();
            step.m_StepNumber = f.Text(1);
            step.m_StepTitle = f.Text(2);
            step.m_InspectResult = f.Text(3);
            step.m_Comments = f.Text(4);
            step.m_Materials = f.Text(5);
            step.m_StepRatingType = f.Text(6);
            step.m_String8 = f.Text(7);
            step.m_MaterialList = f.Text(8);
            step.m_StepTemplateID = f.Number(9);
            step.m_YesNo11 = f.YesNo(10);
            step.m_MajorSystem = f.Text(11);
            step.m_StepInfoExists = f.Number(12) != 0 ? -1 : 0;
            step.m_SummaryComment = f.Text(13);
            step.m_BitmapPath = f.Text(14);
            step.m_PictureBefore = f.Number(15) != 0 ? -1 : 0;
            step.m_CategoryID = currentCategory;
            saved = step.Save();
            ++outcome.steps;
            break;
        case RecordKind::Other:
            break;
        }
        if (!saved) {
            port.inform(kNothingStored);
            return ImportOutcome{};
        }
        progress->setPosition(++position);
        if (progress->cancelled()) {
            ImportOutcome cancelled;
            cancelled.cancelled = true;
            return cancelled;
        }
    }
    if (!transaction.Commit()) {
        port.inform(kNothingStored);
        return ImportOutcome{};
    }
    outcome.imported = true;
    outcome.stagedInspectionIDs = std::move(inspections);
    outcome.remarks = std::move(remarks);
    if (!outcome.remarks.empty()) {
        std::string text = "The file was imported, but not all of it as written:\n";
        for (std::size_t i = 0; i < outcome.remarks.size() && i < kRemarksListed; ++i)
            text += "\n- " + outcome.remarks[i];
        if (outcome.remarks.size() > kRemarksListed)
            text += "\n- and " + std::to_string(outcome.remarks.size() - kRemarksListed) + " more";
        port.inform(text);
    }
    return outcome;
}

} // namespace exchange
