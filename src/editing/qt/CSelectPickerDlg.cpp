#include "editing/qt/CSelectPickerDlg.h"

#include "store/Pickers.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

namespace editing::qt {

QStringList ReadPickerNames()
{
    QStringList names;
    store::Pickers pickers; // opens in PickerName order
    if (!pickers.Open())
        return names;
    for (int i = 0; i < pickers.GetCount(); ++i) {
        pickers.Read(i);
        const QString name = QString::fromStdString(pickers.m_PickerName);
        if (names.isEmpty() || names.constLast() != name)
            names << name;
    }
    return names;
}

CSelectPickerDlg::CSelectPickerDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Select a Picker"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("pickers"));
    m_list->addItems(ReadPickerNames());
    m_list->setMinimumSize(260, 240);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

std::string CSelectPickerDlg::PickerName() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item && item->isSelected() ? item->text().toStdString() : std::string();
}

} // namespace editing::qt
