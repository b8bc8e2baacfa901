#include "editing/qt/CEditListDlg.h"

#include "editing/qt/CEditPickerChoiceDlg.h"
#include "store/Database.h"
#include "store/Pickers.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace editing::qt {

QStringList ReadPickerChoices(const std::string& pickerName)
{
    QStringList choices;
    store::Pickers pickers;
    if (!pickers.OpenByName(pickerName))
        return choices;
    for (int i = 0; i < pickers.GetCount(); ++i) {
        pickers.Read(i);
        choices << QString::fromStdString(pickers.m_PickerChoice);
    }
    return choices;
}

bool StorePickerChoices(const std::string& pickerName, const QStringList& choices)
{
    store::Transaction transaction(store::DatabaseKind::Template);
    store::Pickers pickers;
    if (!pickers.DeleteByName(pickerName))
        return false;
    for (const QString& choice : choices) {
        pickers.New();
        pickers.m_PickerName = pickerName;
        pickers.m_PickerChoice = choice.toStdString();
        if (!pickers.Save())
            return false;
    }
    return transaction.Commit();
}

CEditListDlg::CEditListDlg(std::string pickerName, QWidget* parent)
    : QDialog(parent), m_pickerName(std::move(pickerName))
{
    setWindowTitle(QStringLiteral("Edit List"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("choices"));
    m_list->addItems(ReadPickerChoices(m_pickerName));
    m_list->setMinimumSize(300, 220);
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);

    auto* add = new QPushButton(QStringLiteral("&Add"), this);
    add->setObjectName(QStringLiteral("add"));
    auto* edit = new QPushButton(QStringLiteral("&Edit"), this);
    edit->setObjectName(QStringLiteral("edit"));
    auto* remove = new QPushButton(QStringLiteral("&Delete"), this);
    remove->setObjectName(QStringLiteral("delete"));
    connect(add, &QPushButton::clicked, this, &CEditListDlg::OnAdd);
    connect(edit, &QPushButton::clicked, this, &CEditListDlg::OnEdit);
    connect(remove, &QPushButton::clicked, this, &CEditListDlg::OnDelete);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { OnEdit(); });

    auto* side = new QVBoxLayout;
    side->addWidget(add);
    side->addWidget(edit);
    side->addWidget(remove);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(m_list, 1);
    top->addLayout(side);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CEditListDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

QStringList CEditListDlg::Choices() const
{
    QStringList choices;
    for (int i = 0; i < m_list->count(); ++i)
        choices << m_list->item(i)->text();
    return choices;
}

void CEditListDlg::OnAdd()
{
    CEditPickerChoiceDlg dialog(QStringLiteral("New Item"), QStringLiteral("Enter the new text for this picker."),
                                QString(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_list->addItem(dialog.Text());
    m_list->setCurrentRow(m_list->count() - 1);
}

void CEditListDlg::OnEdit()
{
    QListWidgetItem* item = m_list->currentItem();
    if (!item || !item->isSelected())
        return;
    CEditPickerChoiceDlg dialog(QStringLiteral("Edit Item"), QStringLiteral("Edit the text for this picker item."),
                                item->text(), this);
    if (dialog.exec() == QDialog::Accepted)
        item->setText(dialog.Text());
}

void CEditListDlg::OnDelete()
{
    QListWidgetItem* item = m_list->currentItem();
    if (!item || !item->isSelected())
        return;
    delete m_list->takeItem(m_list->row(item));
}

void CEditListDlg::accept()
{
    // A failed store has been reported by the table layer; the dialog stays
    // open so that the edits are not lost.
    if (StorePickerChoices(m_pickerName, Choices()))
        QDialog::accept();
}

} // namespace editing::qt
