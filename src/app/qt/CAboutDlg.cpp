#include "app/qt/CAboutDlg.h"

#include "app/qt/ProgramIcon.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace app::qt {

const char* CAboutDlg::VersionText()
{
    return "Inspector Version 5.0";
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Veltrane"));

    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto* version = new QLabel(QString::fromLatin1(VersionText()), this);
    version->setObjectName(QStringLiteral("version"));
    auto* updated = new QLabel(QStringLiteral("Last updated: ") + QStringLiteral(__DATE__).simplified(), this);
    updated->setObjectName(QStringLiteral("updated"));
    auto* legal = new QLabel(QStringLiteral("Copyright (C) Veltrane. All rights reserved."), this);
    legal->setObjectName(QStringLiteral("legal"));

    auto* lines = new QVBoxLayout;
    lines->addWidget(version);
    lines->addWidget(updated);
    lines->addWidget(legal);
    lines->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(lines, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}

void CAboutDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (QWidget* owner = parentWidget()) {
        QRect r = frameGeometry();
        r.moveCenter(owner->frameGeometry().center());
        move(r.topLeft());
    }
}

} // namespace app::qt
