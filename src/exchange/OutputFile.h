#pragma once
// Writing an exported file in one piece.
#include <string>
#include <string_view>

namespace exchange {

// Writes `bytes` to `path` through a temporary file beside it that replaces the
// target only when complete, so a failed export never leaves a cut file behind
// (nor destroys the file it was meant to replace). On failure shows a message
// through the port and returns false.
bool WriteOutputFile(const std::string& path, std::string_view bytes);

// `path` with ".`extension`" added when its file name has no extension, as a
// save dialog with a default extension does.
std::string WithDefaultExtension(const std::string& path, std::string_view extension);

// A file name made from `prefix`, the document number and `extension`, with
// characters that cannot stand in a file name replaced by "_".
std::string SuggestedFileName(std::string_view prefix, const std::string& docNumber, std::string_view extension);

} // namespace exchange
