#pragma once
// A document type ("Doc Type"): the report layout and, through its links, the category templates of an inspection.
#include "store/TableRecord.h"

#include <cstdint>
#include <string>

namespace store {

class InspectionType : public TableRecord {
public:
    InspectionType();
    ~InspectionType() override;
    bool OpenByID(int id);

    std::int32_t m_ID = 0;
    std::string m_InspectionType;
    std::string m_String2;
    std::string m_String3;
    std::string m_String4;
    std::string m_ReportLayout;
    std::int32_t m_YesNo6 = 0;
    std::int32_t m_Number7 = 0;
};

} // namespace store
