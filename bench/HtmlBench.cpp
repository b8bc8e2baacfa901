// The HTML export of an inspection of 500 steps and 40 pictures, against the
// RTF inspection report of the same inspection with its pictures, in one run.
#include "reports/PhotoMaker.h"
#include "reports/ReportFixture.h"
#include "reports/html/HtmlExport.h"
#include "reports/rtf/CInspectionRTFFile.h"
#include "store/Database.h"
#include "store/TableRecord.h"

#include <filesystem>

#include <benchmark/benchmark.h>

namespace {

constexpr int kSteps = 500;
constexpr int kCategories = 20;
constexpr int kPictures = 40;

struct HtmlData {
    testing_support::TempFolder folder;
    testing_support::ScriptedPort port;
    std::unique_ptr<store::Inspection> inspection;

    HtmlData()
    {
        setenv("INSPECTOR_APPDATA", folder.File("app").c_str(), 1);
        store::Database::Open(store::DatabaseKind::Template, folder.File("t.cdb"), true);
        store::Database::Open(store::DatabaseKind::Inspection, folder.File("i.cdb"), true);
        store::CreateFullStructure();
        {
            store::Options options;
            options.m_YesNo0 = 1;
            options.Save();
        }
        // Camera-sized pictures (about 3000 x 2000), each a different one.
        setenv("XDG_CACHE_HOME", folder.File("cache").c_str(), 1);
        std::vector<std::string> pictures;
        for (int p = 0; p < kPictures; ++p) {
            pictures.push_back(folder.File("IMG_" + std::to_string(p) + ".jpg"));
            report_testing::MakePhoto(pictures.back(), 3000 + p, 2000);
        }
        store::Transaction transaction(store::DatabaseKind::Inspection);
        inspection = std::make_unique<store::Inspection>();
        inspection->New();
        inspection->m_InspectionNum = "bench";
        inspection->Save();
        int step = 0;
        for (int c = 0; c < kCategories; ++c) {
            store::Category category;
            category.Open();
            category.New();
            category.m_CategoryTitle = "Category " + std::to_string(c);
            category.m_CategoryNumber = std::to_string(100 + c);
            category.m_InspectionID = inspection->m_InspectionID;
            category.Save();
            for (int s = 0; s < kSteps / kCategories; ++s, ++step) {
                store::Step row;
                row.Open();
                row.New();
                row.m_CategoryID = category.m_CategoryID;
                row.m_StepNumber = std::to_string(10 + s);
                row.m_StepTitle = "Step " + std::to_string(s);
                row.m_InspectResult = "Functional";
                row.m_Comments = "The item was inspected and found serviceable; minor wear & tear {typical} for its age.";
                row.m_Materials = "Wood;Vinyl;";
                if (step % (kSteps / kPictures) == 0 && step / (kSteps / kPictures) < kPictures)
                    row.m_BitmapPath = pictures[static_cast<std::size_t>(step / (kSteps / kPictures))];
                row.Save();
            }
        }
        transaction.Commit();
        inspection->OpenByID(inspection->m_InspectionID);
        inspection->Read(0);
    }
    ~HtmlData()
    {
        store::Database::CloseAll();
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
    for (auto _ : state) {
        reports::rtf::CInspectionRTFFile writer;
        writer.SetIncludePictures(true);
        writer.SetReportKind(reports::rtf::kInspectionReport);
        writer.SetFileChooser([&out](const std::string&, const std::string&) { return std::optional<std::string>(out); });
        writer.Setup(*data.inspection, "4 Column");
        writer.Export();
    }
}
BENCHMARK(BM_RtfReportOfTheSameInspection)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
