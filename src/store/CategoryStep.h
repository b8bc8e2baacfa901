#pragma once
// Which step templates a category template has.
#include "store/TableRecord.h"

#include <cstdint>
#include <string>

namespace store {

class CategoryStep : public TableRecord {
public:
    CategoryStep();
    ~CategoryStep() override;

    std::int32_t m_CategoryID = 0;
    std::int32_t m_StepID = 0;
};

} // namespace store
