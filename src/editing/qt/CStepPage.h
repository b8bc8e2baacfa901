#pragma once
// A page of the "Step Properties" sheet. The sheet keeps the step being edited
// (a working copy of its record) and the three working texts the pages share:
// the rating, the comment text and the summary comment. Pages fill their
// controls from them when a step is shown and write their controls back before
// the sheet stores the step.
#include <QString>
#include <QWidget>

namespace editing::qt {

class CStepPropertySheet;

class CStepPage : public QWidget {
    Q_OBJECT
public:
    explicit CStepPage(CStepPropertySheet& sheet, QWidget* parent = nullptr) : QWidget(parent), m_sheet(sheet) {}
    ~CStepPage() override = default;

    // The caption of the page's tab.
    virtual QString Caption() const = 0;
    // The sheet shows another step: fill the controls from the working step and texts.
    virtual void LoadStep() = 0;
    // The sheet is about to store the step: write the controls into the working step and texts.
    virtual void StoreStep() = 0;
    // The page became the active page: show what other pages changed meanwhile.
    virtual void Activated() {}

protected:
    CStepPropertySheet& Sheet() const { return m_sheet; }

private:
    CStepPropertySheet& m_sheet;
};

} // namespace editing::qt
