#include "review/CommentSubject.h"

#include "app/CInspectorDoc.h"
#include "store/Category.h"
#include "store/CategoryComment.h"
#include "store/Comments.h"
#include "store/Inspection.h"
#include "store/InspectionTypeComment.h"
#include "store/Step.h"
#include "store/StepComment.h"
#include <algorithm>
#include <cctype>

namespace review {
namespace {

std::string Folded(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

std::optional<CommentSubject> StepSubject(int stepID)
{
    store::Step step;
    if (!step.OpenByID(stepID) || step.GetCount() == 0)
        return std::nullopt;
    step.Read(0);
    CommentSubject subject;
    subject.kind = CommentKind::Step;
    subject.id = stepID;
    subject.templateID = step.m_StepTemplateID;
    subject.title = step.m_StepNumber + ". " + step.m_StepTitle;
    subject.text = step.m_Comments;
    // The comments a checked material makes obsolete are not offered, as on the comments page.
    store::Category category;
    if (category.OpenByID(step.m_CategoryID) && category.GetCount() > 0) {
        category.Read(0);
        store::Inspection inspection;
        if (inspection.OpenByID(category.m_InspectionID) && inspection.GetCount() > 0) {
            inspection.Read(0);
            subject.materialVoids = inspection.m_MaterialVoids;
        }
    }
    return subject;
}

CommentSubject InspectionSubject(const app::CInspectorDoc& doc)
{
    const store::Inspection& inspection = doc.CurrentInspection();
    CommentSubject subject;
    subject.kind = CommentKind::Inspection;
    subject.id = inspection.m_InspectionID;
    subject.templateID = inspection.m_DocTypeID;
    subject.title = "General Comment";
    subject.text = inspection.m_InspectionComments;
    return subject;
}

std::optional<CommentSubject> CategorySubject(int categoryID)
{
    store::Category category;
    if (!category.OpenByID(categoryID) || category.GetCount() == 0)
        return std::nullopt;
    category.Read(0);
    CommentSubject subject;
    subject.kind = CommentKind::Category;
    subject.id = categoryID;
    subject.templateID = category.m_CategoryTemplateID;
    subject.title = category.m_CategoryTitle;
    subject.text = category.m_CategoryComments;
    subject.codes = category.m_String3;
    return subject;
}

std::vector<editing::StockComment> StockCommentsOf(const CommentSubject& subject)
{
    if (subject.kind == CommentKind::Step)
        return editing::StockCommentsFor(subject.templateID, subject.materialVoids);
    std::vector<editing::StockComment> list;
    store::Comments rows;
    const int link = subject.kind == CommentKind::Inspection ? store::Comments::DocTypeLink
                                                              : store::Comments::CategoryLink;
    if (!rows.OpenLinked(link, subject.templateID))
        return list;
    struct Row {
        std::string group, text, rating;
        int id;
    };
    std::vector<Row> read;
    for (int i = 0; i < rows.GetCount(); ++i) {
        rows.Read(i);
        read.push_back({rows.m_GroupName, rows.m_Comments, rows.m_Rating, rows.m_ID});
    }
    // The link statements give no order; an inspector looks for a comment by its words.
    std::stable_sort(read.begin(), read.end(), [](const Row& a, const Row& b) {
        const std::string ga = Folded(a.group), gb = Folded(b.group);
        return ga != gb ? ga < gb : Folded(a.text) < Folded(b.text);
    });
    for (const Row& row : read) {
        const bool prefixed = subject.kind == CommentKind::Category && !row.group.empty();
        list.push_back({prefixed ? "[" + row.group + "]" + row.text : row.text, row.rating, row.id});
    }
    return list;
}

std::optional<std::string> BracketCode(const std::string& text)
{
    if (text.empty() || text[0] != '[')
        return std::nullopt;
    const auto close = text.find(']');
    if (close == std::string::npos)
        return std::nullopt;
    return text.substr(1, close - 1);
}

std::string AddCode(const std::string& codes, const std::string& code)
{
    if (code.empty())
        return codes;
    std::size_t begin = 0;
    while (begin <= codes.size()) {
        auto end = codes.find(';', begin);
        if (end == std::string::npos)
            end = codes.size();
        if (codes.compare(begin, end - begin, code) == 0)
            return codes;
        begin = end + 1;
    }
    return codes.empty() ? code : codes + ";" + code;
}

bool AddStockCommentTo(const CommentSubject& subject, const std::string& text,
                       std::vector<editing::StockComment>& list)
{
    if (subject.kind == CommentKind::Step)
        return editing::AddStockComment(subject.templateID, text, {}, list);
    const auto characters = std::count_if(text.begin(), text.end(),
                                          [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    if (characters <= 1 ||
        std::any_of(list.begin(), list.end(), [&](const editing::StockComment& e) { return e.text == text; }))
        return false;
    store::Comments comment;
    comment.New();
    comment.m_Comments = text;
    if (!comment.Save())
        return false;
    bool linked = false;
    if (subject.kind == CommentKind::Inspection) {
        store::InspectionTypeComment link;
        link.New();
        link.m_InspectionTypeID = subject.templateID;
        link.m_CommentID = comment.m_ID;
        linked = link.Save();
    } else {
        store::CategoryComment link;
        link.New();
        link.m_CategoryID = subject.templateID;
        link.m_CommentID = comment.m_ID;
        linked = link.Save();
    }
    if (!linked)
        return false;
    list.push_back({text, {}, comment.m_ID});
    return true;
}

bool StoreComment(const CommentSubject& subject, app::CInspectorDoc& doc)
{
    switch (subject.kind) {
    case CommentKind::Inspection:
        if (doc.CurrentInspection().m_InspectionID != subject.id)
            return false;
        doc.CurrentInspection().m_InspectionComments = subject.text;
        return doc.SaveInspection();
    case CommentKind::Category: {
        store::Category category;
        if (!category.OpenByID(subject.id) || category.GetCount() == 0)
            return false;
        category.Read(0);
        category.m_CategoryComments = subject.text;
        category.m_String3 = subject.codes;
        if (!category.Save())
            return false;
        const int row = doc.CurrentCategoryRow();
        doc.FillCategorySelection();
        if (row >= 0)
            doc.StandOnCategory(row);
        return true;
    }
    case CommentKind::Step: {
        store::Step step;
        if (!step.OpenByID(subject.id) || step.GetCount() == 0)
            return false;
        step.Read(0);
        step.m_Comments = subject.text;
        return step.Save();
    }
    }
    return false;
}

} // namespace review
