#include "store/StepTemplate.h"

namespace store {

StepTemplate::StepTemplate() : TableRecord(DatabaseKind::Template)
{
    m_tableName = "StepTemplate";
    BindInteger(m_ID, "ID");
    BindText(m_StepName, "StepName");
    BindText(m_StepNumber, "StepNumber");
    BindInteger(m_RatingTypeID, "RatingTypeID");
    BindText(m_StepInfo, "StepInfo", "Text");
    BindText(m_Keyword, "Keyword", "Text");
}

StepTemplate::~StepTemplate() = default;

bool StepTemplate::OpenByCategoryTemplate(int categoryTemplateID)
{
    return OpenSql("SELECT StepTemplate.* FROM CategoryTemplate INNER JOIN (StepTemplate INNER JOIN CategoryStep ON "
                   "StepTemplate.ID = CategoryStep.StepID) ON CategoryStep.CategoryID = CategoryTemplate.ID WHERE "
                   "(((CategoryTemplate.ID)=%d));",
                   {categoryTemplateID});
}

bool StepTemplate::OpenByID(int id)
{
    return OpenSql("SELECT StepTemplate.* FROM StepTemplate WHERE (((StepTemplate.ID)=%d));", {id});
}

} // namespace store
