#include "review/qt/CReviewCommentsView.h"

#include "app/CInspectorDoc.h"
#include "app/DocumentRules.h"
#include "editing/qt/CInspectionListCtrl.h"
#include "editing/qt/CCommentsPage.h"
#include "editing/qt/ViewTitle.h"
#include "review/CommentSubject.h"
#include "review/ReviewComments.h"
#include "review/qt/CCommentDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

// (1) m_stepIDs[i] is the step of row i of the list.
// (2) m_filterText is kSummaryOnly exactly while "Summary Comments Only" is checked.

namespace review::qt {

CReviewCommentsView::CReviewCommentsView(app::qt::CMainFrame& frame, app::CInspectorDoc& doc, QWidget* parent)
    : CView(frame, parent), m_doc(doc), m_filterText(kAllRatings)
{
    setObjectName(QStringLiteral("reviewComments"));
    QLabel* title = editing::qt::MakeViewTitle(QStringLiteral("REVIEW COMMENTS"), this);
    m_address = new QLabel(this);
    m_address->setObjectName(QStringLiteral("address"));
    m_address->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* filterLabel = new QLabel(QStringLiteral("View Rating:"), this);
    m_filter = new QComboBox(this);
    m_filter->setObjectName(QStringLiteral("ratingFilter"));
    m_filter->setMaxVisibleItems(20);
    m_filter->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    filterLabel->setBuddy(m_filter);
    m_summary = new QCheckBox(QStringLiteral("Summary Comments Only"), this);
    m_summary->setObjectName(QStringLiteral("summaryOnly"));

    m_list = new editing::qt::CInspectionListCtrl(this);
    m_list->setObjectName(QStringLiteral("list"));
    m_list->SetColumns({QStringLiteral("#"), QStringLiteral("Rating"), QStringLiteral("Comment")}, {85, 130, 406});

    connect(m_filter, &QComboBox::activated, this, &CReviewCommentsView::OnFilterChosen);
    connect(m_summary, &QCheckBox::toggled, this, &CReviewCommentsView::OnSummaryOnly);
    connect(m_list, &editing::qt::CInspectionListCtrl::RowDoubleClicked, this,
            [this](int row, int) { EditComment(row); });
    connect(m_list, &editing::qt::CInspectionListCtrl::RowActivated, this, &CReviewCommentsView::EditComment);

    auto* filters = new QHBoxLayout;
    filters->addWidget(filterLabel);
    filters->addWidget(m_filter);
    filters->addSpacing(24);
    filters->addWidget(m_summary);
    filters->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(m_address);
    layout->addLayout(filters);
    layout->addWidget(m_list, 1);
    setFocusProxy(m_list);
}

void CReviewCommentsView::OnActivateView(bool activate)
{
    if (!activate)
        return;
    if (m_doc.CurrentInspection().m_InspectionID != m_shownID) {
        Rebuild();
        return;
    }
    // The same inspection: its comments may have been edited elsewhere since.
    m_topRow = TopRow();
    Refill();
}

void CReviewCommentsView::Rebuild()
{
    const store::Inspection& inspection = m_doc.CurrentInspection();
    m_shownID = inspection.m_InspectionID;
    m_address->setText(
        QString::fromStdString(app::AddressLine(inspection.m_DwellingAddress, inspection.m_DwellingCityStateZip)));
    FillFilterList();
    {
        QSignalBlocker block(m_summary);
        m_summary->setChecked(false);
    }
    m_filter->setEnabled(true);
    m_filterText = kAllRatings;
    m_topRow = 0;
    Refill();
}

void CReviewCommentsView::FillFilterList()
{
    QSignalBlocker block(m_filter);
    m_filter->clear();
    for (const auto& entry : RatingFilterEntries())
        m_filter->addItem(QString::fromStdString(entry));
    m_filter->setCurrentIndex(0);
}

void CReviewCommentsView::Refill()
{
    m_list->clear();
    m_stepIDs.clear();
    reports::rtf::RatingMarks marks;
    if (m_filterText == kSummaryOnly)
        marks.Load();
    for (const ReviewRow& row : ReviewRows(m_shownID, m_filterText, marks)) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, QString::fromStdString(row.number));
        item->setText(1, QString::fromStdString(row.rating));
        item->setText(2, editing::qt::EditText(row.comment).simplified());
        item->setToolTip(2, editing::qt::EditText(row.comment));
        m_stepIDs.push_back(row.stepID);
    }
    // To the end first, then the remembered row at the top: the place is kept across an edit.
    m_list->scrollToBottom();
    if (QTreeWidgetItem* top = m_list->topLevelItem(std::min(m_topRow, m_list->topLevelItemCount() - 1)))
        m_list->scrollToItem(top, QAbstractItemView::PositionAtTop);
}

int CReviewCommentsView::TopRow() const
{
    const QModelIndex top = m_list->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

int CReviewCommentsView::StepID(int row) const
{
    return row >= 0 && row < static_cast<int>(m_stepIDs.size()) ? m_stepIDs[row] : 0;
}

void CReviewCommentsView::OnFilterChosen(int index)
{
    if (index < 0)
        return;
    m_filterText = m_filter->itemText(index).toStdString();
    m_topRow = 0;
    Refill();
}

void CReviewCommentsView::OnSummaryOnly(bool checked)
{
    {
        QSignalBlocker block(m_filter);
        m_filter->setCurrentIndex(0);
    }
    m_filter->setEnabled(!checked);
    m_filterText = checked ? kSummaryOnly : m_filter->itemText(0).toStdString();
    m_topRow = 0;
    Refill();
}

void CReviewCommentsView::EditComment(int row)
{
    const int stepID = StepID(row);
    if (stepID == 0)
        return;
    m_topRow = TopRow();
    if (auto subject = StepSubject(stepID)) {
        CCommentDlg dialog(m_doc, std::move(*subject), this);
        dialog.exec();
    }
    Refill();
}

} // namespace review::qt
