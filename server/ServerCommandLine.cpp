#include "ServerCommandLine.h"

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "JobCsv.h"
#include "PasswordHash.h"
#include "ServerStore.h"

namespace server {
namespace {

std::optional<long long> Number(const std::string& text, long long low, long long high)
{
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

constexpr int kLongestUserName = 20; // what the desktop program's options keep
constexpr int kShortestPassword = 8;

bool HasControl(const std::string& s)
{
    for (unsigned char c : s)
        if (c < 0x20 || c == 0x7f)
            return true;
    return false;
}

// Characters of a UTF-8 text.
int Characters(const std::string& s)
{
    int n = 0;
    for (unsigned char c : s)
        n += (c & 0xc0) != 0x80 ? 1 : 0;
    return n;
}

// Shows a stored text on one line: line breaks and tabs as \r \n \t.
std::string OneLine(const std::string& s)
{
    std::string out;
    for (char c : s) {
        if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\t') out += "\\t";
        else if (c == '\\') out += "\\\\";
        else out.push_back(c);
    }
    return out;
}

// Options "--name value" after the positional words; false on a stray word.
bool Options(const std::vector<std::string>& args, std::size_t from,
             std::vector<std::pair<std::string, std::string>>& options, std::vector<std::string>& flags,
             const std::vector<std::string>& flagNames, std::string& error)
{
    for (std::size_t i = from; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!a.starts_with("--")) {
            error = "unexpected \"" + a + "\"";
            return false;
        }
        const std::string name = a.substr(2);
        if (std::find(flagNames.begin(), flagNames.end(), name) != flagNames.end()) {
            flags.push_back(name);
            continue;
        }
        if (i + 1 >= args.size()) {
            error = a + " needs a value";
            return false;
        }
        options.emplace_back(name, args[++i]);
    }
    return true;
}

const std::string* Option(const std::vector<std::pair<std::string, std::string>>& options, const std::string& name)
{
    for (auto it = options.rbegin(); it != options.rend(); ++it)
        if (it->first == name)
            return &it->second;
    return nullptr;
}

bool HasFlag(const std::vector<std::string>& flags, const std::string& name)
{
    return std::find(flags.begin(), flags.end(), name) != flags.end();
}

// The password from --password, or one line from `in`.
std::optional<std::string> ReadPassword(const std::vector<std::pair<std::string, std::string>>& options,
                                        std::istream& in, std::ostream& err)
{
    if (const std::string* p = Option(options, "password"))
        return *p;
    std::string line;
    if (!std::getline(in, line)) {
        err << "no password: give --password or one line on standard input\n";
        return std::nullopt;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

int UserCommand(const std::vector<std::string>& args, ServerStore& store, std::istream& in, std::ostream& out,
                std::ostream& err)
{
    const std::string verb = args.size() > 1 ? args[1] : "";
    if (verb == "list" && args.size() == 2) {
        for (const std::string& name : store.users())
            out << name << "\n";
        return 0;
    }
    if ((verb != "add" && verb != "password" && verb != "remove") || args.size() < 3) {
        err << "usage: inspector-server user add|password|remove NAME [--password P], or user list\n";
        return 2;
    }
    const std::string& name = args[2];
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<std::string> flags;
    std::string error;
    if (!Options(args, 3, options, flags, {}, error)) {
        err << error << "\n";
        return 2;
    }
    if (verb == "remove") {
        if (!store.removeUser(name)) {
            err << "there is no user " << name << "\n";
            return 1;
        }
        out << "removed user " << name << "\n";
        return 0;
    }
    if (name.empty() || HasControl(name)) {
        err << "a user name must not be empty or hold control characters\n";
        return 2;
    }
    if (Characters(name) > kLongestUserName) {
        err << "a user name may have at most " << kLongestUserName
            << " characters: the desktop program keeps no more\n";
        return 2;
    }
    const auto password = ReadPassword(options, in, err);
    if (!password)
        return 2;
    if (HasControl(*password)) {
        err << "a password must not hold control characters\n";
        return 2;
    }
    if (Characters(*password) < kShortestPassword) {
        err << "a password needs at least " << kShortestPassword << " characters\n";
        return 2;
    }
    if (verb == "add") {
        if (!store.addUser(name, *password)) {
            err << "the user " << name << " exists already (use: user password " << name << ")\n";
            return 1;
        }
        out << "added user " << name << "\n";
        return 0;
    }
    if (!store.setPassword(name, *password)) {
        err << "there is no user " << name << "\n";
        return 1;
    }
    out << "changed the password of " << name << "\n";
    return 0;
}

int LimitsCommand(const std::vector<std::string>& args, ServerStore& store, std::ostream& out, std::ostream& err)
{
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<std::string> flags;
    std::string error;
    if (!Options(args, 1, options, flags, {}, error)) {
        err << error << "\nusage: inspector-server limits [--max-inspections N] [--max-megabytes N]\n";
        return 2;
    }
    SentLimits limits = store.limits();
    for (const auto& [name, value] : options) {
        const auto n = Number(value, 1, name == "max-inspections" ? 100'000'000 : 1'000'000);
        if (name == "max-inspections" && n)
            limits.maxInspections = *n;
        else if (name == "max-megabytes" && n)
            limits.maxBytes = *n * 1'000'000;
        else {
            err << "limits takes --max-inspections N and --max-megabytes N (whole numbers from 1)\n";
            return 2;
        }
    }
    if (!options.empty())
        store.setLimits(limits);
    out << "each user keeps at most " << limits.maxInspections << " sent inspections and "
        << limits.maxBytes / 1'000'000 << " MB of them\n";
    return 0;
}

void PrintJobs(const std::vector<Job>& jobs, std::ostream& out)
{
    const auto& names = JobColumnNames();
    for (std::size_t i = 0; i < names.size(); ++i)
        out << (i ? "\t" : "") << names[i];
    out << "\n";
    for (const Job& job : jobs) {
        for (std::size_t i = 0; i < names.size(); ++i)
            out << (i ? "\t" : "") << OneLine(JobColumn(job, names[i]));
        out << "\n";
    }
}

int JobCommand(const std::vector<std::string>& args, ServerStore& store, const ServerConfig& config,
               std::ostream& out, std::ostream& err)
{
    const std::string verb = args.size() > 1 ? args[1] : "";
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<std::string> flags;
    std::string error;
    if (verb == "add") {
        if (!Options(args, 2, options, flags, {}, error)) {
            err << error << "\n";
            return 2;
        }
        Job job;
        for (const auto& [name, value] : options) {
            std::string column = name;
            std::replace(column.begin(), column.end(), '-', '_');
            if (auto p = SetJobColumn(job, column, value)) {
                err << *p << "\n";
                return 2;
            }
        }
        if (auto p = JobProblem(job)) {
            err << "job not added: " << *p << "\n";
            return 2;
        }
        store.putJobs({job});
        out << "job " << job.header.docNumber << " scheduled for " << IsoDate(job.header.date) << "\n";
        return 0;
    }
    if (verb == "import" && args.size() == 3) {
        std::ifstream file(args[2], std::ios::binary);
        if (!file) {
            err << "cannot read " << args[2] << "\n";
            return 1;
        }
        std::stringstream text;
        text << file.rdbuf();
        std::vector<Job> jobs;
        if (!ReadJobsCsv(text.str(), jobs, error)) {
            err << args[2] << ": " << error << "; nothing imported\n";
            return 1;
        }
        store.putJobs(jobs);
        out << "imported " << jobs.size() << " jobs\n";
        return 0;
    }
    if (verb == "remove" && args.size() == 3) {
        if (!store.removeJob(args[2])) {
            err << "there is no job " << args[2] << "\n";
            return 1;
        }
        out << "removed job " << args[2] << "\n";
        return 0;
    }
    if (verb == "list") {
        if (!Options(args, 2, options, flags, {"today", "week"}, error) || !options.empty()) {
            err << (error.empty() ? "job list takes --today or --week" : error) << "\n";
            return 2;
        }
        const int mode = HasFlag(flags, "today") ? 0 : HasFlag(flags, "week") ? 1 : 2;
        const DateRange range = ScheduleRange(mode, config.today ? config.today() : LocalToday());
        PrintJobs(store.jobs(range.from, range.to, std::nullopt), out);
        return 0;
    }
    err << "usage: inspector-server job add --doc-num N --date D [--column value ...], job import FILE.csv, "
           "job list [--today|--week], job remove DOC\n";
    return 2;
}

int SentCommand(const std::vector<std::string>& args, ServerStore& store, std::ostream& out, std::ostream& err)
{
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<std::string> flags;
    std::string error;
    if (args.size() < 2 || args[1] != "list" || !Options(args, 2, options, flags, {}, error)) {
        err << "usage: inspector-server sent list [--user NAME]\n";
        return 2;
    }
    std::optional<std::string> user;
    if (const std::string* u = Option(options, "user"))
        user = *u;
    out << "doc_num\tsent_by\treceived_at\tdwelling_address\tclient_name\tagent_name\textra\tcomments\t"
           "doc_type\tdwelling_city_state_zip\tclient_address\tclient_city_state_zip\treal_estate_company\n";
    for (const SentInspection& s : store.sent(user)) {
        out << OneLine(s.header.docNumber) << "\t" << OneLine(s.sentBy) << "\t" << s.receivedAt;
        for (int n = 1; n < exchange::wire::kSentFieldCount; ++n)
            out << "\t" << OneLine(*exchange::wire::SentField(s.header, n));
        out << "\n";
    }
    return 0;
}

} // namespace

std::string Usage()
{
    return "usage:\n"
           "  inspector-server [serve] [--store FILE] [--host ADDRESS] [--port N] [--max-clients N]\n"
           "                   [--max-per-address N] [--login-timeout SECONDS]\n"
           "                   [--idle-timeout SECONDS] [--read-timeout SECONDS] [--quiet]\n"
           "  inspector-server user add|password NAME [--password P]\n"
           "  inspector-server user remove NAME | user list\n"
           "  inspector-server job add --doc-num N --date YYYY-MM-DD [--inspector U] [--client-name ...] ...\n"
           "  inspector-server job import FILE.csv | job list [--today|--week] | job remove DOC\n"
           "  inspector-server sent list [--user NAME]\n"
           "  inspector-server limits [--max-inspections N] [--max-megabytes N]\n"
           "Every command takes --store FILE (default: " +
           DefaultStorePath() + ").\n";
}

std::string DefaultStorePath()
{
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".local" / "share";
    else
        base = ".";
    return (base / "inspector-server" / "server.db").string();
}

std::string TakeStorePath(std::vector<std::string>& args)
{
    std::string path;
    for (std::size_t i = 0; i < args.size();) {
        if (args[i] == "--store" && i + 1 < args.size()) {
            path = args[i + 1];
            args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
        } else if (args[i].starts_with("--store=")) {
            path = args[i].substr(8);
            args.erase(args.begin() + static_cast<long>(i));
        } else {
            ++i;
        }
    }
    if (path.empty())
        path = DefaultStorePath(); // the store makes its folder, private to the user
    return path;
}

bool IsAdminCommand(const std::vector<std::string>& args)
{
    return !args.empty() && (args[0] == "user" || args[0] == "job" || args[0] == "sent" || args[0] == "limits");
}

int RunAdminCommand(const std::vector<std::string>& args, const std::string& storePath, std::istream& in,
                    std::ostream& out, std::ostream& err)
{
    try {
        ServerStore store(storePath);
        if (args[0] == "user")
            return UserCommand(args, store, in, out, err);
        if (args[0] == "job")
            return JobCommand(args, store, ServerConfig{}, out, err);
        if (args[0] == "limits")
            return LimitsCommand(args, store, out, err);
        return SentCommand(args, store, out, err);
    } catch (const std::exception& e) {
        err << e.what() << "\n";
        return 1;
    }
}

bool ParseServeOptions(const std::vector<std::string>& args, ServerConfig& config, bool& quiet, std::string& error)
{
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<std::string> flags;
    const std::size_t from = !args.empty() && args[0] == "serve" ? 1 : 0;
    if (!Options(args, from, options, flags, {"quiet"}, error))
        return false;
    quiet = HasFlag(flags, "quiet");
    for (const auto& [name, value] : options) {
        if (name == "host") {
            config.host = value;
        } else if (name == "port") {
            const auto n = Number(value, 0, 65535);
            if (!n) {
                error = "--port needs a number from 0 to 65535";
                return false;
            }
            config.port = static_cast<int>(*n);
        } else if (name == "max-clients") {
            const auto n = Number(value, 1, 10000);
            if (!n) {
                error = "--max-clients needs a number from 1 to 10000";
                return false;
            }
            config.maxClients = static_cast<int>(*n);
        } else if (name == "max-per-address") {
            const auto n = Number(value, 1, 10000);
            if (!n) {
                error = "--max-per-address needs a number from 1 to 10000";
                return false;
            }
            config.maxPerAddress = static_cast<int>(*n);
        } else if (name == "login-timeout") {
            const auto n = Number(value, 1, 600);
            if (!n) {
                error = "--login-timeout needs a number of seconds from 1 to 600";
                return false;
            }
            config.loginTimeout = std::chrono::seconds(*n);
        } else if (name == "idle-timeout" || name == "read-timeout") {
            const auto n = Number(value, 1, 86400);
            if (!n) {
                error = "--" + name + " needs a number of seconds from 1 to 86400";
                return false;
            }
            (name == "idle-timeout" ? config.idleTimeout : config.readTimeout) = std::chrono::seconds(*n);
        } else {
            error = "unknown option --" + name;
            return false;
        }
    }
    return true;
}

} // namespace server
