#pragma once
// A rating scale; its choices are RatingChoices rows.
#include "store/TableRecord.h"

#include <cstdint>
#include <string>

namespace store {

class RatingType : public TableRecord {
public:
    RatingType();
    ~RatingType() override;
    bool OpenByID(int id);
    // The name of the scale with identifier `id`, or the empty text.
    std::string GetName(int id);

    std::int32_t m_ID = 0;
    std::string m_RatingType;
    std::string m_String2;
};

} // namespace store
