#include "ui/qt/CProgressDlg.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ui::qt {

CProgressDlg::CProgressDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Working..."));
    setWindowModality(Qt::ApplicationModal);
    setMinimumWidth(360);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("progress"));
    m_bar->setFormat(QStringLiteral(" %p %"));
    m_bar->setTextVisible(true);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    connect(m_cancel, &QPushButton::clicked, this, &CProgressDlg::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);
}

void CProgressDlg::SetStatus(const QString& status)
{
    m_status->setText(status);
    Pump();
}

void CProgressDlg::SetRange(int low, int high)
{
    m_bar->setRange(low, high > low ? high : low + 1);
    m_bar->setValue(low);
    Pump();
}

void CProgressDlg::SetPosition(int position)
{
    m_bar->setValue(std::clamp(position, m_bar->minimum(), m_bar->maximum()));
    Pump();
}

void CProgressDlg::reject()
{
    // The dialog stays up until its owner ends the work; the owner polls the flag.
    m_cancelled = true;
    m_cancel->setEnabled(false);
    m_status->setText(QStringLiteral("Cancelling..."));
}

void CProgressDlg::Pump()
{
    // The work runs on this thread, so the dialog redraws (and Cancel is
    // clicked) only when events are handled here.
    if (isVisible())
        repaint();
    QApplication::processEvents(QEventLoop::AllEvents, 20);
}

QtProgress::QtProgress(QWidget* parent) : m_dialog(new CProgressDlg(parent))
{
    m_dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    m_dialog->show();
    QApplication::processEvents();
}

QtProgress::~QtProgress()
{
    m_dialog->hide();
    delete m_dialog;
}

void QtProgress::setTitle(const std::string& title)
{
    m_dialog->setWindowTitle(QString::fromStdString(title));
}

void QtProgress::setStatus(const std::string& status)
{
    m_dialog->SetStatus(QString::fromStdString(status));
}

void QtProgress::setRange(int low, int high)
{
    m_dialog->SetRange(low, high);
}

void QtProgress::setPosition(int position)
{
    m_dialog->SetPosition(position);
}

bool QtProgress::cancelled() const
{
    return m_dialog->Cancelled();
}

} // namespace ui::qt
