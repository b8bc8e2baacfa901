// inspector-server: the other end of the desktop program's server exchange.
#include <csignal>
#include <ctime>
#include <iostream>
#include <mutex>

#include <unistd.h>

#include "ServerCommandLine.h"
#include "SyncServer.h"

namespace {

int g_stopFd = -1;

extern "C" void OnStopSignal(int)
{
    if (g_stopFd >= 0) {
        const char byte = 'x';
        [[maybe_unused]] ssize_t n = ::write(g_stopFd, &byte, 1);
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "help" || args[0] == "--help" || args[0] == "-h")) {
        std::cout << server::Usage();
        return 0;
    }
    const std::string storePath = server::TakeStorePath(args);
    if (server::IsAdminCommand(args))
        return server::RunAdminCommand(args, storePath, std::cin, std::cout, std::cerr);

    server::ServerConfig config;
    config.storePath = storePath;
    bool quiet = false;
    std::string error;
    if (!server::ParseServeOptions(args, config, quiet, error)) {
        std::cerr << error << "\n" << server::Usage();
        return 2;
    }
    static std::mutex logMutex;
    config.log = [quiet](const std::string& text) {
        if (quiet)
            return;
        const std::time_t now = std::time(nullptr);
        std::tm tm{};
        localtime_r(&now, &tm);
        char stamp[32];
        std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &tm);
        std::lock_guard lock(logMutex);
        std::cerr << stamp << " " << text << std::endl;
    };

    try {
        server::SyncServer server(config);
        server.listen();
        g_stopFd = server.stopDescriptor();
        struct sigaction sa{};
        sa.sa_handler = OnStopSignal;
        sigemptyset(&sa.sa_mask);
        sigaction(SIGTERM, &sa, nullptr);
        sigaction(SIGINT, &sa, nullptr);
        std::signal(SIGPIPE, SIG_IGN);
        if (!quiet)
            std::cerr << "store " << storePath << "\n";
        server.run();
        g_stopFd = -1;
    } catch (const std::exception& e) {
        std::cerr << "inspector-server: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
