#include "store/MaterialComment.h"

namespace store {

MaterialComment::MaterialComment() : TableRecord(DatabaseKind::Template)
{
    m_tableName = "MaterialComment";
    BindInteger(m_MaterialID, "MaterialID");
    BindInteger(m_CommentID, "CommentID");
    BindText(m_String2, "String2");
}

MaterialComment::~MaterialComment() = default;

} // namespace store
