// Whole exports of a project that fills a Large data area to the edge: one more object and the build
// fails with "data area is full". Measured with the fast back-reference search and with the plain scan.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "export/database_check.h"
#include "export/export_driver.h"
#include "export/export_settings.h"
#include "model/bytes.h"
#include "model/object_storage.h"
#include "model/text.h"
#include "support/object_builders.h"

using namespace plotwell;

namespace {

const char* const kStreets[] = {"Main",     "High",      "King",    "Queen",   "George",
                                "Victoria", "Church",    "Station", "Park",    "Mill",
                                "Bridge",   "Elizabeth", "Market",  "Albert",  "Riverside",
                                "Wattle",   "Banksia",   "Gumtree", "Harbour", "Ocean"};
const char* const kKinds[] = {" St", " Rd", " Ave", " Street", " Lane", " Hwy", " Park", " Creek", ""};

// Object i of the endless sequence the filling project is made of: streets with repeated names and
// shapes of 4..12 points, a point feature now and then.
void add_filler(Layer& roads, Layer& places, int i, std::mt19937& rng) {
    std::string name = std::string(kStreets[rng() % 20]) + kKinds[rng() % 9];
    if (rng() % 4 == 0) {
        name += ' ';
        name += std::to_string(rng() % 300);
    }
    const int32_t x = int32_t(rng() % 1000000), y = int32_t(rng() % 500000);
    if (i % 7 == 0) {
        plotwell::test::add_point(places, name, {x, y});
        return;
    }
    std::vector<Point> pts;
    const int n = 4 + int(rng() % 9);
    for (int k = 0; k < n; ++k) pts.push_back({x + int32_t(rng() % 20000), y + int32_t(rng() % 20000)});
    ObjectHead head;
    head.dimension = kDimLine;
    head.type = uint8_t(rng() % 6);
    set_field(head.name, name);
    make_object(roads, head, pts.data(), int32_t(pts.size()));
}

struct Filled {
    std::unique_ptr<Project> project;
    ExportSettings settings;
    int objects = 0;
    int32_t write_pos = 0;
};

std::string output_path() {
    return (std::filesystem::temp_directory_path() /
            ("plotwell-export-bench-" + std::to_string(::getpid()) + ".pdb"))
        .string();
}

std::unique_ptr<Project> make_project(int count) {
    auto project = std::make_unique<Project>();
    project->range = {0, 0, 1020000, 520000};
    set_field(project->name, "Filled");
    Layer& roads = plotwell::test::add_layer(*project, "roads", kThemeRoads);
    Layer& places = plotwell::test::add_layer(*project, "places", kThemePlaces);
    std::mt19937 rng(2024);
    for (int i = 0; i < count; ++i) add_filler(roads, places, i, rng);
    return project;
}

int try_export(const Project& project, ExportSettings& settings, ExportState* state = nullptr) {
    NullProgressSink sink;
    Rect selection;
    return run_export(project, settings, selection, sink, {}, state);
}

// The largest object count that still exports: found by bisection over the same object sequence.
const Filled& filled() {
    static Filled f = [] {
        Filled out;
        int lo = 1000, hi = 40000;  // lo exports, hi does not
        while (hi - lo > 1) {
            const int mid = (lo + hi) / 2;
            auto p = make_project(mid);
            ExportSettings s;
            reset_export_settings(s, *p, "", "");
            set_field(s.map_name, "Filled");
            set_field(s.output_path, output_path());
            (try_export(*p, s) == kExportOk ? lo : hi) = mid;
        }
        out.project = make_project(lo);
        reset_export_settings(out.settings, *out.project, "", "");
        set_field(out.settings.map_name, "Filled");
        set_field(out.settings.output_path, output_path());
        ExportState state;
        try_export(*out.project, out.settings, &state);
        std::vector<uint8_t> file;
        (void)read_whole_file(output_path(), file);  // none: the inspection reports the empty file
        const InspectReport report = inspect_database(file);
        std::fprintf(stderr, "inspection of the filled map: %s",
                     report.ok() ? "OK\n" : format_inspect_report(report, false).c_str());
        out.objects = lo;
        out.write_pos = state.write_pos;
        std::fprintf(stderr,
                     "filled project: %d objects, data area used up to %d of %d bytes, %zu names indexed\n",
                     lo, int(state.write_pos), int(state.capacity), state.name_index.size());
        return out;
    }();
    return f;
}

void export_filled(benchmark::State& bench, NameSearchMode mode) {
    const Filled& f = filled();
    ExportSettings settings = f.settings;
    ExportInputs inputs;
    inputs.name_search = mode;
    for (auto _ : bench) {
        NullProgressSink sink;
        Rect selection;
        const int result = run_export(*f.project, settings, selection, sink, inputs);
        if (result != kExportOk) bench.SkipWithError("export failed");
    }
    bench.counters["objects"] = f.objects;
    bench.counters["bytes"] = f.write_pos;
    std::filesystem::remove(output_path());
}

void BM_ExportFilledLarge_FastSearch(benchmark::State& s) {
    export_filled(s, NameSearchMode::fast);
}
void BM_ExportFilledLarge_PlainScan(benchmark::State& s) {
    export_filled(s, NameSearchMode::plain);
}

BENCHMARK(BM_ExportFilledLarge_FastSearch)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ExportFilledLarge_PlainScan)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->Iterations(1)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
