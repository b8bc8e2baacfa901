#pragma once
// A material offered on a step's materials page.
#include "store/TableRecord.h"

#include <cstdint>
#include <string>

namespace store {

class MaterialTemplate : public TableRecord {
public:
    MaterialTemplate();
    ~MaterialTemplate() override;
    bool OpenByStep(int stepTemplateID);
    // The materials preset by Apply Defaults.
    bool OpenDefaultsByStep(int stepTemplateID);

    std::int32_t m_ID = 0;
    std::int32_t m_StepID = 0;
    std::string m_MaterialName;
    std::int32_t m_MaterialOrder = 0;
    std::int32_t m_CommentsExist = 0;
    std::int32_t m_DefaultMaterial = 0;
    std::string m_PicturePath;
};

} // namespace store
