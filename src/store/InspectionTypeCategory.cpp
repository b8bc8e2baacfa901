#include "store/InspectionTypeCategory.h"

namespace store {

InspectionTypeCategory::InspectionTypeCategory() : TableRecord(DatabaseKind::Template)
{
    m_tableName = "InspectionTypeCategory";
    BindInteger(m_InspectionTypeID, "InspectionTypeID");
    BindInteger(m_CategoryID, "CategoryID");
}

InspectionTypeCategory::~InspectionTypeCategory() = default;

} // namespace store
