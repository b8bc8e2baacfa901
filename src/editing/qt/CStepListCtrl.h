#pragma once
// The list of a category's steps: the step name, the rating (chosen in the row
// through the row's own combo box) and the Materials, Comment, Picture and
// Info status cells, drawn as icons. The list only shows; its view decides
// what a click or a chosen rating does.
#include "editing/StepList.h"
#include "editing/qt/CInspectionListCtrl.h"

#include <string>
#include <vector>

class QComboBox;

namespace editing::qt {

class CStepListCtrl : public CInspectionListCtrl {
    Q_OBJECT
public:
    enum Column { kName = 0, kRating = 1, kMaterials = 2, kComment = 3, kPicture = 4, kInfo = 5 };

    explicit CStepListCtrl(QWidget* parent = nullptr);

    // Removes every row with its combo box.
    void DeleteAllRows();
    // Adds a row for `step`; `ratingEntries` fill its combo box.
    void AddRow(const store::Step& step, const editing::StepRowStatus& status,
                const std::vector<std::string>& ratingEntries, bool showStepNumbers);
    // Shows `step` again in row `row`, keeping what the status rules keep.
    void RefreshRow(int row, const store::Step& step);

    int StepID(int row) const;
    std::vector<int> StepIDs() const;
    editing::StepRowStatus Status(int row) const;
    // "Complete", "Incomplete" or "None" of a status cell.
    QString StatusText(int row, int column) const;
    QComboBox* RatingCombo(int row) const;
    // Places the row's combo box over its rating cell, shown and dropped down.
    void ShowRatingCombo(int row);
    // Shows `rating` in the row's rating cell and selects it in the combo box.
    void ShowRating(int row, const std::string& rating);
    // Widens the name and rating columns to their content, as far as the list
    // has room (never below their first widths); called after a fill and on resize.
    void FitColumns();

signals:
    // The user chose an entry in the combo box of row `row`.
    void RatingChosen(int row);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetStatus(int row, const editing::StepRowStatus& status);

    std::vector<QComboBox*> m_combos;
};

} // namespace editing::qt
