#include "store/FieldTemplate.h"

namespace store {

FieldTemplate::FieldTemplate() : TableRecord(DatabaseKind::Template)
{
    m_tableName = "FieldTemplate";
    BindInteger(m_ID, "ID", "integer");
    BindText(m_Label, "Label", "varchar(80)");
    BindInteger(m_Type, "Type", "integer");
    BindInteger(m_Sequence, "Sequence", "integer");
    BindInteger(m_CategoryID, "CategoryID", "integer");
}

FieldTemplate::~FieldTemplate() = default;

bool FieldTemplate::OpenByCategory(int categoryTemplateID)
{
    return OpenSql("SELECT * FROM %s WHERE %s.CategoryID = %d Order By %s.Sequence",
                   {m_tableName, m_tableName, categoryTemplateID, m_tableName});
}

} // namespace store
