// The desktop program.
#include "app/qt/CInspectorApp.h"
#include "app/qt/DialogLockProbe.h"
#include "app/qt/ProgramIcon.h"
#include "ui/qt/QtPort.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Inspector"));
    QApplication::setOrganizationName(QStringLiteral("Veltrane"));
    QApplication::setWindowIcon(app::qt::ProgramIcon());

    ui::qt::QtPort port;
    app::qt::CInspectorApp inspector;
    if (!inspector.InitInstance())
        return inspector.ExitStatus();
    app::qt::StartDialogLockProbe(inspector);
    return application.exec();
}
