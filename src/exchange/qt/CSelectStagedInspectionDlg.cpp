#include "exchange/qt/CSelectStagedInspectionDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace exchange::qt {
namespace {

constexpr int kColumns = 5;

// The five columns of a line; tabs inside the last value stay in it.
QStringList Columns(const std::string& line)
{
    QStringList parts = QString::fromStdString(line).split(QLatin1Char('\t'));
    while (parts.size() > kColumns)
        parts[kColumns - 1] += QLatin1Char(' ') + parts.takeAt(kColumns);
    while (parts.size() < kColumns)
        parts << QString();
    return parts;
}

} // namespace

CSelectStagedInspectionDlg::CSelectStagedInspectionDlg(const std::vector<std::string>& lines, QWidget* parent)
    : QDialog(parent), m_lines(lines)
{
    setWindowTitle(QStringLiteral("Merge Inspection"));
    setObjectName(QStringLiteral("selectStagedInspection"));

    auto* prompt = new QLabel(QStringLiteral("&Imported inspection to merge into the selected inspection:"), this);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("stagedList"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHeaderLabels({QStringLiteral("ID"), QStringLiteral("Client Name"), QStringLiteral("Dwelling Address"),
                             QStringLiteral("City, State Zip"), QStringLiteral("Doc #")});
    prompt->setBuddy(m_list);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const QStringList columns = Columns(m_lines[i]);
        auto* item = new QTreeWidgetItem(m_list, columns);
        item->setData(0, Qt::UserRole, static_cast<int>(i));
        for (int c = 0; c < kColumns; ++c)
            item->setToolTip(c, columns[c]);
    }
    const int widths[kColumns] = {50, 150, 170, 170, 90};
    for (int c = 0; c < kColumns; ++c)
        m_list->setColumnWidth(c, widths[c]);
    m_list->setMinimumWidth(50 + 150 + 170 + 170 + 90 + 24);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    OkButton()->setDefault(true);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this,
            [this] { OkButton()->setEnabled(!m_list->selectedItems().isEmpty()); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { accept(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_buttons);
    // The first (oldest) import is chosen to begin with; OK needs a choice.
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    OkButton()->setEnabled(!m_list->selectedItems().isEmpty());
    resize(sizeHint().width(), 300);
    m_list->setFocus();
}

QPushButton* CSelectStagedInspectionDlg::OkButton() const
{
    return m_buttons->button(QDialogButtonBox::Ok);
}

std::string CSelectStagedInspectionDlg::ChosenLine() const
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return "-1";
    return m_lines.at(static_cast<std::size_t>(selected.front()->data(0, Qt::UserRole).toInt()));
}

} // namespace exchange::qt
