#pragma once
// Which printer the Print command runs, by report kind and the document type's
// `ReportLayout`. The form printers of the municipal and state programmes print
// the inspection report; the Texas major-systems print is the Major Systems print.
#include "reports/print/PrintSettings.h"

#include <string>

namespace reports::print {

enum class Printer {
    Texas, RatingGrid, FloridaTermite, Termite, StPaulTruth, MinneapolisTruth, Bloomington, Maplewood,
    Hopkins, SouthStPaul, FullNarrative, Affiliate, Inspection, Summary, TexasMajorSystems, MajorSystems
};

// The dispatch table: for the inspection report the first of "Texas",
// "RatingType", "FL Termite", "Termite", "St Paul - Truth", "Minneapolis - Truth",
// "Bloomington", "Maplewood", "Hopkins", "So. St. Paul", "Affiliate Buyers
// Inspection" found in `reportLayout` (case-sensitive) decides.
Printer ChoosePrinter(PrintReport kind, const std::string& reportLayout);

// The print class that draws a printer's pages.
enum class PrintClass { Inspection, Affiliate, FullNarrative, RatingGrid, Summary, MajorSystems };
PrintClass PrintClassOf(Printer printer);

} // namespace reports::print
