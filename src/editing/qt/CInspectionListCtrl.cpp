#include "editing/qt/CInspectionListCtrl.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace editing::qt {
namespace {

constexpr int kSpare = 16;
constexpr int kLongest = 259;
const QString kEllipsis = QStringLiteral("...");

} // namespace

QString CutToColumn(const QFontMetrics& metrics, const QString& text, int width)
{
    QString cut = text.left(kLongest);
    if (cut.isEmpty() || metrics.horizontalAdvance(cut) + kSpare <= width)
        return cut;
    while (cut.size() > 1 && metrics.horizontalAdvance(cut + kEllipsis) + kSpare > width)
        cut.chop(1);
    return cut + kEllipsis;
}

void CCutTextDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (!option->text.isEmpty()) {
        option->text = CutToColumn(option->fontMetrics, option->text, option->rect.width());
        option->textElideMode = Qt::ElideNone;
    }
}

QSize CCutTextDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return QStyledItemDelegate::sizeHint(option, index) + QSize(0, kRowPadding);
}

CInspectionListCtrl::CInspectionListCtrl(QWidget* parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideNone);
    setItemDelegate(new CCutTextDelegate(this));
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);

    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int column) {
        const int row = indexOfTopLevelItem(item);
        if (row < 0)
            return;
        m_currentRow = row;
        emit RowClicked(row, column);
    });
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int column) {
        const int row = indexOfTopLevelItem(item);
        if (row < 0)
            return;
        m_currentRow = row;
        emit RowDoubleClicked(row, column);
    });
    // Moving with the keys makes a row current just as a click does.
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item && item->isSelected())
            m_currentRow = indexOfTopLevelItem(item);
    });
}

void CInspectionListCtrl::SetColumns(const QStringList& headers, const QList<int>& widths)
{
    setColumnCount(headers.size());
    setHeaderLabels(headers);
    for (int i = 0; i < widths.size() && i < headers.size(); ++i)
        setColumnWidth(i, widths[i]);
}

void CInspectionListCtrl::SetCurrentRow(int row)
{
    m_currentRow = row;
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        setCurrentItem(item);
        item->setSelected(true);
    } else {
        clearSelection();
    }
}

QString CInspectionListCtrl::ShownText(int row, int column) const
{
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item)
        return {};
    return CutToColumn(QFontMetrics(item->font(column)), item->text(column), columnWidth(column));
}

void CInspectionListCtrl::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        m_currentRow = indexOfTopLevelItem(currentItem());
        emit RowActivated(m_currentRow);
        return;
    }
    // Space works as a click on the first column of the current row.
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && currentItem()) {
        m_currentRow = indexOfTopLevelItem(currentItem());
        emit RowClicked(m_currentRow, 0);
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

} // namespace editing::qt
