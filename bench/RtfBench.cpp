// The inspection report of 500 steps, against its natural limit: writing the
// same number of bytes to a file, nothing else. Pictures: PictureBench.cpp.
#include "ReportSample.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace {

using bench::BenchInspection;

// 500 steps in 20 categories.
struct ReportData : BenchInspection {
    ReportData() { AddInspection({}); }
};

void BM_InspectionReport(benchmark::State& state)
{
    ReportData data;
    const std::string out = data.folder.File("report.rtf");
    std::uintmax_t size = 0;
    for (auto _ : state)
        size = bench::WriteInspectionReport(*data.inspection, out, false);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    state.counters["peak_rss_MB"] = bench::PeakRssMegabytes();
}
BENCHMARK(BM_InspectionReport)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same number of bytes written in 64 KiB pieces.
void BM_WritingTheSameBytesAlone(benchmark::State& state)
{
    ReportData data;
    const std::string out = data.folder.File("report.rtf");
    const auto size = bench::WriteInspectionReport(*data.inspection, out, false);
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
