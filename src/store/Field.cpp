#include "store/Field.h"

namespace store {

Field::Field() : TableRecord(DatabaseKind::Inspection)
{
    m_tableName = "Field";
    BindInteger(m_ID, "ID", "integer");
    BindInteger(m_CategoryID, "CategoryID", "integer");
    BindText(m_AssignedValue, "AssignedValue", "Text");
    BindInteger(m_SequenceNumber, "SequenceNumber", "integer");
    BindInteger(m_FieldType, "FieldType", "integer");
    BindText(m_FieldLabel, "FieldLabel", "varchar(80)");
}

Field::~Field() = default;

bool Field::OpenByCategory(int categoryID)
{
    return OpenSql("SELECT * FROM %s WHERE %s.CategoryID = %d Order By %s.SequenceNumber",
                   {m_tableName, m_tableName, categoryID, m_tableName});
}

bool Field::DeleteByCategory(int categoryID)
{
    return OpenSql("DELETE FROM %s WHERE CategoryID = %d", {m_tableName, categoryID});
}

void Field::New()
{
    TableRecord::New();
    m_ID = m_reserved.Take(DatabaseKind::Inspection, "Field");
}

void Field::ReserveIDs(int count)
{
    m_reserved.Reserve(DatabaseKind::Inspection, "Field", count);
}

} // namespace store
