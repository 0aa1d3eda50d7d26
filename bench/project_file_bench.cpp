// Saving and loading a large project (200,000 lines of 10 points), beside copying the same file with
// cp in the same run. Run with --benchmark_repetitions=N for medians; each figure is wall-clock time.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "model/object_storage.h"
#include "project/project_file.h"
#include "support/object_builders.h"

using namespace plotwell;

namespace {

constexpr int kLines = 200000;
constexpr int kPointsPerLine = 10;

struct BenchFiles {
    std::filesystem::path dir;
    Project project;
    std::string base;

    BenchFiles() {
        dir = std::filesystem::temp_directory_path() / "plotwell_project_file_bench";
        std::filesystem::create_directories(dir);
        base = (dir / "big").string();
        Layer& roads = test::add_layer(project, "Roads", kThemeRoads, kSngTypedObjs);
        Layer& rivers = test::add_layer(project, "Rivers", kThemeWater, kMiscTypedObjs);
        Point points[kPointsPerLine];
        for (int i = 0; i < kLines; ++i) {
            for (int k = 0; k < kPointsPerLine; ++k) points[k] = {i * 17 + k * 1000, -i * 13 + k * 777};
            ObjectHead head;
            head.dimension = kDimLine;
            head.type = uint8_t(i % 6);
            std::snprintf(head.name, sizeof head.name, "Line %d", i);
            make_object(i % 4 == 0 ? rivers : roads, head, points, kPointsPerLine);
        }
        NullProgressSink quiet;
        if (!save_project(project, base, quiet)) std::abort();
    }
    ~BenchFiles() { std::filesystem::remove_all(dir); }
};

BenchFiles& files() {
    static BenchFiles f;
    return f;
}

void run_shell(const std::string& command) {
    if (std::system(command.c_str()) != 0) std::abort();
}

void BM_SaveProject(benchmark::State& state) {
    BenchFiles& f = files();
    NullProgressSink quiet;
    for (auto _ : state) {
        if (!save_project(f.project, f.base + "-saved", quiet)) std::abort();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) *
                            int64_t(std::filesystem::file_size(f.base + ".mpr")));
}

void BM_LoadProject(benchmark::State& state) {
    BenchFiles& f = files();
    NullProgressSink quiet;
    for (auto _ : state) {
        auto p = std::make_unique<Project>();
        if (!load_project_file(*p, f.base, quiet) ||
            p->layers[0].object_count + p->layers[1].object_count != kLines)
            std::abort();
        benchmark::DoNotOptimize(p->layers[0].objects);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) *
                            int64_t(std::filesystem::file_size(f.base + ".mpr")));
}

// The same file through cp; save_project also flushes the file to the disk, so the copy is timed
// once as it is and once followed by the same flush.
void BM_CopyWithCp(benchmark::State& state) {
    BenchFiles& f = files();
    const std::string command = "cp '" + f.base + ".mpr' '" + f.base + "-copy.mpr'";
    for (auto _ : state) run_shell(command);
}

void BM_CopyWithCpAndSync(benchmark::State& state) {
    BenchFiles& f = files();
    const std::string command =
        "cp '" + f.base + ".mpr' '" + f.base + "-copy.mpr' && sync '" + f.base + "-copy.mpr'";
    for (auto _ : state) run_shell(command);
}

}  // namespace

BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadProject)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyWithCp)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyWithCpAndSync)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
