#include "store/Owner.h"

namespace store {

Owner::Owner() : TableRecord(DatabaseKind::Template)
{
    m_tableName = "Owner";
    BindText(m_Name, "Name", "varchar(50)");
    BindText(m_Company, "Company", "varchar(50)");
    BindText(m_Address, "Address", "Text");
    BindText(m_WorkAreaCode, "WorkAreaCode", "varchar(3)");
    BindText(m_WorkPhone, "WorkPhone", "varchar(50)");
    BindText(m_FaxAreaCode, "FaxAreaCode", "varchar(3)");
    BindText(m_FaxNumber, "FaxNumber", "varchar(50)");
}

Owner::~Owner() = default;

} // namespace store
