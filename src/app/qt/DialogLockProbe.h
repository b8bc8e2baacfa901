#pragma once
// A test hook of the desktop program. With INSPECTOR_TEST_DIALOGS set to a
// folder, the program, once started, shows each of its kinds of file dialog on
// that folder in turn and talks to the test over its standard streams:
//
//   program: "ready NAME"    test counts the program's locks, answers a line
//   program: "closed NAME"   the dialog listed the folder and was cancelled;
//                            test counts again, answers a line
//   program: "dialogs done"
//   test: "write TEXT"       the current inspection's client name becomes TEXT
//                            and the picture counter of the options goes up,
//                            each saved at once; program: "written"
//   test: "quit"             the program closes its window and ends
//
// It guards the rule that nothing but SQLite ever opens a data file (see
// ui/qt/FileDialogs.h): a dialog that read the files it lists would drop
// SQLite's locks on them.
namespace app::qt {

class CInspectorApp;

// Starts the hook when the variable is set; does nothing otherwise.
void StartDialogLockProbe(CInspectorApp& app);

} // namespace app::qt
