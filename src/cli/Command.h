#pragma once
// The commands of inspector-cli. Each command lives in its own source file and
// registers itself with INSPECTOR_CLI_COMMAND, so commands are added without
// touching the others.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace cli {

struct Args {
    std::vector<std::string> positional;
    std::map<std::string, std::vector<std::string>> options; // "--name" -> values
    std::set<std::string> flags;                             // "--name" given without a value

    bool Flag(const std::string& name) const { return flags.count(name) > 0; }
    bool Has(const std::string& name) const { return options.count(name) > 0; }
    std::string Get(const std::string& name, const std::string& fallback = {}) const;
    const std::vector<std::string>& All(const std::string& name) const;
};

struct CommandInfo {
    std::string name;
    std::string usage;                  // arguments after the name; names every option the command takes
    std::string summary;                // one line for the help text
    std::set<std::string> flags;        // options that take no value ("--yes" is always one)
    std::set<std::string> multi;        // options that take every value up to the next option
    int (*run)(const Args&) = nullptr;  // returns the exit status
};

bool RegisterCommand(CommandInfo info);

// Whether `name` ("--name") is an option of the command: one of its flags, one
// named in its usage line, or one every command takes. Unknown options are
// refused before the command runs.
bool KnownOption(const CommandInfo& info, const std::string& name);

// Opens both data files: --template and --inspection when given, otherwise the
// paths of the settings file, otherwise the defaults. Creates and upgrades
// nothing: a missing or outdated file is reported with a hint to run
// `inspector-cli init`.
bool OpenDataFiles(const Args& args);

// The InspectionID of the one inspection whose Doc # is `docNumber` (letter
// case ignored). Says why on standard error and gives nothing when no
// inspection or several have it.
std::optional<int> FindInspectionID(const std::string& docNumber);

// The exit status of a failure.
inline constexpr int kFailed = 1;
// The exit status of wrong arguments.
inline constexpr int kUsage = 2;

int Usage(const std::string& command);

} // namespace cli

#define INSPECTOR_CLI_CONCAT2(a, b) a##b
#define INSPECTOR_CLI_CONCAT(a, b) INSPECTOR_CLI_CONCAT2(a, b)
#define INSPECTOR_CLI_COMMAND(...) \
    static const bool INSPECTOR_CLI_CONCAT(registered_, __LINE__) = ::cli::RegisterCommand(::cli::CommandInfo __VA_ARGS__)
