#pragma once
// Which category templates a document type uses.
#include "store/TableRecord.h"

#include <cstdint>
#include <string>

namespace store {

class InspectionTypeCategory : public TableRecord {
public:
    InspectionTypeCategory();
    ~InspectionTypeCategory() override;

    std::int32_t m_InspectionTypeID = 0;
    std::int32_t m_CategoryID = 0;
};

} // namespace store
