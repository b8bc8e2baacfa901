#pragma once
// Recognising a data file of the program before anything is written to it.
// A data file carries the structure version it was made with; a file that is
// not ours, or that a newer version of the program made, is refused by name and
// left exactly as it is.
#include <string>

namespace store {

enum class DatabaseKind;

enum class DataFileState {
    New,      // missing, empty (0 bytes), or an SQLite file without any table: ours to create
    Current,  // ours, of the structure version this program works with
    Outdated, // ours, of an older structure: usable after the upgrade
    Newer,    // ours, made by a newer version of the program: refused
    Foreign,  // not a data file of the program (or damaged): refused
};

struct DataFileCheck {
    DataFileState state = DataFileState::Foreign;
    std::string version;   // the structure version the file carries ("" when none)
    bool missing = false;  // no file at the path at all
    bool readOnly = false; // the file exists and this user may not write it
    std::string message;   // why the file cannot be used (Newer, Foreign)
    bool Usable() const { return state != DataFileState::Newer && state != DataFileState::Foreign; }
};

// Judges the file at `path` without writing anything (not even a journal).
DataFileCheck CheckDataFile(const std::string& path);

// Writes the program's mark and the current structure version into the open
// database of `kind` (kept in the file header, beside the Options row).
void StampDataFile(DatabaseKind kind);

// The header mark of our data files ("Insp") and the structure version as the
// header keeps it (major * 100 + minor; 500 is "5.0").
inline constexpr int kApplicationId = 0x496E7370;
int VersionNumber(const std::string& version); // -1 when it is no version
std::string VersionText(int number);

} // namespace store
