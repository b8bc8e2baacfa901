// The 4-column report of an inspection with 140 phone photos (4032 x 3024
// JPEG, about 3.7 MB each, four in ten tagged to be turned upright): time,
// peak memory and output size, with an empty picture cache and with the cache
// filled, against the natural limit: vipsthumbnail making the same 140
// pictures at the same size (within 975 x 900: 3.25 x 3 in at 300 dpi, JPEG
// quality 85) in the same run.
#include "ReportSample.h"
#include "reports/pictures/PicturePrep.h"

#include <benchmark/benchmark.h>
#include <vips/vips.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <malloc.h>

namespace fs = std::filesystem;

namespace {

constexpr int kPhotos = 140;
constexpr int kDistinct = 10; // photos differ in content; the rest are copies under their own names

// Resident memory now and at its peak, in MB, from /proc.
double StatusMegabytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::atof(line.c_str() + std::strlen(field)) / 1024.0;
    return 0;
}

// Starts a new peak: the peak afterwards is that of what runs from now on.
void ResetPeakMemory()
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

// A photo-like picture: smooth shapes, some texture and sensor noise, so that
// it compresses as a phone photo does (about 3 MB at quality 90).
bool MakePhoto(const std::string& path, int seed, int orientation)
{
    VipsImage *coarse = nullptr, *smooth = nullptr, *mid = nullptr, *midUp = nullptr, *fine = nullptr;
    VipsImage *sum1 = nullptr, *sum2 = nullptr, *red = nullptr, *tinted = nullptr, *green = nullptr;
    VipsImage *rgb = nullptr, *out = nullptr;
    bool ok = vips_gaussnoise(&coarse, 252, 189, "mean", 128.0 + seed, "sigma", 50.0, "seed", seed, nullptr) == 0 &&
              vips_resize(coarse, &smooth, 16, "kernel", VIPS_KERNEL_CUBIC, nullptr) == 0 &&
              vips_gaussnoise(&mid, 1008, 756, "mean", 0.0, "sigma", 10.0, "seed", seed + 100, nullptr) == 0 &&
              vips_resize(mid, &midUp, 4, "kernel", VIPS_KERNEL_CUBIC, nullptr) == 0 &&
              vips_gaussnoise(&fine, 4032, 3024, "mean", 0.0, "sigma", 4.0, "seed", seed + 200, nullptr) == 0 &&
              vips_add(smooth, midUp, &sum1, nullptr) == 0 && vips_add(sum1, fine, &sum2, nullptr) == 0 &&
              vips_cast_uchar(sum2, &red, nullptr) == 0 &&
              vips_linear1(red, &tinted, 0.8, 30.0, "uchar", TRUE, nullptr) == 0;
    if (ok) {
        VipsImage* bands[3] = {red, tinted, red};
        ok = vips_bandjoin(bands, &green, 3, nullptr) == 0 &&
             vips_copy(green, &rgb, "interpretation", VIPS_INTERPRETATION_sRGB, nullptr) == 0 &&
             vips_copy(rgb, &out, nullptr) == 0;
    }
    if (ok) {
        if (orientation != 1)
            vips_image_set_int(out, VIPS_META_ORIENTATION, orientation);
        ok = vips_jpegsave(out, path.c_str(), "Q", 90, nullptr) == 0;
    }
    for (VipsImage* image : {coarse, smooth, mid, midUp, fine, sum1, sum2, red, tinted, green, rgb, out})
        if (image)
            g_object_unref(image);
    return ok;
}

// The photos and an inspection whose steps show them, made once for every benchmark here.
struct PhotoInspection : bench::BenchInspection {
    std::vector<std::string> photos;
    std::uintmax_t photoBytes = 0;

    PhotoInspection()
    {
        setenv("XDG_CACHE_HOME", folder.File("cache").c_str(), 1);
        if (VIPS_INIT("bench") != 0)
            std::abort();
        fs::create_directories(folder.File("photos"));
        std::vector<std::string> bases;
        for (int i = 0; i < kDistinct; ++i) {
            bases.push_back(folder.File("base" + std::to_string(i) + ".jpg"));
            if (!MakePhoto(bases.back(), i, i % 3 == 0 ? 6 : 1))
                std::abort();
        }
        for (int p = 0; p < kPhotos; ++p) {
            photos.push_back(folder.File("photos/IMG_" + std::to_string(1000 + p) + ".jpg"));
            fs::copy_file(bases[static_cast<std::size_t>(p % kDistinct)], photos.back());
            photoBytes += fs::file_size(photos.back());
        }
        bench::BenchSteps steps;
        steps.categories = kPhotos / 10;
        steps.stepsPerCategory = 10;
        steps.comments = "Inspected; minor wear typical for its age.";
        steps.materials.clear();
        steps.pictures = photos;
        AddInspection(steps);
    }

    static PhotoInspection& Get()
    {
        static PhotoInspection data;
        return data;
    }

    std::uintmax_t WriteReport(const std::string& out) { return bench::WriteInspectionReport(*inspection, out, true); }
};

void ReportCounters(benchmark::State& state, std::uintmax_t outputBytes, double before)
{
    state.counters["output_MB"] = outputBytes / 1e6;
    state.counters["peak_rss_MB"] = StatusMegabytes("VmHWM:");
    state.counters["rss_before_MB"] = before;
    state.counters["photos_MB"] = PhotoInspection::Get().photoBytes / 1e6;
}

void BM_PhotoReportFirstRun(benchmark::State& state)
{
    auto& data = PhotoInspection::Get();
    const std::string out = data.folder.File("first.rtf");
    std::uintmax_t size = 0;
    double before = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(reports::pictures::PictureCacheFolder());
        ResetPeakMemory();
        before = StatusMegabytes("VmRSS:");
        state.ResumeTiming();
        size = data.WriteReport(out);
    }
    ReportCounters(state, size, before);
}
BENCHMARK(BM_PhotoReportFirstRun)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(2);

void BM_PhotoReportCachedRun(benchmark::State& state)
{
    auto& data = PhotoInspection::Get();
    const std::string out = data.folder.File("cached.rtf");
    data.WriteReport(out); // fills the cache
    std::uintmax_t size = 0;
    ResetPeakMemory();
    const double before = StatusMegabytes("VmRSS:");
    for (auto _ : state)
        size = data.WriteReport(out);
    ReportCounters(state, size, before);
}
BENCHMARK(BM_PhotoReportCachedRun)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(3);

// The same pictures made by vipsthumbnail alone: the natural limit.
void BM_VipsthumbnailOfThePhotos(benchmark::State& state)
{
    auto& data = PhotoInspection::Get();
    const std::string outFolder = data.folder.File("thumbs");
    std::string command = "vipsthumbnail --size 975x900 -o '" + outFolder + "/%s.jpg[Q=85,strip,optimize_coding]'";
    for (const auto& photo : data.photos)
        command += " " + photo;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(outFolder);
        fs::create_directories(outFolder);
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("vipsthumbnail failed");
    }
    std::uintmax_t bytes = 0;
    for (const auto& entry : fs::directory_iterator(outFolder))
        bytes += entry.file_size();
    state.counters["output_MB"] = bytes / 1e6;
}
BENCHMARK(BM_VipsthumbnailOfThePhotos)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(2);

} // namespace
