#include "editing/CommentChoices.h"

#include "editing/CommentText.h"
#include "store/Comments.h"
#include "store/StepComment.h"
#include "store/VoidComments.h"
#include "ui/Port.h"

#include <algorithm>
#include <cstdlib>

namespace editing {

std::set<std::int32_t> ParseMaterialVoids(const std::string& materialVoids)
{
    std::set<std::int32_t> ids;
    std::size_t begin = 0;
    while (begin < materialVoids.size()) {
        auto end = materialVoids.find(';', begin);
        if (end == std::string::npos)
            end = materialVoids.size();
        const std::string item = materialVoids.substr(begin, end - begin);
        if (!item.empty()) {
            char* rest = nullptr;
            const long value = std::strtol(item.c_str(), &rest, 10);
            if (rest && *rest == '\0')
                ids.insert(static_cast<std::int32_t>(value));
        }
        begin = end + 1;
    }
    return ids;
}

namespace {

int CharacterCount(const std::string& utf8)
{
    return static_cast<int>(std::count_if(utf8.begin(), utf8.end(),
                                          [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::set<std::int32_t> HiddenComments(const std::string& materialVoids)
{
    std::set<std::int32_t> hidden;
    const auto checked = ParseMaterialVoids(materialVoids);
    if (checked.empty())
        return hidden;
    store::VoidComments pairs;
    if (!pairs.Open())
        return hidden;
    for (int i = 0; i < pairs.GetCount(); ++i) {
        pairs.Read(i);
        if (checked.count(pairs.m_MaterialID))
            hidden.insert(pairs.m_CommentID);
    }
    return hidden;
}

} // namespace

std::vector<StockComment> StockCommentsFor(int stepTemplateID, const std::string& materialVoids)
{
    std::vector<StockComment> list;
    store::Comments rows;
    if (!rows.OpenByStepGrouped(stepTemplateID))
        return list;
    bool grouped = false;
    for (int i = 0; i < rows.GetCount() && !grouped; ++i) {
        rows.Read(i);
        grouped = !rows.m_GroupName.empty();
    }
    if (!grouped && !rows.OpenByStep(stepTemplateID))
        return list;

    const auto hidden = HiddenComments(materialVoids);
    std::string previousGroup;
    for (int i = 0; i < rows.GetCount(); ++i) {
        rows.Read(i);
        if (hidden.count(rows.m_ID))
            continue;
        if (rows.m_GroupName != previousGroup)
            list.push_back({GroupHeading(rows.m_GroupName), GroupRating(rows.m_GroupName), 0});
        previousGroup = rows.m_GroupName;
        list.push_back({rows.m_Comments, rows.m_Rating, rows.m_ID});
    }
    return list;
}

bool AddStockComment(int stepTemplateID, const std::string& text, const std::string& rating,
                     std::vector<StockComment>& list)
{
    if (CharacterCount(text) <= 1)
        return false;
    if (std::any_of(list.begin(), list.end(), [&](const StockComment& entry) { return entry.text == text; }))
        return false;
    store::Comments comment;
    comment.New();
    comment.m_Comments = text;
    comment.m_Rating = rating;
    if (!comment.Save())
        return false;
    store::StepComment link;
    link.New();
    link.m_StepID = stepTemplateID;
    link.m_CommentID = comment.m_ID;
    if (!link.Save())
        return false;
    list.push_back({text, rating, comment.m_ID});
    return true;
}

int RemoveStockComments(int stepTemplateID, const std::vector<std::string>& texts)
{
    int detached = 0;
    store::StepComment links;
    if (!links.OpenSql("SELECT * FROM StepComment WHERE StepID = %d", {stepTemplateID}))
        return 0;
    for (const auto& text : texts) {
        for (int i = 0; i < links.GetCount(); ++i) {
            links.Read(i);
            if (links.m_StepID != stepTemplateID)
                continue; // already detached for an earlier text
            store::Comments comment;
            if (!comment.OpenSql("SELECT * FROM Comments WHERE ID = %d", {links.m_CommentID}))
                continue;
            if (comment.GetCount() > 1) {
                ui::CurrentPort().inform("[ERROR CODE => 999] CCommentsPage::OnCommentPicker.");
                continue;
            }
            if (comment.GetCount() != 1)
                continue;
            comment.Read(0);
            if (comment.m_Comments != text)
                continue;
            links.m_StepID = -stepTemplateID;
            if (links.Save())
                ++detached;
            break;
        }
    }
    return detached;
}

} // namespace editing
