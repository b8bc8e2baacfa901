#pragma once
// The materials of a step: the choices its template offers, which of them the
// step's Materials text checks, the Materials text written back from the
// check boxes, the comments a material adds when it is checked, and the
// inspection's MaterialVoids list of checked materials.
#include "editing/Placeholder.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace editing {

struct MaterialChoice {
    std::int32_t id = 0;
    std::string name;
    bool addsComment = false; // shown with the "+" mark
};

// The materials of a step template in material order.
std::vector<MaterialChoice> LoadMaterialChoices(int stepTemplateID);

// The step's MaterialList: every name followed by "+;" when it adds a comment, else ";".
std::string MaterialListText(const std::vector<MaterialChoice>& choices);

// A material whose name ends in ":" (such as "Other:") takes the inspector's own wording.
bool TakesWording(const std::string& name);

// One check box of the materials page.
struct MaterialBox {
    MaterialChoice material;
    std::string label; // the name, or for a wording material the name and its wording
    bool checked = false;
};

// The boxes for the choices as the Materials text checks them. A material
// counts only as a whole entry of the text ("Brick" is not checked by
// "Brick Veneer;"); a wording material is checked by an entry that begins
// with its name ("Other:" also by "other:") and takes that entry as its label.
std::vector<MaterialBox> MaterialBoxes(const std::vector<MaterialChoice>& choices, const std::string& materials);

// The caption a box shows: its label, with "+" when the material adds a comment.
std::string BoxCaption(const MaterialBox& box);

// The Materials text of the boxes: every checked label followed by ";".
std::string MaterialsText(const std::vector<MaterialBox>& boxes);

// True when `materials` holds `label` as a whole entry.
bool HoldsMaterial(const std::string& materials, const std::string& label);

// The text of the first comment linked to a material, if any.
std::optional<std::string> MaterialCommentText(std::int32_t materialID);

// The Materials text of the boxes; every checked material that adds a comment
// and was not in `oldMaterials` appends its comment (placeholders filled
// through `ask`) to `commentText`. A wording material's comment that holds a
// placeholder only offers wordings and is not appended.
std::string ReadMaterials(const std::vector<MaterialBox>& boxes, const std::string& oldMaterials,
                          std::string& commentText, bool blankLineBetweenComments, const PickerLists& pickers,
                          const PlaceholderAsker& ask);

// The prompt of the "Other Material" dialog for a step.
std::string WordingPrompt(const std::string& stepTitle);

// The wordings offered for a wording material: the pick list named in its
// comment's placeholder; empty when it has none.
std::vector<std::string> WordingChoices(const MaterialChoice& material, const PickerLists& pickers);

// Why `wording` cannot be a material's own wording, or nothing when it can.
// Materials texts are ";"-separated lists (reports and other installations
// split them there), so a ";" inside a wording would cut it and break the list.
std::optional<std::string> WordingProblem(const std::string& wording);

// The label of a wording material after the inspector gave `wording`.
std::string WordedLabel(const std::string& name, const std::string& wording);

// Whether a step of the inspection other than `stepID` has `material` checked
// (a duplicated step shares its template's materials). Unchecking a material on
// one step must not bring back the comments it hides while another step keeps it.
bool MaterialCheckedOnOtherStep(int inspectionID, int stepID, const MaterialChoice& material);

// MaterialVoids with the material added (checked) or removed (unchecked);
// entries joined by ";" without a trailing one.
std::string UpdateMaterialVoids(const std::string& materialVoids, std::int32_t materialID, bool checked);

} // namespace editing
