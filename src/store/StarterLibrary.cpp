#include "store/StarterLibrary.h"

#include "store/CategoryComment.h"
#include "store/CategoryStep.h"
#include "store/CategoryTemplate.h"
#include "store/Comments.h"
#include "store/Database.h"
#include "store/ExpandedText.h"
#include "store/FieldTemplate.h"
#include "store/InspectionType.h"
#include "store/InspectionTypeCategory.h"
#include "store/InspectionTypeComment.h"
#include "store/MaterialComment.h"
#include "store/MaterialTemplate.h"
#include "store/Options.h"
#include "store/Pickers.h"
#include "store/RatingChoices.h"
#include "store/RatingType.h"
#include "store/StarterLibraryFiles.h"
#include "store/StepComment.h"
#include "store/StepTemplate.h"
#include "store/VoidComments.h"
#include "text/Windows1252.h"
#include "ui/Port.h"

#include <sqlite3.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace store {
namespace {

// Identifiers from here up are handed out by the template counters.
constexpr int kCounterStart = 25000;

struct Where {
    std::string file;
    int line = 0;
};

// A mistake in a library file; caught by the loader, never passed on.
struct LibraryError {
    Where where;
    std::string problem;
};

[[noreturn]] void Fail(const Where& where, std::string problem)
{
    throw LibraryError{where, std::move(problem)};
}

// ---------------------------------------------------------------------------
// What the files describe, before it is written.

struct Choice {
    int id = 0;
    std::string name;
    bool isDefault = false, bold = false, red = false, summary = false, commentRequired = false, omit = false;
};

struct Scale {
    int id = 0;
    std::string name, note;
    std::vector<Choice> choices;
};

struct PickerRow {
    int id = 0;
    std::string list, choice;
};

struct Shortcut {
    int id = 0;
    std::string key, expansion;
};

enum class Owner { DocType, Category, Step, Material };

struct Comment {
    int id = 0;
    int number = 0; // position among the comments of its owner
    std::string text, rating, group;
    Owner owner = Owner::Step;
    int ownerIndex = 0;
    std::vector<std::string> hiddenBy;
    Where where;
};

struct Material {
    int id = 0;
    int step = 0;
    std::string name;
    int order = 0;
    bool isDefault = false;
    std::vector<int> comments;
    Where where;
};

struct Step {
    int id = 0;
    int category = 0;
    std::string name, number, scale, keyword, info;
    bool keywordGiven = false;
    int scaleIndex = -1;
    std::vector<int> materials;
    std::vector<int> comments;
    Where where;
};

struct Field {
    int id = 0;
    std::string label;
    bool picker = false;
    int sequence = 0;
    Where where;
};

struct Category {
    int id = 0;
    std::string name, key, scale, system;
    int number = 0;
    bool form = false, noDefaults = false;
    std::vector<int> steps;
    std::vector<int> comments;
    std::vector<Field> fields;
    int useCount = 0;
    Where where;
};

struct DocType {
    int id = 0;
    std::string name, layout;
    std::vector<std::pair<std::string, Where>> uses;
    std::vector<int> categories; // resolved from uses
    std::vector<int> comments;
    Where where;
};

using OptionValue = std::variant<std::int64_t, double, std::string>;

struct Library {
    std::vector<Scale> scales;
    std::vector<PickerRow> pickers;
    std::map<std::string, Where> pickerLists;
    std::vector<Shortcut> shortcuts;
    std::vector<DocType> docTypes;
    std::vector<Category> categories;
    std::vector<Step> steps;
    std::vector<Material> materials;
    std::vector<Comment> comments;
    std::vector<std::pair<int, int>> voids; // material index, comment index
    std::map<std::string, OptionValue> options; // Options column name -> value
    std::set<std::string> optionsGiven;
    int fieldCount = 0;
    int choiceCount = 0;
};

// ---------------------------------------------------------------------------
// Reading one line.

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string Unquote(std::string_view s)
{
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"')
        s = s.substr(1, s.size() - 2);
    return std::string(s);
}

struct Line {
    Where where;
    std::string keyword;
    std::string value;
    std::map<std::string, std::string> attributes; // a flag maps to ""
    std::set<std::string> flags;

    bool Has(const std::string& flag) const { return flags.count(flag) != 0; }
    std::optional<std::string> Get(const std::string& name) const
    {
        auto it = attributes.find(name);
        if (it == attributes.end() || flags.count(name))
            return std::nullopt;
        return it->second;
    }
    // Refuses attributes the keyword does not know.
    void Allow(std::initializer_list<const char*> valued, std::initializer_list<const char*> flagNames) const
    {
        for (const auto& [name, v] : attributes) {
            bool known = false;
            const bool isFlag = flags.count(name) != 0;
            for (const char* a : isFlag ? flagNames : valued)
                known = known || name == a;
            if (!known)
                Fail(where, "\"" + name + "\" is not " + (isFlag ? "a flag" : "an attribute") + " of \"" + keyword +
                                "\"");
        }
    }
};

Line ParseLine(const Where& where, std::string_view text)
{
    Line line;
    line.where = where;
    text = Trim(text);
    const auto blank = text.find_first_of(" \t");
    line.keyword = std::string(text.substr(0, blank));
    std::string_view rest = blank == std::string_view::npos ? std::string_view{} : text.substr(blank + 1);
    auto bar = rest.find('|');
    line.value = Unquote(Trim(rest.substr(0, bar)));
    while (bar != std::string_view::npos) {
        rest = rest.substr(bar + 1);
        bar = rest.find('|');
        const auto part = Trim(rest.substr(0, bar));
        if (part.empty())
            Fail(where, "an empty attribute after \"|\"");
        const auto eq = part.find('=');
        std::string name(Trim(part.substr(0, eq)));
        if (line.attributes.count(name))
            Fail(where, "\"" + name + "\" is given twice");
        if (eq == std::string_view::npos) {
            line.flags.insert(name);
            line.attributes[name] = "";
        } else {
            line.attributes[name] = Unquote(Trim(part.substr(eq + 1)));
        }
    }
    return line;
}

// Splits a value into its first word and the rest.
std::pair<std::string, std::string> FirstWord(std::string_view value)
{
    const auto blank = value.find_first_of(" \t");
    if (blank == std::string_view::npos)
        return {std::string(value), {}};
    return {std::string(value.substr(0, blank)), std::string(Trim(value.substr(blank + 1)))};
}

std::vector<std::string> SplitList(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        auto end = text.find(separator, start);
        if (end == std::string::npos)
            end = text.size();
        auto part = Trim(std::string_view(text).substr(start, end - start));
        if (!part.empty())
            parts.emplace_back(part);
        start = end + 1;
    }
    return parts;
}

