#include "JobCsv.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <set>

#include "text/Windows1252.h"

namespace server {
namespace {

std::string* TextColumn(Job& job, std::string_view name)
{
    Header& h = job.header;
    if (name == "inspector") return &job.inspector;
    if (name == "doc_num") return &h.docNumber;
    if (name == "dwelling_address") return &h.dwellingAddress;
    if (name == "dwelling_city_state_zip") return &h.dwellingCityStateZip;
    if (name == "client_name") return &h.clientName;
    if (name == "client_address") return &h.clientAddress;
    if (name == "client_city_state_zip") return &h.clientCityStateZip;
    if (name == "agent_name") return &h.agentName;
    if (name == "real_estate_company") return &h.realEstateCompany;
    if (name == "doc_type") return &h.docType;
    if (name == "comments") return &h.comments;
    if (name == "extra") return &h.string4;
    return nullptr;
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string Trimmed(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

} // namespace

const std::vector<std::string>& JobColumnNames()
{
    static const std::vector<std::string> names = {
        "doc_num", "date", "inspector", "dwelling_address", "dwelling_city_state_zip", "client_name",
        "client_address", "client_city_state_zip", "agent_name", "real_estate_company", "doc_type",
        "doc_type_id", "comments", "extra"};
    return names;
}

std::optional<Date> ParseJobDate(const std::string& raw)
{
    const std::string text = Trimmed(raw);
    Date d;
    char tail = 0;
    if (auto iso = ParseIsoDate(text))
        return iso;
    if (std::sscanf(text.c_str(), "%d/%d/%d%c", &d.month, &d.day, &d.year, &tail) == 3 && d.year >= 1000 &&
        exchange::wire::IsCalendarDate(d))
        return d;
    return std::nullopt;
}

std::optional<std::string> SetJobColumn(Job& job, std::string_view name, const std::string& value)
{
    if (name == "date") {
        const auto d = ParseJobDate(value);
        if (!d)
            return "the date \"" + value + "\" is not a date (YYYY-MM-DD or M/D/YYYY)";
        job.header.date = *d;
        return std::nullopt;
    }
    if (name == "doc_type_id") {
        const std::string t = Trimmed(value);
        std::int32_t id = 0;
        const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), id);
        if (!t.empty() && (ec != std::errc() || end != t.data() + t.size()))
            return "the doc type id \"" + value + "\" is not a whole number";
        job.header.docTypeId = id;
        return std::nullopt;
    }
    std::string* field = TextColumn(job, name);
    if (!field)
        return "there is no job column \"" + std::string(name) + "\"";
    *field = name == "doc_num" || name == "inspector" ? Trimmed(value) : value;
    return std::nullopt;
}

std::string JobColumn(const Job& job, std::string_view name)
{
    if (name == "date")
        return IsoDate(job.header.date);
    if (name == "doc_type_id")
        return std::to_string(job.header.docTypeId);
    std::string* field = TextColumn(const_cast<Job&>(job), name);
    return field ? *field : std::string();
}

std::optional<std::string> JobProblem(const Job& job)
{
    if (job.header.docNumber.empty())
        return std::string("the Doc # is empty");
    if (!exchange::wire::IsCalendarDate(job.header.date))
        return std::string("the scheduled date is missing");
    for (const std::string& name : JobColumnNames()) {
        const std::string value = JobColumn(job, name);
        if (auto p = exchange::wire::ValueProblem(text::ToWindows1252(value)))
            return "the " + name + " cannot be sent: " + *p;
    }
    return std::nullopt;
}

bool SplitCsv(std::string_view text, std::vector<std::vector<std::string>>& records, std::string& error)
{
    records.clear();
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3); // a byte-order mark some spreadsheets write
    std::vector<std::string> record;
    std::string field;
    bool quoted = false, fieldStarted = false;
    int line = 1, quoteLine = 0;
    auto endRecord = [&] {
        record.push_back(std::move(field));
        field.clear();
        fieldStarted = false;
        const bool blank = record.size() == 1 && record[0].empty();
        if (!blank)
            records.push_back(std::move(record));
        record.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field.push_back('"');
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == '\n')
                    ++line;
                field.push_back(c);
            }
            continue;
        }
        if (c == '"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
            quoteLine = line;
        } else if (c == ',') {
            record.push_back(std::move(field));
            field.clear();
            fieldStarted = false;
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        } else if (c == '\n' || c == '\r') {
            endRecord();
            ++line;
        } else {
            field.push_back(c);
            fieldStarted = true;
        }
    }
    if (quoted) {
        error = "line " + std::to_string(quoteLine) + ": a quoted field is not closed";
        return false;
    }
    if (fieldStarted || !record.empty())
        endRecord();
    return true;
}

bool ReadJobsCsv(std::string_view text, std::vector<Job>& jobs, std::string& error)
{
    jobs.clear();
    std::vector<std::vector<std::string>> records;
    if (!SplitCsv(text, records, error))
        return false;
    if (records.empty()) {
        error = "the file is empty";
        return false;
    }
    std::vector<std::string> columns;
    for (const std::string& name : records[0]) {
        const std::string column = Lower(Trimmed(name));
        if (std::find(JobColumnNames().begin(), JobColumnNames().end(), column) == JobColumnNames().end()) {
            error = "line 1: there is no job column \"" + name + "\"";
            return false;
        }
        if (std::find(columns.begin(), columns.end(), column) != columns.end()) {
            error = "line 1: the column \"" + column + "\" comes twice";
            return false;
        }
        columns.push_back(column);
    }
    for (const char* required : {"doc_num", "date"})
        if (std::find(columns.begin(), columns.end(), required) == columns.end()) {
            error = std::string("line 1: the column \"") + required + "\" is missing";
            return false;
        }
    std::set<std::string> seen;
    for (std::size_t r = 1; r < records.size(); ++r) {
        const std::string where = "record " + std::to_string(r + 1);
        if (records[r].size() != columns.size()) {
            error = where + ": " + std::to_string(records[r].size()) + " fields, the header names " +
                    std::to_string(columns.size());
            return false;
        }
        Job job;
        for (std::size_t c = 0; c < columns.size(); ++c)
            if (auto p = SetJobColumn(job, columns[c], records[r][c])) {
                error = where + ": " + *p;
                return false;
            }
        if (auto p = JobProblem(job)) {
            error = where + ": " + *p;
            return false;
        }
        if (!seen.insert(job.header.docNumber).second) {
            error = where + ": the Doc # " + job.header.docNumber + " comes twice";
            return false;
        }
        jobs.push_back(std::move(job));
    }
    return true;
}

} // namespace server
