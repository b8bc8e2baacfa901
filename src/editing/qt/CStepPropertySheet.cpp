#include "editing/qt/CStepPropertySheet.h"

#include "app/CInspectorDoc.h"
#include "editing/qt/CPicturePage.h"
#include "editing/qt/CStepInfoPage.h"
#include "editing/qt/CStepPage.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace editing::qt {
namespace {

CStepPropertySheet::PageFactory& MaterialsFactory()
{
    static CStepPropertySheet::PageFactory factory;
    return factory;
}

CStepPropertySheet::PageFactory& CommentsFactory()
{
    static CStepPropertySheet::PageFactory factory;
    return factory;
}

} // namespace

void CStepPropertySheet::SetPageFactories(PageFactory materials, PageFactory comments)
{
    MaterialsFactory() = std::move(materials);
    CommentsFactory() = std::move(comments);
}

CStepPropertySheet::CStepPropertySheet(app::CInspectorDoc& doc, QWidget* parent) : QDialog(parent), m_doc(doc)
{
    setObjectName(QStringLiteral("stepProperties"));
    setWindowTitle(QStringLiteral("Step Properties"));
    setModal(true);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("pages"));
    m_tabs->tabBar()->setFont(QFont(QStringLiteral("Arial"), 14));

    // The sheet makes every page once; the materials page leaves and rejoins
    // the tabs as the steps shown have materials or not.
    if (MaterialsFactory())
        m_materials = MaterialsFactory()(*this);
    if (CommentsFactory())
        m_comments = CommentsFactory()(*this);
    m_picture = new CPicturePage(*this);
    m_info = new CStepInfoPage(*this);
    for (CStepPage* page : {m_materials, m_comments, static_cast<CStepPage*>(m_picture),
                            static_cast<CStepPage*>(m_info)})
        if (page) {
            page->setParent(this);
            page->hide();
        }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CStepPropertySheet::SaveAndClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (CStepPage* page = Page(index); page && m_index >= 0)
            page->Activated();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(buttons);
    // The sheet is sized once (FitSize); a page with more to show, such as a
    // long list of materials, must not make it jump or outgrow the window.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
}

CStepPropertySheet::~CStepPropertySheet() = default;

void CStepPropertySheet::SetSteps(std::vector<int> stepIDs, int firstIndex)
{
    m_stepIDs = std::move(stepIDs);
    m_index = -1;
    SetStepByIndex(firstIndex);
}

void CStepPropertySheet::ShowPage(editing::SheetPage page)
{
    static constexpr PageKind kinds[] = {kMaterialsPage, kCommentsPage, kPicturePage, kInfoPage};
    const int position = page == editing::SheetPage::None ? -1 : m_tabs->indexOf(PageOfKind(kinds[int(page)]));
    SetActivePage(position < 0 ? 0 : position);
}

int CStepPropertySheet::Run()
{
    m_result = 0;
    FitSize();
    exec();
    return m_result;
}

void CStepPropertySheet::FitSize()
{
    // Room for the largest page, the materials page included when it is out
    // of the tabs for the step shown first.
    QSize want = sizeHint();
    if (m_materials && m_tabs->indexOf(m_materials) < 0 && m_tabs->currentWidget())
        want = want.expandedTo(m_materials->sizeHint() + (want - m_tabs->currentWidget()->sizeHint()));
    want = want.expandedTo(QSize(560, 420));
    if (const QWidget* main = parentWidget() ? parentWidget()->window() : nullptr)
        want = want.boundedTo(main->size());
    setMinimumSize(0, 0);
    resize(want);
}

CStepPropertySheet::StoredFields CStepPropertySheet::Fields() const
{
    return {m_rating, m_comment, m_summary, m_step.m_Materials, m_step.m_BitmapPath, m_step.m_PictureBefore != 0};
}

