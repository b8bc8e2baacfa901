#include "store/StepComment.h"

namespace store {

StepComment::StepComment() : TableRecord(DatabaseKind::Template)
{
    m_tableName = "StepComment";
    BindInteger(m_StepID, "StepID");
    BindInteger(m_CommentID, "CommentID");
    BindText(m_String2, "String2");
}

StepComment::~StepComment() = default;

} // namespace store
