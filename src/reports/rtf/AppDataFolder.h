#pragma once
// The application data folder: where the report logos ("Logos/logo1.jpg") and
// other installed files of the program live. INSPECTOR_APPDATA names it when
// set; otherwise $XDG_DATA_HOME/Veltrane/Inspector (by default under
// ~/.local/share), the folder the desktop program's Qt settings also use.
#include <string>

namespace reports::rtf {

std::string AppDataFolder();
// A logo file of the "Logos" folder below the application data folder,
// found whatever the letter case of its name.
std::string LogoFile(const std::string& name = "logo1.jpg");

} // namespace reports::rtf
