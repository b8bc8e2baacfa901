#pragma once
// The starter template library: the document types, rating scales, categories,
// steps, materials, stock comments, pick lists, shortcuts and first report
// settings that a new template database is filled with. The library is kept as
// readable text files (data/starter, described in its README.md) and compiled
// into the program.
#include <string>
#include <vector>

namespace ui {
class Progress;
}

namespace store {

// One file of the library: its name and its text.
struct LibraryFile {
    std::string name;
    std::string text;
};

// The library compiled into the program, sorted by file name.
std::vector<LibraryFile> StarterLibraryTexts();

// Fills the open template database from the library compiled into the program.
bool LoadStarterLibrary(ui::Progress* progress = nullptr);

// Fills the open template database from `files`; only files whose names end in
// ".txt" are read, in the order given. Every file is read and checked before
// anything is written, and everything is written in one transaction: on a
// mistake in a file (shown through the port with the file name and line), a
// template database that already holds templates, a database error or a
// cancelled progress, the database is left unchanged and the result is false.
// Besides the templates, writes the first settings row and the structure
// version. Identifiers are numbered from 1 per table and stay below the range
// the template counters hand out.
bool LoadStarterLibrary(const std::vector<LibraryFile>& files, ui::Progress* progress = nullptr);

// The structure version the loaded database is written with.
inline constexpr const char* kStarterStructureVersion = "5.0";

} // namespace store
