#include "exchange/qt/CSelectStagedInspectionDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace exchange::qt {
namespace {

constexpr int kColumns = 5;

// The five columns of a line; tabs inside the last value stay in it.
QStringList Columns(const std::string& line)
{
    QStringList parts = QString::fromStdString(line).split(QLatin1Char('\t'));
    while (parts.size() > kColumns)
        parts[kColumns - 1] += QLatin1Char(' ') + parts.takeAt(kColumns);
    while (parts.size() < kColumns)
        parts << QString();
    return parts;
}

} // namespace

CSelectStagedInspectionDlg::CSelectStagedInspectionDlg(const std::vector<std::string>& lines, QWidget* parent,
                                                       FreeDocNumber freeDocNumber)
    : QDialog(parent), m_lines(lines), m_freeDocNumber(std::move(freeDocNumber))
{
    setWindowTitle(QStringLiteral("Merge Inspection"));
    setObjectName(QStringLiteral("selectStagedInspection"));

    auto* prompt = new QLabel(QStringLiteral("&Imported inspection to merge:"), this);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("stagedList"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHeaderLabels({QStringLiteral("ID"), QStringLiteral("Client Name"), QStringLiteral("Dwelling Address"),
                             QStringLiteral("City, State Zip"), QStringLiteral("Doc #")});
    prompt->setBuddy(m_list);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const QStringList columns = Columns(m_lines[i]);
        auto* item = new QTreeWidgetItem(m_list, columns);
        item->setData(0, Qt::UserRole, static_cast<int>(i));
        for (int c = 0; c < kColumns; ++c)
            item->setToolTip(c, columns[c]);
    }
    const int widths[kColumns] = {50, 150, 170, 170, 90};
    for (int c = 0; c < kColumns; ++c)
        m_list->setColumnWidth(c, widths[c]);
    m_list->setMinimumWidth(50 + 150 + 170 + 170 + 90 + 24);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    OkButton()->setDefault(true);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] {
        ProposeDocNumber();
        UpdateOk();
    });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (OkButton()->isEnabled())
            accept();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_list, 1);
    if (m_freeDocNumber) {
        auto* target = new QGroupBox(QStringLiteral("Merge into"), this);
        m_intoSelected = new QRadioButton(QStringLiteral("The &selected inspection"), target);
        m_intoNew = new QRadioButton(QStringLiteral("&New inspection, made from the imported one's header"), target);
        m_intoNew->setObjectName(QStringLiteral("intoNew"));
        m_intoSelected->setChecked(true);
        auto* docLabel = new QLabel(QStringLiteral("&Doc #:"), target);
        m_docNumber = new QLineEdit(target);
        m_docNumber->setObjectName(QStringLiteral("newDocNumber"));
        docLabel->setBuddy(m_docNumber);
        m_note = new QLabel(target);
        m_note->setWordWrap(true);
        auto* grid = new QGridLayout(target);
        grid->addWidget(m_intoSelected, 0, 0, 1, 3);
        grid->addWidget(m_intoNew, 1, 0, 1, 3);
        grid->addWidget(docLabel, 2, 1);
        grid->addWidget(m_docNumber, 2, 2);
        grid->addWidget(m_note, 3, 1, 1, 2);
        grid->setColumnMinimumWidth(0, 16);
        grid->setColumnStretch(2, 1);
        layout->addWidget(target);
        connect(m_intoNew, &QRadioButton::toggled, this, [this] { UpdateOk(); });
        connect(m_docNumber, &QLineEdit::textEdited, this, [this] { UpdateOk(); });
    }
    layout->addWidget(m_buttons);
    // The first (oldest) import is chosen to begin with; OK needs a choice.
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    ProposeDocNumber();
    UpdateOk();
    resize(sizeHint().width(), 300);
    m_list->setFocus();
}

QPushButton* CSelectStagedInspectionDlg::OkButton() const
{
    return m_buttons->button(QDialogButtonBox::Ok);
}

void CSelectStagedInspectionDlg::ProposeDocNumber()
{
    if (!m_docNumber)
        return;
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    const std::string staged = selected.isEmpty() ? std::string() : selected.front()->text(4).toStdString();
    m_docNumber->setText(QString::fromStdString(staged.empty() ? staged : m_freeDocNumber(staged)));
}

void CSelectStagedInspectionDlg::UpdateOk()
{
    bool ok = !m_list->selectedItems().isEmpty();
    if (m_intoNew) {
        const bool intoNew = m_intoNew->isChecked();
        m_docNumber->setEnabled(intoNew);
        const std::string docNumber = m_docNumber->text().trimmed().toStdString();
        const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
        const QString staged = selected.isEmpty() ? QString() : selected.front()->text(4);
        QString note;
        if (docNumber.empty()) {
            note = QStringLiteral("The new inspection needs a Doc #.");
        } else if (m_freeDocNumber(docNumber) != docNumber) {
            note = QStringLiteral("Doc # %1 is in use; choose another.").arg(QString::fromStdString(docNumber));
        } else if (!staged.isEmpty() && staged != QString::fromStdString(docNumber)) {
            note = QStringLiteral("The imported Doc # %1 is in use here.").arg(staged);
        }
        m_note->setText(intoNew ? note : QString());
        if (intoNew && (docNumber.empty() || m_freeDocNumber(docNumber) != docNumber))
            ok = false;
    }
    OkButton()->setEnabled(ok);
}

bool CSelectStagedInspectionDlg::IntoNewInspection() const
{
    return m_intoNew && m_intoNew->isChecked();
}

std::string CSelectStagedInspectionDlg::NewDocNumber() const
{
    return m_docNumber ? m_docNumber->text().trimmed().toStdString() : std::string();
}

std::string CSelectStagedInspectionDlg::ChosenLine() const
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return "-1";
    return m_lines.at(static_cast<std::size_t>(selected.front()->data(0, Qt::UserRole).toInt()));
}

} // namespace exchange::qt
