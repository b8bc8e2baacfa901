#pragma once
// "Connection Options": the user name and password of the login and the
// server's address and port. Opening reads them from the options row; OK
// checks and stores them (a port outside 10 to 10000 keeps the dialog open).
#include <QDialog>

class QLineEdit;
class QPushButton;

namespace exchange::qt {

class CConnectionOptionsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CConnectionOptionsDlg(QWidget* parent = nullptr);

    QLineEdit* UserNameEdit() const { return m_userName; }
    QLineEdit* PasswordEdit() const { return m_password; }
    QLineEdit* AddressEdit() const { return m_address; }
    QLineEdit* PortEdit() const { return m_port; }
    QPushButton* OkButton() const { return m_ok; }

    void accept() override;

private:
    QLineEdit* m_userName;
    QLineEdit* m_password;
    QLineEdit* m_address;
    QLineEdit* m_port;
    QPushButton* m_ok;
};

} // namespace exchange::qt
