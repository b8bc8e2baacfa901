#include "store/InspectionTypeComment.h"

namespace store {

InspectionTypeComment::InspectionTypeComment() : TableRecord(DatabaseKind::Template)
{
    m_tableName = "InspectionTypeComment";
    BindInteger(m_InspectionTypeID, "InspectionTypeID");
    BindInteger(m_CommentID, "CommentID");
    BindText(m_String2, "String2");
}

InspectionTypeComment::~InspectionTypeComment() = default;

} // namespace store
