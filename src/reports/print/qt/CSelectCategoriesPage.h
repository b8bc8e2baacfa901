#pragma once
// The "Categories" page of the "Print Properties" sheet: one row per category
// of the inspection with a mark; a click on a row takes the category in or out.
#include <QWidget>

#include <string>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace reports::print::qt {

class CSelectCategoriesPage : public QWidget {
    Q_OBJECT
public:
    // `titles` in collection order; at first every row is marked.
    explicit CSelectCategoriesPage(const std::vector<std::string>& titles, QWidget* parent = nullptr);
    // The marked titles, in collection order.
    std::vector<std::string> Selected() const;
    bool AllSelected() const;
    QTreeWidget* List() const { return m_list; }

private:
    void Toggle(QTreeWidgetItem* item);
    QTreeWidget* m_list;
};

} // namespace reports::print::qt
