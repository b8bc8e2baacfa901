#pragma once
// The one document of the program. It loads and saves no file: it stands on the
// current inspection of the inspection database, keeps the category and step
// selections of that inspection and carries out every operation that creates,
// seeds, copies or removes inspection data. Views pass row indexes, never
// identifiers; the document tells the frame what to show through its observer.
#include "store/Category.h"
#include "store/Inspection.h"
#include "store/Step.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace app {

// The views of the main frame, by number.
enum ViewNumber : int {
    kInspectionSetupView = 1,
    kCategoryListView = 2,
    kStepListView = 3,
    kInspectionListView = 4,
    kReviewCommentsView = 5,
    kCategoryFormView = 6,
    kHtmlView = 7,
};

// One row of the inspection list.
struct InspectionSummary {
    int row = 0;
    int inspectionID = 0;
    std::string clientName;
    std::string dwellingAddress;
    std::string dwellingCityStateZip;
    std::string docNum;
    std::string docType;
};

// What the "Duplicate Category" dialog proposes for a category.
struct DuplicateProposal {
    std::string baseName;  // the title without its " #n" ending
    int copyNumber = 1;    // categories of the same template in the inspection, plus one
    std::string name;      // "%s #%d" of base name and copy number
};

// What Set All Defaults did.
struct DefaultsSummary {
    int categories = 0;        // categories worked on
    int excluded = 0;          // categories whose template excludes them
    int stepsSeeded = 0;       // steps made for categories that had none
    int stepsDefaulted = 0;    // steps that had no rating and were given the defaults
};

class CInspectorDoc {
public:
    // What the document asks of the frame and its views.
    struct Observer {
        std::function<void(int view)> showView;      // make view N the active view
        std::function<void()> showInspection;        // the active view shows the current inspection
        std::function<void()> inspectionListChanged; // the inspection list fills itself again
        std::function<void()> viewMenuChanged;       // the View menu follows a new category set
    };

    // Opens the inspection set on all rows, creating one empty inspection when
    // the database has none, and stands on row 0. Both databases must be open.
    CInspectorDoc();
    ~CInspectorDoc();
    CInspectorDoc(const CInspectorDoc&) = delete;
    CInspectorDoc& operator=(const CInspectorDoc&) = delete;

    // The document of the process, or nullptr when none exists.
    static CInspectorDoc* Current();

    void SetObserver(Observer observer) { m_observer = std::move(observer); }

    // The framework's new-document call: the first time it shows the current
    // inspection, afterwards it creates a new inspection.
    bool OnNewDocument();
    // Adds an empty inspection, stands on it and shows it in the setup view.
    void NewInspection();
    // Asks first ("Warning"), then NewInspection on Yes.
    void ConfirmNewInspection();

    // The inspection set.
    int GetInspectionCount() const;
    int CurrentInspectionRow() const { return m_inspectionRow; }
    // The current inspection; views edit its members and call SaveInspection.
    store::Inspection& CurrentInspection() { return *m_inspections; }
    const store::Inspection& CurrentInspection() const { return *m_inspections; }
    bool SaveInspection();
    // Every inspection in the order of the inspection set (row i is row i).
    std::vector<InspectionSummary> InspectionList() const;
    // Opens the set again and stands on row `row`; false (with a message) past the end.
    bool SelectInspection(int row);
    // Stands on the inspection `inspectionID` (the one last worked on, at
    // start-up); false, staying where it is, when there is none.
    bool SelectInspectionByID(int inspectionID);

    // The category selection: the categories of the current inspection by
    // CategoryNumber, then CategoryTitle. Filled on demand.
    int GetCategoryCount();
    store::Category& CategorySelection() { return *m_categories; }
    // Stands the selection on `row` and returns it, or nullptr when there is no such row.
    store::Category* StandOnCategory(int row);
    int CurrentCategoryRow() const { return m_categoryRow; }
    void FillCategorySelection();
    void EmptyCategorySelection();
    // Stands on category `row` and fills the step selection with its steps.
    bool SelectCategory(int row);

    // The step selection: the steps of the selected category by StepNumber.
    store::Step& StepSelection() { return *m_steps; }
    int GetStepCount() const { return m_steps->GetCount(); }
    int SelectedCategoryID() const { return m_stepsCategoryID; }

