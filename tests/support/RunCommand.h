#pragma once
// Running a program of ours (or a reader of what it wrote) as a user would,
// from a shell.
#include <string>

namespace testing_support {

struct CommandResult {
    int status = -1;     // the exit status; -1 when the command did not end normally
    std::string output;  // standard output and whatever the command sends to standard error with it
};

// Runs `command` in a shell and collects its standard output.
CommandResult RunCommand(const std::string& command);

} // namespace testing_support
