// The printed report as PDF (500 steps, 40 pictures) against the RTF report of
// the same inspection in the same run: both times and the peak memory; the
// PDF again with pictures four times larger, whose memory should not grow.
#ifdef INSPECTOR_HAVE_PRINT
#include "ReportSample.h"
#include "reports/PhotoMaker.h"
#include "reports/print/PdfExport.h"

#include <benchmark/benchmark.h>

#include <filesystem>

#include <QGuiApplication>

namespace {

constexpr int kPictures = 40;

void EnsureApp()
{
    static int argc = 1;
    static char name[] = "inspector_bench";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static QGuiApplication app(argc, argv);
    }
}

// 500 steps in 20 categories, 40 of them with a camera picture of `width` pixels (4:3).
struct PrintData : bench::BenchInspection {
    explicit PrintData(int width)
        : BenchInspection([](store::Options& options) {
              options.m_ReportFontSize = 10;
              options.m_StepSpacing = 1;
              options.m_ColumnWidth1 = 0.5, options.m_ColumnWidth2 = 1.3, options.m_ColumnWidth3 = 1.1;
              options.m_ColumnWidth4 = 0.9, options.m_ColumnWidth5 = 1.5;
          })
    {
        const std::string photo = folder.File("photo.jpg");
        report_testing::MakePhoto(photo, width, width * 3 / 4);
        bench::BenchSteps steps;
        steps.comments = "The item was inspected and found serviceable; \\b minor wear\\b0  for its age.";
        for (int p = 0; p < kPictures; ++p) {
            steps.pictures.push_back(folder.File("IMG_" + std::to_string(p) + ".JPG"));
            std::filesystem::copy_file(photo, steps.pictures.back());
        }
        AddInspection(steps);
    }
};

void BM_RtfReportForPrintComparison(benchmark::State& state)
{
    PrintData data(static_cast<int>(state.range(0)));
    const std::string out = data.folder.File("report.rtf");
    for (auto _ : state)
        bench::WriteInspectionReport(*data.inspection, out, true);
    state.counters["peak_rss_MB"] = bench::PeakRssMegabytes();
}

void BM_PdfReport(benchmark::State& state)
{
    EnsureApp();
    PrintData data(static_cast<int>(state.range(0)));
    const std::string out = data.folder.File("report.pdf");
    const double before = bench::PeakRssMegabytes();
    for (auto _ : state) {
        reports::print::PrintSettings settings;
        settings.firstPage = settings.lastPage = -1;
        reports::print::ExportPdf(*data.inspection, settings, out);
    }
    state.counters["peak_rss_MB"] = bench::PeakRssMegabytes();
    state.counters["rss_growth_MB"] = bench::PeakRssMegabytes() - before;
}

} // namespace

BENCHMARK(BM_RtfReportForPrintComparison)->Arg(1600)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_PdfReport)->Arg(1600)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_PdfReport)->Arg(4000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
#endif
