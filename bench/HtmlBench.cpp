// The HTML export of an inspection of 500 steps and 40 pictures, against the
// RTF inspection report of the same inspection with its pictures, in one run.
#include "ReportSample.h"
#include "reports/PhotoMaker.h"
#include "reports/html/HtmlExport.h"

#include <filesystem>

#include <benchmark/benchmark.h>

namespace {

constexpr int kPictures = 40;

// 500 steps in 20 categories, 40 of them with a camera-sized picture (about
// 3000 x 2000), each a different one.
struct HtmlData : bench::BenchInspection {
    HtmlData()
    {
        setenv("INSPECTOR_APPDATA", folder.File("app").c_str(), 1);
        setenv("XDG_CACHE_HOME", folder.File("cache").c_str(), 1);
        bench::BenchSteps steps;
        steps.comments = "The item was inspected and found serviceable; minor wear & tear {typical} for its age.";
        for (int p = 0; p < kPictures; ++p) {
            steps.pictures.push_back(folder.File("IMG_" + std::to_string(p) + ".jpg"));
            report_testing::MakePhoto(steps.pictures.back(), 3000 + p, 2000);
        }
        AddInspection(steps);
    }
    ~HtmlData()
    {
        unsetenv("INSPECTOR_APPDATA");
        unsetenv("XDG_CACHE_HOME");
    }
};

// Arg 1: every picture prepared anew (a first export); 0: the prepared
// pictures come from the cache (an export made again).
void BM_HtmlExport500Steps40Pictures(benchmark::State& state)
{
    HtmlData data;
    const std::string out = data.folder.File("export");
    const bool cold = state.range(0) != 0;
    if (!cold)
        reports::html::ExportHtml(*data.inspection, out);
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            std::filesystem::remove_all(data.folder.File("cache"));
            state.ResumeTiming();
        }
        if (reports::html::ExportHtml(*data.inspection, out).pictures.size() != kPictures)
            state.SkipWithError("pictures missing from the export");
    }
}
BENCHMARK(BM_HtmlExport500Steps40Pictures)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RtfReportOfTheSameInspection(benchmark::State& state)
{
    HtmlData data;
    const std::string out = data.folder.File("report.rtf");
    for (auto _ : state)
        bench::WriteInspectionReport(*data.inspection, out, true);
}
BENCHMARK(BM_RtfReportOfTheSameInspection)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
