#pragma once
// The program's icon: a small house, drawn rather than shipped as a file.
#include <QIcon>

namespace app::qt {

QIcon ProgramIcon();
// A printer, for the Print button where the desktop theme offers none.
QIcon PrinterIcon();

} // namespace app::qt
