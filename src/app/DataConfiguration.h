#pragma once
// The data configuration step of start-up: find the two data files through the
// settings file (asking the user while one is missing), open them, check that
// their structure is the one this version expects (offering the upgrade), and
// make sure an owner name for the reports exists. Runs before any window.
#include "app/Settings.h"

#include <functional>
#include <optional>
#include <string>

namespace app {

// The structure version of the data files this version of the program works with.
inline constexpr const char* kDataVersion = "5.0";

struct DataPaths {
    std::string templatePath;
    std::string inspectionPath;
};

// What start-up asks of the user besides the message boxes of the port. The
// desktop program answers with its dialogs, tests with scripts.
struct StartupQuestions {
    // "Error finding structure": shown with the current paths while a data file
    // is missing. The paths chosen, or nothing when the user cancels.
    std::function<std::optional<DataPaths>(const DataPaths& current)> chooseDataPaths;
    // "Enter Owner Name": the name typed, or nothing when the user cancels.
    std::function<std::optional<std::string>()> askOwnerName;
};

enum class StartupStatus {
    Ready,     // both databases open, structure current, owner named
    Cancelled, // the user ended start-up in one of the dialogs
    Failed,    // the settings file or a data file could not be used
};

struct DataConfigurationResult {
    StartupStatus status = StartupStatus::Failed;
    DataPaths paths;
    // The exit status of a program that cannot go on: 0 only when ready.
    int ExitStatus() const { return status == StartupStatus::Ready ? 0 : status == StartupStatus::Cancelled ? 1 : 2; }
    explicit operator bool() const { return status == StartupStatus::Ready; }
};

// Runs the whole step. Messages go through the port; on success both databases
// are open as the process's template and inspection databases.
DataConfigurationResult ConfigureData(Settings& settings, const StartupQuestions& questions);

// The structure version stored in the open template database ("" when none),
// read without changing the file.
std::string StoredDataVersion();

// Creates whichever of the two data files is missing, with the full structure
// and the current structure version; existing files are left alone. The
// databases opened for this are closed again. False, after a message through
// the port, when a file cannot be created.
bool CreateMissingDataFiles(const DataPaths& paths);

} // namespace app
