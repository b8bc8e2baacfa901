#pragma once
// A text shortcut and the text it expands to.
#include "store/TableRecord.h"

#include <cstdint>
#include <string>

namespace store {

class ExpandedText : public TableRecord {
public:
    ExpandedText();
    ~ExpandedText() override;

    std::string m_ShortCut;
    std::string m_Expanded;
    std::int32_t m_ID = 0;
};

} // namespace store
