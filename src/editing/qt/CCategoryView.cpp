#include "editing/qt/CCategoryView.h"

#include "app/CInspectorDoc.h"
#include "app/DocumentRules.h"
#include "app/qt/CMainFrame.h"
#include "editing/qt/CDuplicateCategoryDlg.h"
#include "editing/qt/CInspectionListCtrl.h"
#include "editing/qt/ViewTitle.h"
#include "ui/qt/ElidedLabel.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace editing::qt {
namespace {

constexpr int kMarkColumn = 0;
constexpr int kTitleColumn = 1;
constexpr int kStatusColumn = 2;

// Draws the mark of column 0 as a check box in the middle of the cell.
class CMarkDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.features &= ~QStyleOptionViewItem::HasCheckIndicator;
        background.text.clear();
        QStyle* style = option.widget ? option.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &background, painter, option.widget);

        QStyleOptionButton box;
        const int size = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, option.widget);
        box.rect = QRect(option.rect.center().x() - size / 2, option.rect.center().y() - size / 2, size, size);
        const bool marked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        box.state = QStyle::State_Enabled | (marked ? QStyle::State_On : QStyle::State_Off);
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, option.widget);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, kRowPadding);
    }
};

} // namespace

const QString CCategoryView::kNotPresent = QStringLiteral("Not Present");
const QString CCategoryView::kComplete = QStringLiteral("Complete");
const QString CCategoryView::kIncomplete = QStringLiteral("Incomplete");

CCategoryView::CCategoryView(app::qt::CMainFrame& frame, app::CInspectorDoc& doc, QWidget* parent)
    : CView(frame, parent), m_doc(doc)
{
    setObjectName(QStringLiteral("categoryList"));
    m_address = new ui::qt::ElidedLabel({}, this);
    m_address->setObjectName(QStringLiteral("address"));
    m_address->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_list = new CInspectionListCtrl(this);
    m_list->setObjectName(QStringLiteral("list"));
    m_list->SetColumns({QStringLiteral("*"), QStringLiteral("Category"), QStringLiteral("Status")}, {25, 410, 225});
    m_list->headerItem()->setTextAlignment(kMarkColumn, Qt::AlignCenter);
    m_list->setItemDelegateForColumn(kMarkColumn, new CMarkDelegate(m_list));
    m_list->setMinimumWidth(25 + 410 + 225 + 4);

    m_duplicate = new QPushButton(QStringLiteral("Duplicate Category..."), this);
    m_duplicate->setObjectName(QStringLiteral("duplicate"));
    m_rename = new QPushButton(QStringLiteral("Rename Category..."), this);
    m_rename->setObjectName(QStringLiteral("rename"));
    m_notPresent = new QPushButton(kNotPresent, this);
    m_notPresent->setObjectName(QStringLiteral("notPresent"));
    m_defaults = new QPushButton(QStringLiteral("Set All Defaults"), this);
    m_defaults->setObjectName(QStringLiteral("setAllDefaults"));
    // "Set Not Present" is the widest caption the button takes.
    m_notPresent->setMinimumWidth(
        m_notPresent->fontMetrics().horizontalAdvance(QStringLiteral("Set Not Present")) + 24);

    connect(m_duplicate, &QPushButton::clicked, this, &CCategoryView::OnDuplicateCategory);
    connect(m_rename, &QPushButton::clicked, this, &CCategoryView::OnRenameCategory);
    connect(m_notPresent, &QPushButton::clicked, this, &CCategoryView::OnNotPresent);
    connect(m_defaults, &QPushButton::clicked, this, &CCategoryView::OnSetAllDefaults);
    connect(m_list, &CInspectionListCtrl::RowClicked, this, [this](int row, int column) {
        if (column == kMarkColumn)
            Mark(row);
        else
            OpenCategory(row);
    });
    connect(m_list, &CInspectionListCtrl::RowActivated, this, &CCategoryView::OpenCategory);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_duplicate);
    buttons->addWidget(m_rename);
    buttons->addWidget(m_notPresent);
    buttons->addWidget(m_defaults);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeViewTitle(QStringLiteral("CATEGORY LIST"), this));
    layout->addWidget(m_address);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    setFocusProxy(m_list);
}

