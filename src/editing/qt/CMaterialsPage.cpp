#include "editing/qt/CMaterialsPage.h"

#include "editing/StepList.h"
#include "editing/qt/CCommentsPage.h"
#include "editing/qt/CStepPropertySheet.h"
#include "store/Options.h"
#include "store/Step.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace editing::qt {

namespace {
// Check boxes run down a column this many at a time.
constexpr int kRowsPerColumn = 11;

// "Other Material": stays open, with the reason, while the wording cannot be
// stored as one entry of the materials list.
class WordingDlg : public CEnterTextDlg {
public:
    WordingDlg(const editing::PlaceholderPrompt& prompt, QWidget* parent)
        : CEnterTextDlg(QStringLiteral("Other Material"), prompt, parent)
    {
    }
    void accept() override
    {
        if (const auto problem = editing::WordingProblem(Value().toStdString())) {
            QMessageBox::information(this, windowTitle(), QString::fromStdString(*problem));
            return;
        }
        CEnterTextDlg::accept();
    }
};

} // namespace

CMaterialsPage::CMaterialsPage(CStepPropertySheet& sheet, QWidget* parent) : CStepPage(sheet, parent)
{
    m_boxArea = new QWidget(this);
    m_boxArea->setObjectName(QStringLiteral("materials"));
    m_boxLayout = new QGridLayout(m_boxArea);
    m_boxLayout->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    m_rating = new QComboBox(this);
    m_rating->setObjectName(QStringLiteral("rating"));
    m_rating->setFont(QFont(QStringLiteral("Arial"), 14));
    auto* ratingGroup = new QGroupBox(QStringLiteral("Rating"), this);
    (new QVBoxLayout(ratingGroup))->addWidget(m_rating);

    m_previous = new QPushButton(QStringLiteral("<<"), this);
    m_next = new QPushButton(QStringLiteral(">>"), this);
    m_steps = new QComboBox(this);
    m_steps->setObjectName(QStringLiteral("steps"));
    // Wide enough to tell the steps apart by name.
    m_steps->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_steps->setMinimumContentsLength(24);
    auto* navigator = new QGroupBox(QStringLiteral("Navigator"), this);
    auto* navLayout = new QHBoxLayout(navigator);
    navLayout->addWidget(m_previous);
    navLayout->addWidget(m_steps, 1);
    navLayout->addWidget(m_next);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(ratingGroup);
    bottom->addWidget(navigator, 1);
    bottom->addWidget(new QLabel(QStringLiteral("+ - Adds comment"), this));
    auto* multiPick = new QPushButton(QStringLiteral("++"), this);
    multiPick->setAutoDefault(false);
    bottom->addWidget(multiPick);
    connect(multiPick, &QPushButton::clicked, this, &CMaterialsPage::OnMultiPick);
    // Many materials scroll inside the page rather than widening the sheet.
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(m_boxArea);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addLayout(bottom);

    connect(m_rating, &QComboBox::activated, this, [this](int index) {
        const std::string rating = editing::RatingOfEntry(m_rating->itemText(index).toStdString());
        if (rating.empty())
            m_rating->setCurrentIndex(-1);
        Sheet().Rating() = rating;
    });
    connect(m_steps, &QComboBox::activated, this, [this](int index) { GoToStep(index); });
    connect(m_previous, &QPushButton::clicked, this, [this] { GoToStep(Sheet().CurrentIndex() - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { GoToStep(Sheet().CurrentIndex() + 1); });
}

void CMaterialsPage::LoadStep()
{
    store::Step& step = Sheet().WorkingStep();
    m_choices = editing::LoadMaterialChoices(step.m_StepTemplateID);
    step.m_MaterialList = editing::MaterialListText(m_choices);
    m_boxes = editing::MaterialBoxes(m_choices, step.m_Materials);
    BuildBoxes();
    FillSteps();
    FillRatings();
}

void CMaterialsPage::StoreStep()
{
    Sheet().WorkingStep().m_MaterialList = editing::MaterialListText(m_choices);
    Sheet().WorkingStep().m_Materials = editing::MaterialsText(m_boxes);
}

void CMaterialsPage::Activated()
{
    FillRatings();
}

void CMaterialsPage::BuildBoxes()
{
    qDeleteAll(m_checks);
    m_checks.clear();
    const QFont font(QStringLiteral("Arial"), 14);
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        auto* box = new QCheckBox(QString::fromStdString(editing::BoxCaption(m_boxes[i])), m_boxArea);
        box->setFont(font);
        box->setObjectName(QStringLiteral("material%1").arg(i));
        box->setChecked(m_boxes[i].checked);
        m_boxLayout->addWidget(box, static_cast<int>(i) % kRowsPerColumn, static_cast<int>(i) / kRowsPerColumn);
        const int index = static_cast<int>(i);
        connect(box, &QCheckBox::clicked, this, [this, index](bool checked) { OnClicked(index, checked); });
        m_checks.push_back(box);
    }
}

void CMaterialsPage::OnClicked(int index, bool checked)
{
    ApplyCheck(index, checked);
    ReadControls();
}

void CMaterialsPage::OnMultiPick()
{
    std::vector<std::string> names;
    for (const auto& choice : m_choices)
        names.push_back(choice.name);
    CCommentPickerDlg dialog(names, false, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        if (m_boxes[i].checked) {
            m_checks[i]->setChecked(false);
            ApplyCheck(static_cast<int>(i), false);
        }
    for (const auto& name : dialog.Picked()) {
        const auto found = std::find(names.begin(), names.end(), name);
        const int index = static_cast<int>(found - names.begin());
        if (found == names.end() || m_boxes[index].checked)
            continue;
        m_checks[index]->setChecked(true);
        ApplyCheck(index, true);
    }
    ReadControls();
}

void CMaterialsPage::ApplyCheck(int index, bool checked)
{
    editing::MaterialBox& box = m_boxes[index];
    QCheckBox* check = m_checks[index];
    box.checked = checked;
    if (editing::TakesWording(box.material.name)) {
        box.label = box.material.name;
        if (checked) {
            editing::PlaceholderPrompt prompt;
            prompt.label = editing::WordingPrompt(Sheet().WorkingStep().m_StepTitle);
            prompt.choices = editing::WordingChoices(box.material, editing::PickerLists::Load());
            WordingDlg dialog(prompt, this);
            const bool given = dialog.exec() == QDialog::Accepted && !dialog.Value().trimmed().isEmpty();
            if (given) {
                box.label = editing::WordedLabel(box.material.name, dialog.Value().trimmed().toStdString());
            } else {
                // Without a wording the material is not taken.
                box.checked = false;
                check->setChecked(false);
            }
        }
        check->setText(QString::fromStdString(editing::BoxCaption(box)));
    }
    store::Inspection& inspection = Sheet().CurrentInspection();
    const bool listed = box.checked || editing::MaterialCheckedOnOtherStep(inspection.m_InspectionID,
                                                                           Sheet().WorkingStep().m_StepID, box.material);
    inspection.m_MaterialVoids = editing::UpdateMaterialVoids(inspection.m_MaterialVoids, box.material.id, listed);
    inspection.Save();
}

void CMaterialsPage::ReadControls()
{
    store::Step& step = Sheet().WorkingStep();
    step.m_Materials = editing::ReadMaterials(m_boxes, step.m_Materials, Sheet().CommentText(),
                                              store::Options().m_YesNo36 != 0, editing::PickerLists::Load(),
                                              EnterTextAsker(this));
}

void CMaterialsPage::FillRatings()
{
    QSignalBlocker block(m_rating);
    m_rating->clear();
    for (const auto& entry : editing::PageRatingEntries(Sheet().WorkingStep().m_StepRatingType))
        m_rating->addItem(QString::fromStdString(entry));
    const QString rating = QString::fromStdString(Sheet().Rating());
    m_rating->setCurrentIndex(rating.isEmpty() ? -1 : m_rating->findText(rating));
}

void CMaterialsPage::FillSteps()
{
    QSignalBlocker block(m_steps);
    m_steps->clear();
    store::Step steps;
    if (steps.OpenByCategory(Sheet().WorkingStep().m_CategoryID)) {
        for (int i = 0; i < steps.GetCount(); ++i) {
            steps.Read(i);
            m_steps->addItem(QString::fromStdString(steps.m_StepNumber + ". " + steps.m_StepTitle));
        }
    }
    m_steps->setCurrentIndex(Sheet().CurrentIndex());
    m_previous->setEnabled(Sheet().CurrentIndex() > 0);
    m_next->setEnabled(Sheet().CurrentIndex() + 1 < Sheet().StepCount());
}

void CMaterialsPage::GoToStep(int index)
{
    if (index < 0 || index >= Sheet().StepCount() || index == Sheet().CurrentIndex())
        return;
    Sheet().SetStepByIndex(index);
}

} // namespace editing::qt
