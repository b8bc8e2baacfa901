#pragma once
// The fields of a form category: labelled values seeded from the category
// template the first time the form is opened, each stored as soon as it
// changes; where each field sits on the two-column pages of the form; and the
// choices of a field that takes its values from the pick list of its label.
#include <optional>
#include <string>
#include <vector>

namespace app {
class CInspectorDoc;
}

namespace form {

// Field types: a free text, a choice; any other shows its label only.
inline constexpr int kTextField = 0;
inline constexpr int kChoiceField = 1;
// The last entry of a choice field's list: opens the pick list's editor.
inline constexpr const char* kEditList = "Edit List...";

struct FormField {
    int id = 0;
    int sequence = 0;
    int type = kTextField;
    std::string label;
    std::string value;
};

// The category's fields in SequenceNumber order. A category without fields
// gets them from its template's field templates first. Nothing when the
// category or its fields cannot be read.
std::optional<std::vector<FormField>> LoadFormFields(app::CInspectorDoc& doc, int categoryID);

// The index of the field labelled `label`: the exact label, else the one label
// equal to it in another letter case. -1 when none is, -2 when several are.
int FieldIndexByLabel(const std::vector<FormField>& fields, const std::string& label);

// Whether a value can be entered in a field of this type (free text or choice).
inline bool TakesValue(int type)
{
    return type == kTextField || type == kChoiceField;
}

// Stores `value` as the field's AssignedValue; false when it could not be saved.
bool StoreFieldValue(int fieldID, const std::string& value);

// The pick-list choices of a choice field, in choice order, then "Edit List...".
std::vector<std::string> FieldChoices(const std::string& label);

// Where the fields go, in pixels of the form. Columns at x = 25 and x = 335,
// from y = 60 down, 50 pixels a field; a field that would end below y = 360
// goes to the top of the right column, or from there to a new page.
inline constexpr int kLeftX = 25;
inline constexpr int kRightX = 335;
inline constexpr int kTopY = 60;
inline constexpr int kFieldHeight = 50;
inline constexpr int kBottomY = 360;
inline constexpr int kInputOffset = 23; // the input sits this far below its label

struct FieldPlace {
    int page = 0;
    int x = kLeftX;
    int y = kTopY;
};

struct FormLayout {
    std::vector<FieldPlace> places;  // one per field
    std::vector<int> pageStarts;     // index of each page's first field
    int PageCount() const { return static_cast<int>(pageStarts.size()); }
};

FormLayout LayOutFields(int fieldCount);

} // namespace form