void CStepPropertySheet::reject()
{
    if (m_index >= 0) {
        // The pages write their controls into the working copy; nothing is saved here.
        for (CStepPage* page : ShownPages())
            page->StoreStep();
        if (!(Fields() == m_loaded)) {
            QMessageBox box(QMessageBox::Warning, windowTitle(),
                            QStringLiteral("This step has changes that are not saved yet. Save them?"),
                            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
            box.setDefaultButton(QMessageBox::Save);
            switch (box.exec()) {
            case QMessageBox::Save:
                SaveAndClose();
                return;
            case QMessageBox::Discard:
                break;
            default:
                return; // go on editing
            }
        }
    }
    QDialog::reject();
}

store::Step& CStepPropertySheet::WorkingStep()
{
    return m_step;
}

std::string& CStepPropertySheet::Rating()
{
    return m_rating;
}

std::string& CStepPropertySheet::CommentText()
{
    return m_comment;
}

std::string& CStepPropertySheet::SummaryComment()
{
    return m_summary;
}

store::Inspection& CStepPropertySheet::CurrentInspection()
{
    return m_doc.CurrentInspection();
}

int CStepPropertySheet::CurrentIndex() const
{
    return m_index;
}

int CStepPropertySheet::StepCount() const
{
    return static_cast<int>(m_stepIDs.size());
}

bool CStepPropertySheet::HasMaterialsPage() const
{
    return m_hasMaterials;
}

void CStepPropertySheet::SetStepByIndex(int index)
{
    if (index < 0 || index >= StepCount())
        return;
    const bool first = m_index < 0;
    // A step that cannot be stored stays shown, with the user's work in the pages.
    if (!first && !StoreCurrent())
        return;
    m_index = index;
    LoadCurrent(first);
}

void CStepPropertySheet::SaveAndClose()
{
    if (m_index >= 0 && !StoreCurrent())
        return;
    m_result = 1;
    accept();
}

int CStepPropertySheet::PageCount() const
{
    return m_tabs->count();
}

CStepPage* CStepPropertySheet::Page(int index) const
{
    return qobject_cast<CStepPage*>(m_tabs->widget(index));
}

int CStepPropertySheet::ActivePageIndex() const
{
    return m_tabs->currentIndex();
}

void CStepPropertySheet::SetActivePage(int index)
{
    if (index >= 0 && index < m_tabs->count())
        m_tabs->setCurrentIndex(index);
}

CStepPage* CStepPropertySheet::PageOfKind(PageKind kind) const
{
    CStepPage* page = nullptr;
    switch (kind) {
    case kMaterialsPage:
        page = m_materials;
        break;
    case kCommentsPage:
        page = m_comments;
        break;
    case kPicturePage:
        page = m_picture;
        break;
    case kInfoPage:
        page = m_info;
        break;
    }
    return page && m_tabs->indexOf(page) >= 0 ? page : nullptr;
}

std::vector<CStepPage*> CStepPropertySheet::ShownPages() const
{
    std::vector<CStepPage*> pages;
    for (int i = 0; i < m_tabs->count(); ++i)
        if (CStepPage* page = Page(i))
            pages.push_back(page);
    return pages;
}

bool CStepPropertySheet::StoreCurrent()
{
    // The materials page comes first: its choices may add to the comment text.
    for (CStepPage* page : ShownPages())
        page->StoreStep();
    m_step.m_InspectResult = m_rating;
    m_step.m_Comments = m_comment;
    m_step.m_SummaryComment = m_summary;
    if (!m_step.Save())
        return false;
    return editing::RecomputeCategoryComplete(m_step.m_CategoryID);
}

bool CStepPropertySheet::LoadCurrent(bool first)
{
    if (!m_step.OpenByID(m_stepIDs[m_index]) || m_step.GetCount() == 0)
        return false;
    m_step.Read(0);
    m_rating = m_step.m_InspectResult;
    m_comment = m_step.m_Comments;
    m_summary = m_step.m_SummaryComment;

    const bool withMaterials = m_materials && editing::TemplateHasMaterials(m_step.m_StepTemplateID);
    const bool rebuilt = first || withMaterials != m_hasMaterials;
    {
        const QSignalBlocker quiet(m_tabs);
        if (rebuilt)
            RebuildPages(withMaterials);
        for (CStepPage* page : ShownPages())
            page->LoadStep();
        m_tabs->setCurrentIndex(0);
    }
    if (CStepPage* active = Page(m_tabs->currentIndex()))
        active->Activated();
    setWindowTitle(QString::fromStdString(m_step.m_StepNumber + ". " + m_step.m_StepTitle));
    m_loaded = Fields();
    return true;
}

void CStepPropertySheet::RebuildPages(bool withMaterials)
{
    while (m_tabs->count() > 0)
        m_tabs->removeTab(0);
    m_hasMaterials = withMaterials;
    for (CStepPage* page : {withMaterials ? m_materials : nullptr, m_comments, static_cast<CStepPage*>(m_picture),
                            static_cast<CStepPage*>(m_info)})
        if (page)
            m_tabs->addTab(page, page->Caption());
    // A page out of the tabs stays the sheet's, hidden.
    if (m_materials && !withMaterials) {
        m_materials->setParent(this);
        m_materials->hide();
    }
}

void CStepPropertySheet::FillRatingCombo(QComboBox* combo, const std::string& ratingType, const std::string& rating)
{
    const QSignalBlocker quiet(combo);
    combo->clear();
    for (const std::string& entry : editing::PageRatingEntries(ratingType))
        combo->addItem(QString::fromStdString(entry));
    combo->setCurrentIndex(rating.empty() ? -1 : combo->findText(QString::fromStdString(rating)));
}

std::string CStepPropertySheet::ChosenRating(QComboBox* combo)
{
    const std::string rating = editing::RatingOfEntry(combo->currentText().toStdString());
    if (rating.empty()) {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(-1);
    }
    return rating;
}

} // namespace editing::qt
