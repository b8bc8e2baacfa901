#include "reports/print/qt/CSelectCategoriesPage.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace reports::print::qt {
namespace {

// The first column holds "true" or "false"; it shows a check mark or nothing.
void Mark(QTreeWidgetItem* item, bool on)
{
    item->setData(0, Qt::UserRole, on ? QStringLiteral("true") : QStringLiteral("false"));
    item->setText(0, on ? QStringLiteral("\u2714") : QString());
}

bool Marked(const QTreeWidgetItem* item)
{
    return item->data(0, Qt::UserRole).toString() == QLatin1String("true");
}

} // namespace

CSelectCategoriesPage::CSelectCategoriesPage(const std::vector<std::string>& titles, QWidget* parent)
    : QWidget(parent), m_list(new QTreeWidget)
{
    setObjectName(QStringLiteral("categoriesPage"));
    m_list->setObjectName(QStringLiteral("categoryList"));
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({QString(), QStringLiteral("Category")});
    m_list->header()->setMinimumSectionSize(20);
    m_list->setColumnWidth(0, 25);
    m_list->setColumnWidth(1, 170);
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const std::string& title : titles) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(1, QString::fromStdString(title));
        item->setTextAlignment(0, Qt::AlignCenter);
        Mark(item, true);
    }
    connect(m_list, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { Toggle(item); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
}

void CSelectCategoriesPage::Toggle(QTreeWidgetItem* item)
{
    if (item)
        Mark(item, !Marked(item));
}

std::vector<std::string> CSelectCategoriesPage::Selected() const
{
    std::vector<std::string> titles;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        if (Marked(m_list->topLevelItem(i)))
            titles.push_back(m_list->topLevelItem(i)->text(1).toStdString());
    return titles;
}

bool CSelectCategoriesPage::AllSelected() const
{
    return static_cast<int>(Selected().size()) == m_list->topLevelItemCount();
}

} // namespace reports::print::qt