std::optional<long> ParseInteger(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    std::size_t used = 0;
    try {
        const long n = std::stol(text, &used);
        if (used == text.size())
            return n;
    } catch (...) {
    }
    return std::nullopt;
}

std::optional<double> ParseNumber(const std::string& text)
{
    std::size_t used = 0;
    try {
        const double d = std::stod(text, &used);
        if (used == text.size())
            return d;
    } catch (...) {
    }
    return std::nullopt;
}

void RequireValue(const Line& line, const char* what)
{
    if (line.value.empty())
        Fail(line.where, std::string("\"") + line.keyword + "\" needs " + what);
}

// Every text ends up in reports and export files written in Windows-1252.
void CheckCharacters(const Where& where, std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t at = pos;
        const char32_t c = text::NextCodePoint(text, pos);
        if (c == 0xFFFD && !(text.substr(at, 3) == "\xEF\xBF\xBD"))
            Fail(where, "the line is not valid UTF-8");
        if (c >= 0x80 && text::Windows1252Byte(c) < 0)
            Fail(where, "the line holds a character that Windows-1252 cannot write");
    }
}

// ---------------------------------------------------------------------------
// Reading the files.

struct OptionSpec {
    const char* name;
    const char* column;
    enum Kind { YesNo, Text, Integer, Widths } kind;
    int low = 0, high = 0; // allowed range of an integer
};

const std::vector<OptionSpec>& OptionSpecs()
{
    static const std::vector<OptionSpec> specs = {
        {"print-company-info", "YesNo0", OptionSpec::YesNo},
        {"print-not-present-page", "YesNo1", OptionSpec::YesNo},
        {"alert-incomplete-category", "YesNo2", OptionSpec::YesNo},
        {"use-custom-footer", "YesNo3", OptionSpec::YesNo},
        {"print-toc", "PrintTOC", OptionSpec::YesNo},
        {"hide-ratings", "HideRatings", OptionSpec::YesNo},
        {"section-break-between-categories", "YesNo35", OptionSpec::YesNo},
        {"blank-line-between-comments", "YesNo36", OptionSpec::YesNo},
        {"show-step-numbers", "YesNo37", OptionSpec::YesNo},
        {"footer", "String4", OptionSpec::Text},
        {"legal", "String5", OptionSpec::Text},
        {"definitions", "String6", OptionSpec::Text},
        {"materials-delimiter", "String7", OptionSpec::Text},
        {"summary-disclaimer", "SummaryDisclaimer", OptionSpec::Text},
        {"report-font-name", "ReportFontName", OptionSpec::Text},
        {"default-path", "DefaultPath", OptionSpec::Text},
        {"picture-card-path", "DefaultPictCardPath", OptionSpec::Text},
        {"report-font-size", "ReportFontSize", OptionSpec::Integer, 10, 12},
        {"step-spacing", "StepSpacing", OptionSpec::Integer, 1, 2},
        {"default-step-page", "DefStepTab", OptionSpec::Integer, 0, 3},
        {"next-picture-number", "NextPictNumber", OptionSpec::Integer, 1, 1000000},
        {"column-widths", "ColumnWidth", OptionSpec::Widths},
    };
    return specs;
}

class Reader {
public:
    explicit Reader(Library& lib) : m_lib(lib) {}

    void ReadFile(const std::string& name, const std::string& text)
    {
        m_scale = m_docType = m_category = m_step = -1;
        m_picker.reset();
        m_lastKeyword.clear();
        m_group.clear();
        int number = 0;
        std::size_t start = 0;
        while (start < text.size()) {
            auto end = text.find('\n', start);
            if (end == std::string::npos)
                end = text.size();
            ++number;
            const std::string_view raw(text.data() + start, end - start);
            start = end + 1;
            const auto trimmed = Trim(raw);
            if (trimmed.empty() || trimmed.front() == '#')
                continue;
            const Where where{name, number};
            CheckCharacters(where, trimmed);
            ReadLine(ParseLine(where, trimmed));
        }
    }

private:
    void ReadLine(const Line& line)
    {
        const std::string& k = line.keyword;
        if (k == "scale" || k == "picker" || k == "shortcut" || k == "option" || k == "doctype" ||
            k == "category") {
            m_scale = m_docType = m_category = m_step = -1;
            m_picker.reset();
            m_group.clear();
        }
        if (k == "scale")
            ReadScale(line);
        else if (k == "choice")
            ReadChoice(line);
        else if (k == "picker")
            ReadPicker(line);
        else if (k == "entry")
            ReadEntry(line);
        else if (k == "shortcut")
            ReadShortcut(line);
        else if (k == "option")
            ReadOption(line);
        else if (k == "doctype")
            ReadDocType(line);
        else if (k == "uses")
            ReadUses(line);
        else if (k == "category")
            ReadCategory(line);
        else if (k == "field")
            ReadField(line);
        else if (k == "step")
            ReadStep(line);
        else if (k == "system" || k == "info" || k == "material" || k == "adds" || k == "group")
            ReadStepDetail(line);
        else if (k == "comment")
            ReadComment(line);
        else
            Fail(line.where, "unknown keyword \"" + k + "\"");
        m_lastKeyword = k;
    }

