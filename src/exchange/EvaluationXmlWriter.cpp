#include "exchange/EvaluationXmlWriter.h"

#include "exchange/EvaluationCodes.h"
#include "exchange/OutputFile.h"
#include "store/Category.h"
#include "store/Inspection.h"
#include "store/Options.h"
#include "store/Step.h"
#include "text/Windows1252.h"
#include "ui/Port.h"

#include <vector>

namespace exchange {
namespace {

constexpr const char* kEnd = "\r\n";

struct Analytic {
    const char* area;   // searched in the category title
    const char* marker; // searched in the step title
    const char* name;
};

constexpr Analytic kAnalytics[] = {
    {"Electric", "(Amps)", "Amps"},         {"Electric", "(Volts)", "Volts"},
    {"Heating", "(Fuel)", "HeatingFuel"},   {"Heating", "(Type)", "HeatingType"},
    {"Attic", "(Type)", "InsulationType"},  {"Attic", "(Depth)", "InsulationDepth"},
};

constexpr const char* kConditionMarkers[] = {"(SC)", "(B)", "(C)", "(RRE)", "(RRP)", "(LIC)"};

const char* MarkerOf(ConditionType type)
{
    switch (type) {
    case ConditionType::SC: return "(SC)";
    case ConditionType::B: return "(B)";
    case ConditionType::C: return "(C)";
    case ConditionType::RRE: return "(RRE)";
    case ConditionType::RRP: return "(RRP)";
    case ConditionType::LIC: return "(LIC)";
    default: return "";
    }
}

bool Contains(const std::string& text, std::string_view part)
{
    return text.find(part) != std::string::npos;
}

// The step's materials as reports show them: the checked names joined by the
// materials delimiter of the options (", " when none is set).
std::string MaterialsDisplay(const std::string& materials, const std::string& delimiter)
{
    std::string out;
    std::size_t start = 0;
    while (start <= materials.size()) {
        std::size_t end = materials.find(';', start);
        if (end == std::string::npos)
            end = materials.size();
        if (end > start) {
            if (!out.empty())
                out += delimiter;
            out += materials.substr(start, end - start);
        }
        start = end + 1;
    }
    return out;
}

std::string Attribute(const char* name, std::string_view value)
{
    return std::string(" ") + name + "=\"" + EvaluationXmlWriter::Escape(value) + "\"";
}

} // namespace

std::string EvaluationXmlWriter::Escape(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (std::size_t pos = 0; pos < value.size();) {
        const char c = value[pos];
        switch (c) {
        case '&': out += "&amp;"; ++pos; continue;
        case '<': out += "&lt;"; ++pos; continue;
        case '>': out += "&gt;"; ++pos; continue;
        case '"': out += "&quot;"; ++pos; continue;
        case '\'': out += "&apos;"; ++pos; continue;
        case '\r': out += "&#13;"; ++pos; continue;
        case '\n': out += "&#10;"; ++pos; continue;
        case '\t': out += "&#9;"; ++pos; continue;
        default: break;
        }
        const char32_t cp = text::NextCodePoint(value, pos);
        // XML 1.0 admits no other control character and neither U+FFFE nor U+FFFF.
        const bool allowed = cp >= 0x20 && cp != 0xFFFE && cp != 0xFFFF;
        text::AppendUtf8(out, allowed ? cp : 0xFFFD);
    }
    return out;
}

std::optional<std::string> EvaluationXmlWriter::Build(int inspectionID, ExportOutcome& outcome)
{
    ui::Port& port = ui::CurrentPort();
    outcome.xml = true;
    store::Inspection inspection;
    if (!inspection.OpenByID(inspectionID) || inspection.GetCount() == 0) {
        port.inform("The inspection to export (ID " + std::to_string(inspectionID) + ") does not exist.");
        return std::nullopt;
    }
    inspection.Read(0);

    std::string delimiter;
    {
        store::Options options;
        delimiter = options.m_String7.empty() ? ", " : options.m_String7;
    }

    // A database error is shown by the table layer; the export then stops
    // rather than write an evaluation with areas or items missing.
    store::Category category;
    if (!category.OpenByInspection(inspectionID))
        return std::nullopt;
    const int categoryCount = category.GetCount();
    auto progress = port.progress();
    progress->setTitle("Exporting Inspection...");
    progress->setRange(0, categoryCount);
    progress->setPosition(0);

    std::string x;
    x += "<?xml version=\"1.0\" encoding=\"utf-8\"?>";
    x += kEnd;
    x += "<tish_evaluation xmlns=\"urn:evaluation-schema\">";
    x += kEnd;
    x += "<evaluation_units>";
    x += kEnd;
    x += "<evaluation_unit name=\"\">";
    x += kEnd;
    x += "<evaluation_areas>";
    x += kEnd;

    store::Step step;
    for (int c = 0; c < categoryCount; ++c) {
        category.Read(c);
        const EvaluationArea area = EvaluationCodes::AreaOf(category.m_CategoryTitle);
        if (area.type != "Condo") {
            ++outcome.categories;
            x += "<evaluation_area" + Attribute("area_type", area.type) + Attribute("area_label", area.label) +
                 Attribute("not_applicable", category.m_CategoryNotPresent ? "true" : "false") + ">" + kEnd;
            if (category.m_CategoryNotPresent) {
                x += "</evaluation_area>";
                x += kEnd;
            } else {
                if (!category.m_CategoryComments.empty()) {
                    x += "<area_comments>";
                    x += kEnd;
                    const std::string& comments = category.m_CategoryComments;
                    std::size_t start = 0;
                    while (start <= comments.size()) {
                        std::size_t end = comments.find(';', start);
                        if (end == std::string::npos)
                            end = comments.size();
                        // An empty piece (after a closing ";") names no comment.
                        if (end > start)
                            x += "<area_comment" + Attribute("comment_type", comments.substr(start, end - start)) +
                                 " />" + kEnd;
                        start = end + 1;
                    }
                    x += "</area_comments>";
                    x += kEnd;
                }

                if (!step.OpenByCategory(category.m_CategoryID))
                    return std::nullopt;
                const int stepCount = step.GetCount();
                int cursor = 0;
                bool analyticsOpen = false;
                for (const auto& a : kAnalytics) {
                    if (!Contains(category.m_CategoryTitle, a.area) || cursor >= stepCount)
                        continue;
                    step.Read(cursor);
                    if (!Contains(step.m_StepTitle, a.marker))
                        continue;
                    const std::string value = !step.m_InspectResult.empty() ? step.m_InspectResult
                                              : !step.m_Materials.empty()
                                                  ? MaterialsDisplay(step.m_Materials, delimiter)
                                                  : step.m_Comments;
                    if (!analyticsOpen) {
                        x += "<area_analytics>";
                        x += kEnd;
                        analyticsOpen = true;
                    }
                    x += "<area_analytic" + Attribute("analytic_name", a.name) + ">" + Escape(value) +
                         "</area_analytic>" + kEnd;
                    ++cursor;
                }
                if (analyticsOpen) {
                    x += "</area_analytics>";
                    x += kEnd;
                }

                x += "<area_items>";
                x += kEnd;
                for (int s = cursor; s < stepCount; ++s) {
                    step.Read(s);
                    ++outcome.steps;
                    const std::string& item = step.m_MajorSystem;
                    if (item.empty() || item == "Other") {
                        // An item under another item's identifier would report
                        // its conditions against the wrong item: leave it out.
                        port.inform("Item_ID missing on the Step " + step.m_StepTitle);
                        ++outcome.missingItems;
                        continue;
                    }
                    x += "<area_item" + Attribute("item_id", item) + ">" + kEnd;
                    if (!step.m_InspectResult.empty()) {
                        x += "<conditions>";
                        x += kEnd;
                        const auto type = EvaluationCodes::TypeOfRating(step.m_InspectResult);
                        bool write = type.has_value();
                        if (write && *type != ConditionType::MNo && *type != ConditionType::NA) {
                            // A comment that names another condition type keeps this one out.
                            for (const char* marker : kConditionMarkers)
                                if (marker != std::string_view(MarkerOf(*type)) && Contains(step.m_Comments, marker))
                                    write = false;
                        }
                        if (write) {
                            if (const auto code = EvaluationCodes::Code(area.type, item, *type)) {
                                x += "<condition" + Attribute("condition_type", std::to_string(*code)) + ">" +
                                     Escape(step.m_Comments) + "</condition>" + kEnd;
                            } else {
                                port.inform("No condition code is known for the item " + item + " in the area " +
                                            area.type + ": the condition of the step " + step.m_StepTitle +
                                            " was left out of the evaluation.");
                                ++outcome.missingCodes;
                            }
                        }
                        x += "</conditions>";
                        x += kEnd;
                    }
                    x += "</area_item>";
                    x += kEnd;
                }
                x += "</area_items>";
                x += kEnd;
                x += "</evaluation_area>";
                x += kEnd;
            }
        }
        progress->setPosition(c + 1);
        if (progress->cancelled()) {
            outcome.cancelled = true;
            return std::nullopt;
        }
    }
    x += "</evaluation_areas>";
    x += kEnd;
    x += "</evaluation_unit>";
    x += kEnd;
    x += "</evaluation_units>";
    x += kEnd;
    x += "</tish_evaluation>";
    x += kEnd;
    return x;
}

ExportOutcome EvaluationXmlWriter::WriteEvaluationXml(int inspectionID, const std::string& path)
{
    ExportOutcome outcome;
    auto document = Build(inspectionID, outcome);
    if (document && WriteOutputFile(path, *document))
        outcome.written = true;
    return outcome;
}

} // namespace exchange
