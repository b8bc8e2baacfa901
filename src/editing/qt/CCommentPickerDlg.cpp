#include "editing/qt/CCommentPickerDlg.h"

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

CCommentPickerDlg::CCommentPickerDlg(const std::vector<std::string>& entries, bool offerDelete, QWidget* parent)
    : QDialog(parent), m_entries(entries)
{
    setWindowTitle(QStringLiteral("Comment Picker"));
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("picks"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("Seq #"), QStringLiteral("On Summary"), QStringLiteral("Comment")});
    m_list->setColumnWidth(0, 60);
    m_list->setColumnWidth(1, 90);
    constexpr int kMinimumRows = 17;
    constexpr int kShownLength = 254;
    for (std::size_t i = 0; i < std::max<std::size_t>(entries.size(), kMinimumRows); ++i) {
        auto* item = new QTreeWidgetItem(m_list);
        if (i < entries.size()) {
            item->setText(1, QStringLiteral("false"));
            item->setText(2, QString::fromStdString(entries[i]).left(kShownLength));
        }
    }
    connect(m_list, &QTreeWidget::itemClicked, this, &CCommentPickerDlg::OnClicked);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    if (offerDelete) {
        QPushButton* remove = buttons->addButton(QStringLiteral("Delete"), QDialogButtonBox::DestructiveRole);
        connect(remove, &QPushButton::clicked, this, [this] { done(kDeleteResult); });
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(760, 480);
}

void CCommentPickerDlg::Number(int row)
{
    if (row < 0 || row >= static_cast<int>(m_entries.size()))
        return;
    if (std::find(m_order.begin(), m_order.end(), row) != m_order.end())
        return;
    m_order.push_back(row);
    m_list->topLevelItem(row)->setText(0, QString::number(m_order.size()));
}

void CCommentPickerDlg::OnClicked(QTreeWidgetItem* item, int column)
{
    const int row = m_list->indexOfTopLevelItem(item);
    if (row < 0 || row >= static_cast<int>(m_entries.size()))
        return;
    if (column == 0)
        Number(row);
    else if (column == 1)
        item->setText(1, item->text(1) == QStringLiteral("false") ? QStringLiteral("true") : QStringLiteral("false"));
}

std::vector<std::string> CCommentPickerDlg::Picked() const
{
    std::vector<std::string> picked;
    for (int row : m_order)
        picked.push_back(m_entries[row]);
    return picked;
}

} // namespace editing::qt
