#include "store/RatingType.h"

namespace store {

RatingType::RatingType() : TableRecord(DatabaseKind::Template)
{
    m_tableName = "RatingType";
    BindInteger(m_ID, "ID");
    BindText(m_RatingType, "RatingType");
    BindText(m_String2, "String2");
}

RatingType::~RatingType() = default;

bool RatingType::OpenByID(int id)
{
    return OpenSql("SELECT * FROM RatingType WHERE RatingType.ID = %d", {id});
}

std::string RatingType::GetName(int id)
{
    if (!Open())
        return {};
    for (int i = 0; i < GetCount(); ++i) {
        Read(i);
        if (m_ID == id)
            return m_RatingType;
    }
    return {};
}

} // namespace store
