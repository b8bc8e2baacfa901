#include "store/Pickers.h"

#include "store/UniqueID.h"

namespace store {

Pickers::Pickers() : TableRecord(DatabaseKind::Template)
{
    m_tableName = "Pickers";
    m_selectStatement = "SELECT * FROM Pickers ORDER BY PickerName";
    BindText(m_PickerName, "PickerName");
    BindText(m_PickerChoice, "PickerChoice");
    BindInteger(m_ID, "ID");
}

Pickers::~Pickers() = default;

bool Pickers::OpenByName(const std::string& listName)
{
    return OpenSql("SELECT Pickers.* FROM Pickers WHERE PickerName = \"%s\" ORDER BY PickerChoice", {listName});
}

bool Pickers::DeleteByName(const std::string& listName)
{
    return OpenSql("DELETE FROM %s WHERE PickerName = \"%s\"", {m_tableName, listName});
}

void Pickers::New()
{
    TableRecord::New();
    m_ID = UniqueID(DatabaseKind::Template).GetNextID("Pickers");
}

} // namespace store
