#include "app/qt/COwnerNameDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace app::qt {

COwnerNameDlg::COwnerNameDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Enter Owner Name"));
    auto* prompt = new QLabel(QStringLiteral("Please enter your name as you would like to see it on reports."), this);
    prompt->setWordWrap(true);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("name"));
    m_name->setMaxLength(30);
    prompt->setBuddy(m_name);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_name);
    layout->addWidget(buttons);
    setMinimumWidth(380);
    m_name->setFocus();
}

QString COwnerNameDlg::Name() const
{
    return m_name->text();
}

void COwnerNameDlg::SetName(const QString& name)
{
    m_name->setText(name);
}

} // namespace app::qt
