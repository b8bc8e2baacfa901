#pragma once
// Links a stock comment to a step template.
#include "store/TableRecord.h"

#include <cstdint>
#include <string>

namespace store {

class StepComment : public TableRecord {
public:
    StepComment();
    ~StepComment() override;

    std::int32_t m_StepID = 0;
    std::int32_t m_CommentID = 0;
    std::string m_String2;
};

} // namespace store
