#pragma once
// One entry of a user-editable pick list.
#include "store/TableRecord.h"

#include <cstdint>
#include <string>

namespace store {

class Pickers : public TableRecord {
public:
    Pickers();
    ~Pickers() override;
    bool OpenByName(const std::string& listName);
    bool DeleteByName(const std::string& listName);
    // Starts a new entry with an identifier from the template counter "Pickers".
    void New();

    std::string m_PickerName;
    std::string m_PickerChoice;
    std::int32_t m_ID = 0;
};

} // namespace store