void CCategoryView::OnActivateView(bool activate)
{
    if (!activate)
        return;
    m_doc.WaitForDocTypeChange();
    const int top = m_doc.CategoryListTopRow();
    if (m_doc.CurrentInspection().m_InspectionID != m_shownID)
        Refill();
    else
        RefreshStatus();
    ScrollToRow(top);
}

void CCategoryView::Refill()
{
    const store::Inspection& inspection = m_doc.CurrentInspection();
    m_shownID = inspection.m_InspectionID;
    m_address->setText(
        QString::fromStdString(app::AddressLine(inspection.m_DwellingAddress, inspection.m_DwellingCityStateZip)));
    m_doc.FillCategorySelection();
    m_list->clear();
    const int count = m_doc.GetCategoryCount();
    for (int row = 0; row < count; ++row) {
        store::Category* category = m_doc.StandOnCategory(row);
        if (!category)
            break;
        auto* item = new QTreeWidgetItem(m_list);
        item->setData(kMarkColumn, Qt::CheckStateRole, Qt::Unchecked);
        item->setData(kTitleColumn, Qt::UserRole, category->m_CategoryID);
        item->setText(kTitleColumn, QString::fromStdString(category->m_CategoryTitle));
        item->setToolTip(kTitleColumn, item->text(kTitleColumn));
        item->setText(kStatusColumn, StatusOfCurrentCategory());
        ShowPresence(item);
    }
    UpdateNotPresentCaption();
}

void CCategoryView::ShowPresence(QTreeWidgetItem* item)
{
    // Categories not present are shown faded: they cannot be opened.
    const bool absent = item->text(kStatusColumn) == kNotPresent;
    const QBrush brush = absent ? m_list->palette().brush(QPalette::Disabled, QPalette::Text) : QBrush();
    for (int column : {kTitleColumn, kStatusColumn})
        item->setForeground(column, brush);
}

QString CCategoryView::StatusOfCurrentCategory()
{
    const store::Category& category = m_doc.CategorySelection();
    if (category.m_CategoryNotPresent)
        return kNotPresent;
    return category.m_CategoryComplete ? kComplete : kIncomplete;
}

void CCategoryView::RefreshStatus()
{
    // The step views change completion through their own records: read the
    // categories again. When they are not the ones listed (a new document
    // type, an import), fill the list anew.
    const int marked = MarkedRow();
    m_doc.FillCategorySelection();
    const int count = m_doc.GetCategoryCount();
    bool same = count == m_list->topLevelItemCount();
    for (int row = 0; same && row < count; ++row) {
        store::Category* category = m_doc.StandOnCategory(row);
        same = category && m_list->topLevelItem(row)->data(kTitleColumn, Qt::UserRole).toInt() ==
                               category->m_CategoryID;
    }
    if (!same) {
        Refill();
        return;
    }
    for (int row = 0; row < count; ++row) {
        store::Category* category = m_doc.StandOnCategory(row);
        QTreeWidgetItem* item = m_list->topLevelItem(row);
        item->setText(kTitleColumn, QString::fromStdString(category->m_CategoryTitle));
        item->setText(kStatusColumn, StatusOfCurrentCategory());
        ShowPresence(item);
    }
    if (marked >= 0)
        Mark(marked);
    UpdateNotPresentCaption();
}

void CCategoryView::ScrollToRow(int row)
{
    if (m_list->topLevelItemCount() == 0)
        return;
    row = std::clamp(row, 0, m_list->topLevelItemCount() - 1);
    m_list->scrollToBottom();
    m_list->scrollToItem(m_list->topLevelItem(row), QAbstractItemView::PositionAtTop);
}

