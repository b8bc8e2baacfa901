#include "store/InspectionType.h"

namespace store {

InspectionType::InspectionType() : TableRecord(DatabaseKind::Template)
{
    m_tableName = "InspectionType";
    BindInteger(m_ID, "ID");
    BindText(m_InspectionType, "InspectionType");
    BindText(m_String2, "String2");
    BindText(m_String3, "String3");
    BindText(m_String4, "String4");
    BindText(m_ReportLayout, "ReportLayout");
    BindYesNo(m_YesNo6, "YesNo6");
    BindInteger(m_Number7, "Number7");
}

InspectionType::~InspectionType() = default;

bool InspectionType::OpenByID(int id)
{
    return OpenSql("SELECT * FROM InspectionType WHERE ID = %d", {id});
}

} // namespace store
