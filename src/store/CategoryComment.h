#pragma once
// Links a stock comment to a category template.
#include "store/TableRecord.h"

#include <cstdint>
#include <string>

namespace store {

class CategoryComment : public TableRecord {
public:
    CategoryComment();
    ~CategoryComment() override;

    std::int32_t m_CategoryID = 0;
    std::int32_t m_CommentID = 0;
    std::string m_String2;
};

} // namespace store
