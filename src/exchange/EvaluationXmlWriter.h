#pragma once
// Writes the XML evaluation of an inspection done under the Minneapolis
// truth-in-sale-of-housing programme ("urn:evaluation-schema"): one evaluation
// area per category with its comments, its measured values (analytics) and,
// per step, an item with its conditions and their programme codes.
//
// The document is always well-formed UTF-8: every data value is escaped, line
// breaks inside values travel as character references, and characters XML
// cannot carry become U+FFFD.
#include "exchange/InspectionExporter.h"

#include <optional>
#include <string>
#include <string_view>

namespace exchange {

class EvaluationXmlWriter {
public:
    // Writes the evaluation of inspection `inspectionID` to `path`; the file is
    // left untouched when the inspection is missing, the user cancels or it
    // cannot be written (with a message through the port but for the cancel).
    ExportOutcome WriteEvaluationXml(int inspectionID, const std::string& path);

    // The document, or nothing after a message or a cancel.
    std::optional<std::string> Build(int inspectionID, ExportOutcome& outcome);

    // `value` escaped for an attribute value or element text.
    static std::string Escape(std::string_view value);
};

} // namespace exchange
