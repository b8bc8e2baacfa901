#pragma once
// One category of an inspection: a room or a building system.
#include "store/TableRecord.h"
#include "store/UniqueID.h"

#include <cstdint>
#include <string>

namespace store {

class Category : public TableRecord {
public:
    Category();
    ~Category() override;

    bool OpenByInspection(int inspectionID);
    bool DeleteByInspection(int inspectionID);
    bool OpenByID(int categoryID);
    // Categories with this number in any inspection.
    bool OpenByNumber(int number);
    bool OpenByTemplate(int inspectionID, int categoryTemplateID);
    // The categories with a commented, rated or material-checked step, once per such step.
    bool OpenReportedByInspection(int inspectionID);
    // Starts a new category with an identifier from the reserved block or the counter.
    void New();
    void ReserveIDs(int count);

    std::int32_t m_CategoryID = 0;
    std::string m_CategoryTitle;
    std::string m_CategoryNumber;
    std::string m_String3;
    std::string m_CategoryComments;
    std::int32_t m_CategoryComplete = 0;
    std::int32_t m_CategoryNotPresent = 0;
    std::int32_t m_InspectionID = 0;
    std::int32_t m_CategoryTemplateID = 0;
    std::int32_t m_Type = 0;

protected:
    Category(const char* table, const char* counter);

private:
    std::string m_counter;
    ReservedBlock m_reserved;
};

// The staging copy of an imported category.
class MERGE_Category : public Category {
public:
    MERGE_Category();
    ~MERGE_Category() override;
};

} // namespace store
