// inspector-cli comment and form: the general comment of an inspection, the
// comment of a category, and the fields of a form category.
#include "cli/DocSupport.h"

#include "form/CategoryFormFields.h"
#include "review/CommentSubject.h"
#include "store/Category.h"

#include <algorithm>
#include <iostream>

namespace cli {
namespace {

int Comment(const Args& args)
{
    if (args.positional.size() != 1)
        return Usage("comment");
    auto doc = OpenDocument(args);
    if (!doc || !SelectByDocNum(*doc, args.positional[0]))
        return kFailed;
    std::optional<review::CommentSubject> subject;
    if (args.Has("--category")) {
        const auto row = FindCategoryRow(*doc, args.Get("--category"));
        if (!row)
            return kFailed;
        subject = review::CategorySubject(doc->StandOnCategory(*row)->m_CategoryID);
    } else {
        subject = review::InspectionSubject(*doc);
    }
    if (!subject) {
        std::cerr << "The comment could not be read.\n";
        return kFailed;
    }
    const std::string docNum = doc->CurrentInspection().m_InspectionNum;
    if (!args.Has("--text")) {
        std::cout << subject->title << " (Doc # " << docNum << "):\n" << subject->text << "\n";
        return 0;
    }
    subject->text = args.Get("--text");
    if (!review::StoreComment(*subject, *doc)) {
        std::cerr << "The comment could not be saved; nothing was changed.\n";
        return kFailed;
    }
    std::cout << "Doc # " << docNum << ": " << subject->title << " set.\n";
    return 0;
}

void PrintForm(const std::string& title, const std::vector<form::FormField>& fields)
{
    const form::FormLayout layout = form::LayOutFields(static_cast<int>(fields.size()));
    std::cout << title << ": " << fields.size() << " fields on " << layout.PageCount() << " page"
              << (layout.PageCount() == 1 ? "" : "s") << "\n";
    if (fields.empty()) {
        std::cout << "This form has no fields: the template of this category lists none.\n";
        return;
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (std::find(layout.pageStarts.begin(), layout.pageStarts.end(), static_cast<int>(i)) !=
            layout.pageStarts.end())
            std::cout << "Page " << layout.places[i].page + 1 << "\n";
        const form::FormField& f = fields[i];
        std::cout << "  " << f.label << ": " << f.value;
        if (f.type == form::kChoiceField) {
            auto choices = form::FieldChoices(f.label);
            choices.pop_back(); // "Edit List..." belongs to the window
            std::cout << "    [choices:";
            for (std::size_t c = 0; c < choices.size(); ++c)
                std::cout << (c ? ", " : " ") << choices[c];
            std::cout << (choices.empty() ? " none" : "") << "]";
        } else if (!form::TakesValue(f.type)) {
            std::cout << "    [label only]";
        }
        std::cout << "\n";
    }
}

int Form(const Args& args)
{
    if (args.positional.size() != 2)
        return Usage("form");
    auto doc = OpenDocument(args);
    if (!doc || !SelectByDocNum(*doc, args.positional[0]))
        return kFailed;
    const auto row = FindCategoryRow(*doc, args.positional[1]);
    if (!row)
        return kFailed;
    const store::Category& category = *doc->StandOnCategory(*row);
    const std::string title = category.m_CategoryTitle;
    if (category.m_Type != 1) {
        std::cerr << "\"" << title << "\" is not a form category; its steps are listed by inspector-cli show.\n";
        return kFailed;
    }
    auto fields = form::LoadFormFields(*doc, category.m_CategoryID);
    if (!fields) {
        std::cerr << "The fields of \"" << title << "\" could not be read.\n";
        return kFailed;
    }
    // Every assignment is checked before the first is stored: a mistake changes nothing.
    std::vector<std::pair<int, std::string>> assignments;
    for (const std::string& set : args.All("--set")) {
        const auto eq = set.find('=');
        if (eq == std::string::npos) {
            std::cerr << "--set takes LABEL=VALUE, not \"" << set << "\"; nothing was changed.\n";
            return kUsage;
        }
        const std::string label = set.substr(0, eq);
        const int index = form::FieldIndexByLabel(*fields, label);
        if (index < 0) {
            std::cerr << "The form \"" << title << "\" has " << (index == -1 ? "no field" : "several fields")
                      << " labelled \"" << label << "\"; nothing was changed.\n";
            return kFailed;
        }
        if (!form::TakesValue((*fields)[index].type)) {
            std::cerr << "The field \"" << (*fields)[index].label
                      << "\" shows its label only and takes no value; nothing was changed.\n";
            return kFailed;
        }
        assignments.emplace_back(index, set.substr(eq + 1));
    }
    for (const auto& [index, value] : assignments) {
        if (!form::StoreFieldValue((*fields)[index].id, value)) {
            std::cerr << "The value of \"" << (*fields)[index].label << "\" could not be saved.\n";
            return kFailed;
        }
        (*fields)[index].value = value;
    }
    PrintForm(title + " (Doc # " + doc->CurrentInspection().m_InspectionNum + ")", *fields);
    return 0;
}

} // namespace

INSPECTOR_CLI_COMMAND({.name = "comment", .usage = "<Doc #> [--category TITLE] [--text TEXT]",
                       .summary = "show or set (--text) the general comment of an inspection, or the comment of "
                                  "one of its categories",
                       .flags = {}, .multi = {}, .run = &Comment});
INSPECTOR_CLI_COMMAND({.name = "form", .usage = "<Doc #> <category> [--set LABEL=VALUE ...]",
                       .summary = "show the fields of a form category (made from its template the first time) "
                                  "and fill them",
                       .flags = {}, .multi = {"--set"}, .run = &Form});

} // namespace cli
