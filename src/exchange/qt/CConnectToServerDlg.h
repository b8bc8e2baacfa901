#pragma once
// "Connect To Server": whether to receive the jobs scheduled on the server
// (today's, this week's or all), which inspections to send (rows marked "*"),
// and "Options..." for the connection settings. OK runs the exchange with the
// port's progress dialog and closes the dialog when it succeeded.
#include "exchange/ServerExchange.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace exchange::qt {

class CConnectToServerDlg : public QDialog {
    Q_OBJECT
public:
    // Called after every exchange, successful or not (inspections may have
    // been received before a failure).
    using AfterExchange = std::function<void(const SyncOutcome&)>;

    explicit CConnectToServerDlg(AfterExchange afterExchange = {}, QWidget* parent = nullptr);

    // The choices as they stand.
    std::optional<ReceiveMode> ChosenReceiveMode() const;
    std::vector<std::int32_t> MarkedInspections() const;

    // Marks or unmarks row `row` for sending, as a click on it does.
    void ToggleMark(int row);

    QCheckBox* ReceiveBox() const { return m_receive; }
    QRadioButton* ModeButton(ReceiveMode mode) const { return m_modes[static_cast<int>(mode)]; }
    QCheckBox* SendBox() const { return m_send; }
    QTreeWidget* SendList() const { return m_list; }
    QPushButton* OptionsButton() const { return m_options; }
    QPushButton* OkButton() const { return m_ok; }

    void accept() override;

private:
    void FillList();
    void UpdateControls();
    void OnOptions();

    AfterExchange m_afterExchange;
    QCheckBox* m_receive;
    QRadioButton* m_modes[3];
    QCheckBox* m_send;
    QTreeWidget* m_list;
    QPushButton* m_options;
    QPushButton* m_ok;
};

} // namespace exchange::qt
