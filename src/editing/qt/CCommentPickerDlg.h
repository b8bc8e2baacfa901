#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace editing::qt {

// "Comment Picker": the inspector numbers several entries in the order wanted
// by clicking their "Seq #" cells. Used for stock comments and for materials.
class CCommentPickerDlg : public QDialog {
    Q_OBJECT
public:
    // With `offerDelete` the dialog also has "Delete", which ends it with kDeleteResult.
    CCommentPickerDlg(const std::vector<std::string>& entries, bool offerDelete, QWidget* parent = nullptr);
    static constexpr int kDeleteResult = 2;

    // The entries picked, in the order of their numbers.
    std::vector<std::string> Picked() const;
    QTreeWidget* List() const { return m_list; }
    // Gives the entry at `row` the next number, as a click on its "Seq #" cell does.
    void Number(int row);

private:
    void OnClicked(QTreeWidgetItem* item, int column);

    std::vector<std::string> m_entries;
    std::vector<int> m_order; // rows in the order they were numbered
    QTreeWidget* m_list;
};

} // namespace editing::qt
