#include "ui/qt/QtPort.h"

#include "app/Settings.h"

#include "ui/qt/CProgressDlg.h"
#include "ui/qt/FileDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QVBoxLayout>

namespace ui::qt {
namespace {

QPointer<QWidget> g_mainWindow;

QString Caption(const std::string& caption)
{
    return caption.empty() ? QString::fromLatin1(kApplicationTitle) : QString::fromStdString(caption);
}

QMessageBox::Icon BoxIcon(Icon icon)
{
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Stop:
        return QMessageBox::Critical;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QString DisplayText(const std::string& text)
{
    QString s = QString::fromStdString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

QString QtFilter(const std::string& filter)
{
    const QString f = QString::fromStdString(filter);
    if (!f.contains(QLatin1Char('|')))
        return f;
    // "Name|pattern|Name|pattern|": the name usually carries the pattern already.
    const QStringList parts = f.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        QString pattern = parts[i + 1].trimmed();
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (!name.contains(QLatin1Char('(')))
            name += QStringLiteral(" (") + pattern + QLatin1Char(')');
        else if (!name.contains(pattern))
            name = name.left(name.indexOf(QLatin1Char('('))).trimmed() + QStringLiteral(" (") + pattern +
                   QLatin1Char(')');
        filters << name;
    }
    return filters.join(QStringLiteral(";;"));
}

QtPort::QtPort() : m_previous(ui::SetPort(this)) {}

QtPort::~QtPort()
{
    ui::SetPort(m_previous);
}

QWidget* QtPort::Owner()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return g_mainWindow.data();
}

void QtPort::SetMainWindow(QWidget* window)
{
    g_mainWindow = window;
}

void QtPort::inform(const std::string& text, const std::string& caption)
{
    QMessageBox box(QMessageBox::Information, Caption(caption), DisplayText(text), QMessageBox::Ok, Owner());
    box.exec();
}

bool QtPort::confirm(const std::string& text, const std::string& caption)
{
    QMessageBox box(QMessageBox::Warning, Caption(caption), DisplayText(text),
                    QMessageBox::Yes | QMessageBox::No, Owner());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

Answer QtPort::ask(const std::string& text, const std::string& caption, Buttons buttons, Icon icon)
{
    QMessageBox::StandardButtons standard = QMessageBox::Ok;
    if (buttons == Buttons::OkCancel)
        standard = QMessageBox::Ok | QMessageBox::Cancel;
    else if (buttons == Buttons::YesNo)
        standard = QMessageBox::Yes | QMessageBox::No;
    QMessageBox box(BoxIcon(icon), Caption(caption), DisplayText(text), standard, Owner());
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        break;
    }
    // Escape or the close button: the box's "no".
    return buttons == Buttons::YesNo ? Answer::No : buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

std::optional<std::string> QtPort::askText(const std::string& title, const std::string& prompt,
                                           const std::string& initial)
{
    QDialog dialog(Owner());
    dialog.setWindowTitle(QString::fromStdString(title));
    auto* label = new QLabel(DisplayText(prompt), &dialog);
    label->setWordWrap(true);
    auto* edit = new QLineEdit(QString::fromStdString(initial), &dialog);
    edit->setObjectName(QStringLiteral("text"));
    edit->setMaxLength(255);
    label->setBuddy(edit);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addWidget(box);
    dialog.setMinimumWidth(360);
    edit->selectAll();
    edit->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return edit->text().toStdString();
}

// File dialogs open in the folder the user last chose, at first the documents
// folder; a suggested name without a folder is placed there.
QString QtPort::StartPath(const std::string& suggested)
{
    const QString name = QString::fromStdString(suggested);
    if (QFileInfo(name).isAbsolute())
        return name;
    if (m_lastFolder.isEmpty())
        m_lastFolder = QString::fromStdString(app::DocumentsFolder());
    return name.isEmpty() ? m_lastFolder : QDir(m_lastFolder).filePath(name);
}

void QtPort::Remember(const QString& file)
{
    m_lastFolder = QFileInfo(file).absolutePath();
}

std::optional<std::string> QtPort::chooseSaveFile(const std::string& suggested, const std::string& filter)
{
    const QString file = ui::qt::GetSaveFileName(Owner(), QString(), StartPath(suggested), QtFilter(filter));
    if (file.isEmpty())
        return std::nullopt;
    Remember(file);
    return file.toStdString();
}

std::optional<std::string> QtPort::chooseOpenFile(const std::string& filter)
{
    const QString file = ui::qt::GetOpenFileName(Owner(), QString(), StartPath({}), QtFilter(filter));
    if (file.isEmpty())
        return std::nullopt;
    Remember(file);
    return file.toStdString();
}

std::unique_ptr<Progress> QtPort::progress()
{
    return std::make_unique<QtProgress>(g_mainWindow ? g_mainWindow.data() : Owner());
}

} // namespace ui::qt
