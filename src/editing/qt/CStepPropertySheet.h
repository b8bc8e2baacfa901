#pragma once
// The "Step Properties" sheet: a modal dialog whose pages edit one step of a
// category and move from step to step of that category without closing.
// Pages, in fixed order: materials (only for a step whose template has
// materials), comments, picture, step information. The materials and comments
// pages come from factories registered by their feature; until then the sheet
// shows the pages it has.
#include "editing/StepList.h"
#include "store/Inspection.h"
#include "store/Step.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QTabWidget;

namespace app {
class CInspectorDoc;
}

namespace editing::qt {

class CStepPage;
class CPicturePage;
class CStepInfoPage;

class CStepPropertySheet : public QDialog {
    Q_OBJECT
public:
    using PageFactory = std::function<CStepPage*(CStepPropertySheet&)>;

    // Page kinds, in the order the pages appear.
    enum PageKind { kMaterialsPage = 0, kCommentsPage = 1, kPicturePage = 2, kInfoPage = 3 };

    // Registers the factories of the materials and comments pages (either may be empty).
    static void SetPageFactories(PageFactory materials, PageFactory comments);

    CStepPropertySheet(app::CInspectorDoc& doc, QWidget* parent = nullptr);
    ~CStepPropertySheet() override;

    // The steps the sheet moves through (identifiers in list order); shows the
    // step at `firstIndex` on the first page.
    void SetSteps(std::vector<int> stepIDs, int firstIndex);
    // Makes the page of `page` active, or the first page when the sheet has none such.
    void ShowPage(editing::SheetPage page);
    // Runs the sheet modally: 1 when a page ended it with OK (SaveAndClose), else 0.
    int Run();

    // The record of the current step: a working copy read when the step is shown; the sheet saves it.
    store::Step& WorkingStep();
    // The three working texts shared by the pages. When the step is stored they
    // become its InspectResult, Comments and SummaryComment (after every page's
    // StoreStep), so a page keeps these texts here, not in WorkingStep().
    std::string& Rating();
    std::string& CommentText();
    std::string& SummaryComment();
    // The current inspection (the materials page keeps MaterialVoids on it and saves it).
    store::Inspection& CurrentInspection();

    int CurrentIndex() const;
    int StepCount() const;
    // Stores the step being left, then shows the step at `index`.
    void SetStepByIndex(int index);
    // A page's OK: stores the current step and ends the sheet with 1. The sheet
    // stays open when the step cannot be stored.
    void SaveAndClose();
    // Whether the current step's page set includes the materials page.
    bool HasMaterialsPage() const;

    // Pages shown, by position.
    int PageCount() const;
    CStepPage* Page(int index) const;
    int ActivePageIndex() const;
    void SetActivePage(int index);
    // The page of a kind, null when the sheet has none.
    CStepPage* PageOfKind(PageKind kind) const;
    QTabWidget* Tabs() const { return m_tabs; }

    // The rating combo box of a page: the step's rating entries, the entry of
    // `rating` selected (none when it is not offered).
    static void FillRatingCombo(QComboBox* combo, const std::string& ratingType, const std::string& rating);
    // The rating a page's combo box now stands for; choosing "<clear>" empties
    // the box's selection and gives the empty rating.
    static std::string ChosenRating(QComboBox* combo);

    // Cancel, Escape and the close button: when a page holds changes not yet
    // stored, asks whether to save them, discard them or go on editing.
    void reject() override;

private:
    // What the sheet would store for the current step.
    struct StoredFields {
        std::string rating, comment, summary, materials, picture;
        bool pictureBefore = false;
        bool operator==(const StoredFields&) const = default;
    };
    StoredFields Fields() const;
    // One size for every page and step, within the main window.
    void FitSize();
    bool StoreCurrent();
    bool LoadCurrent(bool first);
    void RebuildPages(bool withMaterials);
    std::vector<CStepPage*> ShownPages() const;

    app::CInspectorDoc& m_doc;
    QTabWidget* m_tabs;
    std::vector<int> m_stepIDs;
    int m_index = -1;
    int m_result = 0;
    bool m_hasMaterials = false;
    store::Step m_step;
    StoredFields m_loaded; // the current step as it was shown
    std::string m_rating;
    std::string m_comment;
    std::string m_summary;
    CStepPage* m_materials = nullptr;
    CStepPage* m_comments = nullptr;
    CPicturePage* m_picture = nullptr;
    CStepInfoPage* m_info = nullptr;
};

} // namespace editing::qt
