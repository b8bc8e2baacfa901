#pragma once
// The "Info" page of the step sheet: the guidance text the step's template
// carries, for reading only; edits in the field are dropped when the page is left.
#include "editing/qt/CStepPage.h"

class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace editing::qt {

class CStepInfoPage : public CStepPage {
    Q_OBJECT
public:
    explicit CStepInfoPage(CStepPropertySheet& sheet, QWidget* parent = nullptr);

    // The sheet's tab; the step list and the options call the page "Info".
    QString Caption() const override { return QStringLiteral("CC / Info"); }
    void LoadStep() override;
    void StoreStep() override {}
    void Activated() override;

    QPlainTextEdit* InfoEdit() const { return m_info; }
    QComboBox* RatingCombo() const { return m_rating; }
    QPushButton* PreviousButton() const { return m_previous; }
    QPushButton* NextButton() const { return m_next; }

private:
    void Refresh();
    void Move(int by);

    QPlainTextEdit* m_info;
    QComboBox* m_rating;
    QPushButton* m_previous;
    QPushButton* m_next;
};

} // namespace editing::qt
