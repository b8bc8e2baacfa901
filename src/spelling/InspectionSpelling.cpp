#include "spelling/InspectionSpelling.h"

#include "app/Settings.h"
#include "reports/rtf/RtfExport.h"
#include "store/Category.h"
#include "store/Database.h"
#include "store/Field.h"
#include "store/Inspection.h"
#include "store/Step.h"

namespace spelling {
namespace {

// Opens the row of `place` in `record` with `open` and stands on it.
template <typename Record, typename Open>
bool StandOn(Record& record, Open open)
{
    if (!open(record) || record.GetCount() == 0)
        return false;
    record.Read(0);
    return true;
}

} // namespace

// The table layer tells the user when the database refuses.
bool SaveText(const TextPlace& place)
{
    switch (place.kind) {
    case TextKind::GeneralComment: {
        store::Inspection row;
        if (!StandOn(row, [&](auto& r) { return r.OpenByID(place.rowID); }))
            return false;
        row.m_InspectionComments = place.text;
        return row.Save();
    }
    case TextKind::CategoryComment: {
        store::Category row;
        if (!StandOn(row, [&](auto& r) { return r.OpenByID(place.rowID); }))
            return false;
        row.m_CategoryComments = place.text;
        return row.Save();
    }
    case TextKind::FormField: {
        store::Field row;
        if (!row.OpenSql("SELECT * FROM %s WHERE ID = %d", {row.TableName(), place.rowID}) || row.GetCount() == 0)
            return false;
        row.Read(0);
        row.m_AssignedValue = place.text;
        return row.Save();
    }
    case TextKind::StepComment:
    case TextKind::SummaryComment: {
        store::Step row;
        if (!StandOn(row, [&](auto& r) { return r.OpenByID(place.rowID); }))
            return false;
        (place.kind == TextKind::StepComment ? row.m_Comments : row.m_SummaryComment) = place.text;
        return row.Save();
    }
    }
    return false;
}

std::string Describe(const TextPlace& place)
{
    switch (place.kind) {
    case TextKind::GeneralComment:
        return "General Comment";
    case TextKind::CategoryComment:
        return place.category + " (category comment)";
    case TextKind::FormField:
        return place.category + " / " + place.item + " (field)";
    case TextKind::StepComment:
        return place.category + " / " + place.item;
    case TextKind::SummaryComment:
        return place.category + " / " + place.item + " (summary)";
    }
    return {};
}

std::optional<std::vector<TextPlace>> InspectionTexts(int inspectionID)
{
    std::vector<TextPlace> places;
    const auto add = [&places](TextKind kind, int id, const std::string& category, const std::string& item,
                               const std::string& text) {
        if (!text.empty())
            places.push_back({kind, id, category, item, text});
    };
    store::Inspection inspection;
    if (!inspection.OpenByID(inspectionID) || inspection.GetCount() == 0)
        return std::nullopt;
    inspection.Read(0);
    add(TextKind::GeneralComment, inspectionID, {}, {}, inspection.m_InspectionComments);

    store::Category categories;
    if (!categories.OpenByInspection(inspectionID))
        return std::nullopt;
    for (int c = 0; c < categories.GetCount(); ++c) {
        categories.Read(c);
        const std::string& title = categories.m_CategoryTitle;
        add(TextKind::CategoryComment, categories.m_CategoryID, title, {}, categories.m_CategoryComments);
        store::Field fields;
        if (!fields.OpenByCategory(categories.m_CategoryID))
            return std::nullopt;
        for (int f = 0; f < fields.GetCount(); ++f) {
            fields.Read(f);
            add(TextKind::FormField, fields.m_ID, title, fields.m_FieldLabel, fields.m_AssignedValue);
        }
        store::Step steps;
        if (!steps.OpenByCategory(categories.m_CategoryID))
            return std::nullopt;
        for (int s = 0; s < steps.GetCount(); ++s) {
            steps.Read(s);
            add(TextKind::StepComment, steps.m_StepID, title, steps.m_StepTitle, steps.m_Comments);
            add(TextKind::SummaryComment, steps.m_StepID, title, steps.m_StepTitle, steps.m_SummaryComment);
        }
    }
    return places;
}

std::string InspectionLanguage(int inspectionID)
{
    if (const auto chosen = app::Settings().Get(kSpellingLanguageKey); chosen && !chosen->empty())
        return *chosen;
    store::Inspection inspection;
    if (!inspection.OpenByID(inspectionID) || inspection.GetCount() == 0)
        return kEnglish;
    inspection.Read(0);
    return LanguageForLayout(reports::rtf::ReportLayoutOf(inspection));
}

std::string ReplaceAt(const std::string& text, std::size_t offset, std::size_t length, const std::string& by)
{
    return text.substr(0, offset) + by + text.substr(std::min(text.size(), offset + length));
}

std::optional<int> ChangeAll(std::vector<TextPlace>& places, const SpellChecker& checker, const std::string& word,
                             const std::string& replacement)
{
    std::vector<TextPlace> changed = places;
    int count = 0;
    store::Transaction transaction(store::DatabaseKind::Inspection);
    for (TextPlace& place : changed) {
        auto found = checker.Check(place.text);
        // From the end, so that earlier offsets stay right.
        bool any = false;
        for (auto it = found.rbegin(); it != found.rend(); ++it)
            if (it->word == word) {
                place.text = ReplaceAt(place.text, it->offset, it->length, replacement);
                ++count;
                any = true;
            }
        if (any && !SaveText(place))
            return std::nullopt;  // the transaction rolls back
    }
    if (count > 0 && !transaction.Commit())
        return std::nullopt;
    places = std::move(changed);
    return count;
}

} // namespace spelling
