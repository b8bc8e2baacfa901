#include "store/CategoryStep.h"

namespace store {

CategoryStep::CategoryStep() : TableRecord(DatabaseKind::Template)
{
    m_tableName = "CategoryStep";
    BindInteger(m_CategoryID, "CategoryID");
    BindInteger(m_StepID, "StepID");
}

CategoryStep::~CategoryStep() = default;

} // namespace store