    void NeedContext(const Line& line, bool open, const char* where)
    {
        if (!open)
            Fail(line.where, "\"" + line.keyword + "\" must follow " + where);
    }

    template <class T>
    int NextID(const Line& line, const std::vector<T>& rows, const char* table)
    {
        return NextID(line, static_cast<int>(rows.size()), table);
    }
    int NextID(const Line& line, int count, const char* table)
    {
        const int id = count + 1;
        if (id >= kCounterStart)
            Fail(line.where, std::string("too many rows for the table ") + table +
                                 ": identifiers from 25000 up belong to the program's counters");
        return id;
    }

    void ReadScale(const Line& line)
    {
        line.Allow({"note"}, {});
        RequireValue(line, "the scale's name");
        for (const auto& s : m_lib.scales)
            if (s.name == line.value)
                Fail(line.where, "the scale \"" + line.value + "\" is defined twice");
        Scale s;
        s.id = NextID(line, m_lib.scales, "RatingType");
        s.name = line.value;
        s.note = line.Get("note").value_or("");
        m_lib.scales.push_back(std::move(s));
        m_scale = static_cast<int>(m_lib.scales.size()) - 1;
    }

    void ReadChoice(const Line& line)
    {
        NeedContext(line, m_scale >= 0, "a scale");
        line.Allow({}, {"default", "bold", "red", "summary", "comment-required", "omit"});
        RequireValue(line, "the choice's name");
        auto& scale = m_lib.scales[m_scale];
        for (const auto& c : scale.choices) {
            if (c.name == line.value)
                Fail(line.where, "the choice \"" + line.value + "\" appears twice in the scale");
            if (c.isDefault && line.Has("default"))
                Fail(line.where, "the scale \"" + scale.name + "\" already has a default choice");
        }
        Choice c;
        c.id = NextID(line, m_lib.choiceCount++, "RatingChoices");
        c.name = line.value;
        c.isDefault = line.Has("default");
        c.bold = line.Has("bold");
        c.red = line.Has("red");
        c.summary = line.Has("summary");
        c.commentRequired = line.Has("comment-required");
        c.omit = line.Has("omit");
        scale.choices.push_back(std::move(c));
    }

    void ReadPicker(const Line& line)
    {
        line.Allow({}, {});
        RequireValue(line, "the list's name");
        if (m_lib.pickerLists.count(line.value))
            Fail(line.where, "the pick list \"" + line.value + "\" is defined twice");
        m_lib.pickerLists[line.value] = line.where;
        m_picker = line.value;
    }

    void ReadEntry(const Line& line)
    {
        NeedContext(line, m_picker.has_value(), "a picker");
        line.Allow({}, {});
        RequireValue(line, "the entry's text");
        m_lib.pickers.push_back({NextID(line, m_lib.pickers, "Pickers"), *m_picker, line.value});
    }

    void ReadShortcut(const Line& line)
    {
        line.Allow({}, {});
        auto [key, expansion] = FirstWord(line.value);
        if (key.empty() || expansion.empty())
            Fail(line.where, "\"shortcut\" needs the shortcut word and its expansion");
        for (const auto& s : m_lib.shortcuts)
            if (s.key == key)
                Fail(line.where, "the shortcut \"" + key + "\" is defined twice");
        m_lib.shortcuts.push_back({NextID(line, m_lib.shortcuts, "ExpandedText"), key, expansion});
    }

    void ReadOption(const Line& line)
    {
        line.Allow({}, {});
        auto [name, value] = FirstWord(line.value);
        value = Unquote(value);
        const OptionSpec* setting = nullptr;
        for (const auto& s : OptionSpecs())
            if (name == s.name)
                setting = &s;
        if (!setting)
            Fail(line.where, "unknown setting \"" + name + "\"");
        const bool again = !m_lib.optionsGiven.insert(name).second;
        if (again && setting->kind != OptionSpec::Text)
            Fail(line.where, "the setting \"" + name + "\" is given twice");
        switch (setting->kind) {
        case OptionSpec::YesNo:
            if (value != "yes" && value != "no")
                Fail(line.where, "the setting \"" + name + "\" takes yes or no");
            m_lib.options[setting->column] = std::int64_t(value == "yes" ? 1 : 0);
            break;
        case OptionSpec::Text: {
            auto& text = m_lib.options[setting->column];
            if (again) {
                auto& s = std::get<std::string>(text);
                s += (s.empty() ? "" : "\r\n\r\n") + value;
            } else {
                text = value;
            }
            break;
        }
        case OptionSpec::Integer: {
            const auto n = ParseInteger(value);
            if (!n || *n < setting->low || *n > setting->high)
                Fail(line.where, "the setting \"" + name + "\" takes a number from " + std::to_string(setting->low) +
                                     " to " + std::to_string(setting->high));
            if (name == "report-font-size" && *n != 10 && *n != 12)
                Fail(line.where, "the report font size is 10 or 12");
            m_lib.options[setting->column] = std::int64_t(*n);
            break;
        }
        case OptionSpec::Widths: {
            const auto widths = SplitList(value, ' ');
            if (widths.size() != 5)
                Fail(line.where, "\"column-widths\" takes five widths in inches");
            for (int i = 0; i < 5; ++i) {
                const auto w = ParseNumber(widths[i]);
                if (!w || *w < 0 || *w > 10)
                    Fail(line.where, "\"" + widths[i] + "\" is not a column width in inches");
                m_lib.options[std::string(setting->column) + std::to_string(i + 1)] = *w;
            }
            break;
        }
        }
    }

