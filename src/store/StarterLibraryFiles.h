#pragma once
// The files of the starter template library, embedded into the program at build time.
#include <cstddef>
#include <vector>

namespace store {

struct EmbeddedFile {
    const char* name;
    const char* data;
    std::size_t size;
};

// Sorted by name.
const std::vector<EmbeddedFile>& StarterLibraryFiles();

} // namespace store
