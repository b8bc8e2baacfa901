#include "form/CategoryFormFields.h"

#include "app/CInspectorDoc.h"
#include "store/Category.h"
#include "store/Field.h"
#include "store/Pickers.h"
#include "text/Windows1252.h"

namespace form {
namespace {

bool ReadFields(int categoryID, std::vector<FormField>& fields)
{
    store::Field rows;
    if (!rows.OpenByCategory(categoryID))
        return false;
    fields.clear();
    for (int i = 0; i < rows.GetCount(); ++i) {
        rows.Read(i);
        fields.push_back({rows.m_ID, rows.m_SequenceNumber, rows.m_FieldType, rows.m_FieldLabel, rows.m_AssignedValue});
    }
    return true;
}

} // namespace

std::optional<std::vector<FormField>> LoadFormFields(app::CInspectorDoc& doc, int categoryID)
{
    std::vector<FormField> fields;
    if (!ReadFields(categoryID, fields))
        return std::nullopt;
    if (!fields.empty())
        return fields;
    store::Category category;
    if (!category.OpenByID(categoryID) || category.GetCount() == 0)
        return std::nullopt;
    category.Read(0);
    if (doc.CreateFieldsFromTemplates(category.m_CategoryTemplateID, categoryID) < 0 || !ReadFields(categoryID, fields))
        return std::nullopt;
    return fields;
}

int FieldIndexByLabel(const std::vector<FormField>& fields, const std::string& label)
{
    int found = -1;
    for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
        if (fields[i].label == label)
            return i;
        if (text::EqualsIgnoreCase(fields[i].label, label))
            found = found == -1 ? i : -2;
    }
    return found;
}

bool StoreFieldValue(int fieldID, const std::string& value)
{
    store::Field field;
    if (!field.OpenSql("SELECT * FROM Field WHERE ID = %d", {fieldID}) || field.GetCount() != 1)
        return false;
    field.Read(0);
    if (field.m_AssignedValue == value)
        return true;
    field.m_AssignedValue = value;
    return field.Save();
}

std::vector<std::string> FieldChoices(const std::string& label)
{
    std::vector<std::string> choices;
    store::Pickers pickers;
    if (pickers.OpenByName(label))
        for (int i = 0; i < pickers.GetCount(); ++i) {
            pickers.Read(i);
            choices.push_back(pickers.m_PickerChoice);
        }
    choices.push_back(kEditList);
    return choices;
}

FormLayout LayOutFields(int fieldCount)
{
    FormLayout layout;
    FieldPlace place;
    for (int i = 0; i < fieldCount; ++i) {
        if (i == 0) {
            layout.pageStarts.push_back(0);
        } else if (place.y + kFieldHeight > kBottomY) {
            if (place.x == kLeftX) {
                place.x = kRightX;
            } else {
                place.x = kLeftX;
                ++place.page;
                layout.pageStarts.push_back(i);
            }
            place.y = kTopY;
        }
        layout.places.push_back(place);
        place.y += kFieldHeight;
    }
    return layout;
}

} // namespace form
