#include "editing/MaterialText.h"

#include "editing/CommentText.h"
#include "store/Comments.h"
#include "store/MaterialTemplate.h"
#include "store/Step.h"

#include <algorithm>
#include <cctype>

namespace editing {

namespace {

std::vector<std::string> Entries(const std::string& list)
{
    std::vector<std::string> entries;
    std::size_t begin = 0;
    while (begin < list.size()) {
        auto end = list.find(';', begin);
        if (end == std::string::npos)
            end = list.size();
        entries.push_back(list.substr(begin, end - begin));
        begin = end + 1;
    }
    return entries;
}

bool IsOther(const std::string& name)
{
    return name == "Other:" || name == "other:";
}

// Whether `entry` begins with the wording material `name`; "Other:" and
// "other:" stand for each other.
bool BeginsWithName(const std::string& entry, const std::string& name)
{
    if (entry.size() < name.size())
        return false;
    const std::string head = entry.substr(0, name.size());
    if (IsOther(name))
        return IsOther(head);
    return head == name;
}

} // namespace

std::vector<MaterialChoice> LoadMaterialChoices(int stepTemplateID)
{
    std::vector<MaterialChoice> choices;
    store::MaterialTemplate rows;
    if (!rows.OpenByStep(stepTemplateID))
        return choices;
    for (int i = 0; i < rows.GetCount(); ++i) {
        rows.Read(i);
        choices.push_back({rows.m_ID, rows.m_MaterialName, rows.m_CommentsExist != 0});
    }
    return choices;
}

std::string MaterialListText(const std::vector<MaterialChoice>& choices)
{
    std::string list;
    for (const auto& choice : choices)
        list += choice.name + (choice.addsComment ? "+;" : ";");
    return list;
}

bool TakesWording(const std::string& name)
{
    return !name.empty() && name.back() == ':';
}

std::vector<MaterialBox> MaterialBoxes(const std::vector<MaterialChoice>& choices, const std::string& materials)
{
    const auto entries = Entries(materials);
    std::vector<MaterialBox> boxes;
    for (const auto& choice : choices) {
        MaterialBox box{choice, choice.name, false};
        if (TakesWording(choice.name)) {
            const auto found = std::find_if(entries.begin(), entries.end(),
                                            [&](const std::string& entry) { return BeginsWithName(entry, choice.name); });
            if (found != entries.end()) {
                box.checked = true;
                box.label = *found;
            }
        } else {
            box.checked = std::find(entries.begin(), entries.end(), choice.name) != entries.end();
        }
        boxes.push_back(std::move(box));
    }
    return boxes;
}

std::string BoxCaption(const MaterialBox& box)
{
    return box.material.addsComment ? box.label + "+" : box.label;
}

std::string MaterialsText(const std::vector<MaterialBox>& boxes)
{
    std::string text;
    for (const auto& box : boxes)
        if (box.checked)
            text += box.label + ";";
    return text;
}

bool HoldsMaterial(const std::string& materials, const std::string& label)
{
    const auto entries = Entries(materials);
    return std::find(entries.begin(), entries.end(), label) != entries.end();
}

std::optional<std::string> MaterialCommentText(std::int32_t materialID)
{
    store::Comments comments;
    if (!comments.OpenLinked(store::Comments::MaterialLink, materialID) || comments.GetCount() == 0)
        return std::nullopt;
    comments.Read(0);
    return comments.m_Comments;
}

std::string ReadMaterials(const std::vector<MaterialBox>& boxes, const std::string& oldMaterials,
                          std::string& commentText, bool blankLineBetweenComments, const PickerLists& pickers,
                          const PlaceholderAsker& ask)
{
    for (const auto& box : boxes) {
        if (!box.checked || !box.material.addsComment || HoldsMaterial(oldMaterials, box.label))
            continue;
        auto comment = MaterialCommentText(box.material.id);
        if (!comment)
            continue;
        if (TakesWording(box.material.name) && comment->find('^') != std::string::npos)
            continue;
        AppendComment(commentText, ReplaceCarets(DropBracketCode(*comment), pickers, ask), blankLineBetweenComments);
    }
    return MaterialsText(boxes);
}

std::string WordingPrompt(const std::string& stepTitle)
{
    return "Enter the new material for: \r\n" + stepTitle;
}

std::vector<std::string> WordingChoices(const MaterialChoice& material, const PickerLists& pickers)
{
    if (!material.addsComment)
        return {};
    const auto comment = MaterialCommentText(material.id);
    if (!comment)
        return {};
    const auto name = NamedPickerIn(*comment, pickers);
    return name ? pickers.Choices(*name) : std::vector<std::string>{};
}

std::optional<std::string> WordingProblem(const std::string& wording)
{
    if (wording.find(';') == std::string::npos)
        return std::nullopt;
    return "A material cannot contain \";\": it separates the materials of a step in the reports. "
           "Please use a comma or another word instead.";
}

std::string WordedLabel(const std::string& name, const std::string& wording)
{
    return name + DropBracketCode(wording);
}

bool MaterialCheckedOnOtherStep(int inspectionID, int stepID, const MaterialChoice& material)
{
    store::MaterialTemplate owner;
    if (!owner.OpenSql("SELECT * FROM MaterialTemplate WHERE ID = %d", {material.id}) || owner.GetCount() == 0)
        return false;
    owner.Read(0);
    store::Step steps;
    if (!steps.OpenByInspection(inspectionID))
        return false;
    for (int i = 0; i < steps.GetCount(); ++i) {
        steps.Read(i);
        if (steps.m_StepID != stepID && steps.m_StepTemplateID == owner.m_StepID &&
            MaterialBoxes({material}, steps.m_Materials).front().checked)
            return true;
    }
    return false;
}

std::string UpdateMaterialVoids(const std::string& materialVoids, std::int32_t materialID, bool checked)
{
    auto entries = Entries(materialVoids);
    entries.erase(std::remove(entries.begin(), entries.end(), std::string()), entries.end());
    const std::string id = std::to_string(materialID);
    const auto found = std::find(entries.begin(), entries.end(), id);
    if (checked && found == entries.end())
        entries.push_back(id);
    else if (!checked && found != entries.end())
        entries.erase(found);
    std::string joined;
    for (const auto& entry : entries)
        joined += (joined.empty() ? "" : ";") + entry;
    return joined;
}

} // namespace editing
