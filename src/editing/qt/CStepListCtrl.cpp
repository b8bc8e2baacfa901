#include "editing/qt/CStepListCtrl.h"

#include <QApplication>
#include <algorithm>
#include <QComboBox>
#include <QHeaderView>
#include <QPainter>
#include <QStyle>

namespace editing::qt {
namespace {

constexpr int kStatusRole = Qt::UserRole + 1;

// Draws a status cell as its icon in the middle of the cell; "None" draws nothing.
class CStatusDelegate : public CCutTextDelegate {
public:
    using CCutTextDelegate::CCutTextDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.text.clear();
        background.icon = QIcon();
        QStyle* style = option.widget ? option.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &background, painter, option.widget);

        const QString status = index.data(kStatusRole).toString();
        QStyle::StandardPixmap pixmap;
        if (status == QString::fromStdString(editing::kStatusComplete))
            pixmap = QStyle::SP_DialogApplyButton;
        else if (status == QString::fromStdString(editing::kStatusIncomplete))
            pixmap = QStyle::SP_DialogNoButton;
        else
            return;
        const int size = style->pixelMetric(QStyle::PM_SmallIconSize, nullptr, option.widget);
        const QRect target(option.rect.center().x() - size / 2, option.rect.center().y() - size / 2, size, size);
        style->standardIcon(pixmap, nullptr, option.widget).paint(painter, target);
    }
};

constexpr int kFirstWidths[] = {190, 140, 70, 70, 70, 70};

// A row's rating box goes out of sight again when its list closes, chosen or not.
class CRowRatingCombo : public QComboBox {
public:
    using QComboBox::QComboBox;

    void hidePopup() override
    {
        QComboBox::hidePopup();
        hide();
    }
};

} // namespace

CStepListCtrl::CStepListCtrl(QWidget* parent) : CInspectionListCtrl(parent)
{
    SetColumns({QStringLiteral("Step Name"), QStringLiteral("Rating"), QStringLiteral("Materials"),
                QStringLiteral("Comment"), QStringLiteral("Picture"), QStringLiteral("Info")},
               {std::begin(kFirstWidths), std::end(kFirstWidths)});
    for (int column = kRating; column <= kInfo; ++column)
        headerItem()->setTextAlignment(column, Qt::AlignCenter);
    auto* status = new CStatusDelegate(this);
    for (int column = kMaterials; column <= kInfo; ++column)
        setItemDelegateForColumn(column, status);
    setMinimumWidth(190 + 140 + 4 * 70 + 4);
}

void CStepListCtrl::FitColumns()
{
    // The status columns keep their widths; the rating column then the name
    // column take what their texts need out of the room left.
    int fixed = 0;
    for (int column = kMaterials; column <= kInfo; ++column)
        fixed += columnWidth(column);
    // Measured from the texts: the view's own measure sees only the rows
    // laid out on screen, which are none until the list is first shown.
    auto needed = [this](int column) {
        int widest = 0;
        for (int row = 0; row < topLevelItemCount(); ++row) {
            const QTreeWidgetItem* item = topLevelItem(row);
            const int icon = item->icon(column).isNull() ? 0 : iconSize().width() + 4;
            widest = std::max(widest, fontMetrics().horizontalAdvance(item->text(column)) + icon);
        }
        return widest + 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 12;
    };
    const int room = viewport()->width() - fixed;
    const int rating = std::max(kFirstWidths[kRating], needed(kRating));
    const int name = std::max(kFirstWidths[kName], needed(kName));
    const int ratingWidth = std::clamp(room - kFirstWidths[kName], kFirstWidths[kRating], rating);
    setColumnWidth(kRating, ratingWidth);
    setColumnWidth(kName, std::clamp(room - ratingWidth, kFirstWidths[kName], name));
}

void CStepListCtrl::resizeEvent(QResizeEvent* event)
{
    CInspectionListCtrl::resizeEvent(event);
    FitColumns();
}

void CStepListCtrl::DeleteAllRows()
{
    for (QComboBox* combo : m_combos)
        delete combo;
    m_combos.clear();
    clear();
}

