#pragma once
// The chooser of "Merge Inspection...": every imported inspection waiting in
// the merge tables, one row each (ID, client, address, city, Doc #), and where
// it goes: into the selected inspection, or into a new inspection made from its
// header under a Doc # the user may change (one in use is never accepted; a
// free one is proposed). OK gives the chosen row's line, which names the
// staged inspection by its ID.
#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace exchange::qt {

class CSelectStagedInspectionDlg : public QDialog {
    Q_OBJECT
public:
    // `lines` as the staging tables list them: "ID\tclient\taddress\tcity\tDoc #".
    // `freeDocNumber` gives a Doc # itself when it is free and a free one like
    // it otherwise; without it "New inspection" is not offered.
    using FreeDocNumber = std::function<std::string(const std::string& docNumber)>;
    explicit CSelectStagedInspectionDlg(const std::vector<std::string>& lines, QWidget* parent = nullptr,
                                        FreeDocNumber freeDocNumber = {});

    // The line of the chosen row, "-1" when none is chosen.
    std::string ChosenLine() const;
    // Whether "New inspection" is chosen, and its Doc #.
    bool IntoNewInspection() const;
    std::string NewDocNumber() const;

    QTreeWidget* List() const { return m_list; }
    QPushButton* OkButton() const;
    QRadioButton* NewInspectionButton() const { return m_intoNew; }
    QLineEdit* DocNumberEdit() const { return m_docNumber; }
    QLabel* DocNumberNote() const { return m_note; }

private:
    void ProposeDocNumber();
    void UpdateOk();

    std::vector<std::string> m_lines;
    FreeDocNumber m_freeDocNumber;
    QTreeWidget* m_list;
    QRadioButton* m_intoSelected = nullptr;
    QRadioButton* m_intoNew = nullptr;
    QLineEdit* m_docNumber = nullptr;
    QLabel* m_note = nullptr;
    QDialogButtonBox* m_buttons;
};

} // namespace exchange::qt
