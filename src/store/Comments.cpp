#include "store/Comments.h"

#include "store/UniqueID.h"

namespace store {

Comments::Comments() : TableRecord(DatabaseKind::Template)
{
    m_tableName = "Comments";
    BindInteger(m_ID, "ID");
    BindInteger(m_Number1, "Number1");
    BindText(m_Comments, "Comments");
    BindText(m_Rating, "Rating", "varchar(80)");
    BindText(m_GroupName, "GroupName", "varchar(80)");
    BindText(m_PicturePath, "PicturePath", "varchar(255)");
    BindYesNo(m_VoidFlag, "VoidFlag", "bit");
}

Comments::~Comments() = default;

bool Comments::OpenLinked(int kind, int id)
{
    switch (kind) {
    case DocTypeLink:
        return OpenSql("SELECT Comments.* FROM InspectionType INNER JOIN (Comments INNER JOIN InspectionTypeComment ON "
                       "Comments.ID = InspectionTypeComment.CommentID) ON InspectionType.ID = "
                       "InspectionTypeComment.InspectionTypeID WHERE (((InspectionType.id)=%d));",
                       {id});
    case CategoryLink:
        return OpenSql("SELECT Comments.* FROM CategoryTemplate INNER JOIN (Comments INNER JOIN CategoryComment ON "
                       "Comments.ID = CategoryComment.CommentID) ON CategoryTemplate.ID = CategoryComment.CategoryID "
                       "WHERE (((CategoryTemplate.ID)=%d));",
                       {id});
    case StepLink:
        return OpenByStep(id);
    case MaterialLink:
        return OpenSql("SELECT Comments.* FROM MaterialTemplate INNER JOIN (Comments INNER JOIN MaterialComment ON "
                       "Comments.ID = MaterialComment.CommentID) ON MaterialTemplate.ID = MaterialComment.MaterialID "
                       "WHERE (((MaterialTemplate.ID)=%d));",
                       {id});
    default:
        // An unknown kind selects nothing.
        return OpenSql("SELECT * FROM Comments WHERE 0");
    }
}

bool Comments::OpenByStep(int stepTemplateID)
{
    return OpenSql("SELECT Comments.* FROM Comments INNER JOIN StepComment  ON Comments.ID = StepComment.CommentID  "
                   "WHERE (((StepComment.StepID)=%d))ORDER BY Comments.Comments;",
                   {stepTemplateID});
}

bool Comments::OpenByStepGrouped(int stepTemplateID)
{
    return OpenSql("SELECT Comments.* FROM Comments INNER JOIN StepComment  ON Comments.ID = StepComment.CommentID  "
                   "WHERE (((StepComment.StepID)=%d))ORDER BY GroupName, Comments;",
                   {stepTemplateID});
}

void Comments::New()
{
    TableRecord::New();
    m_ID = UniqueID(DatabaseKind::Template).GetNextID("Comments");
}

} // namespace store
