#include "store/Category.h"

namespace store {

Category::Category() : Category("Category", "InspectionCategory") {}

Category::Category(const char* table, const char* counter) : TableRecord(DatabaseKind::Inspection), m_counter(counter)
{
    m_tableName = table;
    m_selectStatement = "SELECT * FROM " + m_tableName + " ORDER BY CategoryNumber;";
    BindInteger(m_CategoryID, "CategoryID");
    BindText(m_CategoryTitle, "CategoryTitle");
    BindText(m_CategoryNumber, "CategoryNumber");
    BindText(m_String3, "String3");
    BindText(m_CategoryComments, "CategoryComments");
    BindYesNo(m_CategoryComplete, "CategoryComplete");
    BindYesNo(m_CategoryNotPresent, "CategoryNotPresent");
    BindInteger(m_InspectionID, "InspectionID");
    BindInteger(m_CategoryTemplateID, "CategoryTemplateID");
    BindInteger(m_Type, "Type", "integer");
}

Category::~Category() = default;

bool Category::OpenByInspection(int inspectionID)
{
    return OpenSql("SELECT * FROM %s WHERE InspectionID = %d ORDER BY CategoryNumber, CategoryTitle",
                   {m_tableName, inspectionID});
}

bool Category::DeleteByInspection(int inspectionID)
{
    return OpenSql("DELETE FROM %s WHERE InspectionID = %d", {m_tableName, inspectionID});
}

bool Category::OpenByID(int categoryID)
{
    return OpenSql("SELECT * FROM %s WHERE CategoryID = %d", {m_tableName, categoryID});
}

bool Category::OpenByNumber(int number)
{
    return OpenSql("SELECT * FROM %s WHERE CategoryNumber = \"%d\"", {m_tableName, number});
}

bool Category::OpenByTemplate(int inspectionID, int categoryTemplateID)
{
    return OpenSql("SELECT * FROM %s WHERE ((InspectionID = %d) AND (CategoryTemplateID = %d))",
                   {m_tableName, inspectionID, categoryTemplateID});
}

bool Category::OpenReportedByInspection(int inspectionID)
{
    const std::string& t = m_tableName;
    return OpenSql("SELECT %s.* FROM (Step INNER JOIN %s ON Step.CategoryID = %s.CategoryID) INNER JOIN Inspection ON "
                   "%s.InspectionID = Inspection.InspectionID WHERE ((((Step.Comments)>\" \") OR "
                   "((Step.Materials)>\" \") OR ((Step.InspectResult)>\" \") )AND ((Inspection.InspectionID)= %d)) "
                   "ORDER BY %s.CategoryNumber;",
                   {t, t, t, t, inspectionID, t});
}

void Category::New()
{
    TableRecord::New();
    m_CategoryID = m_reserved.Take(DatabaseKind::Inspection, m_counter);
}

void Category::ReserveIDs(int count)
{
    m_reserved.Reserve(DatabaseKind::Inspection, m_counter, count);
}

MERGE_Category::MERGE_Category() : Category("MERGE_Category", "MERGE_InspectionCategory") {}

MERGE_Category::~MERGE_Category() = default;

} // namespace store
