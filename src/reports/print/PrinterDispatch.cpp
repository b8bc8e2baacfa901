#include "reports/print/PrinterDispatch.h"

#include <utility>

namespace reports::print {

Printer ChoosePrinter(PrintReport kind, const std::string& layout)
{
    const auto has = [&layout](const char* text) { return layout.find(text) != std::string::npos; };
    if (kind == PrintReport::Summary)
        return Printer::Summary;
    if (kind == PrintReport::MajorSystems)
        return has("Texas") ? Printer::TexasMajorSystems : Printer::MajorSystems;
    static const std::pair<const char*, Printer> table[] = {
        {"Texas", Printer::Texas},
        {"RatingType", Printer::RatingGrid},
        {"FL Termite", Printer::FloridaTermite},
        {"Termite", Printer::Termite},
        {"St Paul - Truth", Printer::StPaulTruth},
        {"Minneapolis - Truth", Printer::MinneapolisTruth},
        {"Bloomington", Printer::Bloomington},
        {"Maplewood", Printer::Maplewood},
        {"Hopkins", Printer::Hopkins},
        {"So. St. Paul", Printer::SouthStPaul},
    };
    for (const auto& [text, printer] : table)
        if (has(text))
            return printer;
    if (has("Affiliate Buyers Inspection"))
        return has("Full Narrative") ? Printer::FullNarrative : Printer::Affiliate;
    return Printer::Inspection;
}

PrintClass PrintClassOf(Printer printer)
{
    switch (printer) {
    case Printer::RatingGrid:
        return PrintClass::RatingGrid;
    case Printer::FullNarrative:
        return PrintClass::FullNarrative;
    case Printer::Affiliate:
        return PrintClass::Affiliate;
    case Printer::Summary:
        return PrintClass::Summary;
    case Printer::TexasMajorSystems:
    case Printer::MajorSystems:
        return PrintClass::MajorSystems;
    default:
        // The form printers print the inspection report.
        return PrintClass::Inspection;
    }
}

} // namespace reports::print
