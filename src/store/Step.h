#pragma once
// One step of a category: an item inspected, with its rating, comment,
// materials and picture.
#include "store/TableRecord.h"
#include "store/UniqueID.h"

#include <cstdint>
#include <string>

namespace store {

class Step : public TableRecord {
public:
    Step();
    ~Step() override;

    bool OpenByCategory(int categoryID);
    bool DeleteByCategory(int categoryID);
    bool OpenByID(int stepID);
    // Steps with a comment, materials or a rating.
    bool OpenFilledByCategory(int categoryID);
    // Steps with none of the three.
    bool OpenEmptyByCategory(int categoryID);
    bool OpenCommentedByInspection(int inspectionID);
    bool OpenCommentedByInspectionAndRating(int inspectionID, const std::string& rating);
    bool OpenByInspectionMajorSystem(int inspectionID);
    bool OpenByInspection(int inspectionID);
    // Starts a new step with an identifier from the reserved block or the counter.
    void New();
    void ReserveIDs(int count);

    std::int32_t m_StepID = 0;
    std::string m_StepNumber;
    std::string m_StepTitle;
    std::int32_t m_CategoryID = 0;
    std::string m_InspectResult;
    std::string m_Comments;
    std::string m_Materials;
    std::string m_StepRatingType;
    std::string m_String8;
    std::string m_MaterialList;
    std::int32_t m_StepTemplateID = 0;
    std::int32_t m_YesNo11 = 0;
    std::string m_MajorSystem;
    std::int32_t m_StepInfoExists = 0;
    std::string m_SummaryComment;
    std::string m_BitmapPath;
    std::int32_t m_PictureBefore = 0;

protected:
    explicit Step(const char* table);

private:
    ReservedBlock m_reserved;
};

// The staging copy of an imported step.
class MERGE_Step : public Step {
public:
    MERGE_Step();
    ~MERGE_Step() override;
};

} // namespace store
