#pragma once
// An extra labelled field of a form-type category template.
#include "store/TableRecord.h"

#include <cstdint>
#include <string>

namespace store {

class FieldTemplate : public TableRecord {
public:
    FieldTemplate();
    ~FieldTemplate() override;
    bool OpenByCategory(int categoryTemplateID);

    std::int32_t m_ID = 0;
    std::string m_Label;
    std::int32_t m_Type = 0;
    std::int32_t m_Sequence = 0;
    std::int32_t m_CategoryID = 0;
};

} // namespace store
