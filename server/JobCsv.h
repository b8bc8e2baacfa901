#pragma once
// Scheduled jobs from CSV text and from admin options.
//
// The first CSV line names the columns (any order, letter case ignored):
// doc_num and date are required; the others are inspector, dwelling_address,
// dwelling_city_state_zip, client_name, client_address, client_city_state_zip,
// agent_name, real_estate_company, doc_type, doc_type_id, comments, extra.
// Fields follow RFC 4180: separated by commas, quoted with double quotes when
// they hold commas, quotes or line breaks, a quote inside written twice.
// Dates read YYYY-MM-DD or M/D/YYYY. The text is UTF-8.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ServerStore.h"

namespace server {

// The job column names, in the order listed above.
const std::vector<std::string>& JobColumnNames();

// Sets the column `name` of `job` from `value`; returns the problem, or
// nullopt when the value was taken.
std::optional<std::string> SetJobColumn(Job& job, std::string_view name, const std::string& value);
// The value of column `name` as text.
std::string JobColumn(const Job& job, std::string_view name);

// A date as YYYY-MM-DD or M/D/YYYY, nullopt when it is neither or no calendar date.
std::optional<Date> ParseJobDate(const std::string& text);

// Splits CSV text into records of fields. Returns false (with the line number
// in `error`) on an unterminated quote.
bool SplitCsv(std::string_view text, std::vector<std::vector<std::string>>& records, std::string& error);

// Reads every job of the CSV text. On any problem returns false and `error`
// names the line; `jobs` is then incomplete and must not be stored.
bool ReadJobsCsv(std::string_view text, std::vector<Job>& jobs, std::string& error);

// Why the job cannot be handed out, or nullopt when it can.
std::optional<std::string> JobProblem(const Job& job);

} // namespace server
