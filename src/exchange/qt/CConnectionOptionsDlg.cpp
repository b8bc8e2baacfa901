#include "exchange/qt/CConnectionOptionsDlg.h"

#include "exchange/ConnectionChoices.h"
#include "ui/Port.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>

namespace exchange::qt {

CConnectionOptionsDlg::CConnectionOptionsDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Connection Options"));
    setObjectName(QStringLiteral("connectionOptions"));
    const ConnectionSettings settings = ReadConnectionSettings();

    auto makeEdit = [this](const std::string& text, int maxLength, const char* name) {
        auto* edit = new QLineEdit(QString::fromStdString(text), this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setMaxLength(maxLength);
        return edit;
    };
    m_userName = makeEdit(settings.userName, kMaxUserNameLength, "userName");
    m_password = makeEdit(settings.password, kMaxPasswordLength, "password");
    m_password->setEchoMode(QLineEdit::Password);
    m_address = makeEdit(settings.address, kMaxAddressLength, "address");
    m_port = makeEdit(settings.port != 0 ? std::to_string(settings.port) : std::string(), 5, "port");
    // Digits only; the range is checked on OK so that the user learns it.
    m_port->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), m_port));
    m_port->setMaximumWidth(m_port->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16);
    m_address->setMinimumWidth(m_address->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 32);

    // The labels of both groups share one width, so the fields line up.
    QLabel* labels[] = {new QLabel(QStringLiteral("&User Name:"), this), new QLabel(QStringLiteral("&Password:"), this),
                        new QLabel(QStringLiteral("&IP Address:"), this), new QLabel(QStringLiteral("P&ort:"), this)};
    QLineEdit* fields[] = {m_userName, m_password, m_address, m_port};
    int labelWidth = 0;
    for (QLabel* label : labels)
        labelWidth = std::max(labelWidth, label->sizeHint().width());
    for (int i = 0; i < 4; ++i) {
        labels[i]->setMinimumWidth(labelWidth);
        labels[i]->setBuddy(fields[i]);
    }

    auto* login = new QGroupBox(QStringLiteral("Login"), this);
    auto* loginForm = new QFormLayout(login);
    loginForm->addRow(labels[0], m_userName);
    loginForm->addRow(labels[1], m_password);

    auto* server = new QGroupBox(QStringLiteral("Server Address"), this);
    auto* serverForm = new QFormLayout(server);
    serverForm->addRow(labels[2], m_address);
    serverForm->addRow(labels[3], m_port);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CConnectionOptionsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(login);
    layout->addWidget(server);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_userName, m_password);
    setTabOrder(m_password, m_address);
    setTabOrder(m_address, m_port);
    setTabOrder(m_port, m_ok);
    setTabOrder(m_ok, buttons->button(QDialogButtonBox::Cancel));
    m_userName->setFocus();
}

void CConnectionOptionsDlg::accept()
{
    bool numeric = false;
    const int port = m_port->text().toInt(&numeric);
    const ConnectionSettings settings{m_userName->text().toStdString(), m_password->text().toStdString(),
                                      m_address->text().trimmed().toStdString(), numeric ? port : 0};
    if (const auto problem = ConnectionSettingsProblem(settings)) {
        ui::CurrentPort().inform(*problem);
        QLineEdit* culprit = settings.port < kMinServerPort || settings.port > kMaxServerPort ? m_port : m_address;
        culprit->setFocus();
        culprit->selectAll();
        return;
    }
    if (SaveConnectionSettings(settings))
        QDialog::accept();
}

} // namespace exchange::qt
