// inspector-cli sync and connection: the exchange with the server and its settings.
#include "cli/Command.h"

#include "exchange/ConnectionChoices.h"

#include "exchange/ServerExchange.h"
#include "store/Inspection.h"
#include "store/Options.h"

#include <charconv>
#include <iostream>

namespace cli {
namespace {

std::optional<long long> Number(const std::string& text)
{
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

int Sync(const Args& args)
{
    if (!args.positional.empty())
        return Usage("sync");
    std::optional<exchange::ReceiveMode> mode;
    if (args.Has("--receive")) {
        const std::string m = args.Get("--receive");
        if (m == "today")
            mode = exchange::ReceiveMode::Today;
        else if (m == "week")
            mode = exchange::ReceiveMode::Week;
        else if (m == "all")
            mode = exchange::ReceiveMode::All;
        else
            return Usage("sync");
    }
    if (!mode && args.All("--send").empty()) {
        std::cerr << "Nothing to do: give --receive, --send or both.\n";
        return Usage("sync");
    }
    exchange::SyncTimeouts timeouts;
    for (const auto& [option, target] : {std::pair{"--connect-timeout", &timeouts.connect},
                                         std::pair{"--reply-timeout", &timeouts.reply}}) {
        if (!args.Has(option))
            continue;
        const auto seconds = Number(args.Get(option));
        if (!seconds || *seconds < 1 || *seconds > 3600) {
            std::cerr << option << " needs a number of seconds from 1 to 3600.\n";
            return kUsage;
        }
        *target = std::chrono::seconds(*seconds);
    }
    if (!OpenDataFiles(args))
        return kFailed;

    std::vector<std::int32_t> ids;
    for (const std::string& docNumber : args.All("--send")) {
        const auto id = FindInspectionID(docNumber);
        if (!id)
            return kFailed;
        ids.push_back(*id);
    }

    exchange::ServerExchange sync;
    sync.SetReceiveMode(mode);
    sync.SetInspectionsToSend(ids);
    sync.SetTimeouts(timeouts);
    const bool ok = sync.Connect();
    const exchange::SyncOutcome& o = sync.Outcome();
    if (o.loggedIn) {
        if (mode)
            std::cout << "Received " << (o.added + o.updated) << " of " << o.announced << " inspections: "
                      << o.added << " new, " << o.updated << " updated"
                      << (o.skipped ? ", " + std::to_string(o.skipped) + " without a Doc # left out" : "")
                      << ".\n";
        if (!ids.empty())
            std::cout << "Sent " << o.sent << " of " << ids.size() << " inspections; the server confirmed "
                      << o.confirmed << ".\n";
    }
    if (o.cancelled)
        std::cerr << "The exchange was cancelled.\n";
    return ok ? 0 : kFailed;
}

int Connection(const Args& args)
{
    if (!args.positional.empty())
        return Usage("connection");
    if (!OpenDataFiles(args))
        return kFailed;
    store::Options options;
    const bool change = args.Has("--user") || args.Has("--password") || args.Has("--host") || args.Has("--port");
    if (!change) {
        std::cout << "User name:  " << options.m_UserName << "\n"
                  << "Password:   " << (options.m_Pswrd.empty() ? "(none)" : "(set)") << "\n"
                  << "IP address: " << options.m_IPAddress << "\n"
                  << "Port:       " << options.m_Port << "\n";
        return 0;
    }
    // The same checks as the connection options dialog: lengths in characters, port 10 to 10000.
    exchange::ConnectionSettings settings = exchange::ReadConnectionSettings();
    if (args.Has("--user"))
        settings.userName = args.Get("--user");
    if (args.Has("--password"))
        settings.password = args.Get("--password");
    if (args.Has("--host"))
        settings.address = args.Get("--host");
    if (args.Has("--port")) {
        const auto port = Number(args.Get("--port"));
        settings.port = port && *port > 0 && *port < 100000 ? static_cast<std::int32_t>(*port) : 0;
    }
    if (auto problem = exchange::ConnectionSettingsProblem(settings)) {
        std::cerr << *problem << "\n";
        return kUsage;
    }
    return exchange::SaveConnectionSettings(settings) ? 0 : kFailed;
}

} // namespace

INSPECTOR_CLI_COMMAND({"sync",
                       "[--receive today|week|all] [--send DOC# ...] [--connect-timeout S] [--reply-timeout S]",
                       "exchange inspections with the server named by the connection settings",
                       {},
                       {"--send"},
                       &Sync});

INSPECTOR_CLI_COMMAND({"connection", "[--user U] [--password P] [--host H] [--port N]",
                       "show or set the server connection settings (port 10 to 10000)", {}, {}, &Connection});

} // namespace cli
