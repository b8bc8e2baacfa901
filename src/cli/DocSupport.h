#pragma once
// What the document commands of inspector-cli share: opening the document and
// finding inspections and categories by the names a user types.
#include "app/CInspectorDoc.h"
#include "cli/Command.h"

#include <memory>
#include <optional>
#include <string>

namespace cli {

// Opens both data files and the document on them; nullptr after a message.
std::unique_ptr<app::CInspectorDoc> OpenDocument(const Args& args);

// The row of the inspection with Doc # `docNum`. A Doc # typed in another
// letter case finds it too, unless another inspection matches exactly. None or
// several: a message and nothing.
std::optional<int> FindInspectionRow(const app::CInspectorDoc& doc, const std::string& docNum);
// Finds the inspection and makes it the document's current inspection.
bool SelectByDocNum(app::CInspectorDoc& doc, const std::string& docNum);
// True (after a message) when an inspection already has Doc # `docNum`, in any letter case.
bool DocNumTaken(const app::CInspectorDoc& doc, const std::string& docNum);

// The row of the category titled `title` in the current inspection, found the same way.
std::optional<int> FindCategoryRow(app::CInspectorDoc& doc, const std::string& title);

// The status the category list shows: "Not Present", "Complete" or "Incomplete".
std::string CategoryStatus(const store::Category& category);

// A whole number from `low` up, or nothing.
std::optional<int> WholeNumber(const std::string& text, int low);

} // namespace cli