    // The top row of the category list, kept between visits to the list.
    int CategoryListTopRow() const { return m_categoryListTopRow; }
    void SetCategoryListTopRow(int row) { m_categoryListTopRow = row; }

    // The setup view's question before a document type change replaces the
    // categories ("Data Alert"). True when the change may go ahead.
    bool ConfirmDocTypeChange(const std::string& oldType, const std::string& newType);
    // Sets the document type of the current inspection and makes its categories
    // afresh from the templates of that type, all in one transaction. The
    // inspection row is saved with it.
    bool ChangeDocType(const std::string& name);
    // Document type changes run to their end before ChangeDocType returns.
    void WaitForDocTypeChange() {}
    // The exact name of the document type `name` (letter case ignored), or nothing.
    static std::optional<std::string> FindDocType(const std::string& name);

    // Makes the steps of a category from its template; returns how many it made.
    int CreateStepsFromTemplates(int categoryTemplateID, int categoryID);
    // Makes the fields of a form category from its template; returns how many.
    int CreateFieldsFromTemplates(int categoryTemplateID, int categoryID);
    // Seeds every category of the current inspection that has nothing yet, as
    // opening each one would (fields for form categories, steps for the
    // others). Returns the number of rows made, or -1 on failure.
    int SeedAllCategories();

    DuplicateProposal ProposeDuplicate(int row);
    // Adds `howMany` categories made from the template of category `row`.
    bool DuplicateCategory(int row, const std::string& firstName, int n, int howMany, const std::string& baseName);
    // The same, copying the steps (and fields) of category `row` with their data.
    bool DuplicateCategoryWithData(int row, const std::string& firstName, int n, int howMany,
                                   const std::string& baseName);

    // The message for a Doc # in use (store::Inspection::DocNumberInUse).
    static std::string DocNumInUseMessage(const std::string& docNum);

    // Asks for the new Doc # ("Duplicate Inspection"), again while the one
    // typed is in use, and duplicates inspection `row`.
    std::optional<int> OnDuplicateInspection(int row);
    // Copies inspection `row` with its categories, fields and steps under Doc #
    // `docNum`; returns the new InspectionID. The document stays on the source.
    // A Doc # in use is refused with its message.
    std::optional<int> DuplicateInspection(int row, const std::string& docNum);

    // Deletes the steps, fields and categories of the current inspection (not the row).
    bool DeleteInspectionData(bool showProgress);
    // The "Delete Inspection" command: only from the inspection list, one row at a time, after asking.
    bool OnDeleteInspection(bool fromInspectionList, int selectedRows, int row);
    // The "Delete All Inspections" command: asks, deletes everything, starts one new inspection.
    bool OnDeleteAllInspections();

    // The category list's "Set All Defaults": asks, applies, says "Done!".
    std::optional<DefaultsSummary> OnSetAllDefaults();
    // The same without the question and the closing message.
    std::optional<DefaultsSummary> ApplyAllDefaults();

    // Sets CategoryComplete of `category` from its empty steps and saves it.
    static bool UpdateCategoryComplete(store::Category& category);

private:
    void Notify(const std::function<void()>& f) const;
    void ShowView(int view) const;
    // Opens the inspection set again and stands on `row` (clamped), reading it.
    bool ReloadInspections(int row);
    int RowOfInspection(int inspectionID);
    std::optional<int> AddEmptyInspection();
    bool DeleteCurrentInspection();
    bool CreateCategoriesOfDocType(const std::string& name);
    struct StepRow;
    bool AddDuplicatedCategories(int row, const std::string& firstName, int n, int howMany,
                                 const std::string& baseName, bool withData);

    Observer m_observer;
    std::unique_ptr<store::Inspection> m_inspections;
    std::unique_ptr<store::Category> m_categories;
    std::unique_ptr<store::Step> m_steps;
    int m_inspectionRow = -1;
    bool m_categoriesFilled = false;
    int m_categoryRow = -1;
    int m_stepsCategoryID = -1;
    int m_categoryListTopRow = 0;
    bool m_firstTime = true;
    std::string m_pendingDocType;
};

} // namespace app
