#pragma once
// An extra labelled value of a category (the fields of a form-type category).
#include "store/TableRecord.h"
#include "store/UniqueID.h"

#include <cstdint>
#include <string>

namespace store {

class Field : public TableRecord {
public:
    Field();
    ~Field() override;
    bool OpenByCategory(int categoryID);
    bool DeleteByCategory(int categoryID);
    // Starts a new field with an identifier from the reserved block or the counter "Field".
    void New();
    void ReserveIDs(int count);

    private:
        ReservedBlock m_reserved;
    public:

    std::int32_t m_ID = 0;
    std::int32_t m_CategoryID = 0;
    std::string m_AssignedValue;
    std::int32_t m_SequenceNumber = 0;
    std::int32_t m_FieldType = 0;
    std::string m_FieldLabel;
};

} // namespace store