    void ReadDocType(const Line& line)
    {
        line.Allow({"layout"}, {});
        RequireValue(line, "the document type's name");
        for (const auto& d : m_lib.docTypes)
            if (d.name == line.value)
                Fail(line.where, "the document type \"" + line.value + "\" is defined twice");
        DocType d;
        d.id = NextID(line, m_lib.docTypes, "InspectionType");
        d.name = line.value;
        d.layout = line.Get("layout").value_or("");
        if (d.layout.empty())
            Fail(line.where, "a document type needs layout=");
        d.where = line.where;
        m_lib.docTypes.push_back(std::move(d));
        m_docType = static_cast<int>(m_lib.docTypes.size()) - 1;
    }

    void ReadUses(const Line& line)
    {
        NeedContext(line, m_docType >= 0, "a doctype");
        line.Allow({}, {});
        RequireValue(line, "a category key");
        m_lib.docTypes[m_docType].uses.emplace_back(line.value, line.where);
    }

    void ReadCategory(const Line& line)
    {
        line.Allow({"number", "key", "scale", "system"}, {"form", "no-defaults"});
        RequireValue(line, "the category's name");
        Category c;
        c.id = NextID(line, m_lib.categories, "CategoryTemplate");
        c.name = line.value;
        c.key = line.Get("key").value_or(line.value);
        for (const auto& other : m_lib.categories)
            if (other.key == c.key)
                Fail(line.where, "the category key \"" + c.key + "\" is used twice; give one of them key=");
        const auto number = ParseInteger(line.Get("number").value_or(""));
        if (!number)
            Fail(line.where, "a category needs number=");
        if (*number < 100 || *number > 999)
            Fail(line.where, "category numbers have three digits (100 to 999), so that they sort as text");
        c.number = static_cast<int>(*number);
        c.scale = line.Get("scale").value_or("");
        c.system = line.Get("system").value_or("");
        c.form = line.Has("form");
        c.noDefaults = line.Has("no-defaults");
        c.where = line.where;
        m_lib.categories.push_back(std::move(c));
        m_category = static_cast<int>(m_lib.categories.size()) - 1;
    }

    void ReadField(const Line& line)
    {
        NeedContext(line, m_category >= 0, "a category");
        line.Allow({}, {"picker"});
        RequireValue(line, "the field's label");
        auto& c = m_lib.categories[m_category];
        if (!c.form)
            Fail(line.where, "fields belong to form categories (add the flag form to the category)");
        if (line.value.size() > 80)
            Fail(line.where, "a field label has at most 80 characters");
        Field f;
        f.id = NextID(line, m_lib.fieldCount++, "FieldTemplate");
        f.label = line.value;
        f.picker = line.Has("picker");
        f.sequence = static_cast<int>(c.fields.size()) + 1;
        f.where = line.where;
        c.fields.push_back(std::move(f));
    }

    void ReadStep(const Line& line)
    {
        NeedContext(line, m_category >= 0, "a category");
        line.Allow({"scale", "system"}, {});
        RequireValue(line, "the step's name");
        auto& c = m_lib.categories[m_category];
        if (c.form)
            Fail(line.where, "a form category has fields, not steps");
        for (int s : c.steps)
            if (m_lib.steps[s].name == line.value)
                Fail(line.where, "the step \"" + line.value + "\" appears twice in the category");
        Step s;
        s.id = NextID(line, m_lib.steps, "StepTemplate");
        s.category = m_category;
        s.name = line.value;
        char number[8];
        const int position = static_cast<int>(c.steps.size()) + 1;
        std::snprintf(number, sizeof number, position < 100 ? "%02d" : "%03d", position);
        s.number = number;
        s.scale = line.Get("scale").value_or(c.scale);
        s.keywordGiven = line.Get("system").has_value();
        s.keyword = line.Get("system").value_or(c.system);
        s.where = line.where;
        m_lib.steps.push_back(std::move(s));
        m_step = static_cast<int>(m_lib.steps.size()) - 1;
        c.steps.push_back(m_step);
        m_group.clear();
    }