void CStepListCtrl::AddRow(const store::Step& step, const editing::StepRowStatus& status,
                           const std::vector<std::string>& ratingEntries, bool showStepNumbers)
{
    auto* item = new QTreeWidgetItem(this);
    const std::string name = showStepNumbers ? step.m_StepNumber + ". " + step.m_StepTitle : step.m_StepTitle;
    item->setText(kName, QString::fromStdString(name));
    item->setToolTip(kName, item->text(kName));
    item->setData(kName, Qt::UserRole, step.m_StepID);
    for (int column = kRating; column <= kInfo; ++column)
        item->setTextAlignment(column, Qt::AlignCenter);

    // Every row has its own combo box, hidden until its rating cell is clicked.
    auto* combo = new CRowRatingCombo(viewport());
    combo->setObjectName(QStringLiteral("rating%1").arg(m_combos.size()));
    for (const std::string& entry : ratingEntries)
        combo->addItem(QString::fromStdString(entry));
    combo->hide();
    const int row = static_cast<int>(m_combos.size());
    m_combos.push_back(combo);
    connect(combo, &QComboBox::activated, this, [this, combo] {
        combo->hide();
        const auto it = std::find(m_combos.begin(), m_combos.end(), combo);
        if (it != m_combos.end())
            emit RatingChosen(static_cast<int>(it - m_combos.begin()));
    });
    ShowRating(row, step.m_InspectResult);
    SetStatus(row, status);
}

void CStepListCtrl::RefreshRow(int row, const store::Step& step)
{
    if (!topLevelItem(row))
        return;
    SetStatus(row, editing::RefreshedRowStatus(Status(row), step));
    ShowRating(row, step.m_InspectResult);
}

int CStepListCtrl::StepID(int row) const
{
    QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(kName, Qt::UserRole).toInt() : -1;
}

std::vector<int> CStepListCtrl::StepIDs() const
{
    std::vector<int> ids;
    for (int row = 0; row < topLevelItemCount(); ++row)
        ids.push_back(StepID(row));
    return ids;
}

editing::StepRowStatus CStepListCtrl::Status(int row) const
{
    editing::StepRowStatus status;
    status.materials = StatusText(row, kMaterials).toStdString();
    status.comment = StatusText(row, kComment).toStdString();
    status.picture = StatusText(row, kPicture).toStdString();
    status.info = StatusText(row, kInfo).toStdString();
    return status;
}

QString CStepListCtrl::StatusText(int row, int column) const
{
    QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(column, kStatusRole).toString() : QString();
}

QComboBox* CStepListCtrl::RatingCombo(int row) const
{
    return row >= 0 && row < static_cast<int>(m_combos.size()) ? m_combos[row] : nullptr;
}

void CStepListCtrl::ShowRatingCombo(int row)
{
    QTreeWidgetItem* item = topLevelItem(row);
    QComboBox* combo = RatingCombo(row);
    if (!item || !combo)
        return;
    scrollToItem(item);
    const QRect cell = visualItemRect(item);
    combo->setGeometry(header()->sectionViewportPosition(kRating), cell.top(), columnWidth(kRating) - 2,
                       cell.height());
    combo->show();
    combo->setFocus();
    combo->showPopup();
}

void CStepListCtrl::ShowRating(int row, const std::string& rating)
{
    QTreeWidgetItem* item = topLevelItem(row);
    QComboBox* combo = RatingCombo(row);
    if (!item || !combo)
        return;
    const QString text = QString::fromStdString(rating);
    combo->setCurrentIndex(rating.empty() ? -1 : combo->findText(text));
    item->setText(kRating, text);
}

void CStepListCtrl::SetStatus(int row, const editing::StepRowStatus& status)
{
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item)
        return;
    const std::pair<int, const std::string*> cells[] = {
        {kMaterials, &status.materials}, {kComment, &status.comment}, {kPicture, &status.picture}, {kInfo, &status.info}};
    for (auto [column, text] : cells) {
        item->setData(column, kStatusRole, QString::fromStdString(*text));
        item->setToolTip(column, QString::fromStdString(*text));
    }
}

} // namespace editing::qt
