#pragma once
// Only SQLite may open a data file, its "-wal", "-shm" or "-journal" file.
// Closing any descriptor of a file drops every POSIX lock the process holds on
// it, SQLite's included; another program then believes it is the last user,
// checkpoints and deletes the write-ahead log we still write to. Whoever is
// about to read or write a file the user chose asks here first.
#include <optional>
#include <string>

namespace app {

// True when `path` is one of the two open data files or one of their companion
// files, whatever name leads to it (links, "..", another letter case of a
// folder that is the same file). Looks at names and file identities only.
bool IsDataFileInUse(const std::string& path);

// The message for the user when `path` is such a file, or nothing.
std::optional<std::string> DataFileInUseMessage(const std::string& path);

} // namespace app
