#include "app/StepDefaults.h"

#include "app/DocumentRules.h"
#include "store/Comments.h"
#include "store/MaterialTemplate.h"
#include "store/RatingChoices.h"

namespace app {

bool ApplyDefaultMaterial(store::Step& step, bool blankLineBetweenComments)
{
    if (!step.m_Materials.empty())
        return false;
    store::MaterialTemplate material;
    if (!material.OpenDefaultsByStep(step.m_StepTemplateID) || material.GetCount() == 0)
        return false;
    int first = 0;
    int firstOrder = 0;
    for (int i = 0; i < material.GetCount(); ++i) {
        material.Read(i);
        if (i == 0 || material.m_MaterialOrder < firstOrder) {
            first = i;
            firstOrder = material.m_MaterialOrder;
        }
    }
    material.Read(first);
    step.m_Materials = material.m_MaterialName + ";";
    if (material.m_CommentsExist) {
        store::Comments comment;
        if (comment.OpenLinked(store::Comments::MaterialLink, material.m_ID) && comment.GetCount() > 0) {
            comment.Read(0);
            AppendMaterialComment(step.m_Comments, comment.m_Comments, blankLineBetweenComments);
        }
    }
    return true;
}

bool ApplyDefaultRating(store::Step& step)
{
    std::string rating;
    if (!step.m_StepRatingType.empty()) {
        store::RatingChoices choice;
        if (choice.OpenDefaultByType(step.m_StepRatingType) && choice.GetCount() > 0) {
            choice.Read(0);
            rating = choice.m_ChoiceName;
        }
    }
    if (rating == step.m_InspectResult)
        return false;
    step.m_InspectResult = rating;
    return true;
}

} // namespace app