    void ReadStepDetail(const Line& line)
    {
        NeedContext(line, m_step >= 0, "a step");
        auto& step = m_lib.steps[m_step];
        const std::string& k = line.keyword;
        if (k == "system") {
            line.Allow({}, {});
            RequireValue(line, "the major-system keyword");
            step.keyword = line.value;
            step.keywordGiven = true;
        } else if (k == "info") {
            line.Allow({}, {});
            RequireValue(line, "a paragraph of step information");
            step.info += (step.info.empty() ? "" : "\r\n") + line.value;
        } else if (k == "group") {
            line.Allow({}, {});
            if (line.value.size() > 80)
                Fail(line.where, "a group name has at most 80 characters");
            m_group = line.value;
        } else if (k == "material") {
            line.Allow({}, {"default"});
            RequireValue(line, "the material's name");
            if (line.value.find(';') != std::string::npos)
                Fail(line.where, "a material name cannot contain \";\", the separator of the materials list");
            if (line.value.back() == '+')
                Fail(line.where, "a material name cannot end in \"+\", the mark of materials that add a comment");
            for (int m : step.materials)
                if (m_lib.materials[m].name == line.value)
                    Fail(line.where, "the material \"" + line.value + "\" appears twice in the step");
            Material m;
            m.id = NextID(line, m_lib.materials, "MaterialTemplate");
            m.step = m_step;
            m.name = line.value;
            m.order = static_cast<int>(step.materials.size()) + 1;
            m.isDefault = line.Has("default");
            m.where = line.where;
            m_lib.materials.push_back(std::move(m));
            step.materials.push_back(static_cast<int>(m_lib.materials.size()) - 1);
        } else { // adds
            if (m_lastKeyword != "material")
                Fail(line.where, "\"adds\" must follow the material it belongs to");
            line.Allow({}, {});
            RequireValue(line, "the comment the material adds");
            const int material = step.materials.back();
            auto& c = AddComment(line, Owner::Material, material);
            c.group.clear();
            auto& list = m_lib.materials[material].comments;
            list.push_back(c.id - 1);
            c.number = static_cast<int>(list.size());
        }
    }

    Comment& AddComment(const Line& line, Owner owner, int ownerIndex)
    {
        Comment c;
        c.id = NextID(line, m_lib.comments, "Comments");
        c.text = line.value;
        c.rating = line.Get("rating").value_or("");
        c.group = m_group;
        c.owner = owner;
        c.ownerIndex = ownerIndex;
        c.where = line.where;
        if (c.rating.size() > 80)
            Fail(line.where, "a rating has at most 80 characters");
        m_lib.comments.push_back(std::move(c));
        return m_lib.comments.back();
    }

    void ReadComment(const Line& line)
    {
        RequireValue(line, "the comment's text");
        if (m_step >= 0) {
            line.Allow({"rating", "hiddenby"}, {});
            auto& c = AddComment(line, Owner::Step, m_step);
            c.hiddenBy = SplitList(line.Get("hiddenby").value_or(""), ';');
            auto& list = m_lib.steps[m_step].comments;
            list.push_back(c.id - 1);
            c.number = static_cast<int>(list.size());
        } else if (m_category >= 0) {
            line.Allow({"rating"}, {});
            auto& c = AddComment(line, Owner::Category, m_category);
            auto& list = m_lib.categories[m_category].comments;
            list.push_back(c.id - 1);
            c.number = static_cast<int>(list.size());
        } else if (m_docType >= 0) {
            line.Allow({"rating"}, {});
            auto& c = AddComment(line, Owner::DocType, m_docType);
            auto& list = m_lib.docTypes[m_docType].comments;
            list.push_back(c.id - 1);
            c.number = static_cast<int>(list.size());
        } else {
            Fail(line.where, "\"comment\" must follow a doctype, a category or a step");
        }
    }

    Library& m_lib;
    int m_scale = -1, m_docType = -1, m_category = -1, m_step = -1;
    std::optional<std::string> m_picker;
    std::string m_lastKeyword;
    std::string m_group;
};

// ---------------------------------------------------------------------------
// Checking the references between files.

const Scale* FindScale(const Library& lib, const std::string& name)
{
    for (const auto& s : lib.scales)
        if (s.name == name)
            return &s;
    return nullptr;
}

bool HasChoice(const Scale& scale, const std::string& name)
{
    for (const auto& c : scale.choices)
        if (c.name == name)
            return true;
    return false;
}

// The names of the pick lists a text's caret placeholders call for; fails on a
// lone caret or a placeholder that names no list.
std::vector<std::string> CheckPlaceholders(const Library& lib, const Comment& c)
{
    std::vector<std::string> lists;
    std::size_t pos = 0;
    while ((pos = c.text.find('^', pos)) != std::string::npos) {
        const auto end = c.text.find('^', pos + 1);
        if (end == std::string::npos)
            Fail(c.where, "a lone \"^\": placeholders are written ^Name^ or ^(first,second)^");
        const std::string name = c.text.substr(pos + 1, end - pos - 1);
        if (!name.empty() && name.front() == '(') {
            if (name.back() != ')' || SplitList(name.substr(1, name.size() - 2), ',').size() < 2)
                Fail(c.where, "the choices ^" + name + "^ need at least two items between parentheses");
        } else if (!lib.pickerLists.count(name)) {
            Fail(c.where, "the placeholder ^" + name + "^ names no pick list");
        } else {
            lists.push_back(name);
        }
        pos = end + 1;
    }
    return lists;
}

