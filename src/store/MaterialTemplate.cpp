#include "store/MaterialTemplate.h"

namespace store {

MaterialTemplate::MaterialTemplate() : TableRecord(DatabaseKind::Template)
{
    m_tableName = "MaterialTemplate";
    BindInteger(m_ID, "ID");
    BindInteger(m_StepID, "StepID");
    BindText(m_MaterialName, "MaterialName");
    BindInteger(m_MaterialOrder, "MaterialOrder");
    BindYesNo(m_CommentsExist, "CommentsExist", "bit");
    BindYesNo(m_DefaultMaterial, "DefaultMaterial", "bit");
    BindText(m_PicturePath, "PicturePath", "varchar(255)");
}

MaterialTemplate::~MaterialTemplate() = default;

bool MaterialTemplate::OpenByStep(int stepTemplateID)
{
    return OpenSql("SELECT * FROM MaterialTemplate WHERE StepID = %d ORDER BY MaterialOrder", {stepTemplateID});
}

bool MaterialTemplate::OpenDefaultsByStep(int stepTemplateID)
{
    return OpenSql("SELECT * FROM MaterialTemplate WHERE (StepID = %d) AND (DefaultMaterial = TRUE);",
                   {stepTemplateID});
}

} // namespace store
