#pragma once
// Data text as it goes into the HTML pages, and the names the export gives to
// the files and the folder it writes.
#include <string>
#include <string_view>

namespace reports::html {

// A comment or other text the inspector wrote, as HTML: escaped; line ends
// and "\par", "\line" become "<BR>"; the bold, italic and underline words
// become "<B>", "<I>", "<U>" (always properly nested and closed); any other
// backslash shows as typed (the formatting words' one rule for every report).
std::string FormattedHtml(std::string_view text);

// A file name that every browser and file system takes as it is: letters,
// digits, "-", "_" and "." of ASCII; anything else (spaces, "#", "%", "/",
// accented letters) becomes "_". Never empty, never starting with ".".
std::string SafeFileName(std::string_view name);

// The folder name proposed for the export of an inspection: the Doc #, else
// the client's name, else the dwelling address, else "Inspection", made safe.
std::string ProposedFolderName(const std::string& docNumber, const std::string& client,
                               const std::string& address);

} // namespace reports::html
