#pragma once
// The report logo: "Logos/logo1.jpg" in the application data folder, where the
// report writers and the print engine look first. The stored ReportIcon of
// the options row stays the fall-back when no such file exists.
#include <string>

namespace options {

// Where a chosen logo is stored.
std::string LogoPath();
// The logo file the reports use now (whatever the letter case of its name),
// or the empty text when there is none.
std::string CurrentLogo();
// Removes the logo file; true when no logo file is left.
bool ClearLogo();

} // namespace options
