#include "store/Step.h"

namespace store {

Step::Step() : Step("Step") {}

Step::Step(const char* table) : TableRecord(DatabaseKind::Inspection)
{
    m_tableName = table;
    m_selectStatement = "SELECT * FROM " + m_tableName + ";";
    BindInteger(m_StepID, "StepID");
    BindText(m_StepNumber, "StepNumber");
    BindText(m_StepTitle, "StepTitle");
    BindInteger(m_CategoryID, "CategoryID");
    BindText(m_InspectResult, "InspectResult");
    BindText(m_Comments, "Comments");
    BindText(m_Materials, "Materials");
    BindText(m_StepRatingType, "StepRatingType");
    BindText(m_String8, "String8");
    BindText(m_MaterialList, "MaterialList");
    BindInteger(m_StepTemplateID, "StepTemplateID");
    BindYesNo(m_YesNo11, "YesNo11");
    BindText(m_MajorSystem, "MajorSystem", "Text");
    BindYesNo(m_StepInfoExists, "StepInfoExists", "bit");
    BindText(m_SummaryComment, "SummaryComment", "Text");
    BindText(m_BitmapPath, "BitmapPath", "Text");
    BindYesNo(m_PictureBefore, "PictureBefore", "bit");
}

Step::~Step() = default;

bool Step::OpenByCategory(int categoryID)
{
    return OpenSql("SELECT * FROM %s WHERE CategoryID = %d Order By StepNumber", {m_tableName, categoryID});
}

bool Step::DeleteByCategory(int categoryID)
{
    return OpenSql("DELETE FROM %s WHERE CategoryID = %d", {m_tableName, categoryID});
}

bool Step::OpenByID(int stepID)
{
    return OpenSql("SELECT * FROM %s WHERE StepID = %d", {m_tableName, stepID});
}

bool Step::OpenFilledByCategory(int categoryID)
{
    const std::string& t = m_tableName;
    return OpenSql("SELECT %s.* FROM %s INNER JOIN Category ON %s.CategoryID = Category.CategoryID WHERE "
                   "((((%s.Comments)is not null) OR ((%s.Materials)is not null) OR ((%s.InspectResult)is not null) "
                   ")AND ((Category.CategoryID)=%d)) ORDER BY StepNumber;",
                   {t, t, t, t, t, t, categoryID});
}

bool Step::OpenEmptyByCategory(int categoryID)
{
    const std::string& t = m_tableName;
    return OpenSql("SELECT %s.* FROM %s INNER JOIN Category ON %s.CategoryID = Category.CategoryID WHERE "
                   "((((%s.Comments)is null) AND ((%s.Materials)is null) AND ((%s.InspectResult)is  null) )AND "
                   "((Category.CategoryID)=%d)) ORDER BY StepNumber;",
                   {t, t, t, t, t, t, categoryID});
}

bool Step::OpenCommentedByInspection(int inspectionID)
{
    return OpenSql("SELECT Step.* FROM (Step INNER JOIN Category ON Step.CategoryID = Category.CategoryID) INNER JOIN "
                   "Inspection ON Category.InspectionID = Inspection.InspectionID WHERE (((Step.Comments)Is Not "
                   "Null) AND ((Inspection.InspectionID)= %d)) ORDER BY StepNumber;",
                   {inspectionID});
}

bool Step::OpenCommentedByInspectionAndRating(int inspectionID, const std::string& rating)
{
    return OpenSql("SELECT Step.* FROM (Step INNER JOIN Category ON Step.CategoryID = Category.CategoryID) INNER JOIN "
                   "Inspection ON Category.InspectionID = Inspection.InspectionID WHERE (((Step.Comments)Is Not "
                   "Null) AND ((Inspection.InspectionID)= %d) AND ((Step.InspectResult)= \"%s\")) ORDER BY "
                   "StepNumber;",
                   {inspectionID, rating});
}

bool Step::OpenByInspectionMajorSystem(int inspectionID)
{
    return OpenSql("SELECT Step.* FROM (Category INNER JOIN Inspection ON Category.InspectionID = "
                   "Inspection.InspectionID) INNER JOIN Step ON Category.CategoryID = Step.CategoryID WHERE "
                   "(((Inspection.InspectionID)= %d)) ORDER BY Step.MajorSystem, Step.StepNumber;",
                   {inspectionID});
}

bool Step::OpenByInspection(int inspectionID)
{
    return OpenSql("SELECT Step.* FROM (Category INNER JOIN Inspection ON Category.InspectionID = "
                   "Inspection.InspectionID) INNER JOIN Step ON Category.CategoryID = Step.CategoryID WHERE "
                   "(((Inspection.InspectionID)= %d));",
                   {inspectionID});
}

void Step::New()
{
    TableRecord::New();
    // The counter is named after the table: "Step", or "MERGE_Step" for the staging copy.
    m_StepID = m_reserved.Take(DatabaseKind::Inspection, m_tableName);
}

void Step::ReserveIDs(int count)
{
    m_reserved.Reserve(DatabaseKind::Inspection, m_tableName, count);
}

MERGE_Step::MERGE_Step() : Step("MERGE_Step") {}

MERGE_Step::~MERGE_Step() = default;

} // namespace store
