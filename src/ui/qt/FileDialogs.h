#pragma once
// Every file dialog of the desktop program is made here.
//
// Qt's own file dialog reads the first bytes of each file it lists to find its
// type (for the icon and the "Type" column). Closing any descriptor of a file
// drops every POSIX lock the process holds on that file, SQLite's included, so
// a dialog shown on the folder of a data file would silently unlock it; another
// program could then checkpoint and delete the WAL we still write to. The
// dialogs made here tell types by file name alone and never open a listed file.
#include <QFileDialog>
#include <QString>

class QWidget;

namespace ui::qt {

// A file dialog whose icon provider judges files by their names only. The
// caller sets the mode, filters and folder as with any QFileDialog.
void MakeSafe(QFileDialog& dialog);

// The file chosen to open, or an empty text when the user cancelled.
QString GetOpenFileName(QWidget* parent, const QString& caption, const QString& start, const QString& filter);
// The file chosen to save to, or an empty text when the user cancelled.
QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& start, const QString& filter);
// The folder chosen, or an empty text when the user cancelled.
QString GetExistingDirectory(QWidget* parent, const QString& caption, const QString& start);

} // namespace ui::qt
