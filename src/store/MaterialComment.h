#pragma once
// Links a stock comment to a material template.
#include "store/TableRecord.h"

#include <cstdint>
#include <string>

namespace store {

class MaterialComment : public TableRecord {
public:
    MaterialComment();
    ~MaterialComment() override;

    std::int32_t m_MaterialID = 0;
    std::int32_t m_CommentID = 0;
    std::string m_String2;
};

} // namespace store
