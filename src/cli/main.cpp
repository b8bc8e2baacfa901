// inspector-cli: everything the program does that needs no window.
#include "cli/Command.h"

#include "app/Settings.h"
#include "store/Database.h"
#include "ui/Port.h"

#include <iostream>
#include <map>
#include <regex>

namespace cli {
namespace {

std::map<std::string, CommandInfo>& Registry()
{
    static std::map<std::string, CommandInfo> commands;
    return commands;
}

ui::StreamPort g_port;

void PrintHelp()
{
    std::cout << "Usage: inspector-cli COMMAND [ARGUMENTS] [--template FILE] [--inspection FILE] [--yes]\n\n"
                 "Commands:\n";
    for (const auto& [name, info] : Registry())
        std::cout << "  " << name << (info.usage.empty() ? "" : " " + info.usage) << "\n      " << info.summary
                  << "\n";
    std::cout << "\nThe data files are the ones named in " << app::Settings::StandardPath()
              << "\nunless --template and --inspection name others. Commands that would ask a question\n"
                 "in the desktop program refuse unless --yes is given.\n";
}

} // namespace

std::string Args::Get(const std::string& name, const std::string& fallback) const
{
    auto it = options.find(name);
    return it == options.end() || it->second.empty() ? fallback : it->second.back();
}

const std::vector<std::string>& Args::All(const std::string& name) const
{
    static const std::vector<std::string> none;
    auto it = options.find(name);
    return it == options.end() ? none : it->second;
}

bool RegisterCommand(CommandInfo info)
{
    info.flags.insert("--yes");
    Registry()[info.name] = std::move(info);
    return true;
}

bool KnownOption(const CommandInfo& info, const std::string& name)
{
    static const std::set<std::string> global = {"--template", "--inspection", "--yes"};
    if (global.count(name) || info.flags.count(name) || info.multi.count(name))
        return true;
    // Every option a command takes is named in its usage line, so the line is
    // also the list the command line is checked against.
    static const std::regex option("--[A-Za-z0-9][A-Za-z0-9-]*");
    for (auto it = std::sregex_iterator(info.usage.begin(), info.usage.end(), option);
         it != std::sregex_iterator(); ++it)
        if (it->str() == name)
            return true;
    return false;
}

int Usage(const std::string& command)
{
    auto it = Registry().find(command);
    if (it != Registry().end())
        std::cerr << "Usage: inspector-cli " << command << " " << it->second.usage << "\n";
    return kUsage;
}

} // namespace cli

int main(int argc, char** argv)
{
    using namespace cli;
    ui::SetPort(&g_port);
    if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "help") {
        PrintHelp();
        return argc < 2 ? kUsage : 0;
    }
    auto it = Registry().find(argv[1]);
    if (it == Registry().end()) {
        std::cerr << "inspector-cli: unknown command \"" << argv[1] << "\" (see inspector-cli --help)\n";
        return kUsage;
    }
    const CommandInfo& info = it->second;
    Args args;
    for (int i = 2; i < argc; ++i) {
        std::string a = argv[i];
        if (a.rfind("--", 0) == 0 && a.size() > 2) {
            const auto eq = a.find('=');
            if (!KnownOption(info, a.substr(0, eq))) {
                std::cerr << "inspector-cli " << info.name << ": unknown option " << a.substr(0, eq) << "\n";
                return Usage(info.name);
            }
            if (eq != std::string::npos) {
                args.options[a.substr(0, eq)].push_back(a.substr(eq + 1));
            } else if (info.flags.count(a)) {
                args.flags.insert(a);
            } else if (info.multi.count(a)) {
                auto& values = args.options[a];
                while (i + 1 < argc && std::string(argv[i + 1]).rfind("--", 0) != 0)
                    values.push_back(argv[++i]);
            } else if (i + 1 < argc) {
                args.options[a].push_back(argv[++i]);
            } else {
                std::cerr << "inspector-cli: " << a << " needs a value\n";
                return Usage(info.name);
            }
        } else {
            args.positional.push_back(a);
        }
    }
    g_port.setAssumeYes(args.Flag("--yes"));
    const int status = info.run(args);
    store::Database::CloseAll();
    return status;
}
