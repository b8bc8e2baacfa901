#pragma once
// Links a stock comment to a document type.
#include "store/TableRecord.h"

#include <cstdint>
#include <string>

namespace store {

class InspectionTypeComment : public TableRecord {
public:
    InspectionTypeComment();
    ~InspectionTypeComment() override;

    std::int32_t m_InspectionTypeID = 0;
    std::int32_t m_CommentID = 0;
    std::string m_String2;
};

} // namespace store
