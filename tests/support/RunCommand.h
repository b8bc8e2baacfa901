#pragma once
// Running a program of ours (or a reader of what it wrote) as a user would,
// from a shell.
#include "support/TempDataFiles.h"

#include <string>

namespace testing_support {

struct CommandResult {
    int status = -1;     // the exit status; -1 when the command did not end normally
    std::string output;  // standard output and whatever the command sends to standard error with it
};

// Runs `command` in a shell and collects its standard output.
CommandResult RunCommand(const std::string& command);

// Only the test executables know where the build put the program.
#ifdef INSPECTOR_BINARY_DIR
// Runs inspector-cli with `arguments` (written for the shell) and its standard
// error with its output. Its settings, data, documents and application folders
// are folders of `home`, never the user's.
inline CommandResult RunCli(const TempFolder& home, const std::string& arguments)
{
    return RunCommand("XDG_CONFIG_HOME='" + home.File("config") + "' XDG_DATA_HOME='" + home.File("data") +
                      "' XDG_DOCUMENTS_DIR='" + home.File("documents") + "' INSPECTOR_APPDATA='" + home.File("app") +
                      "' '" INSPECTOR_BINARY_DIR "/src/inspector-cli' " + arguments + " 2>&1");
}
#endif

} // namespace testing_support
