#pragma once
// A category template: the room or building system an inspection's category is made from.
#include "store/TableRecord.h"

#include <cstdint>
#include <string>

namespace store {

class CategoryTemplate : public TableRecord {
public:
    CategoryTemplate();
    ~CategoryTemplate() override;
    // The category templates of a document type, by its name, in the order the database returns them.
    bool OpenByDocType(const std::string& docTypeName);

    std::int32_t m_ID = 0;
    std::string m_CategoryName;
    std::int32_t m_CategoryNumber = 0;
    std::string m_String3;
    std::string m_DefComments;
    std::int32_t m_FormType = 0;
    std::int32_t m_ExcludeFromApplyDefault = 0;
};

} // namespace store
