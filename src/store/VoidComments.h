#pragma once
// A material and a stock comment that no longer applies once the material is checked.
#include "store/TableRecord.h"

#include <cstdint>
#include <string>

namespace store {

class VoidComments : public TableRecord {
public:
    VoidComments();
    ~VoidComments() override;

    std::int32_t m_MaterialID = 0;
    std::int32_t m_CommentID = 0;
};

} // namespace store
