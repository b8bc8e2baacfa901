#include "store/RatingChoices.h"

namespace store {

RatingChoices::RatingChoices() : TableRecord(DatabaseKind::Template)
{
    m_tableName = "RatingChoices";
    BindInteger(m_ID, "ID");
    BindInteger(m_RatingTypeID, "RatingTypeID");
    BindText(m_ChoiceName, "ChoiceName");
    BindYesNo(m_DefaultFlag, "DefaultFlag");
    BindYesNo(m_BoldFlag, "BoldFlag");
    BindYesNo(m_CommentRequired, "CommentRequired");
    BindYesNo(m_SummaryFlag, "SummaryFlag");
    BindYesNo(m_OmitFlag, "OmitFlag");
    BindYesNo(m_RedFlag, "RedFlag", "bit");
}

RatingChoices::~RatingChoices() = default;

bool RatingChoices::OpenByType(const std::string& ratingType)
{
    return OpenSql("SELECT RatingChoices.* FROM RatingType INNER JOIN RatingChoices ON RatingType.ID = "
                   "RatingChoices.RatingTypeID WHERE (((RatingType.RatingType)=\"%s\"))",
                   {ratingType});
}

bool RatingChoices::OpenByTypeAndName(const std::string& ratingType, const std::string& choiceName)
{
    return OpenSql("SELECT RatingChoices.* FROM RatingType INNER JOIN RatingChoices ON RatingType.ID = "
                   "RatingChoices.RatingTypeID WHERE (((RatingType.RatingType) = \"%s\") AND "
                   "((RatingChoices.ChoiceName) = \"%s\"));",
                   {ratingType, choiceName});
}

bool RatingChoices::OpenDefaultByType(const std::string& ratingType)
{
    return OpenSql("SELECT RatingChoices.* FROM RatingType INNER JOIN RatingChoices ON RatingType.ID = "
                   "RatingChoices.RatingTypeID WHERE (((RatingType.RatingType) = \"%s\") AND "
                   "((RatingChoices.DefaultFlag) = TRUE));",
                   {ratingType});
}

bool RatingChoices::OpenBold()
{
    return OpenSql("SELECT * FROM RatingChoices WHERE RatingChoices.BoldFlag = TRUE;");
}

bool RatingChoices::OpenRed()
{
    return OpenSql("SELECT * FROM RatingChoices WHERE RatingChoices.RedFlag = TRUE;");
}

bool RatingChoices::OpenSummary()
{
    return OpenSql("SELECT * FROM RatingChoices WHERE RatingChoices.SummaryFlag = TRUE;");
}

std::vector<std::string> RatingChoices::Names()
{
    std::vector<std::string> names;
    for (int i = 0; i < GetCount(); ++i) {
        Read(i);
        names.push_back(m_ChoiceName);
    }
    return names;
}

} // namespace store
