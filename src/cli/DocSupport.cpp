#include "cli/DocSupport.h"

#include "store/Inspection.h"
#include "text/Windows1252.h"

#include <charconv>
#include <iostream>
#include <vector>

namespace cli {
namespace {

// The one index whose name is `wanted`: exact matches first, then matches
// ignoring letter case. -1 when none, -2 when several.
template <class Names>
int FindByName(const Names& names, const std::string& wanted)
{
    for (bool exact : {true, false}) {
        int found = -1;
        int matches = 0;
        for (int i = 0; i < static_cast<int>(names.size()); ++i) {
            const bool match = exact ? names[i] == wanted : text::EqualsIgnoreCase(names[i], wanted);
            if (match) {
                found = i;
                ++matches;
            }
        }
        if (matches == 1)
            return found;
        if (matches > 1)
            return -2;
    }
    return -1;
}

} // namespace

std::unique_ptr<app::CInspectorDoc> OpenDocument(const Args& args)
{
    if (!OpenDataFiles(args))
        return nullptr;
    return std::make_unique<app::CInspectorDoc>();
}

std::optional<int> FindInspectionRow(const app::CInspectorDoc& doc, const std::string& docNum)
{
    std::vector<std::string> numbers;
    for (const auto& row : doc.InspectionList())
        numbers.push_back(row.docNum);
    const int row = FindByName(numbers, docNum);
    if (row == -1) {
        std::cerr << "There is no inspection with Doc # \"" << docNum << "\" (see inspector-cli list).\n";
        return std::nullopt;
    }
    if (row == -2) {
        std::cerr << "Doc # \"" << docNum << "\" belongs to several inspections; give each a Doc # of its own "
                  << "in the desktop program first.\n";
        return std::nullopt;
    }
    return row;
}

bool SelectByDocNum(app::CInspectorDoc& doc, const std::string& docNum)
{
    const auto row = FindInspectionRow(doc, docNum);
    return row && doc.SelectInspection(*row);
}

bool DocNumTaken(const app::CInspectorDoc&, const std::string& docNum)
{
    if (!store::Inspection::DocNumberInUse(docNum))
        return false;
    std::cerr << app::CInspectorDoc::DocNumInUseMessage(docNum) << "\n";
    return true;
}

std::optional<int> FindCategoryRow(app::CInspectorDoc& doc, const std::string& title)
{
    std::vector<std::string> titles;
    for (int i = 0; i < doc.GetCategoryCount(); ++i)
        titles.push_back(doc.StandOnCategory(i)->m_CategoryTitle);
    const int row = FindByName(titles, title);
    if (row == -1) {
        std::cerr << "The inspection has no category \"" << title << "\" (see inspector-cli show).\n";
        return std::nullopt;
    }
    if (row == -2) {
        std::cerr << "Several categories of the inspection are called \"" << title
                  << "\"; rename one in the desktop program first.\n";
        return std::nullopt;
    }
    return row;
}

std::string CategoryStatus(const store::Category& category)
{
    if (category.m_CategoryNotPresent)
        return "Not Present";
    return category.m_CategoryComplete ? "Complete" : "Incomplete";
}

std::optional<int> WholeNumber(const std::string& text, int low)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < low)
        return std::nullopt;
    return value;
}

} // namespace cli
