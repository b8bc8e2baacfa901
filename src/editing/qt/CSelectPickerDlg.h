#pragma once
// "Select a Picker": every pick list by name, one of which the user chooses.
#include <QDialog>

#include <string>

class QListWidget;

namespace editing::qt {

class CSelectPickerDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSelectPickerDlg(QWidget* parent = nullptr);

    // The name chosen; empty when none is selected.
    std::string PickerName() const;
    QListWidget* List() const { return m_list; }

private:
    QListWidget* m_list;
};

// The names of all pick lists in name order, each once.
QStringList ReadPickerNames();

} // namespace editing::qt
