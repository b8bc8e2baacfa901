#include "store/VoidComments.h"

namespace store {

VoidComments::VoidComments() : TableRecord(DatabaseKind::Template)
{
    m_tableName = "VoidComments";
    BindInteger(m_MaterialID, "MaterialID");
    BindInteger(m_CommentID, "CommentID");
}

VoidComments::~VoidComments() = default;

} // namespace store
