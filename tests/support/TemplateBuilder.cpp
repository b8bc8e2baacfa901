#include "support/TemplateBuilder.h"

#include "store/CategoryComment.h"
#include "store/CategoryStep.h"
#include "store/CategoryTemplate.h"
#include "store/Comments.h"
#include "store/FieldTemplate.h"
#include "store/InspectionType.h"
#include "store/InspectionTypeCategory.h"
#include "store/InspectionTypeComment.h"
#include "store/MaterialComment.h"
#include "store/MaterialTemplate.h"
#include "store/RatingChoices.h"
#include "store/RatingType.h"
#include "store/StepTemplate.h"

#include <gtest/gtest.h>

namespace app_test {
namespace {
enum Table { kRatingType, kChoice, kDocType, kCategory, kStep, kMaterial, kField };

template <class R>
void Save(R& record)
{
    EXPECT_TRUE(record.Save()) << record.TableName();
}

// A link row between a comment and what offers it.
template <class L, class Owner>
void LinkComment(Owner L::*owner, int ownerID, int commentID)
{
    L link;
    link.New();
    link.*owner = ownerID;
    link.m_CommentID = commentID;
    Save(link);
}
} // namespace

int TemplateBuilder::RatingType(const std::string& name)
{
    store::RatingType r;
    r.New();
    r.m_ID = ++m_next[kRatingType];
    r.m_RatingType = name;
    Save(r);
    return r.m_ID;
}

int TemplateBuilder::Choice(int ratingTypeID, const std::string& name, bool isDefault)
{
    store::RatingChoices r;
    r.New();
    r.m_ID = ++m_next[kChoice];
    r.m_RatingTypeID = ratingTypeID;
    r.m_ChoiceName = name;
    r.m_DefaultFlag = isDefault ? -1 : 0;
    Save(r);
    return r.m_ID;
}

int TemplateBuilder::DocType(const std::string& name, const std::string& layout)
{
    store::InspectionType r;
    r.New();
    r.m_ID = ++m_next[kDocType];
    r.m_InspectionType = name;
    r.m_ReportLayout = layout;
    Save(r);
    return r.m_ID;
}

int TemplateBuilder::Category(int docTypeID, const std::string& name, int number, int formType, bool excluded)
{
    store::CategoryTemplate r;
    r.New();
    r.m_ID = ++m_next[kCategory];
    r.m_CategoryName = name;
    r.m_CategoryNumber = number;
    r.m_FormType = formType;
    r.m_ExcludeFromApplyDefault = excluded ? -1 : 0;
    Save(r);
    if (docTypeID)
        Link(docTypeID, r.m_ID);
    return r.m_ID;
}

void TemplateBuilder::Link(int docTypeID, int categoryTemplateID)
{
    store::InspectionTypeCategory link;
    link.New();
    link.m_InspectionTypeID = docTypeID;
    link.m_CategoryID = categoryTemplateID;
    Save(link);
}

int TemplateBuilder::Step(int categoryTemplateID, const std::string& name, const std::string& number,
                          int ratingTypeID, const std::string& info, const std::string& keyword)
{
    store::StepTemplate r;
    r.New();
    r.m_ID = ++m_next[kStep];
    r.m_StepName = name;
    r.m_StepNumber = number;
    r.m_RatingTypeID = ratingTypeID;
    r.m_StepInfo = info;
    r.m_Keyword = keyword;
    Save(r);
    store::CategoryStep link;
    link.New();
    link.m_CategoryID = categoryTemplateID;
    link.m_StepID = r.m_ID;
    Save(link);
    return r.m_ID;
}

int TemplateBuilder::Material(int stepTemplateID, const std::string& name, int order, bool isDefault,
                              bool commentsExist)
{
    store::MaterialTemplate r;
    r.New();
    r.m_ID = ++m_next[kMaterial];
    r.m_StepID = stepTemplateID;
    r.m_MaterialName = name;
    r.m_MaterialOrder = order;
    r.m_DefaultMaterial = isDefault ? -1 : 0;
    r.m_CommentsExist = commentsExist ? -1 : 0;
    Save(r);
    return r.m_ID;
}

int TemplateBuilder::Field(int categoryTemplateID, const std::string& label, int type, int sequence)
{
    store::FieldTemplate r;
    r.New();
    r.m_ID = ++m_next[kField];
    r.m_CategoryID = categoryTemplateID;
    r.m_Label = label;
    r.m_Type = type;
    r.m_Sequence = sequence;
    Save(r);
    return r.m_ID;
}

int TemplateBuilder::Comment(const std::string& text)
{
    store::Comments r;
    r.New();
    r.m_Comments = text;
    Save(r);
    return r.m_ID;
}

int TemplateBuilder::DocTypeComment(int docTypeID, const std::string& text)
{
    const int id = Comment(text);
    LinkComment(&store::InspectionTypeComment::m_InspectionTypeID, docTypeID, id);
    return id;
}

int TemplateBuilder::CategoryComment(int categoryTemplateID, const std::string& text)
{
    const int id = Comment(text);
    LinkComment(&store::CategoryComment::m_CategoryID, categoryTemplateID, id);
    return id;
}

int TemplateBuilder::MaterialComment(int materialID, const std::string& text)
{
    const int id = Comment(text);
    LinkComment(&store::MaterialComment::m_MaterialID, materialID, id);
    return id;
}

} // namespace app_test
