#pragma once
// A stock comment offered on the comments pages, linked to document types,
// category templates, step templates and materials.
#include "store/TableRecord.h"

#include <cstdint>
#include <string>

namespace store {

class Comments : public TableRecord {
public:
    // What a comment is linked to.
    enum LinkKind { DocTypeLink = 0, CategoryLink = 1, StepLink = 2, MaterialLink = 3 };

    Comments();
    ~Comments() override;

    bool OpenLinked(int kind, int id);
    bool OpenByStep(int stepTemplateID);
    // The comments of a step template ordered by group, then text.
    bool OpenByStepGrouped(int stepTemplateID);
    // Starts a new comment with an identifier from the template counter "Comments".
    void New();

    std::int32_t m_ID = 0;
    std::int32_t m_Number1 = 0;
    std::string m_Comments;
    std::string m_Rating;
    std::string m_GroupName;
    std::string m_PicturePath;
    std::int32_t m_VoidFlag = 0;
};

} // namespace store
