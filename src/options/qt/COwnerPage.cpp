#include "options/qt/COwnerPage.h"

#include "options/OptionsRules.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace options::qt {
namespace {

QLineEdit* Edit(QWidget* parent, const QString& name, int maxLength)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    return edit;
}

} // namespace

COwnerPage::COwnerPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Owner"));
    m_name = Edit(this, QStringLiteral("name"), kLongestOwnerName);
    m_company = Edit(this, QStringLiteral("company"), 50);
    m_address = new QPlainTextEdit(this);
    m_address->setObjectName(QStringLiteral("address"));
    m_address->setTabChangesFocus(true);
    m_address->setMaximumHeight(100);
    m_address->setToolTip(QStringLiteral("Street lines first, the city line last."));
    m_workAreaCode = Edit(this, QStringLiteral("workAreaCode"), kAreaCodeLength);
    m_workPhone = Edit(this, QStringLiteral("workPhone"), 50);
    m_faxAreaCode = Edit(this, QStringLiteral("faxAreaCode"), kAreaCodeLength);
    m_faxNumber = Edit(this, QStringLiteral("faxNumber"), 50);
    for (QLineEdit* code : {m_workAreaCode, m_faxAreaCode})
        code->setMaximumWidth(50);

    auto phone = [](QLineEdit* code, QLineEdit* number) {
        auto* row = new QHBoxLayout;
        row->addWidget(code);
        row->addWidget(number, 1);
        return row;
    };
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Name:"), m_name);
    form->addRow(QStringLiteral("&Company:"), m_company);
    form->addRow(QStringLiteral("&Address:"), m_address);
    auto* work = new QLabel(QStringLiteral("&Work:"), this);
    work->setBuddy(m_workAreaCode);
    form->addRow(work, phone(m_workAreaCode, m_workPhone));
    auto* fax = new QLabel(QStringLiteral("&Fax:"), this);
    fax->setBuddy(m_faxAreaCode);
    form->addRow(fax, phone(m_faxAreaCode, m_faxNumber));
}

void COwnerPage::Load(const store::Owner& owner)
{
    m_name->setText(QString::fromStdString(owner.m_Name));
    m_company->setText(QString::fromStdString(owner.m_Company));
    m_address->setPlainText(QString::fromStdString(ShownLineEnds(owner.m_Address)));
    m_workAreaCode->setText(QString::fromStdString(owner.m_WorkAreaCode));
    m_workPhone->setText(QString::fromStdString(owner.m_WorkPhone));
    m_faxAreaCode->setText(QString::fromStdString(owner.m_FaxAreaCode));
    m_faxNumber->setText(QString::fromStdString(owner.m_FaxNumber));
}

void COwnerPage::Store(store::Owner& owner) const
{
    owner.m_Name = m_name->text().toStdString();
    owner.m_Company = m_company->text().toStdString();
    owner.m_Address = StoredLineEnds(m_address->toPlainText().toStdString());
    owner.m_WorkAreaCode = m_workAreaCode->text().toStdString();
    owner.m_WorkPhone = m_workPhone->text().toStdString();
    owner.m_FaxAreaCode = m_faxAreaCode->text().toStdString();
    owner.m_FaxNumber = m_faxNumber->text().toStdString();
}

void COwnerPage::FocusName() const
{
    m_name->setFocus();
    m_name->selectAll();
}

} // namespace options::qt
