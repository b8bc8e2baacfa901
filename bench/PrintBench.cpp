// The printed report as PDF (500 steps, 40 pictures) against the RTF report of
// the same inspection in the same run: both times and the peak memory; the
// PDF again with pictures four times larger, whose memory should not grow.
#ifdef INSPECTOR_HAVE_PRINT
#include "reports/PhotoMaker.h"
#include "reports/ReportFixture.h"
#include "reports/print/PdfExport.h"
#include "reports/rtf/CInspectionRTFFile.h"
#include "store/Database.h"
#include "store/TableRecord.h"

#include <benchmark/benchmark.h>

#include <filesystem>

#include <QGuiApplication>

#include <sys/resource.h>

namespace {

constexpr int kSteps = 500;
constexpr int kCategories = 20;
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

double PeakRssMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// 500 steps in 20 categories, 40 of them with a camera picture of `width` pixels (4:3).
struct PrintData {
    testing_support::TempFolder folder;
    testing_support::ScriptedPort port;
    std::unique_ptr<store::Inspection> inspection;

    explicit PrintData(int width)
    {
        store::Database::Open(store::DatabaseKind::Template, folder.File("t.cdb"), true);
        store::Database::Open(store::DatabaseKind::Inspection, folder.File("i.cdb"), true);
        store::CreateFullStructure();
        {
            store::Options options;
            options.m_YesNo0 = 1;
            options.m_ReportFontSize = 10;
            options.m_StepSpacing = 1;
            options.m_ColumnWidth1 = 0.5, options.m_ColumnWidth2 = 1.3, options.m_ColumnWidth3 = 1.1;
            options.m_ColumnWidth4 = 0.9, options.m_ColumnWidth5 = 1.5;
            options.Save();
        }
        std::vector<std::string> pictures;
        const std::string photo = folder.File("photo.jpg");
        report_testing::MakePhoto(photo, width, width * 3 / 4);
        for (int p = 0; p < kPictures; ++p) {
            pictures.push_back(folder.File("IMG_" + std::to_string(p) + ".JPG"));
            std::filesystem::copy_file(photo, pictures.back());
        }
        store::Transaction transaction(store::DatabaseKind::Inspection);
        inspection = std::make_unique<store::Inspection>();
        inspection->New();
        inspection->m_InspectionNum = "bench";
        inspection->Save();
        int picture = 0;
        for (int c = 0; c < kCategories; ++c) {
            store::Category category;
            category.Open();
            category.New();
            category.m_CategoryTitle = "Category " + std::to_string(c);
            category.m_InspectionID = inspection->m_InspectionID;
            category.Save();
            for (int s = 0; s < kSteps / kCategories; ++s) {
                store::Step step;
                step.Open();
                step.New();
                step.m_CategoryID = category.m_CategoryID;
                step.m_StepNumber = std::to_string(10 + s);
                step.m_StepTitle = "Step " + std::to_string(s);
                step.m_InspectResult = "Functional";
                step.m_Comments = "The item was inspected and found serviceable; \\b minor wear\\b0  for its age.";
                step.m_Materials = "Wood;Vinyl;";
                if ((c * (kSteps / kCategories) + s) % (kSteps / kPictures) == 0 && picture < kPictures)
                    step.m_BitmapPath = pictures[static_cast<std::size_t>(picture++)];
                step.Save();
            }
        }
        transaction.Commit();
        inspection->OpenByID(inspection->m_InspectionID);
        inspection->Read(0);
    }
    ~PrintData() { store::Database::CloseAll(); }
};

void BM_RtfReportForPrintComparison(benchmark::State& state)
{
    PrintData data(static_cast<int>(state.range(0)));
    const std::string out = data.folder.File("report.rtf");
    for (auto _ : state) {
        reports::rtf::CInspectionRTFFile writer;
        writer.SetIncludePictures(true);
        writer.SetReportKind(reports::rtf::kInspectionReport);
        writer.SetFileChooser([&out](const std::string&, const std::string&) { return std::optional<std::string>(out); });
        writer.Setup(*data.inspection, "4 Column");
        writer.Export();
    }
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
}

void BM_PdfReport(benchmark::State& state)
{
    EnsureApp();
    PrintData data(static_cast<int>(state.range(0)));
    const std::string out = data.folder.File("report.pdf");
    const double before = PeakRssMegabytes();
    for (auto _ : state) {
        reports::print::PrintSettings settings;
        settings.firstPage = settings.lastPage = -1;
        reports::print::ExportPdf(*data.inspection, settings, out);
    }
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
    state.counters["rss_growth_MB"] = PeakRssMegabytes() - before;
}

} // namespace

BENCHMARK(BM_RtfReportForPrintComparison)->Arg(1600)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_PdfReport)->Arg(1600)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_PdfReport)->Arg(4000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
#endif
