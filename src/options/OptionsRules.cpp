#include "options/OptionsRules.h"

#include "app/DocumentRules.h"
#include "text/Windows1252.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <variant>

namespace options {
namespace {

std::string Trimmed(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

std::string Inches(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

// ---------------------------------------------------------------- the column table

enum class Kind { YesNo, Integer, Double, Text };

template <class Row>
struct Binding {
    const char* name;
    const char* meaning;
    Kind kind;
    std::variant<std::int32_t Row::*, double Row::*, std::string Row::*> member;
};

using OptionBinding = Binding<store::Options>;
using OwnerBinding = Binding<store::Owner>;
using O = store::Options;

// The columns the sheet edits, in the order of its pages.
const std::vector<OptionBinding>& OptionBindings()
{
    static const std::vector<OptionBinding> bindings = {
        {"YesNo1", "print the page of categories not present", Kind::YesNo, &O::m_YesNo1},
        {"YesNo2", "alert when a category is incomplete", Kind::YesNo, &O::m_YesNo2},
        {"String7", "materials delimiter", Kind::Text, &O::m_String7},
        {"ColumnWidth1", "report column 1, inches", Kind::Double, &O::m_ColumnWidth1},
        {"ColumnWidth2", "report column 2, inches", Kind::Double, &O::m_ColumnWidth2},
        {"ColumnWidth3", "report column 3, inches", Kind::Double, &O::m_ColumnWidth3},
        {"ColumnWidth4", "report column 4, inches", Kind::Double, &O::m_ColumnWidth4},
        {"ColumnWidth5", "report column 5, inches", Kind::Double, &O::m_ColumnWidth5},
        {"ReportFontSize", "report font size: 10 or 12", Kind::Integer, &O::m_ReportFontSize},
        {"StepSpacing", "report step spacing: 1 or 2", Kind::Integer, &O::m_StepSpacing},
        {"DefStepTab", "default step page: 0 Materials, 1 Comments, 2 Picture, 3 Info", Kind::Integer,
         &O::m_DefStepTab},
        {"ReportFontName", "report font name: Times or Geneva", Kind::Text, &O::m_ReportFontName},
        {"YesNo0", "print company info on reports", Kind::YesNo, &O::m_YesNo0},
        {"YesNo3", "use the custom footer", Kind::YesNo, &O::m_YesNo3},
        {"String4", "custom footer text", Kind::Text, &O::m_String4},
        {"HideRatings", "hide ratings on reports", Kind::YesNo, &O::m_HideRatings},
        {"YesNo36", "blank line between comments", Kind::YesNo, &O::m_YesNo36},
        {"YesNo35", "section break between categories", Kind::YesNo, &O::m_YesNo35},
        {"YesNo37", "show step numbers", Kind::YesNo, &O::m_YesNo37},
        {"DefaultPictCardPath", "folder of the numbered pictures", Kind::Text, &O::m_DefaultPictCardPath},
        {"String5", "legal text", Kind::Text, &O::m_String5},
        {"String6", "definition of terms", Kind::Text, &O::m_String6},
        {"SummaryDisclaimer", "summary disclaimer", Kind::Text, &O::m_SummaryDisclaimer},
    };
    return bindings;
}

const std::vector<OwnerBinding>& OwnerBindings()
{
    using W = store::Owner;
    static const std::vector<OwnerBinding> bindings = {
        {"Name", "inspector's name, 5 to 30 characters", Kind::Text, &W::m_Name},
        {"Company", "company", Kind::Text, &W::m_Company},
        {"Address", "address, one line each", Kind::Text, &W::m_Address},
        {"WorkAreaCode", "work area code, up to 3 characters", Kind::Text, &W::m_WorkAreaCode},
        {"WorkPhone", "work phone", Kind::Text, &W::m_WorkPhone},
        {"FaxAreaCode", "fax area code, up to 3 characters", Kind::Text, &W::m_FaxAreaCode},
        {"FaxNumber", "fax number", Kind::Text, &W::m_FaxNumber},
    };
    return bindings;
}

template <class Row>
const Binding<Row>* Find(const std::vector<Binding<Row>>& bindings, const std::string& name)
{
    for (const auto& b : bindings)
        if (text::EqualsIgnoreCase(b.name, name))
            return &b;
    return nullptr;
}

template <class Row>
std::string ValueOf(const Row& row, const Binding<Row>& b)
{
    switch (b.kind) {
    case Kind::YesNo:
        return row.*std::get<std::int32_t Row::*>(b.member) != 0 ? "1" : "0";
    case Kind::Integer:
        return std::to_string(row.*std::get<std::int32_t Row::*>(b.member));
    case Kind::Double:
        return Inches(row.*std::get<double Row::*>(b.member));
    case Kind::Text:
        break;
    }
    return row.*std::get<std::string Row::*>(b.member);
}

std::optional<bool> ParseYesNo(const std::string& text)
{
    const std::string t = Trimmed(text);
    for (const char* yes : {"1", "yes", "true", "on", "-1"})
        if (text::EqualsIgnoreCase(t, yes))
            return true;
    for (const char* no : {"0", "no", "false", "off"})
        if (text::EqualsIgnoreCase(t, no))
            return false;
    return std::nullopt;
}

template <class Row>
std::optional<std::string> SetValue(Row& row, const std::vector<Binding<Row>>& bindings, const std::string& table,
                                    const std::string& column, const std::string& value)
{
    const Binding<Row>* b = Find(bindings, column);
    if (!b)
        return "There is no column " + column + " of " + table + " that can be set.";
    switch (b->kind) {
    case Kind::YesNo:
        if (auto flag = ParseYesNo(value)) {
            row.*std::get<std::int32_t Row::*>(b->member) = *flag ? 1 : 0;
            return std::nullopt;
        }
        return std::string(b->name) + " takes 1 or 0, not \"" + value + "\".";
    case Kind::Integer:
        if (auto n = ParseInteger(value)) {
            row.*std::get<std::int32_t Row::*>(b->member) = *n;
            return std::nullopt;
        }
        return std::string(b->name) + " takes a whole number, not \"" + value + "\".";
    case Kind::Double:
        if (auto d = ParseNumber(value)) {
            row.*std::get<double Row::*>(b->member) = *d;
            return std::nullopt;
        }
        return std::string(b->name) + " takes a number of inches, not \"" + value + "\".";
    case Kind::Text:
        break;
    }
    row.*std::get<std::string Row::*>(b->member) = StoredLineEnds(value);
    return std::nullopt;
}

template <class Row>
std::vector<Column> Columns(const std::vector<Binding<Row>>& bindings)
{
    std::vector<Column> columns;
    for (const auto& b : bindings)
        columns.push_back({b.name, b.meaning});
    return columns;
}

} // namespace

// ---------------------------------------------------------------- checks

std::optional<std::string> CheckColumnWidths(const std::array<double, 5>& widths)
{
    double sum = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        if (!std::isfinite(widths[i]) || widths[i] < 0)
            return "The width of Column " + std::to_string(i + 1) + " must be zero or more inches.";
        sum += widths[i];
    }
    if (sum <= 0)
        return std::string("At least one column must be wider than zero inches.");
    // A little slack for widths typed with two decimals.
    if (sum > kTextWidthInches + 1e-9)
        return "The five columns together are " + Inches(sum) + " inches wide; the report's text is " +
               Inches(kTextWidthInches) + " inches wide. Please make the columns narrower.";
    return std::nullopt;
}

std::optional<std::string> CheckFontSize(int points)
{
    if (points == 10 || points == 12)
        return std::nullopt;
    return "The report font size must be 10 or 12, not " + std::to_string(points) + ".";
}

std::optional<std::string> CheckStepSpacing(int spacing)
{
    if (spacing == 1 || spacing == 2)
        return std::nullopt;
    return "The report step spacing must be 1 or 2, not " + std::to_string(spacing) + ".";
}

std::optional<std::string> CheckDefaultStepPage(int index)
{
    if (index >= 0 && index < static_cast<int>(kStepPages.size()))
        return std::nullopt;
    return InvalidStepPageMessage(index, static_cast<int>(kStepPages.size()));
}

std::optional<std::string> CheckOwner(const store::Owner& owner)
{
    const int length = app::CharacterCount(Trimmed(owner.m_Name));
    if (length < kShortestOwnerName)
        return std::string("The Owner name you entered is too short.  Please try again.");
    if (length > kLongestOwnerName)
        return "The Owner name may have at most " + std::to_string(kLongestOwnerName) + " characters.";
    for (const auto* code : {&owner.m_WorkAreaCode, &owner.m_FaxAreaCode})
        if (app::CharacterCount(*code) > kAreaCodeLength)
            return "An area code has at most " + std::to_string(kAreaCodeLength) + " characters.";
    return std::nullopt;
}

std::optional<std::string> CheckOptions(const store::Options& o)
{
    if (auto m = CheckColumnWidths({o.m_ColumnWidth1, o.m_ColumnWidth2, o.m_ColumnWidth3, o.m_ColumnWidth4,
                                    o.m_ColumnWidth5}))
        return m;
    if (auto m = CheckFontSize(o.m_ReportFontSize))
        return m;
    if (auto m = CheckStepSpacing(o.m_StepSpacing))
        return m;
    return CheckDefaultStepPage(o.m_DefStepTab);
}

std::optional<std::string> CheckAll(const store::Options& o, const store::Owner& owner)
{
    if (auto m = CheckOptions(o))
        return m;
    return CheckOwner(owner);
}

std::string InvalidStepPageMessage(int index, int count)
{
    return "ERROR\n\nThe preferences setting for default Step Page was invalid.\n"
           "Please write down or take a screen shot of this message.\n\n"
           "m_Options_DefaultStepPageIndex = " +
           std::to_string(index) + "\ncombo->GetCount() = " + std::to_string(count);
}

std::optional<double> ParseNumber(const std::string& text)
{
    const std::string t = Trimmed(text);
    double value = 0;
    const char* end = t.data() + t.size();
    const auto [ptr, ec] = std::from_chars(t.data(), end, value);
    if (t.empty() || ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> ParseInteger(const std::string& text)
{
    const std::string t = Trimmed(text);
    int value = 0;
    const char* end = t.data() + t.size();
    const auto [ptr, ec] = std::from_chars(t.data(), end, value);
    if (t.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

std::string PictureFolder(const std::string& folder)
{
    std::string f = Trimmed(folder);
    if (f.empty())
        return f;
    while (f.size() > 1 && f.back() == '/' && f[f.size() - 2] == '/')
        f.pop_back();
    if (f.back() != '/')
        f += '/';
    return f;
}

std::string PictureFolderOfChoice(const std::string& chosen)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (chosen.empty() || fs::is_directory(chosen, ec))
        return PictureFolder(chosen);
    return PictureFolder(fs::path(chosen).parent_path().string());
}

std::string StoredLineEnds(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (text[i] == '\n') {
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string ShownLineEnds(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// ---------------------------------------------------------------- rows

void LoadOwner(store::Owner& owner)
{
    if (owner.Open() && owner.GetCount() > 0)
        owner.Read(0);
    else
        owner.New();
}

std::optional<std::string> SaveRows(store::Options& options, store::Owner* owner)
{
    if (auto problem = owner ? CheckAll(options, *owner) : CheckOptions(options))
        return problem;
    options.m_DefaultPictCardPath = PictureFolder(options.m_DefaultPictCardPath);
    if (!options.Save())
        return std::string("The options could not be saved.");
    if (owner) {
        owner->m_Name = Trimmed(owner->m_Name);
        if (!owner->Save())
            return std::string("The owner could not be saved.");
    }
    return std::nullopt;
}

// ---------------------------------------------------------------- columns by name

const std::vector<Column>& OptionColumns()
{
    static const std::vector<Column> columns = Columns(OptionBindings());
    return columns;
}

const std::vector<Column>& OwnerColumns()
{
    static const std::vector<Column> columns = Columns(OwnerBindings());
    return columns;
}

std::optional<std::string> OptionValue(const store::Options& options, const std::string& column)
{
    if (const auto* b = Find(OptionBindings(), column))
        return ValueOf(options, *b);
    return std::nullopt;
}

std::optional<std::string> OwnerValue(const store::Owner& owner, const std::string& column)
{
    if (const auto* b = Find(OwnerBindings(), column))
        return ValueOf(owner, *b);
    return std::nullopt;
}

std::optional<std::string> SetOptionValue(store::Options& options, const std::string& column,
                                          const std::string& value)
{
    return SetValue(options, OptionBindings(), "Options", column, value);
}

std::optional<std::string> SetOwnerValue(store::Owner& owner, const std::string& column, const std::string& value)
{
    return SetValue(owner, OwnerBindings(), "Owner", column, value);
}

} // namespace options
