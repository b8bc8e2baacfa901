#include "ui/qt/FileDialogs.h"

#include "app/DataFileGuard.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QStyle>

namespace ui::qt {
namespace {

// Icons and type names from the file name alone: the default provider asks
// QMimeDatabase to look inside the file, which opens and closes it.
class NameOnlyIconProvider : public QAbstractFileIconProvider {
public:
    QIcon icon(IconType type) const override
    {
        switch (type) {
        case Folder:
            return Style(QStyle::SP_DirIcon);
        case Drive:
            return Style(QStyle::SP_DriveHDIcon);
        case Computer:
            return Style(QStyle::SP_ComputerIcon);
        default:
            return Style(QStyle::SP_FileIcon);
        }
    }
    QIcon icon(const QFileInfo& info) const override
    {
        return info.isDir() ? icon(Folder) : icon(File);
    }
    QString type(const QFileInfo& info) const override
    {
        if (info.isDir())
            return QStringLiteral("Folder");
        const QMimeType mime = QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
        return mime.isDefault() ? QStringLiteral("File") : mime.comment();
    }

private:
    static QIcon Style(QStyle::StandardPixmap which) { return QApplication::style()->standardIcon(which); }
};

QAbstractFileIconProvider* Provider()
{
    static NameOnlyIconProvider provider;
    return &provider;
}

// Shows the dialog until the user cancels or picks a file that is not one of
// the open data files: whoever asked would open it, and so unlock it.
QString Run(QFileDialog& dialog)
{
    MakeSafe(dialog);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        const QString chosen = dialog.selectedFiles().constFirst();
        const auto refusal = app::DataFileInUseMessage(chosen.toStdString());
        if (!refusal)
            return chosen;
        QMessageBox::information(dialog.parentWidget(), dialog.windowTitle(), QString::fromStdString(*refusal));
    }
}

} // namespace

void MakeSafe(QFileDialog& dialog)
{
    // The platform's native dialog runs outside our control (and may sniff
    // files too); Qt's own dialog with our provider never opens them.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::DontUseCustomDirectoryIcons, true);
    dialog.setIconProvider(Provider());
}

QString GetOpenFileName(QWidget* parent, const QString& caption, const QString& start, const QString& filter)
{
    QFileDialog dialog(parent, caption, start, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    return Run(dialog);
}

QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& start, const QString& filter)
{
    QFileDialog dialog(parent, caption, start, filter);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    return Run(dialog);
}

QString GetExistingDirectory(QWidget* parent, const QString& caption, const QString& start)
{
    QFileDialog dialog(parent, caption, start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    return Run(dialog);
}

} // namespace ui::qt
