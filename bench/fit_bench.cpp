// Fitting a map that is too big for the Large data area: the bisection for the least simplification
// that fits, on a field of 200,000 line segments and on a made-up world of 180 countries with thousands
// of vertices each. `fit_bench --write-world DIR` also saves the world as DIR/world.mpr to try with
// plotwell-tool.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "export/export_driver.h"
#include "export/export_settings.h"
#include "export/map_fit.h"
#include "model/text.h"
#include "project/project_file.h"
#include "support/synthetic_maps.h"

using namespace plotwell;

namespace {

std::string output_path() {
    return (std::filesystem::temp_directory_path() /
            ("plotwell-fit-bench-" + std::to_string(::getpid()) + ".pdb"))
        .string();
}

void fit_export(benchmark::State& bench, const Project& project) {
    ExportSettings settings;
    reset_export_settings(settings, project, "", "");
    set_field(settings.map_name, "Fit");
    set_field(settings.output_path, output_path());
    settings.fit.fit_map_class = true;
    ExportState state;
    for (auto _ : bench) {
        NullProgressSink sink;
        Rect selection;
        if (run_export(project, settings, selection, sink, {}, &state) != kExportOk)
            bench.SkipWithError("export failed");
    }
    bench.counters["bytes"] = state.write_pos;
    std::filesystem::remove(output_path());
}

void BM_Fit200kSegmentsToLarge(benchmark::State& bench) {
    static Project project;
    if (project.layer_count == 0) plotwell::test::make_line_field(project, 200000);
    fit_export(bench, project);
}

void BM_FitWorldMapToLarge(benchmark::State& bench) {
    static Project project;
    if (project.layer_count == 0) plotwell::test::make_world_map(project);
    fit_export(bench, project);
}

BENCHMARK(BM_Fit200kSegmentsToLarge)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FitWorldMapToLarge)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-world") == 0) {
        Project world;
        plotwell::test::make_world_map(world);
        NullProgressSink sink;
        const std::string base = (std::filesystem::path(argv[2]) / "world").string();
        if (!save_project(world, base, sink)) {
            std::fprintf(stderr, "cannot write %s.mpr\n", base.c_str());
            return 1;
        }
        std::printf("%s.mpr\n", base.c_str());
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
