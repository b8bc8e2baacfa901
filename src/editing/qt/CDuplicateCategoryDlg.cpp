#include "editing/qt/CDuplicateCategoryDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace editing::qt {

CDuplicateCategoryDlg::CDuplicateCategoryDlg(Mode mode, const QString& prompt, const QString& name, QWidget* parent)
    : QDialog(parent)
{
    const bool duplicate = mode == Mode::Duplicate;
    setWindowTitle(duplicate ? QStringLiteral("Duplicate Category") : QStringLiteral("Rename Category"));
    auto* label = new QLabel(prompt, this);
    label->setWordWrap(true);
    m_name = new QLineEdit(name, this);
    m_name->setObjectName(QStringLiteral("name"));
    m_name->setMaxLength(50);
    label->setBuddy(m_name);
    m_howMany = new QSpinBox(this);
    m_howMany->setObjectName(QStringLiteral("howMany"));
    m_howMany->setRange(1, 99);
    m_howMany->setValue(1);
    m_withData = new QCheckBox(QStringLiteral("Duplicate with data"), this);
    m_withData->setObjectName(QStringLiteral("withData"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDuplicateCategoryDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_name);
    if (duplicate) {
        auto* form = new QFormLayout;
        layout->addLayout(form);
        form->addRow(QStringLiteral("How Many:"), m_howMany);
        form->addRow(QString(), m_withData);
    } else {
        m_howMany->hide();
        m_withData->hide();
    }
    layout->addWidget(buttons);
    setMinimumWidth(380);
    m_name->selectAll();
    m_name->setFocus();
}

QString CDuplicateCategoryDlg::Name() const
{
    return m_name->text().trimmed();
}

int CDuplicateCategoryDlg::HowMany() const
{
    return m_howMany->value();
}

bool CDuplicateCategoryDlg::WithData() const
{
    return m_withData->isChecked();
}

void CDuplicateCategoryDlg::accept()
{
    if (Name().isEmpty()) {
        m_name->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace editing::qt
