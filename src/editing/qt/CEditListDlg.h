#pragma once
// "Edit List": the choices of one pick list, added, edited and deleted in the
// dialog and stored together on OK.
#include <QDialog>

#include <string>

class QListWidget;
class QPushButton;

namespace editing::qt {

class CEditListDlg : public QDialog {
    Q_OBJECT
public:
    explicit CEditListDlg(std::string pickerName, QWidget* parent = nullptr);

    QListWidget* List() const { return m_list; }
    QStringList Choices() const;

    void OnAdd();
    void OnEdit();
    void OnDelete();

    void accept() override;

private:
    std::string m_pickerName;
    QListWidget* m_list;
};

// Reads the choices of a pick list in their stored order.
QStringList ReadPickerChoices(const std::string& pickerName);
// Replaces every choice of a pick list with `choices`, in one transaction.
bool StorePickerChoices(const std::string& pickerName, const QStringList& choices);

} // namespace editing::qt
