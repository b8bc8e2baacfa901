#pragma once
// Checks that a written document holds, or lacks, pieces of text; one failure
// names every piece that is not where it should be.
#include <string>
#include <vector>

namespace testing_support {

using Pieces = std::vector<std::string>;

// The pieces that `text` does not contain, in the order given.
inline Pieces Missing(const std::string& text, const Pieces& pieces)
{
    Pieces missing;
    for (const std::string& piece : pieces)
        if (text.find(piece) == std::string::npos)
            missing.push_back(piece);
    return missing;
}

// The pieces that `text` contains although it should not.
inline Pieces Present(const std::string& text, const Pieces& pieces)
{
    Pieces present;
    for (const std::string& piece : pieces)
        if (text.find(piece) != std::string::npos)
            present.push_back(piece);
    return present;
}

} // namespace testing_support
