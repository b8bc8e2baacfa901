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

// A new row of R with identifier `id`, its columns set by `fill`, saved.
template <class R, class Fill>
int Add(int id, Fill fill)
{
    R r;
    r.New();
    r.m_ID = id;
    fill(r);
    Save(r);
    return r.m_ID;
}

// A link row of L between two identifiers.
template <class L, class A, class B>
void AddLink(A L::*first, int firstID, B L::*second, int secondID)
{
    L link;
    link.New();
    link.*first = firstID;
    link.*second = secondID;
    Save(link);
}
} // namespace

int TemplateBuilder::RatingType(const std::string& name)
{
    return Add<store::RatingType>(++m_next[kRatingType], [&](auto& r) { r.m_RatingType = name; });
}

int TemplateBuilder::Choice(int ratingTypeID, const std::string& name, bool isDefault)
{
    return Add<store::RatingChoices>(++m_next[kChoice], [&](auto& r) {
        r.m_RatingTypeID = ratingTypeID;
        r.m_ChoiceName = name;
        r.m_DefaultFlag = isDefault ? -1 : 0;
    });
}

int TemplateBuilder::DocType(const std::string& name, const std::string& layout)
{
    return Add<store::InspectionType>(++m_next[kDocType], [&](auto& r) {
        r.m_InspectionType = name;
        r.m_ReportLayout = layout;
    });
}

int TemplateBuilder::Category(int docTypeID, const std::string& name, int number, int formType, bool excluded)
{
    const int id = Add<store::CategoryTemplate>(++m_next[kCategory], [&](auto& r) {
        r.m_CategoryName = name;
        r.m_CategoryNumber = number;
        r.m_FormType = formType;
        r.m_ExcludeFromApplyDefault = excluded ? -1 : 0;
    });
    if (docTypeID)
        Link(docTypeID, id);
    return id;
}

void TemplateBuilder::Link(int docTypeID, int categoryTemplateID)
{
    AddLink(&store::InspectionTypeCategory::m_InspectionTypeID, docTypeID, &store::InspectionTypeCategory::m_CategoryID,
            categoryTemplateID);
}

int TemplateBuilder::Step(int categoryTemplateID, const std::string& name, const std::string& number,
                          int ratingTypeID, const std::string& info, const std::string& keyword)
{
    const int id = Add<store::StepTemplate>(++m_next[kStep], [&](auto& r) {
        r.m_StepName = name;
        r.m_StepNumber = number;
        r.m_RatingTypeID = ratingTypeID;
        r.m_StepInfo = info;
        r.m_Keyword = keyword;
    });
    AddLink(&store::CategoryStep::m_CategoryID, categoryTemplateID, &store::CategoryStep::m_StepID, id);
    return id;
}

int TemplateBuilder::Material(int stepTemplateID, const std::string& name, int order, bool isDefault,
                              bool commentsExist)
{
    return Add<store::MaterialTemplate>(++m_next[kMaterial], [&](auto& r) {
        r.m_StepID = stepTemplateID;
        r.m_MaterialName = name;
        r.m_MaterialOrder = order;
        r.m_DefaultMaterial = isDefault ? -1 : 0;
        r.m_CommentsExist = commentsExist ? -1 : 0;
    });
}

int TemplateBuilder::Field(int categoryTemplateID, const std::string& label, int type, int sequence)
{
    return Add<store::FieldTemplate>(++m_next[kField], [&](auto& r) {
        r.m_CategoryID = categoryTemplateID;
        r.m_Label = label;
        r.m_Type = type;
        r.m_Sequence = sequence;
    });
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
    AddLink(&store::InspectionTypeComment::m_InspectionTypeID, docTypeID, &store::InspectionTypeComment::m_CommentID,
            id);
    return id;
}

int TemplateBuilder::CategoryComment(int categoryTemplateID, const std::string& text)
{
    const int id = Comment(text);
    AddLink(&store::CategoryComment::m_CategoryID, categoryTemplateID, &store::CategoryComment::m_CommentID, id);
    return id;
}

int TemplateBuilder::MaterialComment(int materialID, const std::string& text)
{
    const int id = Comment(text);
    AddLink(&store::MaterialComment::m_MaterialID, materialID, &store::MaterialComment::m_CommentID, id);
    return id;
}

} // namespace app_test
