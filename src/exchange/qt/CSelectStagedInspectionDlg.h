#pragma once
// The chooser of "Merge Inspection...": every imported inspection waiting in
// the merge tables, one row each (ID, client, address, city, Doc #). OK gives
// the chosen row's line, which names the staged inspection by its ID.
#include <QDialog>

#include <string>
#include <vector>

class QDialogButtonBox;
class QPushButton;
class QTreeWidget;

namespace exchange::qt {

class CSelectStagedInspectionDlg : public QDialog {
    Q_OBJECT
public:
    // `lines` as the staging tables list them: "ID\tclient\taddress\tcity\tDoc #".
    explicit CSelectStagedInspectionDlg(const std::vector<std::string>& lines, QWidget* parent = nullptr);

    // The line of the chosen row, "-1" when none is chosen.
    std::string ChosenLine() const;

    QTreeWidget* List() const { return m_list; }
    QPushButton* OkButton() const;

private:
    std::vector<std::string> m_lines;
    QTreeWidget* m_list;
    QDialogButtonBox* m_buttons;
};

} // namespace exchange::qt
