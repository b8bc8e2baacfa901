#pragma once
// The inspection the report benchmarks run on, made the same way for each:
// both data files in a folder of their own, and categories of steps, some of
// them showing pictures.
#include "store/Inspection.h"
#include "store/Options.h"
#include "support/ScriptedPort.h"
#include "support/TempDataFiles.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace bench {

struct BenchSteps {
    int categories = 20;
    int stepsPerCategory = 25;
    std::string comments = "The item was inspected and found serviceable; minor wear {typical} for its age.";
    std::string materials = "Wood;Vinyl;";
    std::vector<std::string> pictures; // spread evenly over the steps, from the first
};

struct BenchInspection {
    testing_support::TempFolder folder;
    testing_support::ScriptedPort port;
    std::unique_ptr<store::Inspection> inspection;

    // Opens both data files with the full structure; the settings row shows
    // ratings, and `options` may change more of it.
    explicit BenchInspection(const std::function<void(store::Options&)>& options = {});
    ~BenchInspection();

    // Adds an inspection of `steps` in one transaction and reads it back.
    void AddInspection(const BenchSteps& steps);
};

// The four-column inspection report of `inspection` written to `out`; its size.
std::uintmax_t WriteInspectionReport(store::Inspection& inspection, const std::string& out, bool pictures);

// The peak resident memory of this process so far, in MB.
double PeakRssMegabytes();

} // namespace bench
