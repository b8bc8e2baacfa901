#include "editing/qt/CStepInfoPage.h"

#include "editing/qt/CStepPropertySheet.h"
#include "store/StepTemplate.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace editing::qt {

CStepInfoPage::CStepInfoPage(CStepPropertySheet& sheet, QWidget* parent) : CStepPage(sheet, parent)
{
    setObjectName(QStringLiteral("infoPage"));
    m_info = new QPlainTextEdit(this);
    m_info->setObjectName(QStringLiteral("info"));
    m_rating = new QComboBox(this);
    m_rating->setObjectName(QStringLiteral("rating"));
    m_rating->setFont(QFont(QStringLiteral("Arial"), 14));
    m_rating->setMaxVisibleItems(20);
    m_previous = new QPushButton(QStringLiteral("<<"), this);
    m_previous->setObjectName(QStringLiteral("previous"));
    m_next = new QPushButton(QStringLiteral(">>"), this);
    m_next->setObjectName(QStringLiteral("next"));

    connect(m_rating, &QComboBox::activated, this, [this] { Sheet().Rating() = CStepPropertySheet::ChosenRating(m_rating); });
    connect(m_previous, &QPushButton::clicked, this, [this] { Move(-1); });
    connect(m_next, &QPushButton::clicked, this, [this] { Move(1); });

    auto* ratingGroup = new QGroupBox(QStringLiteral("Rating"), this);
    (new QVBoxLayout(ratingGroup))->addWidget(m_rating);
    auto* navigator = new QGroupBox(QStringLiteral("Navigator"), this);
    auto* arrows = new QHBoxLayout(navigator);
    arrows->addWidget(m_previous);
    arrows->addWidget(m_next);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(ratingGroup, 1);
    bottom->addWidget(navigator);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_info, 1);
    layout->addLayout(bottom);
}

void CStepInfoPage::LoadStep()
{
    Refresh();
}

void CStepInfoPage::Activated()
{
    Refresh();
}

void CStepInfoPage::Refresh()
{
    const store::Step& step = Sheet().WorkingStep();
    // The template's text is shown afresh every time: edits here are not kept.
    std::string text;
    store::StepTemplate stepTemplate;
    if (stepTemplate.OpenByID(step.m_StepTemplateID) && stepTemplate.GetCount() > 0) {
        stepTemplate.Read(0);
        text = stepTemplate.m_StepInfo;
    }
    m_info->setPlainText(QString::fromStdString(text));
    CStepPropertySheet::FillRatingCombo(m_rating, step.m_StepRatingType, Sheet().Rating());
    m_previous->setEnabled(Sheet().CurrentIndex() > 0);
    m_next->setEnabled(Sheet().CurrentIndex() + 1 < Sheet().StepCount());
}

void CStepInfoPage::Move(int by)
{
    const int index = Sheet().CurrentIndex() + by;
    if (index < 0 || index >= Sheet().StepCount())
        return;
    Sheet().SetStepByIndex(index);
}

} // namespace editing::qt
