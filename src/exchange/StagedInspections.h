#pragma once
// The inspections waiting in the staging tables, as the merge's selection
// dialog lists them: one line per staged inspection with its identifier,
// client, dwelling address, city line and Doc #, separated by tabs.
#include <array>
#include <string>
#include <vector>

namespace exchange {

struct StagedInspection {
    int inspectionID = 0;
    std::string clientName;
    std::string dwellingAddress;
    std::string dwellingCityStateZip;
    std::string inspectionNum;
    int categories = 0;
    int steps = 0;
};

class StagedInspections {
public:
    // Every staged inspection, by identifier.
    static std::vector<StagedInspection> List();

    // "ID\tclient\taddress\tcity\tDoc #", the line the dialog shows.
    static std::string Line(const StagedInspection& staged);

    // The identifier a chosen line stands for: the text up to the first tab
    // (the dialog passes "-1" when nothing is selected). -1 unless it names a
    // staged inspection that still exists.
    static int FromLine(const std::string& line);

    // Whether `stagedInspectionID` is a staged inspection.
    static bool Exists(int stagedInspectionID);

    // The dialog's tab stops, in dialog units.
    static constexpr std::array<int, 5> kTabStops = {0, 25, 60, 110, 170};
};

} // namespace exchange
