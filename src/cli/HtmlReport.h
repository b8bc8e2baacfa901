#pragma once
// The html branch of `inspector-cli report`: the HTML report folder of one
// inspection, as the desktop program's Export HTML writes it.
#include "cli/Command.h"

#include <string>

namespace cli {

// Writes the report of the inspection with Doc # `docNumber` into `folder`
// (made whole, replacing an earlier HTML report there); prints the folder.
int HtmlReport(const Args& args, const std::string& docNumber, const std::string& folder);

} // namespace cli
