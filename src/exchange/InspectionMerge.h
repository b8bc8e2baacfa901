#pragma once
// Folds a staged (imported) inspection into an inspection of the working
// tables. Staged categories are matched to the working inspection's categories
// by title, staged steps to the working category's steps by title (exact,
// letter case counts, the first in number order wins); what has no counterpart
// is added; what is matched is overwritten only while the working data is
// untouched: a category until it is marked complete, a step until it has a
// rating, a comment or materials. The header of the staged inspection (client,
// address and so on) is not merged. The staged rows are deleted as they are
// merged, and a merge lands whole or not at all.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace exchange {

struct MergeOutcome {
    bool merged = false;
    bool cancelled = false;
    int categoriesAdded = 0;   // staged categories that matched no working category
    int categoriesUpdated = 0; // working categories that took the staged category's fields
    int categoriesKept = 0;    // working categories marked complete, left as they were
    int stepsAdded = 0;
    int stepsUpdated = 0;
    int stepsKept = 0;         // working steps already rated, commented or with materials
    int createdInspectionID = -1; // the inspection MergeIntoNew made, or -1
};

class InspectionMerge {
public:
    // Merges staged inspection `stagedInspectionID` into working inspection
    // `workingInspectionID`, then deletes the staged inspection. Shows a
    // message and changes nothing when either is missing or a database error
    // occurs; changes nothing when the user cancels.
    bool Merge(int workingInspectionID, int stagedInspectionID);

    // Merges one staged category into the working inspection's category of the
    // same title, adding that category when there is none.
    bool MergeCategory(int stagedCategoryID, int workingInspectionID);
    // Takes the staged category's fields into an untouched working category,
    // merges every staged step into the working category, deletes the staged steps.
    bool MergeSteps(int workingCategoryID, int stagedCategoryID);
    // Takes every field of the staged step (but its identifier and category)
    // into the working step when that step is untouched.
    bool MergeStep(int workingStepID, int stagedStepID);

    // Makes a working inspection from the staged header (Doc # `docNumber`,
    // client, addresses, agent, real estate company, doc type and its ID,
    // date), then merges the staged inspection into it, in one transaction:
    // a failure or Cancel leaves neither. Refuses, with a message, an empty
    // Doc # or one already in use.
    bool MergeIntoNew(int stagedInspectionID, const std::string& docNumber);
    // `docNumber` when it is free, otherwise the first free "docNumber (n)".
    static std::string FreeDocNumber(const std::string& docNumber);

    const MergeOutcome& Outcome() const { return m_outcome; }

private:
    MergeOutcome m_outcome;
    // The working inspection's categories by title with their numbers, read
    // once per merge and kept as it changes them, so that each staged category
    // finds its counterpart without reading them all again.
    struct WorkingCategory {
        std::string number;
        int categoryID;
    };
    int m_indexedInspection = -1;
    std::unordered_map<std::string, std::vector<WorkingCategory>> m_categoriesByTitle;
};

} // namespace exchange
