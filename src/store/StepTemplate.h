#pragma once
// A step template: an item to look at, with its rating scale, guidance and major-system key.
#include "store/TableRecord.h"

#include <cstdint>
#include <string>

namespace store {

class StepTemplate : public TableRecord {
public:
    StepTemplate();
    ~StepTemplate() override;
    bool OpenByCategoryTemplate(int categoryTemplateID);
    bool OpenByID(int id);

    std::int32_t m_ID = 0;
    std::string m_StepName;
    std::string m_StepNumber;
    std::int32_t m_RatingTypeID = 0;
    std::string m_StepInfo;
    std::string m_Keyword;
};

} // namespace store
