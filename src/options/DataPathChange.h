#pragma once
// A change of the data paths made while the program runs (the "Data Paths" of
// the Options sheet): each new path is checked before it is saved, so that a
// wrong path never keeps the program from starting; a missing file can be
// created on the spot; the paths are written to the settings file and take
// effect at the next start.
#include "app/DataConfiguration.h"
#include "app/Settings.h"
#include "store/TableRecord.h"

#include <optional>
#include <string>

namespace options {

enum class PathState {
    InUse,   // the file open now as this kind of data file
    Ready,   // an existing data file of this kind
    Missing, // no file there; it can be created
    Refused, // a folder, another kind of file, or a data file of the other kind
};

struct PathCheck {
    PathState state = PathState::Refused;
    std::string message; // for Missing and Refused: what the user is told
};

// Judges `path` as the new template or inspection file. Never reads the files
// open now (reading them outside SQLite would drop its locks).
PathCheck CheckDataPath(store::DatabaseKind kind, const std::string& path);

// Creates a data file of `kind` at `path` (the template file with the starter
// library) while the program keeps working on the files open now. False,
// after a message through the port, when it cannot be made.
bool CreateDataFile(store::DatabaseKind kind, const std::string& path);

// The data paths in use (those of the open databases, else the settings file's).
app::DataPaths CurrentDataPaths(const app::Settings& settings);

// Writes both paths to the settings file. False when it cannot be written.
bool SaveDataPaths(app::Settings& settings, const app::DataPaths& paths);

inline constexpr const char* kSavePathsError = "Error saving data paths in the settings file";

} // namespace options