void Resolve(Library& lib)
{
    std::map<std::string, int> categoryByKey;
    for (int i = 0; i < static_cast<int>(lib.categories.size()); ++i)
        categoryByKey[lib.categories[i].key] = i;

    for (auto& d : lib.docTypes) {
        std::map<int, std::string> numbers;
        for (const auto& [key, where] : d.uses) {
            auto it = categoryByKey.find(key);
            if (it == categoryByKey.end())
                Fail(where, "no category has the key \"" + key + "\"");
            for (int c : d.categories)
                if (c == it->second)
                    Fail(where, "the document type uses the category \"" + key + "\" twice");
            auto& category = lib.categories[it->second];
            auto [other, fresh] = numbers.emplace(category.number, key);
            if (!fresh)
                Fail(where, "the categories \"" + other->second + "\" and \"" + key + "\" of this document type share the number " +
                                std::to_string(category.number));
            ++category.useCount;
            d.categories.push_back(it->second);
        }
        if (d.categories.empty())
            Fail(d.where, "the document type \"" + d.name + "\" uses no category");
    }
    for (const auto& c : lib.categories) {
        if (c.useCount == 0)
            Fail(c.where, "no document type uses the category \"" + c.key + "\"");
        if (!c.form && c.steps.empty())
            Fail(c.where, "the category \"" + c.name + "\" has no steps");
        if (!c.scale.empty() && !FindScale(lib, c.scale))
            Fail(c.where, "no scale is named \"" + c.scale + "\"");
        for (const auto& f : c.fields)
            if (f.picker && !lib.pickerLists.count(f.label))
                Fail(f.where, "the choice field \"" + f.label + "\" needs a pick list of the same name");
    }
    for (auto& s : lib.steps) {
        if (s.scale.empty())
            Fail(s.where, "the step \"" + s.name + "\" has no scale (give scale= to the step or its category)");
        const Scale* scale = FindScale(lib, s.scale);
        if (!scale)
            Fail(s.where, "no scale is named \"" + s.scale + "\"");
        s.scaleIndex = static_cast<int>(scale - lib.scales.data());
        if (s.keyword.empty())
            Fail(s.where, "the step \"" + s.name + "\" has no major-system keyword (give system= to the step or its category)");
    }

    for (int i = 0; i < static_cast<int>(lib.comments.size()); ++i) {
        const auto& c = lib.comments[i];
        const auto lists = CheckPlaceholders(lib, c);
        if (!c.rating.empty()) {
            bool known = false;
            if (c.owner == Owner::Step || c.owner == Owner::Material) {
                const int step = c.owner == Owner::Step ? c.ownerIndex : lib.materials[c.ownerIndex].step;
                const auto& scale = lib.scales[lib.steps[step].scaleIndex];
                if (!HasChoice(scale, c.rating))
                    Fail(c.where, "\"" + c.rating + "\" is not a choice of the scale \"" + scale.name + "\"");
                known = true;
            }
            for (const auto& s : lib.scales)
                known = known || HasChoice(s, c.rating);
            if (!known)
                Fail(c.where, "no scale has the choice \"" + c.rating + "\"");
        }
        if (c.owner == Owner::Material) {
            const auto& m = lib.materials[c.ownerIndex];
            if (m.name.back() == ':' && lists.empty())
                Fail(c.where, "the comment of a material ending in \":\" names a pick list (^Name^), which "
                              "checking the material offers");
        }
        for (const auto& name : c.hiddenBy) {
            const auto& step = lib.steps[c.ownerIndex];
            int stepIndex = c.ownerIndex;
            std::string material = name;
            const auto arrow = name.find(" > ");
            if (arrow != std::string::npos) {
                const std::string stepName(Trim(std::string_view(name).substr(0, arrow)));
                material = std::string(Trim(std::string_view(name).substr(arrow + 3)));
                stepIndex = -1;
                for (int s : lib.categories[step.category].steps)
                    if (lib.steps[s].name == stepName)
                        stepIndex = s;
                if (stepIndex < 0)
                    Fail(c.where, "the category has no step \"" + stepName + "\"");
            }
            int found = -1;
            for (int m : lib.steps[stepIndex].materials)
                if (lib.materials[m].name == material)
                    found = m;
            if (found < 0)
                Fail(c.where, "the step \"" + lib.steps[stepIndex].name + "\" has no material \"" + material + "\"");
            lib.voids.emplace_back(found, i);
        }
    }
}

// ---------------------------------------------------------------------------
// Writing.

using Cell = std::variant<std::nullptr_t, std::int64_t, double, std::string>;

Cell Text(const std::string& s)
{
    return s.empty() ? Cell{nullptr} : Cell{s};
}
Cell Int(std::int64_t n)
{
    return Cell{n};
}
Cell Flag(bool on)
{
    return Cell{std::int64_t(on ? 1 : 0)};
}

void BindCell(sqlite3_stmt* stmt, int slot, const Cell& cell)
{
    if (std::holds_alternative<std::int64_t>(cell))
        sqlite3_bind_int64(stmt, slot, std::get<std::int64_t>(cell));
    else if (std::holds_alternative<double>(cell))
        sqlite3_bind_double(stmt, slot, std::get<double>(cell));
    else if (std::holds_alternative<std::string>(cell)) {
        const auto& s = std::get<std::string>(cell);
        sqlite3_bind_text(stmt, slot, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
    } else
        sqlite3_bind_null(stmt, slot);
}

std::string ColumnName(const ColumnBinding& b)
{
    return b.name.empty() ? DefaultColumnName(b.type, b.index) : b.name;
}

// Inserts rows into the table of a record class, its columns bound by ordinal
// as the record class declares them.
class Inserter {
public:
    Inserter(sqlite3* db, const TableRecord& record) : m_db(db), m_columns(record.ColumnCount())
    {
        std::string names, slots;
        for (const auto& b : record.Bindings()) {
            names += (names.empty() ? "" : ",") + ColumnName(b);
            slots += slots.empty() ? "?" : ",?";
        }
        const std::string sql = "INSERT INTO " + record.TableName() + " (" + names + ") VALUES (" + slots + ")";
        m_rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &m_stmt, nullptr);
    }
    ~Inserter() { sqlite3_finalize(m_stmt); }

    bool Row(const std::vector<Cell>& cells)
    {
        if (m_rc != SQLITE_OK)
            return false;
        sqlite3_reset(m_stmt);
        for (int i = 0; i < m_columns; ++i)
            BindCell(m_stmt, i + 1, i < static_cast<int>(cells.size()) ? cells[i] : Cell{nullptr});
        m_rc = sqlite3_step(m_stmt);
        if (m_rc == SQLITE_DONE)
            m_rc = SQLITE_OK;
        return m_rc == SQLITE_OK;
    }
    int Result() const { return m_rc; }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    int m_columns;
    int m_rc;
};

