#pragma once
// One choice of a rating scale, with the flags that decide how reports print it.
#include "store/TableRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace store {

class RatingChoices : public TableRecord {
public:
    RatingChoices();
    ~RatingChoices() override;
    bool OpenByType(const std::string& ratingType);
    bool OpenByTypeAndName(const std::string& ratingType, const std::string& choiceName);
    // The choice preset by Apply Defaults.
    bool OpenDefaultByType(const std::string& ratingType);
    bool OpenBold();
    bool OpenRed();
    bool OpenSummary();
    // The choice names of the rows opened, in their order.
    std::vector<std::string> Names();

    std::int32_t m_ID = 0;
    std::int32_t m_RatingTypeID = 0;
    std::string m_ChoiceName;
    std::int32_t m_DefaultFlag = 0;
    std::int32_t m_BoldFlag = 0;
    std::int32_t m_CommentRequired = 0;
    std::int32_t m_SummaryFlag = 0;
    std::int32_t m_OmitFlag = 0;
    std::int32_t m_RedFlag = 0;
};

} // namespace store
