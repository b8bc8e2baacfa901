// The inspection report with pictures, against its natural limit: turning the
// same picture bytes into hexadecimal text and writing them, nothing else.
#include "reports/rtf/CInspectionRTFFile.h"
#include "reports/rtf/RtfText.h"
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
#include <random>
#include <sys/resource.h>

namespace {

constexpr int kSteps = 500;
constexpr int kCategories = 20;
constexpr int kPictures = 40;

// 500 steps in 20 categories, every 12th or so with a picture of `pictureBytes`.
struct ReportData {
    testing_support::TempFolder folder;
    testing_support::ScriptedPort port;
    std::vector<std::string> pictures;
    std::unique_ptr<store::Inspection> inspection;

    explicit ReportData(std::size_t pictureBytes)
    {
        store::Database::Open(store::DatabaseKind::Template, folder.File("t.cdb"), true);
        store::Database::Open(store::DatabaseKind::Inspection, folder.File("i.cdb"), true);
        store::CreateFullStructure();
        {
            store::Options options;
            options.m_YesNo0 = 1;
            options.Save();
        }
        std::mt19937 random(7);
        std::string bytes(pictureBytes, '\0');
        for (int p = 0; p < kPictures; ++p) {
            for (auto& b : bytes)
                b = static_cast<char>(random());
            bytes[0] = '\xFF', bytes[1] = '\xD8';
            pictures.push_back(folder.File("IMG_" + std::to_string(p) + ".JPG"));
            std::ofstream(pictures.back(), std::ios::binary) << bytes;
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
                if ((c * (kSteps / kCategories) + s) % (kSteps / kPictures) == 0 && picture < kPictures)
                    step.m_BitmapPath = pictures[static_cast<std::size_t>(picture++)];
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

void BM_InspectionReportWithPictures(benchmark::State& state)
{
    ReportData data(static_cast<std::size_t>(state.range(0)) * 1024);
    const std::string out = data.folder.File("report.rtf");
    for (auto _ : state) {
        reports::rtf::CInspectionRTFFile writer;
        writer.SetIncludePictures(true);
        writer.SetReportKind(reports::rtf::kInspectionReport);
        writer.SetFileChooser([&out](const std::string&, const std::string&) { return std::optional<std::string>(out); });
        writer.Setup(*data.inspection, "4 Column");
        writer.Export();
    }
    state.SetBytesProcessed(state.iterations() * kPictures * state.range(0) * 1024);
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
}
BENCHMARK(BM_InspectionReportWithPictures)->Arg(512)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same picture bytes read in 4096-byte chunks, hex-encoded and written.
void BM_HexOfThePicturesAlone(benchmark::State& state)
{
    ReportData data(static_cast<std::size_t>(state.range(0)) * 1024);
    const std::string out = data.folder.File("hex.txt");
    for (auto _ : state) {
        std::FILE* sink = std::fopen(out.c_str(), "wb");
        std::setvbuf(sink, nullptr, _IOFBF, 1 << 16);
        unsigned char chunk[4096];
        std::string hex;
        for (const auto& picture : data.pictures) {
            std::FILE* in = std::fopen(picture.c_str(), "rb");
            for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, in)) > 0;) {
                hex.clear();
                reports::rtf::AppendHex(hex, chunk, n);
                std::fwrite(hex.data(), 1, hex.size(), sink);
            }
            std::fclose(in);
        }
        std::fclose(sink);
    }
    state.SetBytesProcessed(state.iterations() * kPictures * state.range(0) * 1024);
}
BENCHMARK(BM_HexOfThePicturesAlone)->Arg(512)->Unit(benchmark::kMillisecond)->UseRealTime();

// Four times larger pictures: the report's peak memory stays where it was.
BENCHMARK(BM_InspectionReportWithPictures)->Arg(2048)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

} // namespace
