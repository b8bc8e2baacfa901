#include "store/ExpandedText.h"

namespace store {

ExpandedText::ExpandedText() : TableRecord(DatabaseKind::Template)
{
    m_tableName = "ExpandedText";
    BindText(m_ShortCut, "ShortCut", "varchar(80)");
    BindText(m_Expanded, "Expanded", "Text");
    BindInteger(m_ID, "ID", "integer");
}

ExpandedText::~ExpandedText() = default;

} // namespace store