// Every table the library fills, each with the record class that declares it.
struct Table {
    std::unique_ptr<TableRecord> record;
    std::function<bool(Inserter&)> fill;
};

std::int64_t Count(sqlite3* db, const std::string& table)
{
    sqlite3_stmt* stmt = nullptr;
    std::int64_t n = -1;
    if (sqlite3_prepare_v2(db, ("SELECT COUNT(*) FROM " + table).c_str(), -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        n = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    return n;
}

std::vector<Table> Tables(const Library& lib)
{
    std::vector<Table> t;
    auto add = [&t](std::unique_ptr<TableRecord> record, std::function<bool(Inserter&)> fill) {
        t.push_back({std::move(record), std::move(fill)});
    };
    add(std::make_unique<RatingType>(), [&lib](Inserter& in) {
        for (const auto& s : lib.scales)
            if (!in.Row({Int(s.id), Text(s.name), Text(s.note)}))
                return false;
        return true;
    });
    add(std::make_unique<RatingChoices>(), [&lib](Inserter& in) {
        for (const auto& s : lib.scales)
            for (const auto& c : s.choices)
                if (!in.Row({Int(c.id), Int(s.id), Text(c.name), Flag(c.isDefault), Flag(c.bold),
                             Flag(c.commentRequired), Flag(c.summary), Flag(c.omit), Flag(c.red)}))
                    return false;
        return true;
    });
    add(std::make_unique<Pickers>(), [&lib](Inserter& in) {
        for (const auto& p : lib.pickers)
            if (!in.Row({Text(p.list), Text(p.choice), Int(p.id)}))
                return false;
        return true;
    });
    add(std::make_unique<ExpandedText>(), [&lib](Inserter& in) {
        for (const auto& s : lib.shortcuts)
            if (!in.Row({Text(s.key), Text(s.expansion), Int(s.id)}))
                return false;
        return true;
    });
    add(std::make_unique<InspectionType>(), [&lib](Inserter& in) {
        for (const auto& d : lib.docTypes)
            if (!in.Row({Int(d.id), Text(d.name), Cell{}, Cell{}, Cell{}, Text(d.layout), Flag(false), Int(0)}))
                return false;
        return true;
    });
    add(std::make_unique<CategoryTemplate>(), [&lib](Inserter& in) {
        for (const auto& c : lib.categories)
            if (!in.Row({Int(c.id), Text(c.name), Int(c.number), Cell{}, Cell{}, Int(c.form ? 1 : 0),
                         Flag(c.noDefaults)}))
                return false;
        return true;
    });
    add(std::make_unique<InspectionTypeCategory>(), [&lib](Inserter& in) {
        for (const auto& d : lib.docTypes)
            for (int c : d.categories)
                if (!in.Row({Int(d.id), Int(lib.categories[c].id)}))
                    return false;
        return true;
    });
    add(std::make_unique<FieldTemplate>(), [&lib](Inserter& in) {
        for (const auto& c : lib.categories)
            for (const auto& f : c.fields)
                if (!in.Row({Int(f.id), Text(f.label), Int(f.picker ? 1 : 0), Int(f.sequence), Int(c.id)}))
                    return false;
        return true;
    });
    add(std::make_unique<StepTemplate>(), [&lib](Inserter& in) {
        for (const auto& s : lib.steps)
            if (!in.Row({Int(s.id), Text(s.name), Text(s.number), Int(lib.scales[s.scaleIndex].id), Text(s.info),
                         Text(s.keyword)}))
                return false;
        return true;
    });
    add(std::make_unique<CategoryStep>(), [&lib](Inserter& in) {
        for (const auto& c : lib.categories)
            for (int s : c.steps)
                if (!in.Row({Int(c.id), Int(lib.steps[s].id)}))
                    return false;
        return true;
    });
    add(std::make_unique<MaterialTemplate>(), [&lib](Inserter& in) {
        for (const auto& m : lib.materials)
            if (!in.Row({Int(m.id), Int(lib.steps[m.step].id), Text(m.name), Int(m.order), Flag(!m.comments.empty()),
                         Flag(m.isDefault), Cell{}}))
                return false;
        return true;
    });
    add(std::make_unique<Comments>(), [&lib](Inserter& in) {
        for (const auto& c : lib.comments)
            if (!in.Row({Int(c.id), Int(c.number), Text(c.text), Text(c.rating), Text(c.group), Cell{}, Flag(false)}))
                return false;
        return true;
    });
    add(std::make_unique<InspectionTypeComment>(), [&lib](Inserter& in) {
        for (const auto& d : lib.docTypes)
            for (int c : d.comments)
                if (!in.Row({Int(d.id), Int(lib.comments[c].id)}))
                    return false;
        return true;
    });
    add(std::make_unique<CategoryComment>(), [&lib](Inserter& in) {
        for (const auto& cat : lib.categories)
            for (int c : cat.comments)
                if (!in.Row({Int(cat.id), Int(lib.comments[c].id)}))
                    return false;
        return true;
    });
    add(std::make_unique<StepComment>(), [&lib](Inserter& in) {
        for (const auto& s : lib.steps)
            for (int c : s.comments)
                if (!in.Row({Int(s.id), Int(lib.comments[c].id)}))
                    return false;
        return true;
    });
    add(std::make_unique<MaterialComment>(), [&lib](Inserter& in) {
        for (const auto& m : lib.materials)
            for (int c : m.comments)
                if (!in.Row({Int(m.id), Int(lib.comments[c].id)}))
                    return false;
        return true;
    });
    add(std::make_unique<VoidComments>(), [&lib](Inserter& in) {
        for (const auto& [m, c] : lib.voids)
            if (!in.Row({Int(lib.materials[m].id), Int(lib.comments[c].id)}))
                return false;
        return true;
    });
    return t;
}

// Writes the settings of the library into the first Options row, adding the
// row when the table has none.
bool WriteOptions(sqlite3* db, const Library& lib, int* rc)
{
    std::map<std::string, OptionValue> values = lib.options;
    values["DataVersion"] = std::string(kStarterStructureVersion);

    std::string sql;
    const bool hasRow = Count(db, "Options") > 0;
    if (hasRow) {
        for (const auto& [column, v] : values)
            sql += (sql.empty() ? "UPDATE Options SET " : ", ") + column + " = ?";
        sql += " WHERE rowid = (SELECT MIN(rowid) FROM Options)";
    } else {
        values["OptionsID"] = std::int64_t(1);
        std::string names, slots;
        for (const auto& [column, v] : values) {
            names += (names.empty() ? "" : ",") + column;
            slots += slots.empty() ? "?" : ",?";
        }
        sql = "INSERT INTO Options (" + names + ") VALUES (" + slots + ")";
    }
    sqlite3_stmt* stmt = nullptr;
    *rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr);
    if (*rc == SQLITE_OK) {
        int slot = 1;
        for (const auto& [column, v] : values) {
            Cell cell = std::visit([](const auto& x) { return Cell{x}; }, v);
            if (std::holds_alternative<std::string>(cell) && std::get<std::string>(cell).empty())
                cell = nullptr;
            BindCell(stmt, slot++, cell);
        }
        *rc = sqlite3_step(stmt);
        if (*rc == SQLITE_DONE)
            *rc = SQLITE_OK;
    }
    sqlite3_finalize(stmt);
    return *rc == SQLITE_OK;
}

// The template tables that a database already in use has rows in.
constexpr const char* kTemplateTables[] = {"InspectionType", "CategoryTemplate", "StepTemplate", "Comments",
                                           "MaterialTemplate", "RatingType", "RatingChoices", "Pickers",
                                           "ExpandedText"};

} // namespace

