#include "exchange/qt/CConnectToServerDlg.h"

#include "exchange/ConnectionChoices.h"
#include "exchange/qt/CConnectionOptionsDlg.h"
#include "store/Inspection.h"

#include <QAction>
#include <algorithm>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace exchange::qt {
namespace {

const QString kMark = QStringLiteral("*");

QFont HeadingFont(const QWidget* widget)
{
    QFont font = widget->font();
    font.setFamily(QStringLiteral("Times New Roman"));
    font.setPixelSize(18);
    font.setBold(true);
    return font;
}

} // namespace

CConnectToServerDlg::CConnectToServerDlg(AfterExchange afterExchange, QWidget* parent)
    : QDialog(parent), m_afterExchange(std::move(afterExchange))
{
    setWindowTitle(QStringLiteral("Connect To Server"));
    setObjectName(QStringLiteral("connectToServer"));

    m_receive = new QCheckBox(QStringLiteral("&Receive Inspections"), this);
    m_receive->setObjectName(QStringLiteral("receive"));
    m_receive->setFont(HeadingFont(this));
    m_receive->setChecked(true);
    const char* modeTexts[] = {"&Today's Inspections Only", "This &Week's Inspections Only",
                               "&All Available Inspections"};
    const char* modeNames[] = {"today", "week", "all"};
    auto* modes = new QButtonGroup(this);
    auto* modeLayout = new QVBoxLayout;
    modeLayout->setContentsMargins(24, 0, 0, 0);
    for (int i = 0; i < 3; ++i) {
        m_modes[i] = new QRadioButton(QString::fromLatin1(modeTexts[i]), this);
        m_modes[i]->setObjectName(QString::fromLatin1(modeNames[i]));
        modes->addButton(m_modes[i], i);
        modeLayout->addWidget(m_modes[i]);
    }
    m_modes[0]->setChecked(true);

    m_send = new QCheckBox(QStringLiteral("&Send Completed Inspections"), this);
    m_send->setObjectName(QStringLiteral("send"));
    m_send->setFont(HeadingFont(this));

    auto* listLabel = new QLabel(QStringLiteral("&Inspections To Send:"), this);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("sendList"));
    listLabel->setBuddy(m_list);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setTextElideMode(Qt::ElideRight);
    m_list->setHeaderLabels({kMark, QStringLiteral("Client Name"), QStringLiteral("Address"),
                             QStringLiteral("City, State Zip")});
    const int widths[] = {20, 125, 125, 200};
    for (int c = 0; c < 4; ++c)
        m_list->setColumnWidth(c, widths[c]);
    m_list->header()->setStretchLastSection(true);
    m_list->setMinimumSize(20 + 125 + 125 + 200 + 24, 160);
    m_list->setToolTip(QStringLiteral("Click an inspection (or press Space) to mark it \"*\" for sending"));
    connect(m_list, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { ToggleMark(m_list->indexOfTopLevelItem(item)); });
    auto* toggle = new QAction(m_list);
    toggle->setShortcut(Qt::Key_Space);
    toggle->setShortcutContext(Qt::WidgetShortcut);
    m_list->addAction(toggle);
    connect(toggle, &QAction::triggered, this,
            [this] { ToggleMark(m_list->indexOfTopLevelItem(m_list->currentItem())); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setDefault(true);
    // The settings button stands apart from OK and Cancel.
    m_options = new QPushButton(QStringLiteral("&Options..."), this);
    m_options->setObjectName(QStringLiteral("options"));
    m_options->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &CConnectToServerDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_options, &QPushButton::clicked, this, &CConnectToServerDlg::OnOptions);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_receive);
    layout->addLayout(modeLayout);
    layout->addSpacing(8);
    layout->addWidget(m_send);
    layout->addWidget(listLabel);
    layout->addWidget(m_list, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(m_options);
    buttonRow->addStretch();
    buttonRow->addWidget(buttons);
    layout->addLayout(buttonRow);

    connect(m_receive, &QCheckBox::toggled, this, &CConnectToServerDlg::UpdateControls);
    connect(m_send, &QCheckBox::toggled, this, &CConnectToServerDlg::UpdateControls);
    FillList();
    UpdateControls();
    setTabOrder(m_receive, m_modes[0]);
    setTabOrder(m_modes[0], m_modes[1]);
    setTabOrder(m_modes[1], m_modes[2]);
    setTabOrder(m_modes[2], m_send);
    setTabOrder(m_send, m_list);
    setTabOrder(m_list, m_options);
    setTabOrder(m_options, m_ok);
    setTabOrder(m_ok, buttons->button(QDialogButtonBox::Cancel));
    m_receive->setFocus();
}

void CConnectToServerDlg::FillList()
{
    // Marks survive a refill (after an exchange that received inspections).
    std::vector<std::int32_t> marked;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        if (m_list->topLevelItem(i)->text(0) == kMark)
            marked.push_back(m_list->topLevelItem(i)->data(0, Qt::UserRole).toInt());
    m_list->clear();
    store::Inspection inspections;
    if (!inspections.Open())
        return;
    for (int i = 0; i < inspections.GetCount(); ++i) {
        inspections.Read(i);
        auto* item = new QTreeWidgetItem(m_list);
        item->setData(0, Qt::UserRole, inspections.m_InspectionID);
        item->setTextAlignment(0, Qt::AlignCenter);
        if (std::find(marked.begin(), marked.end(), inspections.m_InspectionID) != marked.end())
            item->setText(0, kMark);
        const std::string* texts[] = {&inspections.m_ClientName, &inspections.m_DwellingAddress,
                                      &inspections.m_DwellingCityStateZip};
        for (int c = 0; c < 3; ++c) {
            item->setText(c + 1, QString::fromStdString(*texts[c]));
            item->setToolTip(c + 1, item->text(c + 1));
        }
    }
}

void CConnectToServerDlg::UpdateControls()
{
    for (QRadioButton* mode : m_modes)
        mode->setEnabled(m_receive->isChecked());
    m_list->setEnabled(m_send->isChecked());
}

void CConnectToServerDlg::ToggleMark(int row)
{
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    if (!item || !m_list->isEnabled())
        return;
    item->setText(0, item->text(0) == kMark ? QString() : kMark);
}

std::optional<ReceiveMode> CConnectToServerDlg::ChosenReceiveMode() const
{
    if (!m_receive->isChecked())
        return std::nullopt;
    for (int i = 0; i < 3; ++i)
        if (m_modes[i]->isChecked())
            return static_cast<ReceiveMode>(i);
    return ReceiveMode::Today;
}

std::vector<std::int32_t> CConnectToServerDlg::MarkedInspections() const
{
    std::vector<std::int32_t> ids;
    if (!m_send->isChecked())
        return ids;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_list->topLevelItem(i);
        if (item->text(0) == kMark)
            ids.push_back(item->data(0, Qt::UserRole).toInt());
    }
    return ids;
}

void CConnectToServerDlg::OnOptions()
{
    CConnectionOptionsDlg options(this);
    options.exec();
}

void CConnectToServerDlg::accept()
{
    // Without the settings there is nobody to call: ask for them first.
    if (!ConnectionSettingsComplete(ReadConnectionSettings())) {
        OnOptions();
        return;
    }
    ServerExchange exchange;
    exchange.SetReceiveMode(ChosenReceiveMode());
    exchange.SetInspectionsToSend(MarkedInspections());
    setEnabled(false);
    const bool done = exchange.Connect();
    setEnabled(true);
    if (m_afterExchange)
        m_afterExchange(exchange.Outcome());
    if (done)
        QDialog::accept();
    else
        FillList();
}

} // namespace exchange::qt
