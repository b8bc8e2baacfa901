#include "editing/qt/StepListCtrlView.h"

#include "app/CInspectorDoc.h"
#include "app/DocumentRules.h"
#include "app/qt/CMainFrame.h"
#include "editing/qt/CStepListCtrl.h"
#include "editing/qt/CStepPropertySheet.h"
#include "editing/qt/ViewTitle.h"
#include "ui/qt/ElidedLabel.h"
#include "store/Category.h"
#include "store/Options.h"
#include "ui/Port.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace editing::qt {

StepListCtrlView::StepListCtrlView(app::qt::CMainFrame& frame, app::CInspectorDoc& doc, QWidget* parent)
    : CView(frame, parent), m_doc(doc)
{
    setObjectName(QStringLiteral("stepList"));
    m_header = MakeViewTitle(QStringLiteral("Steps: "), this);
    m_header->setObjectName(QStringLiteral("header"));
    m_address = new ui::qt::ElidedLabel({}, this);
    m_address->setObjectName(QStringLiteral("address"));
    m_address->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_list = new CStepListCtrl(this);
    m_list->setObjectName(QStringLiteral("list"));

    m_back = new QPushButton(QStringLiteral("Back To Categories"), this);
    m_back->setObjectName(QStringLiteral("backToCategories"));
    m_duplicate = new QPushButton(QStringLiteral("Duplicate Step..."), this);
    m_duplicate->setObjectName(QStringLiteral("duplicateStep"));
    m_defaults = new QPushButton(QStringLiteral("Apply Defaults"), this);
    m_defaults->setObjectName(QStringLiteral("applyDefaults"));

    connect(m_back, &QPushButton::clicked, this, &StepListCtrlView::OnBackToCategories);
    connect(m_duplicate, &QPushButton::clicked, this, &StepListCtrlView::OnDuplicateStep);
    connect(m_defaults, &QPushButton::clicked, this, &StepListCtrlView::OnApplyDefaults);
    connect(m_list, &CStepListCtrl::RowClicked, this, &StepListCtrlView::OnRowClicked);
    connect(m_list, &CStepListCtrl::RowDoubleClicked, this, &StepListCtrlView::OnRowDoubleClicked);
    connect(m_list, &CStepListCtrl::RatingChosen, this, &StepListCtrlView::OnRatingChosen);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_duplicate);
    buttons->addWidget(m_defaults);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_header);
    layout->addWidget(m_address);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    setFocusProxy(m_list);
}

void StepListCtrlView::OnActivateView(bool activate)
{
    if (!activate)
        return;
    if (m_doc.SelectedCategoryID() != m_categoryID)
        Refill();
    else
        // The same category again: its steps may have changed meanwhile (Set All Defaults).
        RefreshAllRows();
}

void StepListCtrlView::Refill()
{
    m_categoryID = m_doc.SelectedCategoryID();
    m_list->DeleteAllRows();

    const store::Inspection& inspection = m_doc.CurrentInspection();
    m_address->setText(
        QString::fromStdString(app::AddressLine(inspection.m_DwellingAddress, inspection.m_DwellingCityStateZip)));

    store::Category category;
    const bool found = m_categoryID >= 0 && category.OpenByID(m_categoryID) && category.GetCount() > 0;
    if (found)
        category.Read(0);
    m_header->setText(QStringLiteral("Steps: ") + (found ? QString::fromStdString(category.m_CategoryTitle) : QString()));
    if (!found)
        return;

    store::Step& steps = m_doc.StepSelection();
    steps.OpenByCategory(m_categoryID);
    if (steps.GetCount() == 0) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_doc.CreateStepsFromTemplates(category.m_CategoryTemplateID, m_categoryID);
        QApplication::restoreOverrideCursor();
        steps.OpenByCategory(m_categoryID);
    }

    const bool showNumbers = store::Options().m_YesNo37 != 0;
    editing::RatingEntriesCache ratings;
    for (int i = 0; i < steps.GetCount(); ++i) {
        steps.Read(i);
        const editing::StepRowStatus status =
            editing::RowStatus(steps, !steps.m_Materials.empty() || editing::TemplateHasMaterials(steps.m_StepTemplateID));
        m_list->AddRow(steps, status, ratings.Entries(steps.m_StepRatingType), showNumbers);
    }
    m_list->FitColumns();
}