std::vector<LibraryFile> StarterLibraryTexts()
{
    std::vector<LibraryFile> files;
    for (const auto& f : StarterLibraryFiles())
        files.push_back({f.name, std::string(f.data, f.size)});
    return files;
}

bool LoadStarterLibrary(ui::Progress* progress)
{
    return LoadStarterLibrary(StarterLibraryTexts(), progress);
}

bool LoadStarterLibrary(const std::vector<LibraryFile>& files, ui::Progress* progress)
{
    const char* caption = "Starter Library";
    Library lib;
    try {
        Reader reader(lib);
        for (const auto& f : files) {
            const auto& n = f.name;
            if (n.size() > 4 && n.compare(n.size() - 4, 4, ".txt") == 0)
                reader.ReadFile(n, f.text);
        }
        Resolve(lib);
    } catch (const LibraryError& e) {
        ui::CurrentPort().inform("The starter library could not be loaded.\n" + e.where.file + ", line " +
                                     std::to_string(e.where.line) + ": " + e.problem + ".",
                                 caption);
        return false;
    }
    if (lib.docTypes.empty()) {
        ui::CurrentPort().inform("The starter library could not be loaded: it holds no document type.", caption);
        return false;
    }

    auto connection = Database::Get(DatabaseKind::Template);
    if (!connection) {
        ui::CurrentPort().inform("The starter library could not be loaded: no template database is open.", caption);
        return false;
    }
    sqlite3* db = connection->Handle();

    auto tables = Tables(lib);
    for (auto& t : tables)
        t.record->CheckStructure();
    { Options options; } // its construction makes sure the table has every column
    for (const char* table : kTemplateTables) {
        if (Count(db, table) > 0) {
            ui::CurrentPort().inform("The template database " + connection->Path() +
                                         " already holds templates; the starter library was not loaded into it.",
                                     caption);
            return false;
        }
    }

    const int steps = static_cast<int>(tables.size()) + 1;
    if (progress) {
        progress->setTitle("Creating the template database...");
        progress->setRange(0, steps);
        progress->setPosition(0);
    }
    Transaction transaction(DatabaseKind::Template);
    if (!transaction.Active()) {
        ui::CurrentPort().inform("The starter library could not be loaded: the template database cannot be written.",
                                 caption);
        return false;
    }
    int position = 0;
    for (auto& t : tables) {
        if (progress) {
            progress->setStatus(t.record->TableName());
            if (progress->cancelled())
                return false;
        }
        Inserter inserter(db, *t.record);
        if (!t.fill(inserter)) {
            ReportDatabaseError(db, inserter.Result());
            return false;
        }
        if (progress)
            progress->setPosition(++position);
    }
    int rc = SQLITE_OK;
    if (!WriteOptions(db, lib, &rc)) {
        ReportDatabaseError(db, rc);
        return false;
    }
    if (progress && progress->cancelled())
        return false;
    if (!transaction.Commit())
        return false;
    if (progress)
        progress->setPosition(steps);
    return true;
}

} // namespace store
