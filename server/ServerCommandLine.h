#pragma once
// The command line of inspector-server: serving and the admin commands.
#include <iosfwd>
#include <string>
#include <vector>

#include "SyncServer.h"

namespace server {

std::string Usage();

// The store used when no --store is given: $XDG_DATA_HOME (or ~/.local/share)
// /inspector-server/server.db; the folder is created when missing.
std::string DefaultStorePath();

// Takes "--store FILE" out of `args` (anywhere) and returns the path, or the default.
std::string TakeStorePath(std::vector<std::string>& args);

// True when `args` (without the program name) ask for an admin command
// ("user", "job", "sent") rather than for serving.
bool IsAdminCommand(const std::vector<std::string>& args);

// Runs an admin command against the store at `storePath`; returns the exit status.
// Passwords not given with --password are read as one line from `in`.
int RunAdminCommand(const std::vector<std::string>& args, const std::string& storePath, std::istream& in,
                    std::ostream& out, std::ostream& err);

// Fills `config` from the serve options ("serve" itself may lead). False with
// the reason in `error` on a bad option.
bool ParseServeOptions(const std::vector<std::string>& args, ServerConfig& config, bool& quiet,
                       std::string& error);

} // namespace server
