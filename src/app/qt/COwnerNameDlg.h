#pragma once
// "Enter Owner Name": asks for the inspector's name as reports print it.
#include <QDialog>

class QLineEdit;

namespace app::qt {

class COwnerNameDlg : public QDialog {
    Q_OBJECT
public:
    explicit COwnerNameDlg(QWidget* parent = nullptr);

    QString Name() const;
    void SetName(const QString& name);
    QLineEdit* NameEdit() const { return m_name; }

private:
    QLineEdit* m_name;
};

} // namespace app::qt
