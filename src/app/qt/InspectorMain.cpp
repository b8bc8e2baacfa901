// The desktop program.
#include "app/qt/CInspectorApp.h"
#include "app/qt/DialogLockProbe.h"
#include "app/qt/ProgramIcon.h"
#include "ui/qt/QtPort.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Inspector"));
    QApplication::setOrganizationName(QStringLiteral("Veltrane"));
    // The installed desktop entry and icon carry this name; run from the build
    // folder, the icon theme lacks it and the drawn icon stands in.
    QApplication::setDesktopFileName(QStringLiteral("com.veltrane.Inspector"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("com.veltrane.Inspector"), app::qt::ProgramIcon()));

    ui::qt::QtPort port;
    app::qt::CInspectorApp inspector;
    if (!inspector.InitInstance())
        return inspector.ExitStatus();
    app::qt::StartDialogLockProbe(inspector);
    return application.exec();
}
