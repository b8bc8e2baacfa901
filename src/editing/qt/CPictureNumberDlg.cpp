#include "editing/qt/CPictureNumberDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace editing::qt {

CPictureNumberDlg::CPictureNumberDlg(int number, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Next Picture Number:"));
    m_number = new QLineEdit(this);
    m_number->setObjectName(QStringLiteral("number"));
    m_number->setValidator(new QIntValidator(0, 999999, m_number));
    SetNumber(number);
    auto* plus = new QPushButton(QStringLiteral("+"), this);
    auto* minus = new QPushButton(QStringLiteral("-"), this);
    auto* reset = new QPushButton(QStringLiteral("Reset Counter"), this);
    for (QPushButton* b : {plus, minus, reset})
        b->setAutoDefault(false);
    connect(plus, &QPushButton::clicked, this, [this] { SetNumber(Number() + 1); });
    connect(minus, &QPushButton::clicked, this, [this] { SetNumber(Number() - 1); });
    connect(reset, &QPushButton::clicked, this, [this] { SetNumber(1); });
    connect(m_number, &QLineEdit::editingFinished, this, [this] { SetNumber(Number()); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addWidget(minus);
    row->addWidget(m_number, 1);
    row->addWidget(plus);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Next Picture Number:"), this));
    layout->addLayout(row);
    layout->addWidget(reset);
    layout->addWidget(buttons);
}

int CPictureNumberDlg::Number() const
{
    return std::max(1, m_number->text().toInt());
}

void CPictureNumberDlg::SetNumber(int number)
{
    m_number->setText(QString::number(std::max(1, number)));
}

} // namespace editing::qt
