#pragma once
// The program's icon: a small house, drawn rather than shipped as a file.
#include <QIcon>

namespace app::qt {

QIcon ProgramIcon();

} // namespace app::qt
