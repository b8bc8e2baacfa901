#pragma once
// The "Materials" page of the step sheet: one check box per material of the
// step's template. The checked materials become the step's Materials text; a
// material with the "+" mark adds its comment to the step when it is checked;
// a material whose name ends in ":" takes the inspector's own wording; every
// click keeps the inspection's MaterialVoids list up to date.
#include "editing/MaterialText.h"
#include "editing/qt/CStepPage.h"

#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QPushButton;

namespace editing::qt {

class CStepPropertySheet;

class CMaterialsPage : public CStepPage {
    Q_OBJECT
public:
    explicit CMaterialsPage(CStepPropertySheet& sheet, QWidget* parent = nullptr);

    QString Caption() const override { return QStringLiteral("Materials"); }
    void LoadStep() override;
    void StoreStep() override;
    void Activated() override;

    // The check boxes in material order.
    const std::vector<QCheckBox*>& CheckBoxes() const { return m_checks; }
    QComboBox* RatingCombo() const { return m_rating; }
    QComboBox* StepCombo() const { return m_steps; }

private:
    void BuildBoxes();
    void OnClicked(int index, bool checked);
    // A box's new state: its wording, MaterialVoids; the controls are read by the caller.
    void ApplyCheck(int index, bool checked);
    void OnMultiPick();
    void ReadControls();
    void FillRatings();
    void FillSteps();
    void GoToStep(int index);

    QWidget* m_boxArea;
    QGridLayout* m_boxLayout;
    QComboBox* m_rating;
    QComboBox* m_steps;
    QPushButton* m_previous;
    QPushButton* m_next;
    std::vector<editing::MaterialChoice> m_choices;
    std::vector<editing::MaterialBox> m_boxes;
    std::vector<QCheckBox*> m_checks;
};

} // namespace editing::qt
