#include "store/CategoryTemplate.h"

namespace store {

CategoryTemplate::CategoryTemplate() : TableRecord(DatabaseKind::Template)
{
    m_tableName = "CategoryTemplate";
    BindInteger(m_ID, "ID");
    BindText(m_CategoryName, "CategoryName");
    BindInteger(m_CategoryNumber, "CategoryNumber");
    BindText(m_String3, "String3");
    BindText(m_DefComments, "DefComments", "Text");
    BindInteger(m_FormType, "FormType", "integer");
    BindYesNo(m_ExcludeFromApplyDefault, "ExcludeFromApplyDefault", "bit");
}

CategoryTemplate::~CategoryTemplate() = default;

bool CategoryTemplate::OpenByDocType(const std::string& docTypeName)
{
    return OpenSql("SELECT CategoryTemplate.* FROM InspectionType INNER JOIN (CategoryTemplate INNER JOIN "
                   "InspectionTypeCategory ON CategoryTemplate.ID = InspectionTypeCategory.CategoryID) ON "
                   "InspectionType.ID = InspectionTypeCategory.InspectionTypeID WHERE "
                   "(((InspectionType.InspectionType)=\"%s\"));",
                   {docTypeName});
}

} // namespace store