int CCategoryView::MarkedRow() const
{
    for (int row = 0; row < m_list->topLevelItemCount(); ++row)
        if (m_list->topLevelItem(row)->data(kMarkColumn, Qt::CheckStateRole).toInt() == Qt::Checked)
            return row;
    return -1;
}

void CCategoryView::Mark(int row)
{
    if (row < 0 || row >= m_list->topLevelItemCount())
        return;
    // At most one row carries the mark; marking it again keeps it.
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        m_list->topLevelItem(i)->setData(kMarkColumn, Qt::CheckStateRole, i == row ? Qt::Checked : Qt::Unchecked);
    UpdateNotPresentCaption();
}

int CCategoryView::TopRow() const
{
    const QModelIndex top = m_list->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

void CCategoryView::UpdateNotPresentCaption()
{
    // The caption names what the button will do to the marked category.
    const int marked = MarkedRow();
    if (marked < 0) {
        m_notPresent->setText(kNotPresent);
        return;
    }
    const bool notPresent = m_list->topLevelItem(marked)->text(kStatusColumn) == kNotPresent;
    m_notPresent->setText(notPresent ? QStringLiteral("Set Present") : QStringLiteral("Set Not Present"));
}

void CCategoryView::OpenCategory(int row)
{
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    if (!item || item->text(kStatusColumn) == kNotPresent)
        return;
    m_doc.SetCategoryListTopRow(TopRow());
    if (!m_doc.SelectCategory(row))
        return;
    const bool form = m_doc.CategorySelection().m_Type == 1;
    Frame().ShowView(form ? app::qt::kViewCategoryForm : app::qt::kViewStepList);
}

void CCategoryView::OnNotPresent()
{
    const int row = MarkedRow();
    if (row < 0)
        return;
    store::Category* category = m_doc.StandOnCategory(row);
    if (!category)
        return;
    category->m_CategoryNotPresent = category->m_CategoryNotPresent ? 0 : -1;
    if (category->Save()) {
        m_list->topLevelItem(row)->setText(kStatusColumn, StatusOfCurrentCategory());
        ShowPresence(m_list->topLevelItem(row));
    }
    UpdateNotPresentCaption();
}

void CCategoryView::OnDuplicateCategory()
{
    const int row = MarkedRow();
    if (row < 0 || !m_doc.StandOnCategory(row))
        return;
    const app::DuplicateProposal proposal = m_doc.ProposeDuplicate(row);
    CDuplicateCategoryDlg dialog(CDuplicateCategoryDlg::Mode::Duplicate,
                                 QStringLiteral("Enter the name for the new duplicated category:"),
                                 QString::fromStdString(proposal.name), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::string name = dialog.Name().toStdString();
    if (dialog.WithData())
        m_doc.DuplicateCategoryWithData(row, name, proposal.copyNumber, dialog.HowMany(), proposal.baseName);
    else
        m_doc.DuplicateCategory(row, name, proposal.copyNumber, dialog.HowMany(), proposal.baseName);
    Refill();
}

void CCategoryView::OnRenameCategory()
{
    const int row = MarkedRow();
    store::Category* category = row >= 0 ? m_doc.StandOnCategory(row) : nullptr;
    if (!category)
        return;
    const QString title = QString::fromStdString(category->m_CategoryTitle);
    CDuplicateCategoryDlg dialog(CDuplicateCategoryDlg::Mode::Rename,
                                 QStringLiteral("Enter the new name for ") + title, title, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    category = m_doc.StandOnCategory(row);
    if (!category)
        return;
    category->m_CategoryTitle = dialog.Name().toStdString();
    category->Save();
    Refill();
}

void CCategoryView::OnSetAllDefaults()
{
    if (m_doc.OnSetAllDefaults())
        RefreshStatus();
}

} // namespace editing::qt
