// The inspection report of 500 steps, against its natural limit: writing the
// same number of bytes to a file, nothing else. Pictures: PictureBench.cpp.
#include "reports/rtf/CInspectionRTFFile.h"
#include "store/Category.h"
#include "store/Database.h"
#include "store/Inspection.h"
#include "store/Options.h"
#include "store/Step.h"
#include "store/TableRecord.h"
#include "support/ScriptedPort.h"
#include "support/TempDataFiles.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <filesystem>
#include <sys/resource.h>

namespace {

constexpr int kSteps = 500;
constexpr int kCategories = 20;

// 500 steps in 20 categories.
struct ReportData {
    testing_support::TempFolder folder;
    testing_support::ScriptedPort port;
    std::unique_ptr<store::Inspection> inspection;

    ReportData()
    {
        store::Database::Open(store::DatabaseKind::Template, folder.File("t.cdb"), true);
        store::Database::Open(store::DatabaseKind::Inspection, folder.File("i.cdb"), true);
        store::CreateFullStructure();
        {
            store::Options options;
            options.m_YesNo0 = 1;
            options.Save();
        }
        store::Transaction transaction(store::DatabaseKind::Inspection);
        inspection = std::make_unique<store::Inspection>();
        inspection->New();
        inspection->m_InspectionNum = "bench";
        inspection->Save();
        for (int c = 0; c < kCategories; ++c) {
            store::Category category;
            category.Open();
            category.New();
            category.m_CategoryTitle = "Category " + std::to_string(c);
            category.m_CategoryNumber = std::to_string(100 + c);
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
                step.m_Comments = "The item was inspected and found serviceable; minor wear {typical} for its age.";
                step.m_Materials = "Wood;Vinyl;";
                step.Save();
            }
        }
        transaction.Commit();
        inspection->OpenByID(inspection->m_InspectionID);
        inspection->Read(0);
    }
    ~ReportData() { store::Database::CloseAll(); }
};

double PeakRssMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void BM_InspectionReport(benchmark::State& state)
{
    ReportData data;
    const std::string out = data.folder.File("report.rtf");
    for (auto _ : state) {
        reports::rtf::CInspectionRTFFile writer;
        writer.SetReportKind(reports::rtf::kInspectionReport);
        writer.SetFileChooser([&out](const std::string&, const std::string&) { return std::optional<std::string>(out); });
        writer.Setup(*data.inspection, "4 Column");
        writer.Export();
    }
    const auto size = std::filesystem::file_size(out);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
}
BENCHMARK(BM_InspectionReport)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same number of bytes written in 64 KiB pieces.
void BM_WritingTheSameBytesAlone(benchmark::State& state)
{
    ReportData data;
    const std::string out = data.folder.File("report.rtf");
    {
        reports::rtf::CInspectionRTFFile writer;
        writer.SetReportKind(reports::rtf::kInspectionReport);
        writer.SetFileChooser([&out](const std::string&, const std::string&) { return std::optional<std::string>(out); });
        writer.Setup(*data.inspection, "4 Column");
        writer.Export();
    }
    const auto size = std::filesystem::file_size(out);
    const std::string piece(1 << 16, 'x');
    const std::string sink = data.folder.File("bytes.txt");
    for (auto _ : state) {
        std::FILE* f = std::fopen(sink.c_str(), "wb");
        for (std::uintmax_t written = 0; written < size; written += piece.size())
            std::fwrite(piece.data(), 1, std::min<std::uintmax_t>(piece.size(), size - written), f);
        std::fclose(f);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_WritingTheSameBytesAlone)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
