#include "store/CategoryComment.h"

namespace store {

CategoryComment::CategoryComment() : TableRecord(DatabaseKind::Template)
{
    m_tableName = "CategoryComment";
    BindInteger(m_CategoryID, "CategoryID");
    BindInteger(m_CommentID, "CommentID");
    BindText(m_String2, "String2");
}

CategoryComment::~CategoryComment() = default;

} // namespace store
