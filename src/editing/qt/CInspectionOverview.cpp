#include "editing/qt/CInspectionOverview.h"

#include "app/CInspectorDoc.h"
#include "app/qt/CMainFrame.h"
#include "editing/qt/CInspectionListCtrl.h"
#include "editing/qt/ViewTitle.h"
#include "ui/Port.h"

#include <QAction>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace editing::qt {

using app::qt::CMainFrame;
namespace cmd = app::qt::cmd;

CInspectionOverview::CInspectionOverview(CMainFrame& frame, app::CInspectorDoc& doc, QWidget* parent)
    : CView(frame, parent), m_doc(doc)
{
    setObjectName(QStringLiteral("inspectionList"));
    m_list = new CInspectionListCtrl(this);
    m_list->setObjectName(QStringLiteral("list"));
    m_list->SetColumns({QStringLiteral("Client Name"), QStringLiteral("Dwelling Address"),
                        QStringLiteral("City, State Zip"), QStringLiteral("Doc #")},
                       {165, 188, 188, 98});
    m_list->setMinimumWidth(165 + 188 + 188 + 98 + 4);

    m_duplicate = new QPushButton(QStringLiteral("Duplicate Inspection..."), this);
    m_duplicate->setObjectName(QStringLiteral("duplicate"));
    m_merge = new QPushButton(QStringLiteral("Merge Inspection..."), this);
    m_merge->setObjectName(QStringLiteral("merge"));
    // Merging is a command of its own feature; the button follows its state.
    if (QAction* merge = frame.Action(cmd::MergeInspection)) {
        m_merge->setEnabled(merge->isEnabled());
        connect(merge, &QAction::changed, m_merge, [this, merge] { m_merge->setEnabled(merge->isEnabled()); });
    }

    connect(m_duplicate, &QPushButton::clicked, this, &CInspectionOverview::OnDuplicateInspection);
    connect(m_merge, &QPushButton::clicked, this, &CInspectionOverview::OnMergeInspection);
    connect(m_list, &CInspectionListCtrl::RowClicked, this, [this](int row, int) { OnClick(row); });
    connect(m_list, &CInspectionListCtrl::RowDoubleClicked, this, [this](int row, int) { OnOpen(row); });
    connect(m_list, &CInspectionListCtrl::RowActivated, this, &CInspectionOverview::OnOpen);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_duplicate);
    buttons->addWidget(m_merge);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeViewTitle(QStringLiteral("INSPECTION LIST"), this));
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    setFocusProxy(m_list);
}

void CInspectionOverview::OnActivateView(bool activate)
{
    if (activate)
        Refresh();
}

void CInspectionOverview::Refresh()
{
    if (!m_busy)
        Fill();
}

int CInspectionOverview::CurrentRow() const
{
    return m_list->CurrentRow();
}

int CInspectionOverview::SelectedCount() const
{
    return static_cast<int>(m_list->selectedItems().size());
}

void CInspectionOverview::Fill()
{
    const int current = m_list->CurrentRow();
    const bool hadSelection = SelectedCount() > 0;
    m_list->clear();
    for (const app::InspectionSummary& inspection : m_doc.InspectionList()) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setData(0, Qt::UserRole, inspection.inspectionID);
        item->setText(0, QString::fromStdString(inspection.clientName));
        item->setText(1, QString::fromStdString(inspection.dwellingAddress));
        item->setText(2, QString::fromStdString(inspection.dwellingCityStateZip));
        item->setText(3, QString::fromStdString(inspection.docNum));
        for (int column = 0; column < 4; ++column)
            item->setToolTip(column, item->text(column));
    }
    ShowDocumentInspection();
    // The current row survives the refill; it still names a row index.
    if (current >= 0 && hadSelection && current < m_list->topLevelItemCount())
        m_list->SetCurrentRow(current);
    else if (current >= 0 && current < m_list->topLevelItemCount())
        m_list->setCurrentItem(m_list->topLevelItem(current), 0, QItemSelectionModel::NoUpdate);
}

void CInspectionOverview::ShowDocumentInspection()
{
    // The inspection the other views work on is written in bold.
    const int current = m_doc.CurrentInspection().m_InspectionID;
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = m_list->topLevelItem(row);
        QFont font = m_list->font();
        font.setBold(item->data(0, Qt::UserRole).toInt() == current);
        for (int column = 0; column < m_list->columnCount(); ++column)
            item->setFont(column, font);
    }
}

void CInspectionOverview::OnClick(int row)
{
    if (row >= 0 && m_doc.SelectInspection(row))
        ShowDocumentInspection();
}

void CInspectionOverview::OnOpen(int row)
{
    if (row < 0)
        return;
    if (m_doc.SelectInspection(row))
        Frame().OnViewInspectionSetup();
}

void CInspectionOverview::OnDuplicateInspection()
{
    const int row = CurrentRow();
    if (row < 0 || row >= m_list->topLevelItemCount())
        return;
    m_busy = true;
    m_doc.OnDuplicateInspection(row);
    m_busy = false;
    Fill();
}

void CInspectionOverview::OnMergeInspection()
{
    if (CurrentRow() < 0) {
        ui::CurrentPort().ask("You must select an inspection before pressing the button.", "Error", ui::Buttons::Ok,
                              ui::Icon::Stop);
        return;
    }
    if (QAction* merge = Frame().Action(cmd::MergeInspection))
        merge->trigger();
}

} // namespace editing::qt