void StepListCtrlView::RefreshRow(int row)
{
    store::Step step;
    if (!step.OpenByID(m_list->StepID(row)) || step.GetCount() == 0)
        return;
    step.Read(0);
    m_list->RefreshRow(row, step);
}

void StepListCtrlView::RefreshAllRows()
{
    for (int row = 0; row < m_list->topLevelItemCount(); ++row)
        RefreshRow(row);
}

void StepListCtrlView::OnBackToCategories()
{
    Frame().ShowView(app::qt::kViewCategoryList);
}

int StepListCtrlView::OpenSheet(int row, editing::SheetPage page)
{
    if (!m_list->topLevelItem(row))
        return 0;
    CStepPropertySheet sheet(m_doc, window());
    sheet.SetSteps(m_list->StepIDs(), row);
    sheet.ShowPage(page);
    const int result = sheet.Run();
    RefreshAllRows();
    return result;
}

void StepListCtrlView::OnRowClicked(int row, int column)
{
    if (column == CStepListCtrl::kRating) {
        m_list->ShowRatingCombo(row);
        return;
    }
    const bool hasMaterials = m_list->StatusText(row, CStepListCtrl::kMaterials) !=
                              QString::fromStdString(editing::kStatusNone);
    const editing::SheetPage page = editing::PageForColumn(column, hasMaterials);
    if (page != editing::SheetPage::None)
        OpenSheet(row, page);
}

void StepListCtrlView::OnRowDoubleClicked(int row, int column)
{
    if (column != CStepListCtrl::kName)
        return;
    const bool hasMaterials = m_list->StatusText(row, CStepListCtrl::kMaterials) !=
                              QString::fromStdString(editing::kStatusNone);
    OpenSheet(row, editing::PageForDoubleClick(store::Options().m_DefStepTab, hasMaterials));
}

void StepListCtrlView::OnRatingChosen(int row)
{
    QComboBox* combo = m_list->RatingCombo(row);
    if (!combo)
        return;
    // "<clear>" (and the placeholder "<no ratings>") stand for no rating.
    const std::string rating = editing::RatingOfEntry(combo->currentText().toStdString());
    store::Step step;
    if (!step.OpenByID(m_list->StepID(row)) || step.GetCount() == 0)
        return;
    step.Read(0);
    step.m_InspectResult = rating;
    const bool saved = step.Save() && editing::RecomputeCategoryComplete(step.m_CategoryID);
    // The list shows what is stored, also when saving failed.
    RefreshRow(row);
    if (saved && editing::RatingRequiresComment(step.m_StepRatingType, rating))
        OpenSheet(row, editing::SheetPage::Comments);
}

void StepListCtrlView::OnDuplicateStep()
{
    const int row = m_list->CurrentRow();
    if (!m_list->topLevelItem(row))
        return;
    std::vector<std::string> titles;
    std::string title;
    store::Step& steps = m_doc.StepSelection();
    steps.OpenByCategory(m_categoryID);
    for (int i = 0; i < steps.GetCount(); ++i) {
        steps.Read(i);
        titles.push_back(steps.m_StepTitle);
        if (steps.m_StepID == m_list->StepID(row))
            title = steps.m_StepTitle;
    }
    const editing::StepDuplicateProposal proposal = editing::ProposeStepDuplicate(title, titles);
    const auto name = ui::CurrentPort().askText("Duplicate Step", "Enter the name for the new duplicated step:",
                                                proposal.name);
    if (!name || name->empty())
        return;
    if (!editing::DuplicateStep(m_list->StepID(row), *name, proposal.count))
        return;
    Refill();
}

void StepListCtrlView::OnApplyDefaults()
{
    if (m_categoryID < 0)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    editing::ApplyCategoryDefaults(m_categoryID);
    QApplication::restoreOverrideCursor();
    RefreshAllRows();
}

void InstallStepList(app::qt::CMainFrame& frame, app::CInspectorDoc& doc)
{
    frame.SetViewFactory(app::qt::kViewStepList,
                         [&doc](app::qt::CMainFrame& f) { return new StepListCtrlView(f, doc); });
}

} // namespace editing::qt
